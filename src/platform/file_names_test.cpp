#include "platform/file_names.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/platform.h"
#include "support/fake_platform.h"

namespace torsova {
namespace {

TEST(FileNamesTest, PicksExactSpellingThenFirstVariantInByteOrder) {
  struct Case {
    std::string wanted;
    std::vector<std::string> entries;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"Work2.CSV", {"work2.csv", "Work2.CSV", "WORK2.CSV"}, "Work2.CSV"},
      {"Work2.csv", {"work2.csv", "WORK2.CSV"}, "WORK2.CSV"},
      {"Gyrovex.exe", {"gyrovex.EXE"}, "gyrovex.EXE"},
      {"BodyXYZ.CSV", {"BodyXYZ.CSV.bak", "BodyXY.CSV"}, std::nullopt},
      {"Work2.CSV", {}, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PickEntry(c.wanted, c.entries), c.expected) << c.wanted;
  }
}

TEST(FileNamesTest, OnlyAsciiLettersFoldCase) {
  EXPECT_TRUE(SameNameIgnoringCase("3D_BODY.ROT", "3d_body.rot"));
  EXPECT_FALSE(SameNameIgnoringCase("a\xc3\x84", "a\xc3\xa4"));
  EXPECT_FALSE(SameNameIgnoringCase("Work2.CSV", "Work2.CSV "));
}

TEST(FolderTest, ReadsTheCaseVariantThatExists) {
  testing::ScratchFolder scratch;
  scratch.Write("work2.csv", "abc");
  std::unique_ptr<Folder> folder = MakeSystemFolder(scratch.path());
  std::unique_ptr<ReadableFile> file = folder->OpenForReading("Work2.CSV");
  ASSERT_NE(file, nullptr);
  char bytes[8] = {};
  EXPECT_EQ(file->Length(), 3u);
  EXPECT_EQ(file->Read(bytes, sizeof bytes), 3u);
  EXPECT_EQ(std::string(bytes, 3), "abc");
}

TEST(FolderTest, WritingReplacesTheCaseVariantInsteadOfAddingAFile) {
  testing::ScratchFolder scratch;
  scratch.Write("work2.csv", "old content");
  std::unique_ptr<Folder> folder = MakeSystemFolder(scratch.path());
  std::unique_ptr<WritableFile> file = folder->CreateForWriting("Work2.CSV");
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(file->Write("new"));
  EXPECT_TRUE(file->Close());
  EXPECT_EQ(scratch.List(), std::vector<std::string>{"work2.csv"});
  EXPECT_EQ(scratch.Read("work2.csv"), "new");
}

TEST(FolderTest, DeletesTheCaseVariant) {
  testing::ScratchFolder scratch;
  scratch.Write("WORK3.csv", "x");
  std::unique_ptr<Folder> folder = MakeSystemFolder(scratch.path());
  EXPECT_TRUE(folder->Delete("Work3.CSV"));
  EXPECT_FALSE(folder->Delete("Work3.CSV"));
  EXPECT_TRUE(scratch.List().empty());
}

TEST(FolderTest, MissingFileOrFolderCannotBeOpened) {
  testing::ScratchFolder scratch;
  std::unique_ptr<Folder> folder = MakeSystemFolder(scratch.path());
  EXPECT_EQ(folder->OpenForReading("BodyXYZ.CSV"), nullptr);
  std::filesystem::create_directory(scratch.path() + "/BodyXYZ.CSV");
  EXPECT_EQ(folder->OpenForReading("bodyxyz.csv"), nullptr);
}

}  // namespace
}  // namespace torsova
