#include "view/figure/figure_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace torsova::view {
namespace {

// A file that gives its bytes, then, when `fails`, a read error instead of its end.
class FakeFile final : public PathFile {
 public:
  FakeFile(std::string bytes, bool fails) : bytes_(std::move(bytes)), fails_(fails) {}
  std::uint64_t Length() const override { return bytes_.size() + (fails_ ? 100 : 0); }
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t count = std::min(size, bytes_.size() - at_);
    std::memcpy(buffer, bytes_.data() + at_, count);
    at_ += count;
    if (count == 0 && fails_) failed_ = true;
    return count;
  }
  bool ReadFailed() const override { return failed_; }

 private:
  std::string bytes_;
  bool fails_;
  std::size_t at_ = 0;
  bool failed_ = false;
};

TEST(FigureFileTest, SaysWhyAFigureCannotBeUsedAndWhatItWarnsOf) {
  const std::string figure = "#Title\n 1 2 3 0\n 4 5 6 7\n";
  const struct {
    std::string name;
    OpenFailure failure;  // kNone: the file opens with `bytes`
    std::string bytes;
    bool fails;
    bool read;
    std::vector<std::string> said;
  } cases[] = {
      {"missing", OpenFailure::kMissing, "", false, false, {"f.ROT: no such file"}},
      {"folder", OpenFailure::kFolder, "", false, false, {"f.ROT: is a folder, not a figure file"}},
      {"device", OpenFailure::kNotRegular, "", false, false, {"f.ROT: is not a regular file"}},
      {"denied",
       OpenFailure::kDenied,
       "",
       false,
       false,
       {"f.ROT: cannot be opened: permission denied"}},
      {"other", OpenFailure::kOther, "", false, false, {"f.ROT: cannot be opened"}},
      {"read error",
       OpenFailure::kNone,
       figure,
       true,
       false,
       {"f.ROT: cannot be read to its end (a read error)"}},
      {"whole", OpenFailure::kNone, figure, false, true, {}},
      {"a warning",
       OpenFailure::kNone,
       "s Spin\n" + figure,
       false,
       true,
       {"f.ROT:1: warning: the unknown setting \"s Spin\" is ignored"}},
      {"a fault",
       OpenFailure::kNone,
       "#T\n 1 2 x 0\n",
       false,
       false,
       {"f.ROT:2: \" 1 2 x 0\" is not a point line"}},
  };
  for (const auto& c : cases) {
    OpenedPath opened;
    opened.failure = c.failure;
    if (c.failure == OpenFailure::kNone) opened.file = std::make_unique<FakeFile>(c.bytes, c.fails);
    std::vector<std::string> said;
    const std::optional<Figure> read = ReadOpenedFigure(
        "f.ROT", std::move(opened), [&](std::string_view message) { said.emplace_back(message); });
    EXPECT_EQ(read.has_value(), c.read) << c.name;
    EXPECT_EQ(said, c.said) << c.name;
  }

  // The reason as a study page names a figure it left out: without the path.
  std::string reason;
  OpenedPath faulty;
  faulty.file = std::make_unique<FakeFile>("#T\n 1 2 x 0\n", false);
  ReadOpenedFigure("f.ROT", std::move(faulty), [](std::string_view) {}, &reason);
  EXPECT_EQ(reason, "line 2: \" 1 2 x 0\" is not a point line");
}

}  // namespace
}  // namespace torsova::view
