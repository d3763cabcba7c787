// torsova.exe on a real Windows console: the clear empties the whole buffer,
// the page starts at its top left, and one key press ends the wait without
// being shown.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/console_run_windows.h"
#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova {
namespace {

using testing::ConsoleRun;
using testing::Cursor;
using testing::ExampleForm;
using testing::HasConsole;
using testing::PressKey;
using testing::ScreenRows;

TEST(WindowsConsoleTest, PageReplacesEarlierTextAndTheKeyIsNotShown) {
  // Attaching to another console takes this process off its own, which would
  // silence a test run in a console window.
  if (HasConsole(STD_OUTPUT_HANDLE) || HasConsole(STD_ERROR_HANDLE)) {
    GTEST_SKIP() << "needs its output redirected, as under CTest";
  }
  testing::ScratchFolder folder;
  folder.Write("BodyXYZ.CSV", ExampleForm());
  char system_folder[MAX_PATH] = {};
  ASSERT_NE(GetSystemDirectoryA(system_folder, MAX_PATH), 0u);
  // The console shows a line of an earlier command when torsova starts.
  ConsoleRun run(std::string("\"") + system_folder + "\\cmd.exe\" /c \"echo EARLIER OUTPUT&& \"" +
                     testing::TorsovaBinary() + "\"\"",
                 folder.path());
  ASSERT_TRUE(run.attached());
  const std::string key_line = "                 Press any key to continue";
  ASSERT_TRUE(run.AwaitRow(key_line, 20)) << "the page did not appear";

  const std::vector<std::string> page = {
      "",      "                          SUCCESS",
      "",      "Gyrovex will now load. Open the file 3D_BODY.ROT.",
      "",      "",
      key_line};
  std::vector<std::string> rows = ScreenRows(run.screen());
  ASSERT_GE(rows.size(), page.size());
  for (std::size_t y = 0; y < rows.size(); ++y) {
    EXPECT_EQ(rows[y], y < page.size() ? page[y] : "") << "row " << y;
  }
  const COORD cursor = Cursor(run.screen());
  EXPECT_EQ(cursor.X, 0);
  EXPECT_EQ(cursor.Y, 7);

  PressKey(run.keyboard(), 'k');
  EXPECT_EQ(run.AwaitExit(10), 0);
  rows = ScreenRows(run.screen());
  for (std::size_t y = page.size(); y < rows.size(); ++y) {
    EXPECT_EQ(rows[y], "") << "row " << y << " after the key";
  }
}

}  // namespace
}  // namespace torsova
