// The files of a folder on every system: names without regard to letter
// case, and how files behave while the run holds them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/fake_platform.h"

namespace torsova {
namespace {

std::string ReadAll(ReadableFile& file) {
  std::string bytes;
  char buffer[4];
  while (std::size_t got = file.Read(buffer, sizeof buffer)) bytes.append(buffer, got);
  return bytes;
}

TEST(FolderTest, ReadingStopsAtTheLengthMeasuredAtOpening) {
  testing::ScratchFolder scratch;
  scratch.Write("Work4.CSV", "1,CRAN\r\n");
  std::unique_ptr<Folder> folder = MakeSystemFolder(scratch.path());
  std::unique_ptr<ReadableFile> file = folder->OpenForReading("Work4.CSV");
  ASSERT_NE(file, nullptr);
  std::ofstream(scratch.path() + "/Work4.CSV", std::ios::binary | std::ios::app) << "grown\r\n";
  EXPECT_EQ(file->Length(), 8u);
  EXPECT_EQ(ReadAll(*file), "1,CRAN\r\n");
  EXPECT_EQ(file->Read(nullptr, 0), 0u);
}

TEST(FolderTest, FilesHeldOpenLockNobodyOut) {
  testing::ScratchFolder scratch;
  std::unique_ptr<Folder> folder = MakeSystemFolder(scratch.path());
  std::unique_ptr<WritableFile> writing = folder->CreateForWriting("Work2.CSV");
  ASSERT_NE(writing, nullptr);
  ASSERT_TRUE(writing->Write("Title\r\n"));
  // What was written so far can be read while the file is still being written.
  std::unique_ptr<ReadableFile> reading = folder->OpenForReading("work2.csv");
  ASSERT_NE(reading, nullptr);
  EXPECT_EQ(ReadAll(*reading), "Title\r\n");
  EXPECT_TRUE(writing->Close());
  EXPECT_TRUE(writing->Close());  // a second close does nothing
  EXPECT_FALSE(writing->Write("more"));
  // A file open for reading can still be deleted.
  EXPECT_TRUE(folder->Delete("Work2.CSV"));
  reading.reset();
  EXPECT_FALSE(scratch.Exists("Work2.CSV"));
}

TEST(FolderTest, ReadsTheCaseVariantThatExists) {
  testing::ScratchFolder scratch;
  scratch.Write("work2.csv", "abc");
  std::unique_ptr<Folder> folder = MakeSystemFolder(scratch.path());
  std::unique_ptr<ReadableFile> file = folder->OpenForReading("Work2.CSV");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Length(), 3u);
  EXPECT_EQ(ReadAll(*file), "abc");
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
