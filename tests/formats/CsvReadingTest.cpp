// Reading CSV: line ends, the line length limit, the read buffer's seams and
// the field tokenizer, all from memory.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "formats/CsvFile.h"
#include "formats/CsvLineReader.h"
#include "formats/CsvTokenizer.h"
#include "formats/FileError.h"
#include "formats/MemoryBytes.h"

namespace tavir {
namespace {

using Records = std::vector<std::vector<std::string>>;

// Every record with every field, as the line reader and the tokenizer
// that CsvFile reads through hand them out.
Records ReadAll(const std::string& bytes, const std::string& quote = "\"",
                const std::string& separator = ",", std::size_t chunkLimit = 0,
                bool bareLineEnds = false) {
  CsvLineReader reader(std::make_unique<MemoryByteSource>(bytes, chunkLimit));
  if (bareLineEnds)
    reader.AllowBareLineEnds(OptionByte(quote), OptionByte(separator));
  CsvTokenizer tokenizer(quote, separator);
  Records records;
  std::string line;
  while (reader.ReadLine(line)) {
    EXPECT_LE(line.size(), kMaxCsvLine);
    tokenizer.Start(line);
    std::vector<std::string> fields;
    std::string field;
    while (tokenizer.NextField(field))
      fields.push_back(field);
    records.push_back(fields);
  }
  return records;
}

struct TokenizerCase {
  const char* name;
  std::string line;
  std::string quote;
  std::string separator;
  std::vector<std::string> fields;
};

void PrintTo(const TokenizerCase& c, std::ostream* out) {
  *out << c.name;
}

class CsvTokenizerTable : public ::testing::TestWithParam<TokenizerCase> {};

TEST_P(CsvTokenizerTable, SplitsTheLineIntoTheseFields) {
  const TokenizerCase& c = GetParam();
  const Records records = ReadAll(c.line + "\r\n", c.quote, c.separator);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0], c.fields);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CsvTokenizerTable,
    ::testing::Values(
        TokenizerCase{"SeparatorInsideQuotes", "\"a,b\",c", "\"", ",", {"a,b", "c"}},
        TokenizerCase{"QuoteInsidePlainField", "ab\"c,d", "\"", ",", {"ab\"c", "d"}},
        TokenizerCase{"StrayQuoteDropped", "\"ab\"cd,ef", "\"", ",", {"abcd,ef"}},
        TokenizerCase{"DoubledQuote", "\"say \"\"hi\"\"\"", "\"", ",", {"say \"hi\""}},
        TokenizerCase{"EmptyFieldsButNotATrailingOne", "a,,b,", "\"", ",", {"a", "", "b"}},
        TokenizerCase{"QuotedEmptyFields", "\"\",\"\"", "\"", ",", {"", ""}},
        TokenizerCase{"UnclosedQuoteRunsToTheEnd", "\"a,b", "\"", ",", {"a,b"}},
        TokenizerCase{"LoneDoubledQuote", "\"\"\"", "\"", ",", {"\""}},
        TokenizerCase{"TwoByteSeparatorNeverMatches", "\"a\"; \"b\"", "\"", "; ", {"a; b"}},
        TokenizerCase{"EmptyQuoteReadsPlain", "\"a\",b", "", ",", {"\"a\"", "b"}},
        TokenizerCase{"ApostropheQuote", "'it''s',x", "'", ",", {"it's", "x"}},
        TokenizerCase{"TabSeparator", "\"a\"\t\"b c\"\tx", "\"", "\t", {"a", "b c", "x"}},
        TokenizerCase{"SemicolonSeparator", "\"1,5\";\"x\"", "\"", ";", {"1,5", "x"}},
        TokenizerCase{"BareLineFeedIsData", "\"a\nb\",c\rd", "\"", ",", {"a\nb", "c\rd"}},
        TokenizerCase{"NulBytesAreData",
                      std::string("a\0b,\"\0\"", 7),
                      "\"",
                      ",",
                      {std::string("a\0b", 3), std::string(1, '\0')}},
        TokenizerCase{"ByteOrderMarkIsPartOfTheFirstField",
                      "\xEF\xBB\xBF\"Date\",x",
                      "\"",
                      ",",
                      {"\xEF\xBB\xBF\"Date\"", "x"}}),
    [](const ::testing::TestParamInfo<TokenizerCase>& info) { return info.param.name; });

