// VariantChangeType as Windows converts under the user's regional settings:
// numbers with 15 (single precision: 7) significant digits and the decimal
// separator, dates as short date, time with seconds, or both.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "platform/ComOwners.h"
#include "platform/Locale.h"
#include "support/Environment.h"

namespace tavir {
namespace {

using test_support::ScopedEnvironmentVariable;

// A variant of a type the owner has no factory for.
template <typename Set>
Variant Typed(VARTYPE type, Set set) {
  Variant result;
  result.Get()->vt = type;
  set(*result.Get());
  return result;
}

struct TextCase {
  const char* what;
  Variant value;
  const char* unitedStates;
  const char* german;
};

std::vector<TextCase> TextCases() {
  return {
      {"integer", Variant::FromInt(-123), "-123", "-123"},
      {"short", Typed(VT_I2, [](VARIANT& v) { v.iVal = -7; }), "-7", "-7"},
      {"half", Variant::FromDouble(1.5), "1.5", "1,5"},
      {"small fraction", Variant::FromDouble(0.025), "0.025", "0,025"},
      {"negative", Variant::FromDouble(-0.5), "-0.5", "-0,5"},
      {"whole double", Variant::FromDouble(100), "100", "100"},
      {"negative zero", Variant::FromDouble(-0.0), "0", "0"},
      {"fifteen digits", Variant::FromDouble(1.0 / 3), "0.333333333333333", "0,333333333333333"},
      {"sum with binary error", Variant::FromDouble(0.1 + 0.2), "0.3", "0,3"},
      {"largest plain", Variant::FromDouble(123456789012345.0), "123456789012345", "123456789012345"},
      // Exponent forms keep the point whatever the decimal separator.
      {"large", Variant::FromDouble(1234567890123456.0), "1.23456789012346E+15", "1.23456789012346E+15"},
      {"tiny fraction", Variant::FromDouble(2.5e-5), "2.5E-05", "2.5E-05"},
      {"tiny", Variant::FromDouble(1e-7), "1E-07", "1E-07"},
      {"single precision", Typed(VT_R4, [](VARIANT& v) { v.fltVal = 0.1f; }), "0.1", "0,1"},
      {"true", Typed(VT_BOOL, [](VARIANT& v) { v.boolVal = VARIANT_TRUE; }), "-1", "-1"},
      {"false", Typed(VT_BOOL, [](VARIANT& v) { v.boolVal = VARIANT_FALSE; }), "0", "0"},
      {"empty", Variant(), "", ""},
      {"date only", Variant::FromDate(38651.0), "10/26/2005", "26.10.2005"},
      {"date and time", Variant::FromDate(38651.375), "10/26/2005 9:00:00 AM", "26.10.2005 09:00:00"},
      {"afternoon second", Variant::FromDate(38651.5 + 1.0 / 86400), "10/26/2005 12:00:01 PM",
       "26.10.2005 12:00:01"},
      {"time only", Variant::FromDate(0.375), "9:00:00 AM", "09:00:00"},
      {"midnight of day zero", Variant::FromDate(0.0), "12:00:00 AM", "00:00:00"},
      {"before day zero", Variant::FromDate(-1.25), "12/29/1899 6:00:00 AM", "29.12.1899 06:00:00"},
      {"rounds into next day", Variant::FromDate(38651.999999), "10/27/2005 12:00:00 AM",
       "27.10.2005 00:00:00"},
      {"text stays", Variant::FromString("1.5"), "1.5", "1.5"},
  };
}

// The regional settings in force. The portable build follows TAVIR_LOCALE;
// Windows keeps the user's locale, which the Wine runner sets for the whole
// program, so there the expectations follow that locale instead of the pin.
std::string LocaleInForce() {
  const std::string date = FormatShortDate(2005, 10, 26);
  if (date == "10/26/2005") return "en-US";
  if (date == "26.10.2005") return "de-DE";
  return "unknown (" + date + ")";
}

constexpr bool kPortableCom = std::is_same_v<OLECHAR, char16_t>;

// Pins TAVIR_LOCALE; the portable build must then be in that locale.
class LocalePin {
 public:
  explicit LocalePin(const char* locale) : pin_("TAVIR_LOCALE", locale) {
    if (kPortableCom) {
      EXPECT_EQ(LocaleInForce(), locale);
    }
  }

