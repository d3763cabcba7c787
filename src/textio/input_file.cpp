#include "textio/input_file.h"

#include <cstddef>
#include <optional>
#include <string_view>

#include "textio/number_field.h"
#include "textio/text_source.h"

namespace torsova {
namespace {

constexpr std::size_t kLongestTextField = 4096;
constexpr std::size_t kLongestNumberField = 67;

enum class FieldKind { kText, kNumber };

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// No rule of a field looks at this character outside quotes, and the source
// hands it over untranslated (unlike CR and byte 26).
bool IsOrdinary(char c) {
  return c != '\n' && c != '\r' && c != ',' && c != '"' && c != ' ' && c != '\t' && c != '\x1a';
}

// Appends the ordinary characters that follow, straight from the buffer and up
// to the longest length: the same characters one at a time would give, taken
// at once so that a large file of short fields reads quickly.
void AppendOrdinaryRun(TextSource& source, std::string& field, std::size_t longest) {
  std::string_view buffered = source.Buffered();
  std::size_t room = longest - field.size();
  std::size_t count = 0;
  while (count < buffered.size() && count < room && IsOrdinary(buffered[count])) ++count;
  field.append(buffered.data(), count);
  source.Skip(count);
}

// After a CR that ended something: an LF directly after it belongs to it, any
// other character is left for the next read.
void UseUpLineFeedAfterReturn(TextSource& source) {
  std::optional<char> next = source.Take();
  if (next && *next != '\n') source.PutBack(*next);
}

// The follow-up of a field that ended at a blank or tab, at the closing quote
// of a text field or at its longest length: the blanks and the one separator
// after it are used up, anything else begins the next field.
void FinishField(TextSource& source) {
  std::optional<char> c;
  do {
    c = source.Take();
    if (!c) return;
  } while (IsBlank(*c));
  if (*c == ',' || *c == '\n') return;
  if (*c == '\r') {
    UseUpLineFeedAfterReturn(source);
    return;
  }
  source.PutBack(*c);
}

// The characters of the next field, without enclosing quotes. A field never
// spans a line end, even inside quotes.
std::string CollectField(TextSource& source, FieldKind kind) {
  std::string field;
  const std::size_t longest = kind == FieldKind::kText ? kLongestTextField : kLongestNumberField;
  std::optional<char> next;
  do {
    next = source.Take();
    if (!next) return field;
  } while (IsBlank(*next));

  bool quote_open = false;
  for (; next; next = source.Take()) {
    char c = *next;
    if (c == '\n') return field;
    if (c == '\r') {
      UseUpLineFeedAfterReturn(source);
      return field;
    }
    if (c == ',' && !quote_open) return field;
    if (c == '"' && quote_open) {
      quote_open = false;
      if (kind == FieldKind::kText) break;
    } else if (c == '"' && field.empty()) {
      quote_open = true;
    } else if (IsBlank(c) && kind == FieldKind::kNumber && !quote_open) {
      break;
    } else {
      field.push_back(c);
      AppendOrdinaryRun(source, field, longest);
      if (field.size() == longest) break;
    }
  }
  if (next) FinishField(source);
  return field;
}

}  // namespace

struct InputFile::State {
  explicit State(std::unique_ptr<ReadableFile> file) : source(std::move(file)) {}
  TextSource source;
};

InputFile::InputFile(Folder& folder, const std::string& name)
    : state_(std::make_unique<State>(folder.OpenForReading(name))) {}

InputFile::~InputFile() = default;

bool InputFile::IsOpen() const { return state_->source.IsOpen(); }

void InputFile::Close() { state_->source.Close(); }

std::uint64_t InputFile::Position() const { return state_->source.Position(); }

// A byte 26 ends the readable content, so a file with nothing but a byte 26
// (and whatever follows it) left is at its end, although its read position is
// still short of its length. A read error of the medium ends the content too.
bool InputFile::AtEnd() {
  TextSource& source = state_->source;
  if (!source.IsOpen()) return true;
  if (source.HoldsPutBack()) return false;
  if (source.MetEnd()) return true;
  return source.NothingLeft();
}

void InputFile::ReadLine(std::string& line) {
  TextSource& source = state_->source;
  if (!source.IsOpen()) return;
  line.clear();
  source.TakeLine(line);
  // The CR before the LF, or the CR at the very end of the content.
  if (!line.empty() && line.back() == '\r') line.pop_back();
}

std::uint64_t InputFile::SkipLine() {
  TextSource& source = state_->source;
  if (!source.IsOpen()) return 0;
  char last = '\0';
  std::uint64_t length = source.SkipLine(last);
  // ReadLine drops a CR that ends what it took.
  if (length > 0 && last == '\r') --length;
  return length;
}

std::string InputFile::ReadTextField() { return CollectField(state_->source, FieldKind::kText); }

double InputFile::ReadDoubleField() {
  return NumberFieldToDouble(CollectField(state_->source, FieldKind::kNumber));
}

float InputFile::ReadSingleField() {
  return NumberFieldToSingle(CollectField(state_->source, FieldKind::kNumber));
}

}  // namespace torsova
