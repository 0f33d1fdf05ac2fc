// Reads and writes whole .xls files through the File port.
#include "spreadsheet/WorkbookFile.h"

#include "platform/File.h"
#include "spreadsheet/Biff.h"
#include "spreadsheet/ByteBuffer.h"
#include "spreadsheet/CompoundFile.h"

namespace tavir::spreadsheet {

namespace {
// Larger files cannot be Excel 97 workbooks and would only exhaust memory.
constexpr std::int64_t kMaxFileSize = std::int64_t{1} << 30;
}  // namespace

WorkbookData ParseWorkbookBytes(const std::vector<std::uint8_t>& file) {
  std::u16string found;
  const std::vector<std::uint8_t> stream = ReadCompoundStream(file, {u"Workbook", u"Book"}, found);
  if (found == u"Book") throw WorkbookFormatError("not an Excel 97-2003 workbook (Excel 5.0/95 format)");
  return ParseWorkbookStream(stream);
}

std::vector<std::uint8_t> BuildWorkbookBytes(const WorkbookData& workbook) {
  return BuildCompoundFile(u"Workbook", BuildWorkbookStream(workbook));
}

WorkbookData LoadWorkbookFile(const std::string& fileName) {
  File file;
  std::string error;
  std::int64_t length = 0;
  if (!file.OpenForReading(fileName, error) || !file.Length(length, error))
    throw WorkbookFormatError("'" + fileName + "' could not be opened: " + error);
  if (length > kMaxFileSize) throw WorkbookFormatError("'" + fileName + "' is too large for an Excel 97-2003 workbook");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
  std::size_t done = 0;
  while (done < bytes.size()) {
    std::size_t got = 0;
    if (!file.Read(bytes.data() + done, bytes.size() - done, got, error))
      throw WorkbookFormatError("'" + fileName + "' could not be read: " + error);
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  try {
    return ParseWorkbookBytes(bytes);
  } catch (const WorkbookFormatError& e) {
    throw WorkbookFormatError("'" + fileName + "': " + e.what());
  }
}

void SaveWorkbookFile(const std::string& fileName, const WorkbookData& workbook) {
  const std::vector<std::uint8_t> bytes = BuildWorkbookBytes(workbook);
  File file;
  std::string error;
  if (!file.OpenForWriting(fileName, error) || !file.Write(bytes.data(), bytes.size(), error) ||
      !file.Close(error))
    throw WorkbookFormatError("'" + fileName + "' could not be saved: " + error);
}

}  // namespace tavir::spreadsheet
