// The portable settings store's file format: REGEDIT4 text with sections
// [HKEY_...\key] and values "name"="text" or "name"=dword:0000000a. Strings
// hold ANSI bytes; bytes that are not printable ASCII are written as \xHH so
// that the file stays plain text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavir::registry_file {

enum class ValueType { String, Dword };

struct Value {
  std::string name;  // empty for the key's default value (@)
  ValueType type = ValueType::String;
  std::string text;          // String
  std::uint32_t number = 0;  // Dword
};

struct Section {
  std::string keyPath;  // e.g. HKEY_CURRENT_USER\Software\Quelmar
  std::vector<Value> values;
};

struct Document {
  std::vector<Section> sections;
};

struct ParseError {
  int line = 0;  // 1-based
  std::string reason;
};

// Parses the whole file text; on failure `error` says where and why.
std::optional<Document> Parse(std::string_view fileText, ParseError& error);
std::string Serialize(const Document& document);

// Registry names compare without regard to ASCII case, as Windows does.
bool SameName(std::string_view left, std::string_view right);
Section* FindSection(Document& document, std::string_view keyPath);
const Section* FindSection(const Document& document, std::string_view keyPath);
const Value* FindValue(const Section& section, std::string_view name);
// True when the key or any key below it has a section.
bool KeyExists(const Document& document, std::string_view keyPath);
// Replaces or adds one value, adding its section when needed.
void SetValue(Document& document, std::string_view keyPath, Value value);

}  // namespace tavir::registry_file
