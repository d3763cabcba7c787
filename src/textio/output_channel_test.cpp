#include "textio/output_channel.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>

#include "support/fake_platform.h"
#include "textio/plain_number.h"

namespace torsova {
namespace {

// Writes through a channel into a scratch file and returns the file's bytes.
template <typename Write>
std::string Written(Write write) {
  testing::ScratchFolder scratch;
  std::unique_ptr<Folder> folder = MakeSystemFolder(scratch.path());
  {
    OutputChannel channel(*folder, "Work2.CSV");
    write(channel);
    EXPECT_TRUE(channel.Close());
  }
  return scratch.Read("Work2.CSV");
}

TEST(OutputChannelTest, ItemsFollowEachOtherWithNothingBetween) {
  struct Case {
    const char* name;
    void (*write)(OutputChannel&);
    std::string expected;
  };
  const Case cases[] = {
      {"integer 0 ends the line", [](OutputChannel& c) { c.WritePlainInteger(0, true); },
       " 0 \r\n"},
      {"integer 12 ends the line", [](OutputChannel& c) { c.WritePlainInteger(12, true); },
       " 12 \r\n"},
      {"integer -7 inside the line", [](OutputChannel& c) { c.WritePlainInteger(-7, false); },
       "-7 "},
      {"single 0 ends the line", [](OutputChannel& c) { c.WritePlainSingle(0.0f, true); },
       " 0\r\n"},
      {"integer then comma and label",
       [](OutputChannel& c) {
         c.WritePlainInteger(1, false);
         c.WriteText(",", false);
         c.WriteText("CRAN", true);
       },
       " 1 ,CRAN\r\n"},
      {"count between texts",
       [](OutputChannel& c) {
         c.WriteText("There are", false);
         c.WritePlainSingle(19.0f, false);
         c.WriteText("lines. There must be 18.", true);
       },
       "There are 19lines. There must be 18.\r\n"},
      {"mask, double and an empty line",
       [](OutputChannel& c) {
         c.WriteMaskNumber(-3.25);
         c.WritePlainDouble(10.25);
         c.WriteText(",", true);
         c.WriteLineEnd();
       },
       "         -3.25  10.25,\r\n\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Written(c.write), c.expected) << c.name;
}

TEST(OutputChannelTest, EmptiesAnExistingFileAndKeepsEveryByteOfALongOne) {
  testing::ScratchFolder scratch;
  scratch.Write("Work2.CSV", "old content that must go");
  std::unique_ptr<Folder> folder = MakeSystemFolder(scratch.path());
  std::string expected;
  {
    OutputChannel channel(*folder, "Work2.CSV");
    for (int i = 0; i < 30000; ++i) {  // well beyond what the channel holds back
      channel.WritePlainInteger(static_cast<std::int16_t>(i - 15000), i % 7 == 0);
      expected += PlainInteger(static_cast<std::int16_t>(i - 15000));
      if (i % 7 == 0) expected += "\r\n";
    }
  }  // closed by the destructor
  EXPECT_EQ(scratch.Read("Work2.CSV"), expected);
}

TEST(OutputChannelTest, ATextLongerThanWhatIsHeldBackStaysInItsPlace) {
  const std::string written = Written([](OutputChannel& c) {
    c.WriteText("#");
    c.WriteText(std::string(100000, 'T'), true);
    c.WritePlainInteger(7, true);
  });
  EXPECT_TRUE(written == "#" + std::string(100000, 'T') + "\r\n 7 \r\n");
}

TEST(OutputChannelTest, AFileThatCannotBeCreatedFailsQuietly) {
  testing::ScratchFolder scratch;
  std::unique_ptr<Folder> folder = MakeSystemFolder(scratch.path() + "/missing");
  OutputChannel channel(*folder, "3D_BODY.ROT");
  channel.WriteText("lost", true);
  EXPECT_FALSE(channel.Close());
  EXPECT_FALSE(channel.Close());
}

}  // namespace
}  // namespace torsova
