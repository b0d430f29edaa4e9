#include "input_script.h"

#include <charconv>
#include <fstream>
#include <iterator>

namespace tesk {

namespace {

constexpr int kLargestCoordinate = 32767;
constexpr char kSpaces[] = " \t\r";

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(kSpaces);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpaces) - first + 1);
}

// The words of a line after its command, read one at a time; errors name the line and the command.
class LineReader {
 public:
  LineReader(uint32_t line, std::string_view command, std::string_view rest)
      : line_(line), command_(command), rest_(rest) {}

  // The rest of the line, spaces at its ends removed.
  std::string_view Rest() const { return Trim(rest_); }
  std::optional<std::string_view> Word() {
    const std::string_view rest = Trim(rest_);
    if (rest.empty()) return std::nullopt;
    const size_t end = rest.find_first_of(kSpaces);
    const std::string_view word = rest.substr(0, end);
    rest_ = end == std::string_view::npos ? std::string_view() : rest.substr(end);
    return word;
  }
  bool Number(const char* what, int64_t low, int64_t high, int64_t* value) {
    const std::optional<std::string_view> word = Word();
    if (!word) return Fail(command_ + " needs " + what);
    const auto [end, result] = std::from_chars(word->data(), word->data() + word->size(), *value);
    if (result != std::errc() || end != word->data() + word->size() || *value < low || *value > high)
      return Fail(command_ + " needs " + what + " from " + std::to_string(low) + " to " + std::to_string(high) +
                  ", not \"" + std::string(*word) + "\"");
    return true;
  }
  bool Point(int* x, int* y) {
    int64_t px = 0;
    int64_t py = 0;
    if (!Number("a number for X", 0, kLargestCoordinate, &px) || !Number("a number for Y", 0, kLargestCoordinate, &py))
      return false;
    *x = static_cast<int>(px);
    *y = static_cast<int>(py);
    return true;
  }
  bool Button(platform::MouseButton* button) {
    const std::optional<std::string_view> word = Word();
    if (word == "left" || word == "right") {
      *button = word == "left" ? platform::MouseButton::kLeft : platform::MouseButton::kRight;
      return true;
    }
    return Fail(command_ + " needs left or right" + (word ? ", not \"" + std::string(*word) + "\"" : ""));
  }
  bool End() { return Rest().empty() || Fail("too many arguments for " + command_); }
  bool Fail(const std::string& what) {
    error_ = "line " + std::to_string(line_) + ": " + what;
    return false;
  }
  const std::string& error() const { return error_; }

 private:
  uint32_t line_;
  std::string command_;
  std::string_view rest_;
  std::string error_;
};

bool ParseKey(LineReader& reader, InputCommand* command) {
  std::string_view name = reader.Rest();
  bool shift = false;
  if (name.size() > 6 && name.substr(name.size() - 6) == " shift") {
    shift = true;
    name = Trim(name.substr(0, name.size() - 6));
  }
  if (name.empty()) return reader.Fail("key needs a key name");
  const int32_t key = platform::SdlKeyFromName(name);
  if (key == 0) return reader.Fail("unknown key name \"" + std::string(name) + "\"");
  command->keys.push_back({key, shift});
  return true;
}

bool ParseType(LineReader& reader, InputCommand* command) {
  const std::string_view text = reader.Rest();
  if (text.empty()) return reader.Fail("type needs a text");
  for (const char character : text) {
    const platform::TypedKey key = platform::SdlKeyForCharacter(character);
    if (key.sdlKey == 0) return reader.Fail(std::string("no key types \"") + character + "\"");
    command->keys.push_back(key);
  }
  return true;
}

bool ParseShot(LineReader& reader, InputCommand* command) {
  const std::optional<std::string_view> name = reader.Word();
  if (!name) return reader.Fail("shot needs a file name");
  if (name->find('/') != std::string_view::npos || *name == "." || *name == "..")
    return reader.Fail("shot needs a file name without a folder, not \"" + std::string(*name) + "\"");
  command->text = *name;
  if (!command->text.ends_with(".png")) command->text += ".png";
  return reader.End();
}

