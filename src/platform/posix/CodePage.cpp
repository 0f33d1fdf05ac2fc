// ANSI <-> UTF-16 through iconv (portable build). The ANSI code page is UTF-8
// when the codeset of the user's locale (LC_ALL / LC_CTYPE / LANG) is UTF-8,
// else Windows-1252.
#include "platform/CodePage.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/ScopedHandle.h"

namespace tavir {
namespace {

constexpr const char* kUtf8 = "UTF-8";
constexpr const char* kWindows1252 = "WINDOWS-1252";
constexpr const char* kUtf16 = "UTF-16LE";

bool NameSaysUtf8(std::string name) {
  for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return name.find("utf-8") != std::string::npos || name.find("utf8") != std::string::npos;
}

// The codeset of the locale the environment names, without changing the
// process's own locale.
bool LocaleCodesetIsUtf8(const std::string& localeName) {
  locale_t locale = newlocale(LC_CTYPE_MASK, localeName.c_str(), static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) {
    // The locale is not installed; its name still tells the user's intent.
    return NameSaysUtf8(localeName);
  }
  const bool utf8 = NameSaysUtf8(nl_langinfo_l(CODESET, locale));
  freelocale(locale);
  return utf8;
}

std::string CtypeLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}

struct ConversionTraits {
  using Handle = iconv_t;
  static Handle Invalid() { return reinterpret_cast<iconv_t>(-1); }
  static bool Close(Handle handle) { return iconv_close(handle) == 0; }
};

// Owns an iconv conversion descriptor.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  bool IsOpen() const { return handle_.IsValid(); }

  // Converts all of `input`. At a sequence it cannot convert, `onFailure`
  // gets the rest of the input, appends a replacement to the output and
  // returns how many input bytes it stands for.
  template <typename OnFailure>
  std::string Convert(std::string_view input, OnFailure onFailure) {
    iconv(handle_.Get(), nullptr, nullptr, nullptr, nullptr);
    std::string output;
    char buffer[4096];
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
      char* out = buffer;
      size_t outLeft = sizeof buffer;
      const size_t result = iconv(handle_.Get(), &in, &inLeft, &out, &outLeft);
      output.append(buffer, sizeof buffer - outLeft);
      if (result != static_cast<size_t>(-1) || errno == E2BIG) continue;
      // EILSEQ, or EINVAL for a sequence cut short at the end.
      const size_t skipped = onFailure(std::string_view(in, inLeft), output);
      in += skipped;
      inLeft -= skipped;
      iconv(handle_.Get(), nullptr, nullptr, nullptr, nullptr);
    }
    return output;
  }

 private:
  ScopedHandle<ConversionTraits> handle_;
};

// Opening a descriptor searches iconv's module tables and costs far more than
// converting a short text, so each thread keeps the few it uses open.
Converter& OpenConverter(const char* to, const char* from) {
  struct Cached {
    const char* to;
    const char* from;
    std::unique_ptr<Converter> converter;
  };
  thread_local std::vector<Cached> cache;
  for (Cached& cached : cache)
    if (cached.to == to && cached.from == from) return *cached.converter;
  cache.push_back({to, from, std::make_unique<Converter>(to, from)});
  return *cache.back().converter;
}

void AppendUtf16(std::string& output, char16_t unit) {
  output += static_cast<char>(unit & 0xFF);
  output += static_cast<char>(unit >> 8);
}

WideString Utf16BytesToWide(const std::string& bytes) {
  WideString wide;
  wide.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    wide += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  static_cast<unsigned char>(bytes[i + 1]) << 8);
  return wide;
}

// Both code pages give ASCII the same values as UTF-16, and most texts are
// ASCII: those need no converter.
bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsAscii(const OLECHAR* text, size_t length) {
  return std::all_of(text, text + length, [](OLECHAR unit) { return unit < 0x80; });
}

WideString ToWide(std::string_view text, bool utf8) {
  if (IsAscii(text)) return WideString(text.begin(), text.end());
  Converter& converter = OpenConverter(kUtf16, utf8 ? kUtf8 : kWindows1252);
  if (!converter.IsOpen()) return WideString(text.size(), u'\uFFFD');
  return Utf16BytesToWide(converter.Convert(text, [utf8](std::string_view rest, std::string& out) {
    // Windows maps the five bytes Windows-1252 leaves undefined to the C1
    // control characters of the same value.
    AppendUtf16(out, utf8 ? u'\uFFFD' : static_cast<char16_t>(static_cast<unsigned char>(rest[0])));
    return size_t{1};
  }));
}

std::string FromWide(const OLECHAR* text, size_t length, bool utf8) {
  if (IsAscii(text, length)) return std::string(text, text + length);
  std::string bytes;
  bytes.reserve(length * 2);
  for (size_t i = 0; i < length; ++i) AppendUtf16(bytes, text[i]);
  Converter& converter = OpenConverter(utf8 ? kUtf8 : kWindows1252, kUtf16);
  // As Windows does: U+FFFD in UTF-8, '?' where the code page lacks the character.
  const std::string_view replacement = utf8 ? "\xEF\xBF\xBD" : "?";
  if (!converter.IsOpen()) return std::string(length, '?');
  return converter.Convert(bytes, [replacement](std::string_view rest, std::string& out) {
    out += replacement;
    const auto unitAt = [rest](size_t offset) {
      return static_cast<char16_t>(static_cast<unsigned char>(rest[offset]) |
                                   static_cast<unsigned char>(rest[offset + 1]) << 8);
    };
    if (rest.size() < 2) return rest.size();
    // One character: a single unit, or a high and a low surrogate together.
    const bool pair = rest.size() >= 4 && unitAt(0) >= 0xD800 && unitAt(0) <= 0xDBFF &&
                      unitAt(2) >= 0xDC00 && unitAt(2) <= 0xDFFF;
    return size_t{pair ? 4u : 2u};
  });
}

}  // namespace

bool AnsiCodePageIsUtf8() {
  // Decided once per locale setting; tests change LC_ALL between cases.
  static std::mutex mutex;
  static std::string decidedFor;
  static bool utf8 = false;
  const std::lock_guard<std::mutex> lock(mutex);
  const std::string name = CtypeLocaleName();
  if (name != decidedFor || decidedFor.empty()) {
    utf8 = LocaleCodesetIsUtf8(name);
    decidedFor = name;
  }
  return utf8;
}

// ASCII reads the same in every code page, so most texts are converted
// without asking which code page the locale has (which reads the environment).
WideString AnsiToWide(std::string_view ansi) {
  if (IsAscii(ansi))
    return WideString(ansi.begin(), ansi.end());
  return ToWide(ansi, AnsiCodePageIsUtf8());
}

std::string WideToAnsi(const OLECHAR* text, size_t length) {
  if (IsAscii(text, length))
    return std::string(text, text + length);
  return FromWide(text, length, AnsiCodePageIsUtf8());
}

std::string WideToAnsi(const WideString& text) { return WideToAnsi(text.data(), text.size()); }

std::string AnsiToUtf8(std::string_view ansi) {
  if (IsAscii(ansi))
    return std::string(ansi);
  const WideString wide = AnsiToWide(ansi);
  return FromWide(wide.data(), wide.size(), true);
}

}  // namespace tavir
