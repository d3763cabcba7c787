// What every refusal of the form leaves behind, whichever page refused it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/fake_platform.h"

namespace torsova::testing {

// Status 0, no viewer, and "Work2.CSV" closed and left empty.
inline void ExpectFormRefusalEnding(FakeRun& run, const RunEnded& ended, const std::string& what) {
  EXPECT_EQ(ended.status, 0) << what;
  EXPECT_FALSE(ended.viewer.has_value()) << what;
  EXPECT_EQ(run.state.landmark_table, nullptr) << what << ": the table was left open";
  EXPECT_EQ(run.scratch.Read("Work2.CSV"), "") << what;
}

}  // namespace torsova::testing