TEST(CsvReading, AFieldBeyondTheLastIsEmptyAndKeepsTheLastField) {
  CsvFile file;
  file.OpenRead(std::make_unique<MemoryByteSource>("\"a\",\"b\"\r\n"));
  ASSERT_EQ(file.ReadRecord(), RecordResult::Read);
  std::string field;
  file.ReadText(field);
  file.ReadText(field);
  EXPECT_EQ(file.GetLastField(), "b");
  field = "stale";
  EXPECT_EQ(file.ReadText(field), ReadResult::Valid);
  EXPECT_EQ(field, "");
  EXPECT_EQ(file.GetLastField(), "b");
  TimeValue date = 77;
  EXPECT_EQ(file.ReadDate(date), ReadResult::Empty);
  EXPECT_EQ(date, 77);
  std::int32_t number = 15;
  EXPECT_EQ(file.ReadInt(number), ReadResult::Valid);
  EXPECT_EQ(number, 0);
  // The next record starts with no field read.
  EXPECT_EQ(file.ReadRecord(), RecordResult::EndOfData);
}

struct LineCase {
  const char* name;
  std::string bytes;
  Records records;
};

void PrintTo(const LineCase& c, std::ostream* out) {
  *out << c.name;
}

// length letters, a to z over and over.
std::string Letters(std::size_t length) {
  std::string letters;
  for (std::size_t i = 0; i < length; ++i)
    letters.push_back(static_cast<char>('a' + i % 26));
  return letters;
}

class CsvLineTable : public ::testing::TestWithParam<LineCase> {};

TEST_P(CsvLineTable, GivesTheseRecords) {
  const LineCase& c = GetParam();
  // Short reads from the medium must not change where lines end.
  for (const std::size_t chunk : {0, 1, 3, 4096, 39999})
    EXPECT_EQ(ReadAll(c.bytes, "\"", ",", chunk), c.records) << "chunk " << chunk;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CsvLineTable,
    ::testing::Values(
        LineCase{"EmptyInput", "", {}},
        LineCase{"LastLineWithoutLineEnd", "a,b\r\nc", {{"a", "b"}, {"c"}}},
        LineCase{"NothingAfterTheLastLineEnd", "a\r\n", {{"a"}}},
        LineCase{"EmptyLineIsARecord", "\r\n\r\na\r\n", {{}, {}, {"a"}}},
        LineCase{"BareLineFeedsAndReturnsDoNotEndALine", "a\nb\rc\r\r\nd", {{"a\nb\rc\r"}, {"d"}}},
        LineCase{"ReturnBeforeReturnLineFeed", "a\r\r\n", {{"a\r"}}},
        LineCase{"LoneReturnAtTheEnd", "a\r", {{"a\r"}}},
        LineCase{"Line39998", Letters(39998) + "\r\nnext\r\n", {{Letters(39998)}, {"next"}}},
        LineCase{"Line39999", Letters(39999) + "\r\nnext\r\n", {{Letters(39999)}, {"next"}}},
        // A long note never splits its record (what the program writes
        // itself holds up to 39,999 bytes a field).
        LineCase{"Line80000", Letters(80000) + "\r\nnext\r\n", {{Letters(80000)}, {"next"}}}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return info.param.name; });

// Only input that is no CSV reaches the limit: the rest continues as the next
// record, and a CR just before the cut stays data.
TEST(CsvReading, ALineBeyondTheLimitContinuesAsTheNextRecord) {
  const std::string full(kMaxCsvLine - 1, 'x');
  EXPECT_EQ(ReadAll(full + "\r\rz\r\n"), (Records{{full + "\r"}, {"\rz"}}));
  EXPECT_EQ(ReadAll(full + "ab\r\n"), (Records{{full + "a"}, {"b"}}));
}