 private:
  ScopedEnvironmentVariable pin_;
};

TEST(ComChangeType, TextsFollowTheRegionalSettings) {
  for (const char* locale : {"en-US", "de-DE"}) {
    LocalePin pin(locale);
    const std::string inForce = LocaleInForce();
    ASSERT_TRUE(inForce == "en-US" || inForce == "de-DE") << inForce;
    for (const TextCase& c : TextCases())
      EXPECT_EQ(c.value.ToAnsiText(), inForce == "en-US" ? c.unitedStates : c.german)
          << c.what << " under " << locale;
  }
}

TEST(ComChangeType, ValuesWithoutTextFailAndConversionInPlaceReplacesTheSource) {
  LocalePin pin("en-US");
  const Variant null = Typed(VT_NULL, [](VARIANT&) {});
  Variant target = Variant::FromInt(5);
  EXPECT_EQ(VariantChangeType(target.Get(), const_cast<VARIANT*>(null.Get()), 0, VT_BSTR),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(target.Type(), VT_I4);
  EXPECT_EQ(null.ToAnsiText(), "");
  // Excel's "missing argument".
  EXPECT_EQ(Typed(VT_ERROR, [](VARIANT& v) { v.scode = DISP_E_PARAMNOTFOUND; }).ToAnsiText(), "");

  Variant value = Variant::FromDouble(2.75);
  ASSERT_EQ(VariantChangeType(value.Get(), value.Get(), 0, VT_BSTR), S_OK);
  ASSERT_EQ(value.Type(), VT_BSTR);
  EXPECT_EQ(value.ToAnsiText(), LocaleInForce() == "de-DE" ? "2,75" : "2.75");
}

TEST(ComChangeType, NumbersRoundHalfToEvenReportOverflowAndTextFollowsTheRegionalSettings) {
  struct Case {
    const char* locale;
    Variant value;
    VARTYPE type;
    HRESULT result;
    double expected;
  };
  const Case cases[] = {
      {"en-US", Variant::FromDouble(2.5), VT_I4, S_OK, 2},
      {"en-US", Variant::FromDouble(3.5), VT_I4, S_OK, 4},
      {"en-US", Variant::FromDouble(-2.5), VT_I4, S_OK, -2},
      {"en-US", Variant::FromDouble(3e9), VT_I4, DISP_E_OVERFLOW, 0},
      {"en-US", Variant::FromInt(40000), VT_I2, DISP_E_OVERFLOW, 0},
      {"en-US", Variant::FromInt(7), VT_R8, S_OK, 7},
      {"en-US", Variant::FromDate(38651.25), VT_R8, S_OK, 38651.25},
      {"en-US", Variant::FromDouble(38651.5), VT_DATE, S_OK, 38651.5},
      {"en-US", Variant(), VT_I4, S_OK, 0},
      {"en-US", Variant::FromString("1.5"), VT_R8, S_OK, 1.5},
      {"de-DE", Variant::FromString("1,5"), VT_R8, S_OK, 1.5},
      {"en-US", Variant::FromString(" 42 "), VT_I4, S_OK, 42},
      {"en-US", Variant::FromString("1.5"), VT_I4, S_OK, 2},
      {"en-US", Variant::FromString("abc"), VT_R8, DISP_E_TYPEMISMATCH, 0},
      {"en-US", Variant::FromString(""), VT_R8, DISP_E_TYPEMISMATCH, 0},
      {"en-US", Variant::FromString("10/26/2005"), VT_DATE, S_OK, 38651},
      {"en-US", Variant::FromString("9:00"), VT_DATE, S_OK, 0.375},
      {"de-DE", Variant::FromString("26.10.2005"), VT_DATE, S_OK, 38651},
      {"en-US", Variant::FromString("abc"), VT_DATE, DISP_E_TYPEMISMATCH, 0},
  };
  for (const Case& c : cases) {
    LocalePin pin(c.locale);
    if (LocaleInForce() != c.locale) continue;  // Windows: another locale's case
    Variant converted;
    const HRESULT hr = VariantChangeType(converted.Get(), const_cast<VARIANT*>(c.value.Get()), 0, c.type);
    EXPECT_EQ(hr, c.result) << c.value.ToAnsiText() << " to " << c.type;
    if (hr != S_OK) continue;
    ASSERT_EQ(converted.Type(), c.type);
    const VARIANT& v = *converted.Get();
    const double value = c.type == VT_I4 ? v.lVal : c.type == VT_I2 ? v.iVal : v.dblVal;
    EXPECT_EQ(value, c.expected) << c.value.ToAnsiText() << " to " << c.type;
  }
}

}  // namespace
}  // namespace tavir
