// Owners of BSTR, VARIANT and SAFEARRAY over the COM API of either platform.
#include "platform/ComOwners.h"

#include <new>
#include <utility>

#include "platform/CodePage.h"
#include "platform/ComError.h"

namespace tavir {

namespace {

BSTR AllocateCopy(const WideString& text) {
  BSTR copy = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!copy) throw std::bad_alloc();
  return copy;
}

void CheckArrayCall(HRESULT hr) {
  if (FAILED(hr)) throw ComError(hr, "SAFEARRAY", "");
}

}  // namespace

// ---- Bstr ----

Bstr::Bstr(const std::string& ansi) : value_(AllocateCopy(AnsiToWide(ansi))) {}

Bstr::Bstr(const WideString& text) : value_(AllocateCopy(text)) {}

Bstr::Bstr(Bstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
  if (this != &other) {
    SysFreeString(value_);
    value_ = std::exchange(other.value_, nullptr);
  }
  return *this;
}

Bstr::~Bstr() { SysFreeString(value_); }

BSTR* Bstr::Receive() {
  SysFreeString(std::exchange(value_, nullptr));
  return &value_;
}

BSTR Bstr::Detach() { return std::exchange(value_, nullptr); }

unsigned Bstr::Length() const { return SysStringLen(value_); }

std::string Bstr::ToAnsi() const { return value_ ? WideToAnsi(value_, Length()) : std::string(); }

WideString Bstr::ToWide() const { return value_ ? WideString(value_, Length()) : WideString(); }

// ---- Variant ----

Variant::Variant() { VariantInit(&value_); }

Variant::Variant(const Variant& other) {
  VariantInit(&value_);
  if (HRESULT hr = VariantCopy(&value_, const_cast<VARIANT*>(&other.value_)); FAILED(hr)) {
    throw ComError(hr, "VARIANT", "");
  }
}

Variant& Variant::operator=(const Variant& other) {
  if (this != &other) {
    Variant copy(other);
    *this = std::move(copy);
  }
  return *this;
}

Variant::Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    VariantClear(&value_);
    value_ = other.value_;
    VariantInit(&other.value_);
  }
  return *this;
}

Variant::~Variant() { VariantClear(&value_); }

Variant Variant::FromInt(std::int32_t value) {
  Variant result;
  result.value_.vt = VT_I4;
  result.value_.lVal = value;
  return result;
}

Variant Variant::FromDouble(double value) {
  Variant result;
  result.value_.vt = VT_R8;
  result.value_.dblVal = value;
  return result;
}

Variant Variant::FromDate(double oleDate) {
  Variant result;
  result.value_.vt = VT_DATE;
  result.value_.date = oleDate;
  return result;
}

Variant Variant::FromString(const std::string& ansi) { return FromWide(AnsiToWide(ansi)); }

Variant Variant::FromWide(const WideString& text) {
  Variant result;
  result.value_.bstrVal = AllocateCopy(text);
  result.value_.vt = VT_BSTR;
  return result;
}

Variant Variant::FromDispatch(IDispatch* object) {
  Variant result;
  if (object) object->AddRef();
  result.value_.pdispVal = object;
  result.value_.vt = VT_DISPATCH;
  return result;
}

VARIANT* Variant::Receive() {
  VariantClear(&value_);
  return &value_;
}

std::string Variant::ToAnsiText() const {
  if (value_.vt == VT_BSTR) {
    return value_.bstrVal ? WideToAnsi(value_.bstrVal, SysStringLen(value_.bstrVal)) : std::string();
  }
  Variant text;
  if (FAILED(VariantChangeType(text.Get(), const_cast<VARIANT*>(&value_), 0, VT_BSTR))) return {};
  return text.ToAnsiText();
}

// ---- SafeArray ----

SafeArray::SafeArray(long rows, long columns) {
  if (rows < 0 || columns < 0) throw ComError(E_INVALIDARG, "SAFEARRAY", "");
  SAFEARRAYBOUND bounds[2];
  bounds[0].cElements = static_cast<ULONG>(rows);  // dimension 1: rows
  bounds[0].lLbound = 1;
  bounds[1].cElements = static_cast<ULONG>(columns);  // dimension 2: columns
  bounds[1].lLbound = 1;
  array_ = SafeArrayCreate(VT_VARIANT, 2, bounds);
  if (!array_) throw ComError(E_OUTOFMEMORY, "SAFEARRAY", "");
}

SafeArray::SafeArray(SafeArray&& other) noexcept : array_(std::exchange(other.array_, nullptr)) {}

SafeArray& SafeArray::operator=(SafeArray&& other) noexcept {
  if (this != &other) {
    SafeArrayDestroy(array_);
    array_ = std::exchange(other.array_, nullptr);
  }
  return *this;
}

SafeArray::~SafeArray() { SafeArrayDestroy(array_); }

SAFEARRAY* SafeArray::Detach() { return std::exchange(array_, nullptr); }

namespace {

long Extent(SAFEARRAY* array, UINT dimension) {
  LONG lower = 0, upper = -1;
  CheckArrayCall(SafeArrayGetLBound(array, dimension, &lower));
  CheckArrayCall(SafeArrayGetUBound(array, dimension, &upper));
  return static_cast<long>(upper) - lower + 1;
}

void CheckVariantArray(SAFEARRAY* array) {
  VARTYPE type = VT_EMPTY;
  if (!array) throw ComError(E_POINTER, "SAFEARRAY", "");
  CheckArrayCall(SafeArrayGetVartype(array, &type));
  if (type != VT_VARIANT) throw ComError(DISP_E_TYPEMISMATCH, "SAFEARRAY", "");
}

}  // namespace

long SafeArray::Rows() const { return array_ ? Extent(array_, 1) : 0; }

long SafeArray::Columns() const {
  if (!array_) return 0;
  return SafeArrayGetDim(array_) < 2 ? 1 : Extent(array_, 2);
}

Variant SafeArray::GetElement(long row, long column) const {
  CheckVariantArray(array_);
  LONG indices[2] = {static_cast<LONG>(row), static_cast<LONG>(column)};
  if (SafeArrayGetDim(array_) < 2 && column != 1) throw ComError(DISP_E_BADINDEX, "SAFEARRAY", "");
  Variant result;
  CheckArrayCall(SafeArrayGetElement(array_, indices, result.Receive()));
  return result;
}

void SafeArray::PutElement(long row, long column, const Variant& value) {
  CheckVariantArray(array_);
  LONG indices[2] = {static_cast<LONG>(row), static_cast<LONG>(column)};
  if (SafeArrayGetDim(array_) < 2 && column != 1) throw ComError(DISP_E_BADINDEX, "SAFEARRAY", "");
  CheckArrayCall(SafeArrayPutElement(array_, indices, const_cast<VARIANT*>(value.Get())));
}

void SafeArray::ResizeColumns(long columns) {
  if (!array_ || SafeArrayGetDim(array_) != 2 || columns < 0) {
    throw ComError(E_INVALIDARG, "SAFEARRAY", "");
  }
  // Columns are the last dimension, the one SafeArrayRedim changes; it varies
  // slowest in memory, so every value keeps its row and column.
  SAFEARRAYBOUND bound;
  CheckArrayCall(SafeArrayGetLBound(array_, 2, &bound.lLbound));
  bound.cElements = static_cast<ULONG>(columns);
  CheckArrayCall(SafeArrayRedim(array_, &bound));
}

}  // namespace tavir