// One command line into `command`; false with the reader's error.
bool ParseCommand(std::string_view name, LineReader& reader, InputCommand* command) {
  using Kind = InputCommandKind;
  int64_t number = 0;
  if (name == "wait-line") {
    command->kind = Kind::kWaitLine;
    command->text = reader.Rest();
    return !command->text.empty() || reader.Fail("wait-line needs a text");
  }
  if (name == "wait" || name == "sleep") {
    command->kind = name == "wait" ? Kind::kWait : Kind::kSleep;
    if (!reader.Number(name == "wait" ? "a number of passes" : "a number of milliseconds", name == "wait" ? 1 : 0,
                       UINT32_MAX, &number))
      return false;
    command->count = static_cast<uint32_t>(number);
    return reader.End();
  }
  if (name == "move") {
    command->kind = Kind::kMove;
    return reader.Point(&command->x, &command->y) && reader.End();
  }
  if (name == "press" || name == "release") {
    command->kind = name == "press" ? Kind::kPress : Kind::kRelease;
    return reader.Button(&command->button) && reader.Point(&command->x, &command->y) && reader.End();
  }
  if (name == "click") {
    command->kind = Kind::kClick;
    LineReader ahead = reader;
    const std::optional<std::string_view> first = ahead.Word();
    if ((first == "left" || first == "right") && !reader.Button(&command->button)) return false;
    return reader.Point(&command->x, &command->y) && reader.End();
  }
  if (name == "drag") {
    command->kind = Kind::kDrag;
    if (!reader.Button(&command->button) || !reader.Point(&command->x, &command->y) ||
        !reader.Point(&command->x1, &command->y1) || !reader.Number("a number of steps", 1, 10000, &number))
      return false;
    command->count = static_cast<uint32_t>(number);
    return reader.End();
  }
  if (name == "key") {
    command->kind = Kind::kKey;
    return ParseKey(reader, command);
  }
  if (name == "type") {
    command->kind = Kind::kType;
    return ParseType(reader, command);
  }
  if (name == "wheel") {
    command->kind = Kind::kWheel;
    if (!reader.Number("a number of notches", -1000, 1000, &number)) return false;
    if (number == 0) return reader.Fail("wheel needs a number of notches other than 0");
    command->notches = static_cast<int>(number);
    return reader.End();
  }
  if (name == "shot") {
    command->kind = Kind::kShot;
    return ParseShot(reader, command);
  }
  return reader.Fail("unknown command \"" + std::string(name) + "\"");
}

}  // namespace

std::optional<InputScript> ParseInputScript(std::string_view text, std::string* error) {
  InputScript script;
  uint32_t lineNumber = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    if (line.empty() || line.front() == '#') continue;
    const size_t nameEnd = line.find_first_of(kSpaces);
    const std::string_view name = line.substr(0, nameEnd);
    LineReader reader(lineNumber, name, nameEnd == std::string_view::npos ? std::string_view() : line.substr(nameEnd));
    InputCommand command;
    command.line = lineNumber;
    command.source = line;
    if (!ParseCommand(name, reader, &command)) {
      *error = reader.error();
      return std::nullopt;
    }
    script.push_back(std::move(command));
  }
  return script;
}

std::optional<InputScript> LoadInputScript(const std::filesystem::path& file, std::string* error) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(file, ignored)) {
    *error = file.string() + ": no such file";
    return std::nullopt;
  }
  std::ifstream in(file, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in.is_open() || in.bad()) {
    *error = file.string() + ": cannot be read";
    return std::nullopt;
  }
  std::optional<InputScript> script = ParseInputScript(text, error);
  if (!script) *error = file.string() + ": " + *error;
  return script;
}

}  // namespace tesk
