// Writing CSV: quoting and escaping with every quote option, separators
// written whole, the locale-free number forms, the field length limit, write
// failures, and how files are opened and shared.
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "formats/CsvEscape.h"
#include "formats/CsvFile.h"
#include "formats/FileError.h"
#include "formats/MemoryBytes.h"
#include "platform/CodePage.h"
#include "platform/LocalTime.h"
#include "platform/Locale.h"
#include "support/Environment.h"
#include "support/ScratchDirectory.h"

namespace tavir {
namespace {

using test_support::ScopedEnvironmentVariable;

struct WriteSetup {
  std::string quote = "\"";
  std::string separator = ",";
  bool removeLineBreaks = false;
};

// The bytes body writes into a file in memory.
std::string Written(const std::function<void(CsvFile&)>& body) {
  std::string bytes;
  CsvFile file;
  file.OpenWrite(std::make_unique<MemoryByteSink>(bytes));
  body(file);
  EXPECT_EQ(file.Finish(), 0);
  return bytes;
}

// The bytes of one record of text fields.
std::string WriteTexts(const WriteSetup& setup, const std::vector<std::string>& texts) {
  return Written([&](CsvFile& file) {
    file.SetQuote(setup.quote);
    file.SetSeparator(setup.separator);
    file.SetRemoveLineBreaks(setup.removeLineBreaks);
    for (const std::string& text : texts)
      EXPECT_EQ(file.WriteText(text), 0);
    EXPECT_EQ(file.EndRecord(), 0);
  });
}

struct EscapeCase {
  const char* name;
  WriteSetup setup;
  std::vector<std::string> texts;
  std::string bytes;
};

void PrintTo(const EscapeCase& c, std::ostream* out) {
  *out << c.name;
}

class CsvEscapeTable : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(CsvEscapeTable, WritesTheseBytes) {
  EXPECT_EQ(WriteTexts(GetParam().setup, GetParam().texts), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CsvEscapeTable,
    ::testing::Values(
        EscapeCase{"DoubleQuoteDoubled", {}, {"say \"hi\""}, "\"say \"\"hi\"\"\"\r\n"},
        EscapeCase{"EmptyFieldsAreQuotedToo", {}, {"", "", "1"}, "\"\",\"\",\"1\"\r\n"},
        EscapeCase{"LineBreakBecomesABareLineFeed", {}, {"a\r\nb"}, "\"a\nb\"\r\n"},
        EscapeCase{"LoneCarriageReturnDropped", {}, {"a\rb\r"}, "\"ab\"\r\n"},
        EscapeCase{
            "RemovedLineBreakBecomesABlank", {"\"", ",", true}, {"a\r\nb\nc\r"}, "\"a b c\"\r\n"},
        EscapeCase{"ApostropheQuoteDoublesApostrophes",
                   {"'", ",", false},
                   {"it's \"x\""},
                   "'it''s \"x\"'\r\n"},
        EscapeCase{
            "NoQuoteDoublesNothing", {"", ";", false}, {"say \"hi\"", "b"}, "say \"hi\";b\r\n"},
        EscapeCase{"LongQuoteWrittenWholeDoublesNothing",
                   {"<>", ",", false},
                   {"a\"b<>"},
                   "<>a\"b<><>\r\n"},
        EscapeCase{
            "TwoByteSeparatorWrittenWhole", {"\"", "; ", false}, {"a", "b"}, "\"a\"; \"b\"\r\n"},
        EscapeCase{"TabSeparator", {"\"", "\t", false}, {"a", "b"}, "\"a\"\t\"b\"\r\n"},
        EscapeCase{"NulBytesKept", {}, {std::string("a\0b", 3)}, std::string("\"a\0b\"\r\n", 7)}),
    [](const ::testing::TestParamInfo<EscapeCase>& info) { return info.param.name; });

TEST(CsvWriting, RecordsCountAndStartAfreshAfterEndRecord) {
  EXPECT_EQ(Written([](CsvFile& file) {
              file.WriteText("a");
              file.WriteText("b");
              file.EndRecord();
              file.EndRecord();
              file.WriteText("c");
              file.EndRecord();
              EXPECT_EQ(file.GetLineNumber(), 3);
            }),
            "\"a\",\"b\"\r\n\r\n\"c\"\r\n");
}

// printf would take the decimal point from the C library's locale.
class GermanNumericLocale {
 public:
  GermanNumericLocale() : previous_(std::setlocale(LC_NUMERIC, nullptr)) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German_Germany.1252", "German"})
      if (std::setlocale(LC_NUMERIC, name))
        break;
  }
  ~GermanNumericLocale() { std::setlocale(LC_NUMERIC, previous_.c_str()); }

