// The spreadsheet stand-in as the program and the tests see it: wiring it in
// as "Excel.Application", and the counts and injected failures that let
// tests watch and disturb what ExcelFile asks of it.
#pragma once

#include <string>

#include "platform/Com.h"
#include "platform/FaultInjector.h"

namespace tavir::spreadsheet {

// Wires the stand-in under "Excel.Application". declareOfficeKey: it also
// declares the HKEY_LOCAL_MACHINE key Software\Microsoft\Office, as an Office
// installation creates it; without it the availability test fails at its
// first step, which is how tests play a machine without Office.
void RegisterSpreadsheetStandIn(bool declareOfficeKey = true);
void UnregisterSpreadsheetStandIn();

struct StandInCounters {
  int applicationsCreated = 0;
  int quits = 0;
  int blockTransfers = 0;  // Value assigned to a range of more than one cell
  int lastBlockRows = 0;   // the shape of the last block transfer
  int lastBlockColumns = 0;
  int directCellWrites = 0;  // Value assigned to a single cell
  int saves = 0;             // files written by SaveAs or Save
};
StandInCounters& Counters();
// Resets the counters and clears the injected failures.
void ResetStandIn();

// Failures of the stand-in's members, named as Excel names them ("Save",
// "Quit"): the call fails with DISP_E_EXCEPTION carrying the fault's error and
// description, as Excel reports errors.
FaultInjector& Faults();

}  // namespace tavir::spreadsheet
