// The folder on Windows: device names.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/fake_platform.h"

namespace torsova {
namespace {

TEST(WindowsFolderTest, DeviceNamesReadAsEmptyWithoutWaiting) {
  testing::ScratchFolder scratch;
  std::unique_ptr<Folder> folder = MakeSystemFolder(scratch.path());
  // CON is the keyboard when there is a console: reading it would wait for
  // the user. Opening it may also fail, which reads as empty just the same.
  for (const char* device : {"NUL", "nul", "CON"}) {
    std::unique_ptr<ReadableFile> file = folder->OpenForReading(device);
    if (file == nullptr) continue;
    char byte = 0;
    EXPECT_EQ(file->Length(), 0u) << device;
    EXPECT_EQ(file->Read(&byte, 1), 0u) << device;
  }
  EXPECT_NE(folder->OpenForReading("NUL"), nullptr);
}

}  // namespace
}  // namespace torsova
