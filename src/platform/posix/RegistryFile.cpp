// Reading and writing the REGEDIT4 text of the portable settings store.
#include "platform/posix/RegistryFile.h"

#include <cstdio>

namespace tavir::registry_file {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = LowerAscii(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads a quoted text at `text[position]` (which must be '"'), moving
// `position` past the closing quote. Returns nullopt with `reason` set when
// the text is not a valid quoted string.
std::optional<std::string> ReadQuoted(std::string_view text, size_t& position,
                                      std::string& reason) {
  std::string result;
  for (size_t i = position + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      position = i + 1;
      return result;
    }
    if (c != '\\') {
      result += c;
      continue;
    }
    if (i + 1 >= text.size()) break;
    const char escaped = text[++i];
    if (escaped == '\\' || escaped == '"') {
      result += escaped;
    } else if (escaped == 'x' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
               HexDigit(text[i + 2]) >= 0) {
      result += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      reason = "unknown escape sequence \\" + std::string(1, escaped);
      return std::nullopt;
    }
  }
  reason = "a quoted text has no closing quote";
  return std::nullopt;
}

std::string Quote(std::string_view text) {
  std::string result = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '"') {
      result += '\\';
      result += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      result += escaped;
    } else {
      result += c;
    }
  }
  return result + "\"";
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

// Parses `"name"=...` or `@=...`; nullopt with `reason` on failure.
std::optional<Value> ParseValueLine(std::string_view line, std::string& reason) {
  Value value;
  size_t position = 0;
  if (line[0] == '@') {
    position = 1;
  } else {
    auto name = ReadQuoted(line, position, reason);
    if (!name) return std::nullopt;
    value.name = std::move(*name);
  }
  if (position >= line.size() || line[position] != '=') {
    reason = "a value name must be followed by =";
    return std::nullopt;
  }
  const std::string_view data = line.substr(position + 1);
  if (!data.empty() && data[0] == '"') {
    size_t end = 0;
    auto text = ReadQuoted(data, end, reason);
    if (!text) return std::nullopt;
    if (end != data.size()) {
      reason = "unexpected text after the closing quote";
      return std::nullopt;
    }
    value.type = ValueType::String;
    value.text = std::move(*text);
    return value;
  }
  constexpr std::string_view kDword = "dword:";
  if (data.size() > kDword.size() && data.size() <= kDword.size() + 8 &&
      SameName(data.substr(0, kDword.size()), kDword)) {
    std::uint32_t number = 0;
    for (const char c : data.substr(kDword.size())) {
      const int digit = HexDigit(c);
      if (digit < 0) {
        reason = "a dword value needs up to 8 hexadecimal digits";
        return std::nullopt;
      }
      number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    value.type = ValueType::Dword;
    value.number = number;
    return value;
  }
  reason = "the value is neither a quoted text nor dword:xxxxxxxx";
  return std::nullopt;
}

}  // namespace

bool SameName(std::string_view left, std::string_view right) {
  if (left.size() != right.size()) return false;
  for (size_t i = 0; i < left.size(); ++i)
    if (LowerAscii(left[i]) != LowerAscii(right[i])) return false;
  return true;
}

std::optional<Document> Parse(std::string_view fileText, ParseError& error) {
  Document document;
  bool headerSeen = false;
  int lineNumber = 0;
  while (!fileText.empty()) {
    ++lineNumber;
    const size_t end = fileText.find('\n');
    const std::string_view rawLine = fileText.substr(0, end);
    fileText.remove_prefix(end == std::string_view::npos ? fileText.size() : end + 1);
    const std::string_view line = TrimBlanks(rawLine);
    const auto fail = [&](std::string reason) {
      error = ParseError{lineNumber, std::move(reason)};
      return std::nullopt;
    };
    if (line.empty() || line[0] == ';') continue;
    if (!headerSeen) {
      if (line != kHeader) return fail("the file must start with the line REGEDIT4");
      headerSeen = true;
      continue;
    }
    if (line[0] == '[') {
      if (line.back() != ']' || line.size() < 3) return fail("a key line must look like [key]");
      document.sections.push_back(Section{std::string(line.substr(1, line.size() - 2)), {}});
      continue;
    }
    if (line[0] != '"' && line[0] != '@') return fail("expected a [key] or a \"name\"=value line");
    if (document.sections.empty()) return fail("a value comes before the first [key] line");
    std::string reason;
    auto value = ParseValueLine(line, reason);
    if (!value) return fail(reason);
    Section& section = document.sections.back();
    if (FindValue(section, value->name) != nullptr) return fail("the value is given twice");
    section.values.push_back(std::move(*value));
  }
  // A file without any line (say, one created empty by hand) holds no settings.
  return document;
}

std::string Serialize(const Document& document) {
  std::string text(kHeader);
  text += "\n";
  for (const Section& section : document.sections) {
    text += "\n[" + section.keyPath + "]\n";
    for (const Value& value : section.values) {
      text += value.name.empty() ? std::string("@") : Quote(value.name);
      if (value.type == ValueType::String) {
        text += "=" + Quote(value.text) + "\n";
      } else {
        char number[20];
        std::snprintf(number, sizeof number, "=dword:%08x\n", static_cast<unsigned>(value.number));
        text += number;
      }
    }
  }
  return text;
}

Section* FindSection(Document& document, std::string_view keyPath) {
  for (Section& section : document.sections)
    if (SameName(section.keyPath, keyPath)) return &section;
  return nullptr;
}

const Section* FindSection(const Document& document, std::string_view keyPath) {
  return FindSection(const_cast<Document&>(document), keyPath);
}

const Value* FindValue(const Section& section, std::string_view name) {
  for (const Value& value : section.values)
    if (SameName(value.name, name)) return &value;
  return nullptr;
}

bool KeyExists(const Document& document, std::string_view keyPath) {
  for (const Section& section : document.sections) {
    const std::string_view path = section.keyPath;
    if (SameName(path, keyPath)) return true;
    if (path.size() > keyPath.size() && path[keyPath.size()] == '\\' &&
        SameName(path.substr(0, keyPath.size()), keyPath))
      return true;
  }
  return false;
}

void SetValue(Document& document, std::string_view keyPath, Value value) {
  Section* section = FindSection(document, keyPath);
  if (section == nullptr) {
    document.sections.push_back(Section{std::string(keyPath), {}});
    section = &document.sections.back();
  }
  for (Value& existing : section->values) {
    if (SameName(existing.name, value.name)) {
      existing = std::move(value);
      return;
    }
  }
  section->values.push_back(std::move(value));
}

}  // namespace tavir::registry_file
