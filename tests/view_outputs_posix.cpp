// torsova-view's outputs on a POSIX system: what is not a regular file gets
// the bytes straight, links are written through, modes are kept, and a
// failing standard output is said.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/fake_platform.h"
#include "support/run_program.h"

namespace torsova {
namespace {

namespace fs = std::filesystem;
using testing::ProgramRun;
using testing::ScratchFolder;

std::string ExampleFigure() {
  return testing::ReadFileBytes(std::string(TORSOVA_SOURCE_DIR) +
                                "/tests/data/example_form/expected/3D_BODY.ROT");
}

ProgramRun View(const ScratchFolder& folder, const std::vector<std::string>& arguments) {
  return testing::RunWithArguments(testing::ViewerBinary(), folder.path(), arguments, 10);
}

// The page as written into a regular file, to compare with what went elsewhere.
std::string ThePage() {
  ScratchFolder folder;
  folder.Write("3D_BODY.ROT", ExampleFigure());
  View(folder, {});
  return folder.Read("3D_BODY.html");
}

TEST(ViewOutputsTest, WritesStraightIntoWhatIsNoRegularFile) {
  const std::string page = ThePage();
  ASSERT_GT(page.size(), 1000u);
  ScratchFolder folder;
  folder.Write("3D_BODY.ROT", ExampleFigure());
  const std::string fifo = folder.path() + "/fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

  // As root, nodes of its own, so that a fault cannot replace the system's;
  // left out where the file system allows no devices.
  std::string null_device = "/dev/null", full_device = "/dev/full";
  if (::geteuid() == 0) {
    null_device = folder.path() + "/null";
    full_device = folder.path() + "/full";
    ::mknod(null_device.c_str(), S_IFCHR | 0666, makedev(1, 3));
    ::mknod(full_device.c_str(), S_IFCHR | 0666, makedev(1, 7));
  }
  const int probe = ::open(null_device.c_str(), O_WRONLY);
  if (probe >= 0) {
    ::close(probe);
    ProgramRun run = View(folder, {"-o", null_device});
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_TRUE(fs::is_character_file(null_device));
    run = View(folder, {"-o", full_device});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors,
              "torsova-view: " + full_device + ": cannot be written: the disk is full\n");
    EXPECT_TRUE(fs::is_character_file(full_device));
  }
  ::unlink((folder.path() + "/null").c_str());
  ::unlink((folder.path() + "/full").c_str());
  ProgramRun run = View(folder, {"-o", "/dev/stdout"});  // as -o - does
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.output, page);

