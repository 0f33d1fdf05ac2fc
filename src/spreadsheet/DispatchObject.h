// The IDispatch plumbing of the stand-in's objects: reference counting,
// argument access in the caller's order, and errors reported through
// EXCEPINFO as Excel reports them.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/ComObject.h"
#include "platform/ComOwners.h"
#include "platform/ComPtr.h"
#include "spreadsheet/WorkbookData.h"

namespace tavir::spreadsheet {

// The dispatch ids of the members the stand-in answers.
namespace member {
constexpr DISPID kDefault = 0, kValue = 6, kCount = 0x76, kAdd = 0xB5, kCells = 0xEE,
                 kResize = 0x100, kRows = 0x102, kRowHeight = 0x110, kClose = 0x115, kSave = 0x11B,
                 kSaveAs = 0x11C, kQuit = 0x12E, kUsedRange = 0x19C, kSheets = 0x1E5,
                 kWorkbooks = 0x23C, kOpen = 0x2AA;
}  // namespace member

// Excel's run-time error for an operation it refuses (0x800A03EC).
constexpr HRESULT kExcelRefused = static_cast<HRESULT>(0x800A03EC);

// Thrown inside a member; Invoke turns it into DISP_E_EXCEPTION.
class SpreadsheetError : public std::runtime_error {
 public:
  SpreadsheetError(HRESULT error, const std::string& text)
      : std::runtime_error(text), error_(error) {}
  HRESULT Error() const { return error_; }

 private:
  HRESULT error_;
};

// The arguments of one call, numbered in the caller's order (Invoke receives
// them last first).
class DispatchArguments {
 public:
  DispatchArguments(const DISPPARAMS* parameters, WORD kind);
  unsigned Count() const { return count_; }
  // Throws SpreadsheetError when missing or not convertible.
  long Long(unsigned index) const;
  std::string Text(unsigned index) const;
  const VARIANT& At(unsigned index) const;
  // The value of a property put.
  const VARIANT& PutValue() const;

 private:
  const DISPPARAMS* parameters_;
  unsigned count_;
  bool isPut_;
};

// The state that a workbook's objects share.
struct WorkbookState {
  WorkbookData data;
  std::string fileName;
  bool closed = false;
};

class DispatchObject : public ComObject<IDispatch> {
 public:
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  STDMETHODIMP Invoke(DISPID member, REFIID, LCID, WORD kind, DISPPARAMS* parameters,
                      VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

 protected:
  DispatchObject() = default;
  bool Offers(REFIID iid) const override { return IsEqualIID(iid, IID_IDispatch); }
  // Runs one member; false when the object has no such member.
  virtual bool Call(DISPID member, WORD kind, const DispatchArguments& arguments,
                    Variant& result) = 0;
};

// A new object whose only reference the returned pointer owns.
template <typename T, typename... Args>
ComPtr<IDispatch> MakeObject(Args&&... args) {
  return ComPtr<IDispatch>(new T(std::forward<Args>(args)...));
}

// Hands a new object to the caller as the call's result.
Variant ObjectResult(const ComPtr<IDispatch>& object);
// Fails a call on a workbook that was closed meanwhile.
void CheckOpen(const WorkbookState& workbook);

}  // namespace tavir::spreadsheet
