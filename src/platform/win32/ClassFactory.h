// A COM class factory over an automation factory function (Windows): used for
// wired in-process servers and by the spreadsheet stand-in's server DLL.
#pragma once

#include "platform/Automation.h"

namespace tavir {

ComPtr<IClassFactory> MakeClassFactory(AutomationFactory factory);

}  // namespace tavir