  // A FIFO without a reader fails at once; with one, the reader gets the page.
  run = View(folder, {"-o", "fifo"});
  EXPECT_FALSE(run.timed_out);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors, "torsova-view: fifo: cannot be written: no program is reading from it\n");
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  ::fcntl(reader, F_SETFL, 0);
  // A read finds no writer (0) before the run opens the FIFO and after it ends.
  std::string received;
  std::atomic<bool> ended{false};
  std::thread reading([&] {
    char buffer[4096];
    for (;;) {
      const bool last = ended;
      const ssize_t got = ::read(reader, buffer, sizeof buffer);
      if (got > 0) received.append(buffer, static_cast<std::size_t>(got));
      if (got == 0 && last) break;
      if (got == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  run = View(folder, {"-o", "fifo"});
  ended = true;
  reading.join();
  ::close(reader);
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(received, page);
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(folder.List(), (std::vector<std::string>{"3D_BODY.ROT", "fifo"}));
}

TEST(ViewOutputsTest, LinksCountAsTheFileTheyName) {
  ScratchFolder folder;
  const fs::path dir = folder.path();
  folder.Write("3D_BODY.ROT", ExampleFigure());
  folder.Write("real.html", "an older page");
  fs::create_hard_link(dir / "3D_BODY.ROT", dir / "hard.ROT");
  fs::create_symlink("3D_BODY.ROT", dir / "soft.ROT");
  fs::create_symlink("real.html", dir / "page.html");
  fs::create_symlink("new.html", dir / "dangling.html");

  for (const std::string link : {"hard.ROT", "soft.ROT"}) {
    const ProgramRun run = View(folder, {"-o", link});
    EXPECT_EQ(run.status, 2) << link;
    EXPECT_EQ(run.errors,
              "torsova-view: " + link +
                  ": the output would replace the figure itself; name another with -o\n");
    EXPECT_EQ(folder.Read("3D_BODY.ROT"), ExampleFigure()) << link;
  }
  // Written through: the file named is replaced, the link stays.
  for (const std::string link : {"page.html", "dangling.html"}) {
    const ProgramRun run = View(folder, {"-o", link});
    EXPECT_EQ(run.status, 0) << link << run.errors;
    EXPECT_TRUE(fs::is_symlink(dir / link)) << link;
  }
  EXPECT_EQ(folder.Read("real.html"), ThePage());
  EXPECT_EQ(folder.Read("new.html"), ThePage());
  EXPECT_TRUE(fs::is_symlink(dir / "soft.ROT"));
  EXPECT_EQ(folder.List(),
            (std::vector<std::string>{"3D_BODY.ROT", "dangling.html", "hard.ROT", "new.html",
                                      "page.html", "real.html", "soft.ROT"}));
}

TEST(ViewOutputsTest, KeepsTheModeOfTheFileReplaced) {
  const struct {
    mode_t umask;
    mode_t older;  // 0 for no older output
    mode_t expected;
  } cases[] = {{022, 0, 0644}, {027, 0, 0640}, {022, 0600, 0600}, {077, 0664, 0664}};
  for (const auto& c : cases) {
    ScratchFolder folder;
    folder.Write("3D_BODY.ROT", ExampleFigure());
    const std::string page = folder.path() + "/3D_BODY.html";
    if (c.older != 0) {
      folder.Write("3D_BODY.html", "an older page");
      ::chmod(page.c_str(), c.older);
    }
    const mode_t umask_before = ::umask(c.umask);
    const ProgramRun run = View(folder, {});
    ::umask(umask_before);
    struct stat info {};
    ASSERT_EQ(::stat(page.c_str(), &info), 0);
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(info.st_mode & 07777, c.expected) << std::oct << c.umask << " " << c.older;
  }
}

TEST(ViewOutputsTest, SaysWhenStandardOutputFailsAndNeverWaitsOnAFifoFigure) {
  ScratchFolder folder;
  folder.Write("3D_BODY.ROT", ExampleFigure());
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--list"}, std::vector<std::string>{"-o", "-"}}) {
    std::vector<std::string> shell{"-c", "exec \"$0\" \"$@\" > /dev/full", testing::ViewerBinary()};
    shell.insert(shell.end(), arguments.begin(), arguments.end());
    const ProgramRun run = testing::RunWithArguments("/bin/sh", folder.path(), shell);
    EXPECT_EQ(run.status, 1) << arguments[0];
    EXPECT_EQ(run.errors, "torsova-view: standard output: cannot be written\n") << arguments[0];
  }

  ASSERT_EQ(::mkfifo((folder.path() + "/fifo.ROT").c_str(), 0600), 0);
  const ProgramRun run = View(folder, {"fifo.ROT"});
  EXPECT_FALSE(run.timed_out);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors, "torsova-view: fifo.ROT: is not a regular file\n");
}

// In a sticky folder only a file's owner may replace it, so the rename that
// would put the page in place fails: the run says so, and leaves the file and
// the folder as they were. A figure it may not read is said to be so.
TEST(ViewOutputsTest, FailsWhereItMayNotReplaceOrReadAndLeavesNothingBehind) {
  ScratchFolder folder;
  folder.Write("3D_BODY.ROT", ExampleFigure());
  folder.Write("secret.ROT", ExampleFigure());
  ASSERT_EQ(::chmod((folder.path() + "/secret.ROT").c_str(), 0), 0);
  ProgramRun run = testing::RunWithoutPrivileges(testing::ViewerBinary(), folder.path(),
                                                 {"secret.ROT", "--list"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors, "torsova-view: secret.ROT: cannot be opened: permission denied\n");

  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  const std::string shared = folder.path() + "/shared";
  ASSERT_EQ(::mkdir(shared.c_str(), 0777), 0);
  ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
  folder.Write("shared/3D_BODY.html", "root's page");
  ASSERT_EQ(::chmod((shared + "/3D_BODY.html").c_str(), 0666), 0);
  run = testing::RunWithoutPrivileges(testing::ViewerBinary(), folder.path(),
                                      {"-o", "shared/3D_BODY.html"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output, "");
  EXPECT_EQ(run.errors,
            "torsova-view: shared/3D_BODY.html: cannot be written: permission denied\n");
  EXPECT_EQ(folder.Read("shared/3D_BODY.html"), "root's page");
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(shared)) {
    left.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(left, std::vector<std::string>{"3D_BODY.html"});
}

}  // namespace
}  // namespace torsova
