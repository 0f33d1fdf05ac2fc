// File-type lists from the string table, and the walks over them.
#include "ui/FileTypes.h"

#include <cctype>

#include "model/Strings.h"

namespace tavir {
namespace {

constexpr const char kEntryPattern[] = "|*.";
constexpr int kMostEntriesExamined = 10;

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// The texts between the bars: description 1, pattern 1, description 2, ...
std::string Field(const std::string& fileTypes, int index) {
  std::size_t start = 0;
  for (int i = 0; i < index; ++i) {
    start = fileTypes.find('|', start);
    if (start == std::string::npos)
      return {};
    ++start;
  }
  const std::size_t end = fileTypes.find('|', start);
  if (end == std::string::npos)
    return {};
  return fileTypes.substr(start, end - start);
}

}  // namespace

std::string ImportFileTypes(bool excelAvailable) {
  std::string list = excelAvailable ? LoadText(text::FileTypeExcel) : std::string();
  return list + LoadText(text::FileTypeCsv) + LoadText(text::FileTypeAllFiles) + "|";
}

std::string ExportFileTypes(bool excelAvailable, bool fullFormat) {
  std::string list = excelAvailable ? LoadText(text::FileTypeExcel) : std::string();
  list += LoadText(text::FileTypeCsv);
  if (!fullFormat)
    list += LoadText(text::FileTypeVCalendar);
  return list + LoadText(text::FileTypeICalendar);
}

int PreselectFileType(const std::string& lastFile, const std::string& fileTypes) {
  if (lastFile.size() < 4 || lastFile.find('.') == std::string::npos)
    return 1;
  const std::string extension = lastFile.substr(lastFile.size() - 3);
  std::size_t position = 0;
  for (int entry = 1; entry <= kMostEntriesExamined; ++entry) {
    position = fileTypes.find(kEntryPattern, position);
    if (position == std::string::npos)
      return entry - 1;
    position += sizeof kEntryPattern - 1;
    if (SameIgnoringCase(fileTypes.substr(position, 3), extension))
      return entry;
  }
  return 1;
}

std::string FileTypePattern(const std::string& fileTypes, int entry) {
  return entry < 1 ? std::string() : Field(fileTypes, 2 * entry - 1);
}

std::string FileTypeDescription(const std::string& fileTypes, int entry) {
  return entry < 1 ? std::string() : Field(fileTypes, 2 * entry - 2);
}

std::string NulSeparated(const std::string& fileTypes) {
  std::string result = fileTypes;
  for (char& c : result) {
    if (c == '|')
      c = '\0';
  }
  result.push_back('\0');
  if (result.size() < 2 || result[result.size() - 2] != '\0')
    result.push_back('\0');
  return result;
}

std::string CompleteExportPath(const std::string& path, const std::string& pattern) {
  const std::size_t nameStart = path.find_last_of("\\/:");
  const std::size_t dot = path.rfind('.');
  const bool hasExtension = dot != std::string::npos &&
                            (nameStart == std::string::npos || dot > nameStart) &&
                            dot + 1 < path.size();
  if (hasExtension || pattern.size() < 2)
    return path;
  const std::string extension = pattern.substr(1);
  if (extension == ".*")
    return path;
  // A name typed with a trailing dot keeps one dot before the extension.
  if (!path.empty() && path.back() == '.')
    return path.substr(0, path.size() - 1) + extension;
  return path + extension;
}

}  // namespace tavir
