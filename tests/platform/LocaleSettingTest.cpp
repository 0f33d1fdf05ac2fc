// Locale port, portable build: which locale the environment selects, and an
// unknown TAVIR_LOCALE. (Windows takes the locale from the user's settings.)
#include <gtest/gtest.h>

#if !defined(_WIN32)

#include <optional>
#include <string>

#include "platform/ConfigurationError.h"
#include "platform/Locale.h"
#include "support/Environment.h"

namespace tavir {
namespace {

struct Setting {
  std::optional<std::string> tavirLocale, lcAll, lcTime, lang;
  const char* expected;
};

TEST(LocaleSettingTest, TavirLocaleThenLcAllLcTimeLangChooseTheLocale) {
  using std::nullopt;
  const Setting settings[] = {
      {"de-DE", "fr_FR.UTF-8", nullopt, nullopt, "de-DE"},
      {"de_DE", nullopt, nullopt, nullopt, "de-DE"},
      {"EN-gb", nullopt, nullopt, nullopt, "en-GB"},
      {nullopt, "fr_FR.UTF-8", "de_DE.UTF-8", "en_GB.UTF-8", "fr-FR"},
      {nullopt, nullopt, "en_GB.UTF-8", "de_DE.UTF-8", "en-GB"},
      {nullopt, nullopt, nullopt, "de_DE.UTF-8", "de-DE"},
      {nullopt, nullopt, nullopt, "de_AT.UTF-8@euro", "de-DE"},
      {nullopt, nullopt, nullopt, "fr_CA", "fr-FR"},
      {nullopt, nullopt, nullopt, "ja_JP.UTF-8", "en-US"},
      {nullopt, "C", nullopt, "de_DE.UTF-8", "en-US"},
      {nullopt, nullopt, nullopt, nullopt, "en-US"},
      {"", nullopt, nullopt, "de_DE", "de-DE"},
  };
  for (const Setting& s : settings) {
    test_support::ScopedEnvironmentVariable tavir("TAVIR_LOCALE", s.tavirLocale);
    test_support::ScopedEnvironmentVariable all("LC_ALL", s.lcAll);
    test_support::ScopedEnvironmentVariable time("LC_TIME", s.lcTime);
    test_support::ScopedEnvironmentVariable lang("LANG", s.lang);
    EXPECT_EQ(ActiveLocaleName(), s.expected)
        << s.tavirLocale.value_or("-") << " " << s.lcAll.value_or("-") << " "
        << s.lcTime.value_or("-") << " " << s.lang.value_or("-");
    EXPECT_NO_THROW(CheckLocaleSetting());
  }
}

TEST(LocaleSettingTest, UnknownTavirLocaleIsReportedAndFormatsFallBackToEnglishUs) {
  test_support::ScopedEnvironmentVariable tavir("TAVIR_LOCALE", "xx-YY");
  test_support::ScopedEnvironmentVariable lang("LANG", "de_DE.UTF-8");
  try {
    CheckLocaleSetting();
    FAIL() << "an unknown TAVIR_LOCALE was accepted";
  } catch (const ConfigurationError& error) {
    const std::string message = error.what();
    for (const char* part : {"TAVIR_LOCALE", "xx-YY", "en-US", "en-GB", "de-DE", "fr-FR"})
      EXPECT_NE(message.find(part), std::string::npos) << part << " missing in: " << message;
  }
  EXPECT_EQ(FormatShortDate(2005, 10, 26), "10/26/2005");
  EXPECT_EQ(ListSeparator(), std::optional<std::string>(","));
}

}  // namespace
}  // namespace tavir

#endif
