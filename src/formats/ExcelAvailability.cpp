// Whether Excel workbooks can be used: Office is installed and the
// spreadsheet application can be started.
#include "formats/AutomationCall.h"
#include "formats/FileFactories.h"
#include "platform/Automation.h"

namespace tavir {

namespace {
constexpr DISPID kQuit = 0x12E;
}

bool IsExcelAvailable() {
  if (!AutomationMachineKeyExists("Software\\Microsoft\\Office")) return false;
  ComPtr<IDispatch> application;
  if (FAILED(CreateAutomationObject("Excel.Application", application))) return false;
  CallMethod(application.Get(), kQuit);
  return true;
}

}  // namespace tavir
