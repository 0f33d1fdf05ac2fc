// Checks on a file before `tavir import` reads it.
#include "cli/ImportFileCheck.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "formats/FileFactories.h"

namespace tavir {

namespace {

const char* const kFormatsRead = "tavir import reads CSV files and Excel 97-2003 workbooks (.xls).";

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

}  // namespace

std::optional<std::string> CheckImportFile(const std::string& file) {
  std::error_code ignored;
  if (std::filesystem::is_directory(file, ignored))
    return file + ": " + std::strerror(EISDIR);
  std::ifstream in(file, std::ios::binary);
  if (!in)
    return file + ": " + std::strerror(errno);
  std::string head(65536, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));

  // .xlsx, .xlsm and .ods files are zip archives, also when renamed to .xls.
  if (HasExtension(file, ".xlsx") || HasExtension(file, ".xlsm") || StartsWith(head, "PK\x03\x04"))
    return file + " is a workbook in a newer format (.xlsx). " + kFormatsRead +
           " Save it as \"Excel 97-2003 Workbook (*.xls)\" or as CSV and import that.";
  if (HasExtension(file, ".xls"))
    return std::nullopt;
  const std::string text = StartsWith(head, "\xEF\xBB\xBF") ? head.substr(3) : head;
  if (HasExtension(file, ".ics") || HasExtension(file, ".vcs") ||
      StartsWith(text, "BEGIN:VCALENDAR"))
    return file +
           " is a calendar file (vCalendar or iCalendar): tavir writes those but does "
           "not read them. " +
           kFormatsRead;
  // NUL bytes mean a binary file or UTF-16 text, whose lines the reader
  // would take as a header and then silently skip.
  if (head.find('\0') != std::string::npos)
    return file +
           " holds NUL bytes: it is not a text file in the system's code page (a "
           "binary file, or one saved as UTF-16). " +
           kFormatsRead + " Save it as CSV text and import it again.";
  return std::nullopt;
}

}  // namespace tavir
