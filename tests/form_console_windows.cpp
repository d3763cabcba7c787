// torsova-form.exe started in a console window of its own, as when a form is
// dropped on it, waits for a key before that window closes; sharing its
// console with the command that started it, it does not.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/console_run_windows.h"
#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova {
namespace {

using testing::ConsoleRun;
using testing::HasConsole;

std::string Form() {
  return testing::ReadFileBytes(std::string(TORSOVA_SOURCE_DIR) +
                                "/tests/data/form/three_faults.csv");
}

TEST(FormConsoleTest, WaitsForAKeyOnlyInAConsoleOfItsOwn) {
  // Attaching to another console takes this process off its own, which would
  // silence a test run in a console window.
  if (HasConsole(STD_OUTPUT_HANDLE) || HasConsole(STD_ERROR_HANDLE)) {
    GTEST_SKIP() << "needs its output redirected, as under CTest";
  }
  testing::ScratchFolder folder;
  folder.Write("three_faults.csv", Form());
  const std::string program = "\"" + testing::FormBinary() + "\"";
  {
    // Alone on its console: long done with the form, it is still there.
    ConsoleRun run(program + " three_faults.csv", folder.path(), false);
    EXPECT_EQ(run.AwaitExit(5), -1) << "it did not wait for a key";
    run.Attach();
    ASSERT_TRUE(run.attached());
    EXPECT_TRUE(run.AwaitRow("Press any key to close this window.", 20));
    testing::PressKey(run.keyboard(), 'k');
    EXPECT_EQ(run.AwaitExit(10), 1);
  }
  char system_folder[MAX_PATH] = {};
  ASSERT_NE(GetSystemDirectoryA(system_folder, MAX_PATH), 0u);
  ConsoleRun shared(std::string("\"") + system_folder + "\\cmd.exe\" /c \"" + program +
                        " three_faults.csv\"",
                    folder.path());
  ASSERT_TRUE(shared.attached());
  EXPECT_EQ(shared.AwaitExit(20), 1) << "it waited in a console it shares";
}

}  // namespace
}  // namespace torsova