 private:
  std::string previous_;
};

TEST(CsvWriting, NumbersHaveFixedFormsWhateverTheLocale) {
  ScopedEnvironmentVariable locale("TAVIR_LOCALE", std::string("de-DE"));
  GermanNumericLocale german;
  EXPECT_EQ(Written([](CsvFile& file) {
              file.SetQuote("");
              file.SetSeparator(";");
              for (const std::int32_t seconds : {5400, 90, 0, -1800, 2147483647})
                file.WriteSpan(seconds);
              for (const std::int32_t value : {0, -5, 2147483647, -2147483647 - 1})
                file.WriteInt(value);
              file.EndRecord();
            }),
            "1.500000;0.025000;0.000000;-0.500000;596523.235278;"
            "0;-5;2147483647;-2147483648\r\n");
}

TEST(CsvWriting, DatesAndTimesInTheRegionalForms) {
  test_support::PinCentralEuropeanTime();
  ScopedEnvironmentVariable locale("TAVIR_LOCALE", std::string("en-US"));
  ASSERT_EQ(ActiveLocaleName(), "en-US") << "needs the user locale en-US";
  const TimeValue start = BuildLocal(2005, 10, 26, 9, 0, 0);
  for (const bool withDate : {false, true}) {
    EXPECT_EQ(
        Written([&](CsvFile& file) {
          file.dateWithTime = withDate;
          file.WriteDate(start);
          file.WriteTime(start);
          file.EndRecord();
        }),
        withDate ? "\"10/26/2005\",\"10/26/2005 9:00 AM\"\r\n" : "\"10/26/2005\",\"9:00 AM\"\r\n");
  }
}

struct LimitCase {
  const char* name;
  std::string text;
  std::size_t keptUtf8;     // bytes of the text kept when the ANSI code page is UTF-8
  std::size_t keptOneByte;  // when it is a single-byte code page
};

void PrintTo(const LimitCase& c, std::ostream* out) {
  *out << c.name;
}

class CsvFieldLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(CsvFieldLimit, EscapedTextIsCutBeforeTheCharacterThatWouldNotFit) {
  const LimitCase& c = GetParam();
  std::string escaped;
  AppendEscapedField(escaped, c.text, '"', false);
  const std::size_t kept = AnsiCodePageIsUtf8() ? c.keptUtf8 : c.keptOneByte;
  std::string expected;
  AppendEscapedField(expected, c.text.substr(0, kept), '"', false);
  EXPECT_EQ(escaped, expected);
  EXPECT_LE(escaped.size(), kMaxEscapedField);
}

INSTANTIATE_TEST_SUITE_P(
    Limit, CsvFieldLimit,
    ::testing::Values(
        LimitCase{"FitsExactly", std::string(39999, 'a'), 39999, 39999},
        LimitCase{"OneByteOver", std::string(40000, 'a'), 39999, 39999},
        LimitCase{"DoubledQuoteNotSplit", std::string(39998, 'a') + "\"b", 39998, 39998},
        LimitCase{"DroppedReturnsTakeNoRoom", std::string(39999, 'a') + "\r\r", 40001, 40001},
        LimitCase{"TwoByteCharacterNotSplit", std::string(39998, 'a') + "\xC3\xA9", 39998, 39999},
        LimitCase{"ThreeByteCharacterNotSplit", std::string(39997, 'a') + "\xE2\x82\xAC", 39997,
                  39999}),
    [](const ::testing::TestParamInfo<LimitCase>& info) { return info.param.name; });

class FailingSink : public ByteSink {
 public:
  void Write(const char*, std::size_t) override {
    throw FileError("There is not enough space on the disk.");
  }
  void Close() override {}
};

TEST(CsvWriting, AFullDiskRaisesTheFileErrorFromEndRecordOrFinish) {
  {
    CsvFile file;
    file.OpenWrite(std::make_unique<FailingSink>());
    file.WriteText("a");
    EXPECT_EQ(file.EndRecord(), 0);  // still in the write block
    EXPECT_THROW(file.Finish(), FileError);
    EXPECT_NO_THROW(file.Finish());  // the failed file is gone, nothing is tried twice
  }
  CsvFile file;
  file.OpenWrite(std::make_unique<FailingSink>());
  const std::string text(1000, 'x');
  try {
    for (int i = 0; i < 100; ++i) {
      file.WriteText(text);
      file.EndRecord();
    }
    FAIL() << "no FileError";
  } catch (const FileError& error) {
    EXPECT_STREQ(error.what(), "There is not enough space on the disk.");
  }
}

TEST(CsvFiles, WritesAndReadsBackThroughTheFileSystem) {
  const test_support::ScratchDirectory directory("tavir-csv");
  const std::string path = directory.PathOf("roundtrip.csv");
  {
    CsvFile writer;
    ASSERT_EQ(writer.OpenWrite(path), 0);
    // More than one write block and read buffer.
    for (int i = 0; i < 10000; ++i) {
      writer.WriteText(std::to_string(i));
      writer.WriteText("a\"b");
      writer.EndRecord();
    }
    EXPECT_EQ(writer.Finish(), 0);
  }
  CsvFile reader;
  ASSERT_EQ(reader.OpenRead(path), 0);
  EXPECT_EQ(reader.GetProgressMax(),
            static_cast<int>(test_support::ReadFileBytes(path).size() / 256));
  int records = 0;
  while (reader.ReadRecord() == 0) {
    std::string number, text;
    reader.ReadText(number);
    reader.ReadText(text);
    EXPECT_EQ(number, std::to_string(records));
    EXPECT_EQ(text, "a\"b");
    ++records;
  }
  EXPECT_EQ(records, 10000);
  EXPECT_EQ(reader.GetProgressPos(), reader.GetProgressMax());
  EXPECT_EQ(reader.Close(), 0);
}

TEST(CsvFiles, OthersMayReadButNotWriteAnOpenFileAndOpenWriteEmptiesIt) {
  const test_support::ScratchDirectory directory("tavir-csv");
  const std::string path = directory.PathOf("sharing.csv");
  std::ofstream(path, std::ios::binary) << std::string(5000, 'z');
  {
    CsvFile reader;
    ASSERT_EQ(reader.OpenRead(path), 0);
    CsvFile secondReader;
    EXPECT_EQ(secondReader.OpenRead(path), 0);
    CsvFile writer;
    EXPECT_EQ(writer.OpenWrite(path), -1);
  }
  CsvFile writer;
  ASSERT_EQ(writer.OpenWrite(path), 0);
  CsvFile reader;
  EXPECT_EQ(reader.OpenRead(path), -1);
  CsvFile secondWriter;
  EXPECT_EQ(secondWriter.OpenWrite(path), -1);
  writer.WriteText("kept");
  writer.EndRecord();
  EXPECT_EQ(writer.Finish(), 0);
  // Nothing of the old, longer contents is left; the refused writer emptied nothing.
  EXPECT_EQ(test_support::ReadFileBytes(path), "\"kept\"\r\n");
  EXPECT_EQ(CsvFile().OpenWrite(path + "/no/such/folder.csv"), -1);
  std::filesystem::remove(path);
  EXPECT_EQ(CsvFile().OpenRead(path), -1);
}

}  // namespace
}  // namespace tavir
