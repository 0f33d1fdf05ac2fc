// IDispatch plumbing shared by the stand-in's objects, with the counters and
// the injected failures that tests use.
#include "spreadsheet/DispatchObject.h"

#include <optional>

#include "spreadsheet/StandIn.h"

namespace tavir::spreadsheet {

namespace {

// The member's name, as tests name it when they make it fail.
const char* MemberName(DISPID id) {
  static const struct {
    DISPID id;
    const char* name;
  } names[] = {{member::kDefault, "Default"},     {member::kValue, "Value"},
               {member::kCount, "Count"},         {member::kAdd, "Add"},
               {member::kCells, "Cells"},         {member::kResize, "Resize"},
               {member::kRows, "Rows"},           {member::kRowHeight, "RowHeight"},
               {member::kClose, "Close"},         {member::kSave, "Save"},
               {member::kSaveAs, "SaveAs"},       {member::kQuit, "Quit"},
               {member::kUsedRange, "UsedRange"}, {member::kSheets, "Sheets"},
               {member::kWorkbooks, "Workbooks"}, {member::kOpen, "Open"}};
  for (const auto& entry : names) {
    if (entry.id == id)
      return entry.name;
  }
  return "";
}

const VARIANT& Dereferenced(const VARIANT& value) {
  if (value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal)
    return *value.pvarVal;
  return value;
}

HRESULT ReportException(EXCEPINFO* exception, HRESULT error, const std::string& text) {
  if (exception) {
    *exception = EXCEPINFO{};
    exception->bstrSource = Bstr(std::string("Spreadsheet")).Detach();
    exception->bstrDescription = Bstr(text).Detach();
    exception->scode = error;
  }
  return DISP_E_EXCEPTION;
}

}  // namespace

StandInCounters& Counters() {
  static StandInCounters counters;
  return counters;
}

void ResetStandIn() {
  Counters() = StandInCounters{};
  Faults().Clear();
}

FaultInjector& Faults() {
  static FaultInjector faults;
  return faults;
}

DispatchArguments::DispatchArguments(const DISPPARAMS* parameters, WORD kind)
    : parameters_(parameters), isPut_((kind & DISPATCH_PROPERTYPUT) != 0) {
  const unsigned all = parameters ? parameters->cArgs : 0;
  count_ = isPut_ && all > 0 ? all - 1 : all;
}

const VARIANT& DispatchArguments::At(unsigned index) const {
  if (index >= count_)
    throw SpreadsheetError(DISP_E_PARAMNOTFOUND, "A required argument is missing.");
  return Dereferenced(parameters_->rgvarg[parameters_->cArgs - 1 - index]);
}

const VARIANT& DispatchArguments::PutValue() const {
  if (!isPut_ || !parameters_ || parameters_->cArgs == 0)
    throw SpreadsheetError(DISP_E_PARAMNOTFOUND, "The value to assign is missing.");
  return Dereferenced(parameters_->rgvarg[0]);
}

long DispatchArguments::Long(unsigned index) const {
  Variant converted;
  if (FAILED(VariantChangeType(converted.Get(), const_cast<VARIANT*>(&At(index)), 0, VT_I4)))
    throw SpreadsheetError(DISP_E_TYPEMISMATCH, "An argument is not a number.");
  return converted.Get()->lVal;
}

std::string DispatchArguments::Text(unsigned index) const {
  const VARIANT& value = At(index);
  if (value.vt != VT_BSTR)
    throw SpreadsheetError(DISP_E_TYPEMISMATCH, "An argument is not a text.");
  Variant copy;
  VariantCopy(copy.Get(), const_cast<VARIANT*>(&value));
  return copy.ToAnsiText();
}

STDMETHODIMP DispatchObject::GetTypeInfoCount(UINT* count) {
  if (!count)
    return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info)
    *info = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP DispatchObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return DISP_E_UNKNOWNNAME;  // callers use the dispatch ids directly
}

STDMETHODIMP DispatchObject::Invoke(DISPID member, REFIID, LCID, WORD kind, DISPPARAMS* parameters,
                                    VARIANT* result, EXCEPINFO* exception, UINT*) {
  if (parameters && parameters->cNamedArgs > 0 &&
      !((kind & DISPATCH_PROPERTYPUT) && parameters->cNamedArgs == 1 &&
        parameters->rgdispidNamedArgs && parameters->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT))
    return DISP_E_NONAMEDARGS;
  if (const std::optional<InjectedFault> fault = Faults().Hit("Spreadsheet", MemberName(member)))
    return ReportException(exception, fault->error, fault->description);
  try {
    Variant value;
    if (!Call(member, kind, DispatchArguments(parameters, kind), value))
      return DISP_E_MEMBERNOTFOUND;
    if (result) {
      // Hands the value over without copying (a whole sheet's array can be large).
      *result = *value.Get();
      VariantInit(value.Get());
    }
    return S_OK;
  } catch (const SpreadsheetError& e) {
    return ReportException(exception, e.Error(), e.what());
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception& e) {
    return ReportException(exception, kExcelRefused, e.what());
  }
}

Variant ObjectResult(const ComPtr<IDispatch>& object) {
  return Variant::FromDispatch(object.Get());
}

void CheckOpen(const WorkbookState& workbook) {
  if (workbook.closed)
    throw SpreadsheetError(static_cast<HRESULT>(0x800A01A8),
                           "Object required: the workbook was closed.");
}

}  // namespace tavir::spreadsheet
