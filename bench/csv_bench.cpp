// CSV speed: writes and reads a file of 100,000 records through the field
// writers and the record reader and prints records per second; then times
// the tokenizer alone (ReadRecord and ReadText of every field) against a
// plain buffered read of the same file and prints the ratio, which should
// stay below 10. Numbers only: nothing here fails on a slow machine.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/FieldConversion.h"
#include "formats/CsvFile.h"
#include "model/AppointmentRecord.h"
#include "model/Options.h"
#include "platform/File.h"
#include "platform/LocalTime.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRecords = 100000;
constexpr int kMostFields = 25;  // 13 simple and 12 repeat columns

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void MakeRecord(tavir::AppointmentRecord& record, int i) {
  record.Reset();
  const int day = i % 3000;
  record.SetDate(tavir::BuildLocal(2005, 1, 1 + day, 12, 0, 0));
  record.startTime = tavir::BuildLocal(2005, 1, 1 + day, 8 + i % 9, (i % 4) * 15, 0);
  record.endTime = record.startTime + 3600;
  record.timeSpan = 3600;
  record.text = "Appointment number " + std::to_string(i) + ", with \"quotes\"";
  record.note = i % 3 ? "" : "First line of the note\r\nsecond line, a bit longer than the first";
  record.category = i % 2 ? "Business" : "Personal";
  record.location = "Room " + std::to_string(100 + i % 50);
  record.alarm = i % 5 == 0;
  record.alarmAmount = 15;
  record.repeat = i % 4 == 0;
  record.repeatType = tavir::Weekly;
  record.repeatInterval = 1;
  record.weekDays = tavir::kWeekdayBit[1] | tavir::kWeekdayBit[3];
}

// Reads the whole file through a 64 KiB buffer and counts its line feeds.
double PlainRead(const std::string& path, long& lineFeeds) {
  const Clock::time_point start = Clock::now();
  tavir::File file;
  std::string error;
  if (!file.OpenForReading(path, error)) {
    std::fprintf(stderr, "cannot open %s: %s\n", path.c_str(), error.c_str());
    std::exit(1);
  }
  std::vector<char> buffer(64 * 1024);
  std::size_t got = 0;
  lineFeeds = 0;
  while (file.Read(buffer.data(), buffer.size(), got, error) && got > 0) {
    for (std::size_t i = 0; i < got; ++i)
      lineFeeds += buffer[i] == '\n';
  }
  return SecondsSince(start);
}

double TokenizeOnly(const std::string& path, long& fieldBytes) {
  const Clock::time_point start = Clock::now();
  tavir::CsvFile file;
  file.SetSeparator(",");
  file.OpenRead(path);
  std::string field;
  fieldBytes = 0;
  while (file.ReadRecord() == tavir::RecordResult::Read) {
    for (int i = 0; i < kMostFields; ++i) {
      file.ReadText(field);
      fieldBytes += static_cast<long>(field.size());
    }
  }
  return SecondsSince(start);
}

}  // namespace

int main() {
  setenv("TAVIR_LOCALE", "en-US", 1);
  setenv("TAVIR_NOW", "2005-11-10T16:42:17", 1);
  setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
  tzset();
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("tavir-csv-bench-" + std::to_string(std::rand()) + ".csv"))
                               .string();
  tavir::Options options;
  options.separator = ",";
  options.fullformat = 1;

  Clock::time_point start = Clock::now();
  {
    tavir::CsvFile writer;
    writer.SetSeparator(",");
    if (writer.OpenWrite(path) != 0) {
      std::fprintf(stderr, "cannot create %s\n", path.c_str());
      return 1;
    }
    tavir::AppointmentRecord record(options);
    tavir::WriteFullHeader(options.mapping, writer);
    for (int i = 0; i < kRecords; ++i) {
      MakeRecord(record, i);
      tavir::WriteFullRecord(options.mapping, writer, record);
    }
    writer.Finish();
  }
  const double writeSeconds = SecondsSince(start);
  const auto bytes = std::filesystem::file_size(path);

  start = Clock::now();
  int readRecords = 0;
  {
    tavir::CsvFile reader;
    reader.SetSeparator(",");
    reader.OpenRead(path);
    tavir::AppointmentRecord record(options);
    tavir::ReadMappedRecord(options.mapping, reader, record);  // the header
    for (;;) {
      record.Reset();
      const tavir::FieldResult result = tavir::ReadMappedRecord(options.mapping, reader, record);
      if (result == tavir::FieldResult::EndOfData)
        break;
      if (result == tavir::FieldResult::Ok)
        ++readRecords;
    }
  }
  const double readSeconds = SecondsSince(start);

  // Best of three, so that the first pass warms the file cache for both.
  long lineFeeds = 0, fieldBytes = 0;
  double plain = 1e9, tokenizer = 1e9;
  for (int pass = 0; pass < 3; ++pass) {
    plain = std::min(plain, PlainRead(path, lineFeeds));
    tokenizer = std::min(tokenizer, TokenizeOnly(path, fieldBytes));
  }
  std::filesystem::remove(path);

  std::printf("file: %d records, %llu bytes\n", kRecords, static_cast<unsigned long long>(bytes));
  std::printf("write (field writers + CsvFile): %.0f records/s\n", kRecords / writeSeconds);
  std::printf("read (CsvFile + ReadMappedRecord): %.0f records/s (%d records read)\n",
              readRecords / readSeconds, readRecords);
  std::printf(
      "tokenizer alone: %.4f s, %ld field bytes; plain buffered read: %.4f s, %ld line feeds\n",
      tokenizer, fieldBytes, plain, lineFeeds);
  std::printf("ratio tokenizer / plain read: %.2f (should stay below 10)\n", tokenizer / plain);
  return 0;
}
