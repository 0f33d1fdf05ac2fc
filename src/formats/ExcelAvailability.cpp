// Whether Excel workbooks can be used: Office is installed and the
// spreadsheet application can be started.
#include "formats/AutomationCall.h"
#include "formats/FileFactories.h"
#include "platform/Automation.h"
#include "platform/ComError.h"

namespace tavir {

namespace {
constexpr DISPID kQuit = 0x12E;
}

bool IsExcelAvailable() {
  if (!AutomationMachineKeyExists("Software\\Microsoft\\Office")) return false;
  ComPtr<IDispatch> application;
  if (FAILED(CreateAutomationObject("Excel.Application", application))) return false;
  // The application could be started, which is what this test asks; a
  // refused Quit does not change that.
  try {
    CallMethod(application.Get(), kQuit);
  } catch (const ComError&) {
  }
  return true;
}

}  // namespace tavir