// Without a single CR LF in the file, bare line ends end lines (outside
// quoted fields); one CR LF anywhere keeps them data, as in the files the
// program writes.
TEST(CsvReading, BareLineEndsEndLinesOnlyInFilesWithoutCrLf) {
  const struct {
    const char* what;
    std::string bytes;
    Records records;
  } cases[] = {
      {"line feeds", "a,b\nc\n\nd", {{"a", "b"}, {"c"}, {}, {"d"}}},
      {"returns", "a\rb\r", {{"a"}, {"b"}}},
      {"a break in a quoted field is data",
       "\"x\ny\",\"p\"\"\nq\"\nz",
       {{"x\ny", "p\"\nq"}, {"z"}}},
      {"a quote inside a plain field opens nothing", "ab\"c\nd", {{"ab\"c"}, {"d"}}},
      {"one CR LF: bare breaks are data", "a\nb\r\nc\rd", {{"a\nb"}, {"c\rd"}}},
  };
  for (const auto& c : cases)
    for (const std::size_t chunk : {0, 1, 3})
      EXPECT_EQ(ReadAll(c.bytes, "\"", ",", chunk, true), c.records)
          << c.what << ", chunk " << chunk;
}

TEST(CsvReading, LineEndSplitAcrossTheReadBuffer) {
  // CR as the last byte of the first buffer fill, LF as the first of the next.
  const std::size_t buffer = CsvLineReader::kReadBufferSize;
  std::string bytes;
  while (bytes.size() + 30000 < buffer)
    bytes += std::string(29997, 'a') + "\r\n";
  bytes += std::string(buffer - 1 - bytes.size(), 'b') + "\r\nlast";
  ASSERT_EQ(bytes[buffer - 1], '\r');
  const Records records = ReadAll(bytes, "\"", ";");
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(records[2][0], std::string(buffer - 1 - 2 * 29999, 'b'));
  EXPECT_EQ(records[3][0], "last");
}

TEST(CsvReading, ProgressCountsBytesIn256ths) {
  std::string bytes;
  for (int i = 0; i < 100; ++i)
    bytes += std::string(98, 'a') + "\r\n";
  CsvFile file;
  file.OpenRead(std::make_unique<MemoryByteSource>(bytes));
  EXPECT_EQ(file.GetProgressMax(), 10000 / 256);
  EXPECT_EQ(file.GetProgressPos(), 0);
  for (int i = 0; i < 3; ++i)
    ASSERT_EQ(file.ReadRecord(), RecordResult::Read);
  // Consumed lines, not what the buffer holds ahead.
  EXPECT_EQ(file.GetProgressPos(), 300 / 256);
  while (file.ReadRecord() == RecordResult::Read) {
  }
  EXPECT_EQ(file.GetProgressPos(), 10000 / 256);
  EXPECT_EQ(file.GetLineNumber(), 100);
}

class FailingSource : public ByteSource {
 public:
  std::size_t Read(char* buffer, std::size_t size) override {
    if (served_)
      throw FileError("The network path was not found.");
    served_ = true;
    const std::string first = "\"a\"\r\n\"b";
    const std::size_t count = std::min(size, first.size());
    first.copy(buffer, count);
    return count;
  }
  std::int64_t Length() override { return 100; }

 private:
  bool served_ = false;
};

TEST(CsvReading, AFailingMediumRaisesTheFileErrorFromReadRecord) {
  CsvFile file;
  file.OpenRead(std::make_unique<FailingSource>());
  ASSERT_EQ(file.ReadRecord(), RecordResult::Read);
  try {
    file.ReadRecord();
    FAIL() << "no FileError";
  } catch (const FileError& error) {
    EXPECT_STREQ(error.what(), "The network path was not found.");
  }
}

}  // namespace
}  // namespace tavir
