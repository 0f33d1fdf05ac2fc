// The German language file against the English module: every resource of
// the one is in the other, strings keep their printf conversions and file
// type patterns, dialogs keep their control ids and positions, and the
// version rule picks the file only when the first three parts match.
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/addin/LanguageFile.h"
#include "platform/CodePage.h"
#include "win/AddInHostFixture.h"

namespace tavir::test_support {
namespace {

struct LoadedModule {
  explicit LoadedModule(const std::wstring& path)
      : module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~LoadedModule() {
    if (module)
      FreeLibrary(module);
  }
  HMODULE module;
};

// Resource key: type and name as text ("#5" for numbers).
std::string KeyOf(LPCWSTR value) {
  if (IS_INTRESOURCE(value))
    return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(value));
  return WideToAnsi(value);
}

std::map<std::string, std::vector<LPCWSTR>> Inventory(HMODULE module) {
  std::map<std::string, std::vector<LPCWSTR>> names;  // values unused
  struct Walk {
    static BOOL CALLBACK Name(HMODULE, LPCWSTR type, LPWSTR name, LONG_PTR found) {
      (*reinterpret_cast<std::set<std::string>*>(found)).insert(KeyOf(type) + " " + KeyOf(name));
      return TRUE;
    }
    static BOOL CALLBACK Type(HMODULE module, LPWSTR type, LONG_PTR found) {
      EnumResourceNamesW(module, type, &Walk::Name, found);
      return TRUE;
    }
  };
  std::set<std::string> found;
  EnumResourceTypesW(module, &Walk::Type, reinterpret_cast<LONG_PTR>(&found));
  for (const std::string& key : found)
    names[key];
  return names;
}

std::vector<std::string> Conversions(const std::string& text) {
  static const std::regex conversion(R"(%[-+ #0]*\d*(\.\d+)?[hlL]*[diouxXeEfgGcsp%])");
  std::vector<std::string> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), conversion);
       it != std::sregex_iterator(); ++it)
    found.push_back(it->str());
  return found;
}

// The "|*.ext|" patterns of a file-type entry: every second part.
std::vector<std::string> Patterns(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t bar; (bar = text.find('|', start)) != std::string::npos; start = bar + 1)
    parts.push_back(text.substr(start, bar - start));
  std::vector<std::string> patterns;
  for (std::size_t i = 1; i < parts.size(); i += 2)
    patterns.push_back(parts[i]);
  return patterns;
}

std::string Text(HMODULE module, UINT id) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? WideToAnsi(std::wstring(text, length)) : std::string();
}

// Control id and position of every item of a DLGTEMPLATEEX.
std::vector<std::string> Controls(HMODULE module, LPCWSTR name) {
  const HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(5));
  const auto* words = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
  if (!words || words[1] != 0xFFFF)
    return {"not a DLGTEMPLATEEX"};
  const DWORD style = *reinterpret_cast<const DWORD*>(words + 6);
  const WORD count = words[8];
  const WORD* p = words + 13;  // after dlgVer..cy
  auto skipText = [&] {
    if (*p == 0xFFFF) {
      p += 2;
    } else {
      while (*p++) {
      }
    }
  };
  skipText();  // menu
  skipText();  // class
  skipText();  // title
  if (style & DS_SETFONT) {
    p += 3;  // point size, weight, italic and charset
    skipText();
  }
  std::vector<std::string> controls;
  for (WORD i = 0; i < count; ++i) {
    p = reinterpret_cast<const WORD*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR{3});
    const auto* item = reinterpret_cast<const short*>(p + 6);  // after helpID, exStyle, style
    const DWORD id = *reinterpret_cast<const DWORD*>(p + 10);
    controls.push_back(std::to_string(static_cast<int>(id)) + "@" + std::to_string(item[0]) + "," +
                       std::to_string(item[1]) + "," + std::to_string(item[2]) + "," +
                       std::to_string(item[3]));
    p += 12;
    skipText();                                                                    // class
    skipText();                                                                    // title
    p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p + 1) + *p);  // extra data
  }
  return controls;
}

TEST(LanguageFileTest, GermanHoldsEveryEnglishResourceWithTheSameShape) {
  const LoadedModule english(WindowsPath(TAVIR_ADDIN_DLL));
  const LoadedModule german(WindowsPath(TAVIR_LANGUAGE_DLL));
  ASSERT_TRUE(english.module && german.module);
  const auto germanInventory = Inventory(german.module);
  int strings = 0;
  for (const auto& [key, unused] : Inventory(english.module)) {
    // The type library and version information are the add-in's own.
    if (key.rfind("TYPELIB ", 0) == 0 || key.rfind("#16 ", 0) == 0)
      continue;
    EXPECT_TRUE(germanInventory.count(key)) << key;
    if (key.rfind("#6 ", 0) == 0) {  // a string block: 16 strings
      const UINT first = (std::stoul(key.substr(4)) - 1) * 16;
      for (UINT id = first; id < first + 16; ++id) {
        const std::string text = Text(english.module, id);
        if (text.empty())
          continue;
        ++strings;
        const std::string translated = Text(german.module, id);
        EXPECT_FALSE(translated.empty()) << id;
        EXPECT_EQ(Conversions(translated), Conversions(text)) << id << ": " << translated;
        EXPECT_EQ(Patterns(translated), Patterns(text)) << id << ": " << translated;
      }
    }
    if (key.rfind("#5 ", 0) == 0) {
      const LPCWSTR name = MAKEINTRESOURCEW(std::stoi(key.substr(4)));
      EXPECT_EQ(Controls(german.module, name), Controls(english.module, name)) << key;
    }
  }
  EXPECT_GT(strings, 100);
  EXPECT_EQ(Text(german.module, 32904), "Fehler beim Import/Export:\n%s");
  EXPECT_EQ(Text(german.module, 32912), "Text enth\xe4lt");  // read as UTF-8 source
}

// The version rule: copies of the German file patched to another version.
TEST(LanguageFileTest, UsedOnlyWhenMajorMinorAndBuildMatch) {
  const ScratchDirectory directory("tavir-language-rule");
  const struct {
    std::optional<int> raisedPart;  // 0 revision, 1 build, 2 minor, 3 major
    bool present;
    bool used;
  } cases[] = {{std::nullopt, true, true}, {0, true, true},  {1, true, false},
               {2, true, false},           {3, true, false}, {std::nullopt, false, false}};
  int run = 0;
  for (const auto& rule : cases) {
    const auto module = CopyModuleBesideLanguageFile(directory.Path() / std::to_string(run++),
                                                     rule.raisedPart, rule.present);
    const ModuleOwner language = addin::LoadLanguageFile(module.wstring());
    EXPECT_EQ(language.IsValid(), rule.used) << rule.raisedPart.value_or(-1) << " " << rule.present;
  }
}

}  // namespace
}  // namespace tavir::test_support
