// libFuzzer target for CSV import: any bytes go through CsvFile (from
// memory, in short reads) and the record reader with the default mapping,
// as an import reads them, and each faulty record's message is built.
// The first three bytes choose the quote, the separator, the format and the
// read size; the rest is the file.
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include "engine/FieldConversion.h"
#include "formats/CsvFile.h"
#include "formats/MemoryBytes.h"
#include "model/AppointmentRecord.h"
#include "model/Options.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("TAVIR_LOCALE", "en-US", 1);
  setenv("TAVIR_NOW", "2005-11-10T16:42:17", 1);
  setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
  tzset();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const char* const kQuotes[] = {"\"", "'", "", "\"\""};
  static const char* const kSeparators[] = {",", ";", "\t", "; "};
  if (size < 3) return 0;
  tavir::Options options;
  options.quote = kQuotes[data[0] % 4];
  options.separator = kSeparators[(data[0] >> 2) % 4];
  options.fullformat = data[1] & 1;
  options.defaultapptlength = (data[1] & 2) ? 60 : 2147483647;
  const std::size_t chunk = data[2];  // 0: whole reads
  const std::string bytes(reinterpret_cast<const char*>(data) + 3, size - 3);

  tavir::CsvFile file;
  file.SetQuote(options.quote);
  file.SetSeparator(options.separator);
  file.OpenRead(std::make_unique<tavir::MemoryByteSource>(bytes, chunk));
  tavir::AppointmentRecord record(options);
  for (;;) {
    record.Reset();
    const tavir::FieldResult result = tavir::ReadMappedRecord(options.mapping, file, record);
    if (result == tavir::FieldResult::EndOfData) break;
    if (result != tavir::FieldResult::Ok)
      tavir::ImportErrorText(result, "fuzz.csv", file.GetLineNumber(), file.GetLastField());
    if (file.GetProgressPos() > file.GetProgressMax()) std::abort();
  }
  file.Close();
  return 0;
}
