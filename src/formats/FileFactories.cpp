// The writer and reader factories: the implementation by the name's extension.
#include "formats/FileFactories.h"

#include <cctype>

#include "formats/CalendarFile.h"
#include "formats/CsvFile.h"
#include "formats/ExcelFile.h"
#include "model/Options.h"
#include "model/Strings.h"
#include "platform/ComError.h"

namespace tavir {

namespace {

std::string ExcelUnavailableReason() {
  return LoadText(text::ExcelNotAvailable);
}

// Why the spreadsheet application refused: its own text, else the system's.
std::string RefusalText(const ComError& error) {
  return error.Description().empty() ? error.ErrorMessage() : error.Description();
}

// Opens the file; on failure the object is deleted and the reason kept. A
// spreadsheet application that refuses the file raises a COM error instead
// of reporting -1: it counts as a file that cannot be opened. No file (the
// spreadsheet application is missing) stays none.
template <typename Open>
std::unique_ptr<AppointmentFile> OpenOrDrop(std::unique_ptr<AppointmentFile> file, Open open,
                                            std::string* reason) {
  if (!file)
    return nullptr;
  try {
    if (open(*file) == 0)
      return file;
    if (reason)
      *reason = file->OpenFailure();
  } catch (const ComError& error) {
    if (reason)
      *reason = RefusalText(error);
  }
  return nullptr;
}

std::unique_ptr<CsvFile> MakeCsvFile(const Options& options) {
  auto csv = std::make_unique<CsvFile>();
  csv->SetSeparator(options.separator);
  csv->SetQuote(options.quote);
  return csv;
}

std::unique_ptr<ExcelFile> MakeExcelFile(std::string* reason) {
  if (!IsExcelAvailable()) {
    if (reason)
      *reason = ExcelUnavailableReason();
    return nullptr;
  }
  try {
    return std::make_unique<ExcelFile>();
  } catch (const ComError& error) {
    if (reason)
      *reason = RefusalText(error);
    return nullptr;
  }
}

}  // namespace

bool HasExtension(const std::string& name, const char* extension) {
  const std::string wanted(extension);
  if (name.size() < 4 || wanted.size() != 4)
    return false;
  for (std::size_t i = 0; i < 4; ++i) {
    const auto a = static_cast<unsigned char>(name[name.size() - 4 + i]);
    const auto b = static_cast<unsigned char>(wanted[i]);
    if (std::tolower(a) != std::tolower(b))
      return false;
  }
  return true;
}

bool IsCalendarFileName(const std::string& name) {
  return HasExtension(name, ".vcs") || HasExtension(name, ".ics");
}

std::unique_ptr<AppointmentFile> CreateWriter(const std::string& fileName, const Options& options,
                                              std::string* reason) {
  std::unique_ptr<AppointmentFile> file;
  if (HasExtension(fileName, ".xls")) {
    std::unique_ptr<ExcelFile> excel = MakeExcelFile(reason);
    if (excel)
      excel->dateWithTime = options.datewithtime;
    file = std::move(excel);
  } else if (IsCalendarFileName(fileName)) {
    file = std::make_unique<CalendarFile>(HasExtension(fileName, ".ics"));
  } else {
    std::unique_ptr<CsvFile> csv = MakeCsvFile(options);
    csv->SetRemoveLineBreaks(options.exportnocr != 0);
    csv->dateWithTime = options.datewithtime;
    file = std::move(csv);
  }
  return OpenOrDrop(
      std::move(file), [&](AppointmentFile& f) { return f.OpenWrite(fileName); }, reason);
}

std::unique_ptr<AppointmentFile> CreateReader(const Options& options, const std::string& fileName,
                                              std::string* reason) {
  std::unique_ptr<AppointmentFile> file;
  if (HasExtension(fileName, ".xls")) {
    file = MakeExcelFile(reason);
  } else {
    std::unique_ptr<CsvFile> csv = MakeCsvFile(options);
    csv->SetSourceEncoding(ParseEncodingName(options.importencoding));
    file = std::move(csv);
  }
  return OpenOrDrop(
      std::move(file), [&](AppointmentFile& f) { return f.OpenRead(fileName); }, reason);
}

}  // namespace tavir
