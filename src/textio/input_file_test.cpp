#include "textio/input_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <map>
#include <string>

#include "support/fake_platform.h"

namespace torsova {
namespace {

using namespace std::string_literals;

constexpr std::size_t kNoFailure = std::string::npos;

// Bytes in memory, handed out at most `chunk` at a time. After `fail_at`
// bytes every read fails, as on a faulty medium.
class MemoryFile final : public ReadableFile {
 public:
  MemoryFile(std::string bytes, std::uint64_t length, std::size_t chunk, std::size_t fail_at)
      : bytes_(std::move(bytes)), length_(length), chunk_(chunk), fail_at_(fail_at) {}
  std::uint64_t Length() const override { return length_; }
  std::size_t Read(char* buffer, std::size_t size) override {
    std::size_t n = std::min({size, chunk_, bytes_.size() - position_});
    if (fail_at_ != kNoFailure) n = std::min(n, fail_at_ - std::min(fail_at_, position_));
    std::copy_n(bytes_.data() + position_, n, buffer);
    position_ += n;
    return n;
  }

 private:
  std::string bytes_;
  std::uint64_t length_;
  std::size_t chunk_;
  std::size_t fail_at_;
  std::size_t position_ = 0;
};

class MemoryFolder final : public Folder {
 public:
  explicit MemoryFolder(std::size_t chunk = 1 << 20) : chunk_(chunk) {}
  std::map<std::string, std::string> files;
  std::optional<std::uint64_t> length;  // the length measured at opening, when not the size
  std::size_t fail_at = kNoFailure;

  std::unique_ptr<ReadableFile> OpenForReading(const std::string& name) override {
    auto found = files.find(name);
    if (found == files.end()) return nullptr;
    return std::make_unique<MemoryFile>(found->second, length.value_or(found->second.size()),
                                        chunk_, fail_at);
  }
  std::unique_ptr<WritableFile> CreateForWriting(const std::string&) override { return nullptr; }
  bool Delete(const std::string&) override { return false; }

