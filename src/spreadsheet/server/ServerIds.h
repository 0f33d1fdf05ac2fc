// The class id under which the spreadsheet stand-in's server DLL offers its
// application object (Windows), in binary and registry form.
#pragma once

#include "platform/Com.h"

namespace tavir::spreadsheet {

inline const CLSID kStandInClassId = {0x4F3A6B2C, 0x9D1E, 0x4C7A, {0x8B, 0x5F, 0x2E, 0x6D, 0x9A, 0x1C, 0x3B, 0x70}};
inline constexpr const wchar_t* kStandInClassIdText = L"{4F3A6B2C-9D1E-4C7A-8B5F-2E6D9A1C3B70}";

}  // namespace tavir::spreadsheet
