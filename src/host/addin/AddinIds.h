// The add-in's identities and fixed texts as the C++ code uses them: class
// and library ids, the host's interface ids for the add-in framework, the
// names registration writes and the menu item the add-in adds.
#pragma once

#include "host/addin/AddinGuids.h"
#include "platform/Com.h"

namespace tavir::addin {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" to a GUID, at compile time.
constexpr GUID GuidFromText(const char* text) {
  auto hex = [&](int from, int digits) {
    unsigned long value = 0;
    for (int i = from; i < from + digits; ++i) {
      const char c = text[i];
      value = value * 16 + static_cast<unsigned long>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    }
    return value;
  };
  GUID guid{};
  guid.Data1 = static_cast<decltype(guid.Data1)>(hex(1, 8));
  guid.Data2 = static_cast<unsigned short>(hex(10, 4));
  guid.Data3 = static_cast<unsigned short>(hex(15, 4));
  constexpr int kByteAt[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (int i = 0; i < 8; ++i)
    guid.Data4[i] = static_cast<unsigned char>(hex(kByteAt[i], 2));
  return guid;
}

inline constexpr char kAddinClassIdText[] = TAVIR_GUID_TEXT(TAVIR_ADDIN_CLSID);
inline constexpr char kCommandClassIdText[] = TAVIR_GUID_TEXT(TAVIR_COMMAND_CLSID);
inline constexpr char kTypeLibraryIdText[] = TAVIR_GUID_TEXT(TAVIR_TYPELIB_ID);
inline constexpr CLSID kAddinClassId = GuidFromText(kAddinClassIdText);
inline constexpr CLSID kCommandClassId = GuidFromText(kCommandClassIdText);
inline constexpr GUID kTypeLibraryId = GuidFromText(kTypeLibraryIdText);

// The host's add-in framework.
inline constexpr IID kIDesktopAddin = GuidFromText("{5B5B8648-42E9-11D4-80F2-00C04FA03755}");
inline constexpr IID kIDesktopCommand = GuidFromText("{5BC6D01A-42E9-11D4-80F2-00C04FA03755}");

inline constexpr char kProgId[] = "TAVIRAddIn.TAVIRAddInAddin.1";
inline constexpr char kVersionIndependentProgId[] = "TAVIRAddIn.TAVIRAddInAddin";
inline constexpr char kClassName[] = "TAVIRAddIn Addin Class";
inline constexpr char kListEntryName[] = "TAVIRAddIn Addin";

inline constexpr char kCommandName[] = "TAVIRAddInCommand";
inline constexpr char kMenuText[] = "&TAVIR\tCalvetra in a variety of formats\tCalvetra";
inline constexpr int kMenuBitmap = 201;
inline constexpr int kMenuFlags = 4;
inline constexpr int kFrameworkVersion = 2;
inline constexpr char kMessageCaption[] = "TAVIRAddIn";
inline constexpr char kLanguageFileName[] = "TAVIRLangDE.dll";

}  // namespace tavir::addin