 private:
  std::size_t chunk_;
};

template <typename T>
std::string Shown(T value) {
  char text[64];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string Shown(const std::string& text) {
  std::string shown;
  for (char c : text) {
    if (c == '\r') {
      shown += "<CR>";
    } else if (c == '\n') {
      shown += "<LF>";
    } else if (c == '\x1a') {
      shown += "<26>";
    } else if (c == '\0') {
      shown += "<NUL>";
    } else {
      shown += c;
    }
  }
  return shown;
}

// Reads the file by `script` (L a line, T a text field, D a double field, S a
// single field, P the position reached) and shows the results joined by "|", then "end" or "more" for
// the end test.
std::string Transcript(MemoryFolder& folder, const std::string& script) {
  InputFile file(folder, "f");
  std::string shown;
  for (char step : script) {
    std::string line = "unchanged";
    switch (step) {
      case 'L':
        file.ReadLine(line);
        shown += Shown(line);
        break;
      case 'T':
        shown += Shown(file.ReadTextField());
        break;
      case 'D':
        shown += Shown(file.ReadDoubleField());
        break;
      case 'S':
        shown += Shown(file.ReadSingleField());
        break;
      case 'P':
        shown += "@" + Shown(file.Position());
        break;
    }
    shown += "|";
  }
  return shown + (file.AtEnd() ? "end" : "more");
}

struct ReadCase {
  std::string bytes;
  std::string script;
  std::string expected;
};

// Runs every case with the whole file in one block and with one byte per
// read, so that every CR, LF and byte 26 also meets a block boundary.
void ExpectTranscripts(const std::vector<ReadCase>& cases) {
  for (std::size_t chunk : {std::size_t{1} << 20, std::size_t{1}}) {
    for (const ReadCase& c : cases) {
      MemoryFolder folder(chunk);
      folder.files["f"] = c.bytes;
      EXPECT_EQ(Transcript(folder, c.script), c.expected)
          << "bytes \"" << Shown(c.bytes) << "\" read as " << c.script << ", blocks of " << chunk;
    }
  }
}

TEST(InputFileTest, TranslatesLineEndsAndStopsAtByte26) {
  ExpectTranscripts({
      {"a\rb\r\n", "L", "a<CR>b|end"},
      {"a\rb\r\n", "TT", "a|b|end"},
      {"one\r\ntwo\r\n", "LL", "one|two|end"},
      {"one\ntwo", "LL", "one|two|end"},
      {"x\r\r\ny", "LL", "x|y|end"},
      {"x\r", "L", "x|end"},
      {"\r\n\r\n", "LL", "||end"},
      {"\x80\xff\0z\r\nnext"s, "L", "\x80\xff<NUL>z|more"},
      {"ab\x1a"
       "cd\r\nef\r\n",
       "LL", "ab||end"},
      {"12\x1a,34", "DD", "12|0|end"},
      {"1,2\r\n\x1a", "TT", "1|2|end"},
      {"1,2\r\n\x1a"
       "3,4\r\n",
       "TT", "1|2|end"},
      {"x\r\x1a", "L", "x|end"},
      {"", "", "end"},
      {"", "LTD", "||0|end"},
  });
}

TEST(InputFileTest, SeparatesFieldsAtCommasBlanksAndLineEnds) {
  ExpectTranscripts({
      {" 12.5 ,7", "DD", "12.5|7|end"},
      {"1 2,3", "DDD", "1|2|3|end"},
      {"1 2", "D", "1|more"},
      {"\t1\t,\t2", "DD", "1|2|end"},
      {"CRAN  ,1", "TT", "CRAN  |1|end"},
      {"  CRAN", "T", "CRAN|end"},
      {"   ,", "T", "|end"},
      {"   ,", "D", "0|end"},
      {"a,,b,\r\n", "TTTT", "a||b||end"},
      {"\r\nx\r\n", "TT", "|x|end"},
      {"1,2\r\n3,4\r\n", "DDD", "1|2|3|more"},
      {"1 \r\n2", "DD", "1|2|end"},
      {"1 \r2", "DD", "1|2|end"},
      {"1\r\r\n2", "DD", "1|2|end"},
      {"a\r", "T", "a|end"},
      {"1.5 x", "DT", "1.5|x|end"},
  });
}

TEST(InputFileTest, HandlesQuotes) {
  ExpectTranscripts({
      {"\"a,b\",c", "TT", "a,b|c|end"},
      {"ab\"cd\"", "T", "ab\"cd\"|end"},
      {"\"ab\"cd,e", "TTT", "ab|cd|e|end"},
      {"\"a b\"  ,c", "TT", "a b|c|end"},
      {"\"12\"34", "D", "1234|end"},
      {"\" 12 \",3", "DD", "12|3|end"},
      {"\"1,5\",2", "DD", "1|2|end"},
      {"\"ab\r\ncd\"", "TT", "ab|cd\"|end"},
      {"\"\"", "T", "|end"},
  });
}

// The position is where the next field begins: after the separator used up,
// before a character put back, with CR LF and a lone CR counted as bytes.
TEST(InputFileTest, PositionIsWhereTheNextFieldBegins) {
  ExpectTranscripts({
      {"", "P", "@0|end"},
      {"ab, c\r\n\"x\"y,1 2\r\n", "PTPTPTPTPDPDP",
       "@0|ab|@3|c|@7|x|@10|y|@12|1|@14|2|@17|end"},
      {"t\r\nh\r\n1\r2", "LPLPTPTP", "t|@3|h|@6|1|@8|2|@9|end"},
      {"1\r\r\n2", "DP", "1|@4|more"},
      {"x  \"y\"", "TP", "x  \"y\"|@6|end"},
  });
}

TEST(InputFileTest, LongFieldsContinueInTheNextField) {
  const std::string digits70 =
      "1234567890123456789012345678901234567890123456789012345678901234567890";
  const std::string text4096(4096, 'a');
  ExpectTranscripts({
      {digits70, "DD", "1.2345678901234567e+66|890|end"},
      {digits70.substr(0, 67) + ",5", "DD", "1.2345678901234567e+66|5|end"},
      {digits70.substr(0, 67) + "  ,5", "DD", "1.2345678901234567e+66|5|end"},
      {digits70.substr(0, 68), "DD", "1.2345678901234567e+66|8|end"},
      // The closing quote after a full field opens a quote in the next one.
      {"\"" + digits70.substr(0, 67) + "\",5", "DD", "1.2345678901234567e+66|0|end"},
      {text4096 + "b,c", "TTT", text4096 + "|b|c|end"},
      {text4096 + ",c", "TT", text4096 + "|c|end"},
      {text4096 + "\r\nc", "TT", text4096 + "|c|end"},
  });
}

// The conversions themselves are pinned in number_field_test.cpp.
TEST(InputFileTest, ConvertsNumberFieldsToTheirKind) {
  ExpectTranscripts({
      {"1d3,1.5d2,&HFF,&17,&b101,1&2.5,+5,-.5", "DDDDDDDD", "1000|150|255|15|5|1|5|-0.5|end"},
      {"1e400,&HFFFFFFFFFFFFFFFF", "DD", "inf|-1|end"},
      {"1.00000005960464477539062500000000000000000000000000001", "S", "1.0000001|end"},
      {"1.00000005960464477539062500000000000000000000000000001", "D", "1.0000000596046448|end"},
  });
}

TEST(InputFileTest, RowsOfFieldsEndExactlyAfterTheLastField) {
  const std::string cells[] = {"12.5", " CRAN ", "\"a,b\"", "-3", "", "\"x\"  "};
  for (const std::string line_end : {"\r\n", "\n", "\r\n\x1a"}) {
    for (int rows = 1; rows <= 4; ++rows) {
      for (int fields = 1; fields <= 5; ++fields) {
        std::string bytes;
        for (int r = 0; r < rows; ++r) {
          for (int f = 0; f < fields; ++f) {
            bytes += cells[(r + f) % 6];
            bytes += f + 1 < fields ? "," : "\r\n";
          }
        }
        bytes.replace(bytes.size() - 2, 2, line_end);
        MemoryFolder folder;
        folder.files["f"] = bytes;
        InputFile file(folder, "f");
        int count = 0;
        while (!file.AtEnd() && count < 1000) {
          file.ReadTextField();
          ++count;
        }
        EXPECT_EQ(count, rows * fields) << Shown(bytes);
      }
    }
  }
}

TEST(InputFileTest, MissingOrClosedFileReadsAsEmpty) {
  MemoryFolder folder;
  InputFile missing(folder, "absent");
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_TRUE(missing.AtEnd());
  std::string line = "kept";
  missing.ReadLine(line);
  EXPECT_EQ(line, "kept");
  EXPECT_EQ(missing.ReadTextField(), "");
  EXPECT_EQ(missing.ReadDoubleField(), 0.0);

  folder.files["f"] = "1,2\r\n";
  InputFile closed(folder, "f");
  EXPECT_EQ(closed.ReadSingleField(), 1.0f);
  closed.Close();
  EXPECT_FALSE(closed.IsOpen());
  EXPECT_TRUE(closed.AtEnd());
  EXPECT_EQ(closed.ReadSingleField(), 0.0f);
}

TEST(InputFileTest, ContentEndsAtTheMeasuredLengthOrAReadError) {
  MemoryFolder grown;
  grown.files["f"] = "1,2,3,4";
  grown.length = 4;  // the file grew after it was opened
  EXPECT_EQ(Transcript(grown, "TT"), "1|2|end");

  MemoryFolder faulty;
  faulty.files["f"] = "abc\r\ndef\r\n";
  faulty.fail_at = 7;
  EXPECT_EQ(Transcript(faulty, "LL"), "abc|de|end");
  InputFile file(faulty, "f");
  int reads = 0;
  while (!file.AtEnd() && reads < 100) {
    file.ReadTextField();
    ++reads;
  }
  EXPECT_EQ(reads, 2);
}

TEST(InputFileTest, LongLinesComeWholeAcrossBlocks) {
  std::string line(200000, 'x');
  for (std::size_t i = 65535; i < line.size(); i += 65536) line[i] = '\r';
  MemoryFolder folder;
  folder.files["f"] = line + "\r\n" + line;
  InputFile file(folder, "f");
  std::string read;
  file.ReadLine(read);
  EXPECT_EQ(read, line);
  file.ReadLine(read);
  EXPECT_EQ(read, line);
  EXPECT_TRUE(file.AtEnd());
}

TEST(InputFileTest, SkipLineUsesUpWhatReadLineTakesAndGivesItsLength) {
  for (std::size_t chunk : {std::size_t{1} << 20, std::size_t{1}}) {
    for (const std::string& bytes : {"a\rb\r\nc"s, "x\r\r\ny\r"s, "\r\n\n,"s,
                                     "ab\x1a"
                                     "cd\r\n"s,
                                     "x\r\x1a"s, ""s, "\0z\r\n7"s}) {
      MemoryFolder folder(chunk);
      folder.files["f"] = bytes;
      InputFile read(folder, "f");
      InputFile skipped(folder, "f");
      for (int i = 0; i < 3; ++i) {
        std::string line;
        read.ReadLine(line);
        EXPECT_EQ(skipped.SkipLine(), line.size()) << Shown(bytes) << ", line " << i;
        EXPECT_EQ(skipped.AtEnd(), read.AtEnd()) << Shown(bytes) << ", line " << i;
      }
    }
  }
}

TEST(InputFileTest, VeryLongLineComesWholeWithMoreAfterIt) {
  std::string long_line(3 << 20, ' ');
  for (std::size_t i = 0; i < long_line.size(); ++i) long_line[i] = static_cast<char>('a' + i % 26);
  MemoryFolder folder;
  folder.files["f"] = long_line + "\rz\r\n" + long_line + "\r\n" + long_line;
  InputFile file(folder, "f");
  std::string line;
  file.ReadLine(line);
  EXPECT_TRUE(line == long_line + "\rz");
  EXPECT_EQ(file.SkipLine(), long_line.size());
  std::string last;
  file.ReadLine(last);
  EXPECT_TRUE(last == long_line);
  EXPECT_TRUE(file.AtEnd());
}

TEST(InputFileTest, ReadsAFileOfTheFolderUnderAnyCaseOfItsName) {
  testing::ScratchFolder scratch;
  scratch.Write("work2.csv", "Title\r\n1,CRAN,1.5,2.5,3.5\r\n\x1a");
  std::unique_ptr<Folder> folder = MakeSystemFolder(scratch.path());
  InputFile file(*folder, "Work2.CSV");
  std::string title;
  file.ReadLine(title);
  EXPECT_EQ(title, "Title");
  EXPECT_EQ(file.ReadSingleField(), 1.0f);
  EXPECT_EQ(file.ReadTextField(), "CRAN");
  EXPECT_EQ(file.ReadDoubleField(), 1.5);
  EXPECT_EQ(file.ReadDoubleField(), 2.5);
  EXPECT_EQ(file.ReadSingleField(), 3.5f);
  EXPECT_TRUE(file.AtEnd());
}

}  // namespace
}  // namespace torsova
