// 100,000 appointment records written to Excel workbooks and read back
// through ExcelFile and the spreadsheet stand-in, against the same records
// through CsvFile: records per second and the ratio between the two. An Excel
// 97 sheet holds 65,536 rows, so the records go into two files of 50,000.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "formats/CsvFile.h"
#include "formats/ExcelFile.h"
#include "platform/LocalTime.h"
#include "spreadsheet/StandIn.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRecords = 100000;
constexpr int kFiles = 2;
constexpr int kRecordsPerFile = kRecords / kFiles;

void WriteRecords(tavir::AppointmentFile& file, const std::string& name) {
  file.OpenWrite(name);
  for (const char* header : {"Subject", "Date", "Time", "Hours", "Count", "Note"})
    file.WriteText(header);
  file.EndRecord();
  const tavir::TimeValue start = tavir::BuildLocal(2005, 1, 1, 9, 0, 0);
  for (int i = 0; i < kRecordsPerFile; ++i) {
    file.WriteText("Appointment " + std::to_string(i));
    file.WriteDate(start + (i % 3000) * tavir::kSecondsPerDay);
    file.WriteTime(start + (i % 48) * 1800);
    file.WriteSpan(3600 * (i % 5));
    file.WriteInt(i);
    file.WriteText(i % 10 == 0 ? "A note\r\nwith two lines" : "");
    file.EndRecord();
  }
  file.Finish();
}

// Reads every field of every record; returns the records read. A CSV reader
// offers the header line as its first record; ExcelFile skips the header row.
int ReadRecords(tavir::AppointmentFile& file, const std::string& name, bool headerIsARecord) {
  file.OpenRead(name);
  if (headerIsARecord)
    file.ReadRecord();
  int records = 0;
  std::string text;
  tavir::TimeValue date = 0, time = 0;
  std::int32_t number = 0;
  while (file.ReadRecord() == tavir::RecordResult::Read) {
    file.ReadText(text);
    file.ReadDate(date);
    file.ReadTime(time);
    file.ReadSpan(number);
    file.ReadInt(number);
    file.ReadText(text);
    ++records;
  }
  file.Close();
  return records;
}

template <typename Make>
double Measure(Make make, const std::string& name, bool headerIsARecord, int& recordsRead) {
  const auto begin = Clock::now();
  recordsRead = 0;
  for (int file = 0; file < kFiles; ++file) {
    {
      auto writer = make();
      WriteRecords(*writer, name);
    }
    auto reader = make();
    recordsRead += ReadRecords(*reader, name, headerIsARecord);
  }
  return std::chrono::duration<double>(Clock::now() - begin).count();
}

}  // namespace

int main() {
  setenv("TAVIR_LOCALE", "en-US", 0);
  tavir::spreadsheet::RegisterSpreadsheetStandIn();
  const auto directory = std::filesystem::temp_directory_path();
  const std::string xls = (directory / "tavir-bench.xls").string();
  const std::string csv = (directory / "tavir-bench.csv").string();

  int excelRecords = 0, csvRecords = 0;
  const double excelSeconds =
      Measure([] { return std::make_unique<tavir::ExcelFile>(); }, xls, false, excelRecords);
  const double csvSeconds =
      Measure([] { return std::make_unique<tavir::CsvFile>(); }, csv, true, csvRecords);
  if (excelRecords != kRecords || csvRecords != kRecords) {
    std::fprintf(stderr, "xls_bench: read back %d (xls) and %d (csv) of %d records\n", excelRecords,
                 csvRecords, kRecords);
    return 1;
  }
  std::printf(
      "xls: %d records written and read in %.2f s, %.0f records/s (last file %ju bytes, %d block "
      "transfers)\n",
      kRecords, excelSeconds, kRecords / excelSeconds,
      static_cast<std::uintmax_t>(std::filesystem::file_size(xls)),
      tavir::spreadsheet::Counters().blockTransfers);
  std::printf("csv: %d records written and read in %.2f s, %.0f records/s\n", kRecords, csvSeconds,
              kRecords / csvSeconds);
  std::printf("xls takes %.2f times as long as csv\n", excelSeconds / csvSeconds);
  std::filesystem::remove(xls);
  std::filesystem::remove(csv);
  return 0;
}
