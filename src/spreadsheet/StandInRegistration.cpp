// Wires the stand-in in as the "Excel.Application" automation server.
#include "platform/Automation.h"
#include "spreadsheet/Objects.h"
#include "spreadsheet/StandIn.h"

namespace tavir::spreadsheet {

namespace {
constexpr const char* kProgramId = "Excel.Application";
}

void RegisterSpreadsheetStandIn(bool declareOfficeKey) {
  std::vector<std::string> machineKeys;
  if (declareOfficeKey) machineKeys.push_back("Software\\Microsoft\\Office");
  RegisterAutomationServer(
      kProgramId,
      [](IDispatch** object) {
        if (!object) return E_POINTER;
        *object = NewApplication().Detach();
        return S_OK;
      },
      std::move(machineKeys));
}

void UnregisterSpreadsheetStandIn() { UnregisterAutomationServer(kProgramId); }

}  // namespace tavir::spreadsheet
