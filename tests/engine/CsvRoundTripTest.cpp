// Records through a CSV file and back, every field in both formats, under
// every combination of separator, quote, date-with-time, line-break removal
// and regional settings. (Windows fixes the regional settings per process:
// there the rows run under the user's locale, whichever it is.)
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "engine/RecordExamples.h"
#include "model/AppointmentRecord.h"
#include "model/Options.h"
#include "support/Environment.h"

namespace tavir {
namespace {

using test_support::ScopedEnvironmentVariable;

struct RoundTrip {
  std::string separator;
  std::string quote;
  bool dateWithTime;
  bool removeLineBreaks;
  std::string locale;
  bool fullFormat;
};

std::string Describe(const RoundTrip& r) {
  const std::string separator = r.separator == ","   ? "Comma"
                                : r.separator == ";" ? "Semicolon"
                                                     : "Tab";
  const std::string quote = r.quote == "\"" ? "Double" : r.quote == "'" ? "Apostrophe" : "None";
  return separator + "_" + quote + "Quote_" + (r.dateWithTime ? "DateWithTime_" : "") +
         (r.removeLineBreaks ? "NoCr_" : "") + (r.locale == "en-US" ? "enUS" : "deDE") +
         (r.fullFormat ? "_Full" : "_Simple");
}

void PrintTo(const RoundTrip& r, std::ostream* out) {
  *out << Describe(r);
}

class CsvRoundTrip : public ::testing::TestWithParam<RoundTrip> {
 protected:
  void SetUp() override {
    test_support::PinCentralEuropeanTime();
    const RoundTrip& r = GetParam();
    options_.separator = r.separator;
    options_.quote = r.quote;
    options_.datewithtime = r.dateWithTime;
    options_.exportnocr = r.removeLineBreaks;
    options_.fullformat = r.fullFormat;
    // Every field that has a column, with an ignored column between them.
    FieldMapping& mapping = options_.mapping;
    mapping.simpleFields.clear();
    for (FieldId id = field::Date; id <= field::LastSimple; ++id) {
      mapping.simpleFields.push_back(id);
      if (id == field::Note)
        mapping.simpleFields.push_back(field::Ignored);
    }
  }

  // Texts carry the quote and the separators only where quoting protects them.
  std::string Awkward(const std::string& plain) const {
    if (GetParam().quote.size() != 1)
      return plain + " \"Q3\" it's";
    return plain + " \"Q3\", it's; \ttab";
  }
  // A note's CR LF comes back as it was, or as the blank that replaced it.
  std::string NoteBack(std::string note) const {
    for (std::size_t at; GetParam().removeLineBreaks && (at = note.find("\r\n")) != note.npos;)
      note.replace(at, 2, " ");
    return note;
  }

  std::vector<test_support::RecordMaker> Records() const {
    return {
        [this](AppointmentRecord& r) {
          test_support::SetTimes(r, 2005, 10, 26, 9, 0, 10, 30);
          r.text = Awkward(" Meeting ");
          r.note = Awkward("Line one\r\nLine two\r\n");
          r.category = "Business";
          r.location = Awkward("Room 101");
          r.isPrivate = 1;
          r.alarm = 1;
          r.alarmAmount = 15;
          r.alarmUnit = Minutes;
          r.recordId = 4711;
        },
        [](AppointmentRecord& r) {
          test_support::MakeHoliday(r);
          r.alarmAmount = 2;
          r.alarmUnit = Days;
        },
        [](AppointmentRecord& r) {
          test_support::MakeTeamCall(r);
          test_support::SetRepeat(r, Weekly, 2, LocalMidnight(2005, 12, 31));
          r.weekDays = kWeekdayBit[0] | kWeekdayBit[1] | kWeekdayBit[3] | kWeekdayBit[6];
        },
        [](AppointmentRecord& r) {
          test_support::SetTimes(r, 2006, 3, 27, 1, 30, 23, 45);
          r.text = "Board";
          test_support::SetRepeat(r, MonthlyDay, 1);
          r.monthlyWeekIndex = 5;
          r.alarm = 1;
          r.alarmAmount = 3;
          r.alarmUnit = Hours;
        },
        [](AppointmentRecord& r) {
          test_support::SetUntimed(r, 2031, 12, 30);
          r.text = "Anniversary";
          test_support::SetRepeat(r, Yearly, 1);
        },
        [](AppointmentRecord& r) {
          test_support::SetTimes(r, 1970, 1, 2, 0, 0, 0, 5);
          r.text = "Early";
          test_support::SetRepeat(r, MonthlyDate, 3, LocalMidnight(2031, 12, 30));
        },
    };
  }

  Options options_;
};

TEST_P(CsvRoundTrip, RecordsReadBackAsWritten) {
  const RoundTrip& r = GetParam();
  ScopedEnvironmentVariable locale("TAVIR_LOCALE", r.locale);
  ScopedEnvironmentVariable now("TAVIR_NOW", std::string("2005-11-10T16:42:17"));
  const std::string bytes = test_support::WriteCsv(options_, Records());
  test_support::ExpectReadBack(options_, bytes, Records(),
                               [this](AppointmentRecord& r) { r.note = NoteBack(r.note); });
}

std::vector<RoundTrip> AllCombinations() {
  std::vector<RoundTrip> rows;
  for (const char* separator : {",", ";", "\t"})
    for (const char* quote : {"\"", "'", ""})
      for (const bool dateWithTime : {false, true})
        for (const bool removeLineBreaks : {false, true})
          for (const char* locale : {"en-US", "de-DE"})
            for (const bool full : {false, true})
              rows.push_back({separator, quote, dateWithTime, removeLineBreaks, locale, full});
  return rows;
}

INSTANTIATE_TEST_SUITE_P(Options, CsvRoundTrip, ::testing::ValuesIn(AllCombinations()),
                         [](const auto& info) { return Describe(info.param); });

}  // namespace
}  // namespace tavir
