// Portable VARIANT life cycle: initialise, clear and deep copy, as on
// Windows (strings copied, interfaces AddRef'd, arrays copied).
#include "platform/Com.h"

namespace {

bool IsKnownType(VARTYPE type) {
  switch (type & VT_TYPEMASK) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_ERROR:
    case VT_BOOL:
    case VT_VARIANT:
    case VT_UNKNOWN:
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
      return (type & ~(VT_TYPEMASK | VT_ARRAY | VT_BYREF)) == 0;
    default:
      return false;
  }
}

}  // namespace

void VariantInit(VARIANTARG* variant) {
  variant->vt = VT_EMPTY;
  variant->wReserved1 = variant->wReserved2 = variant->wReserved3 = 0;
  variant->llVal = 0;
}

HRESULT VariantClear(VARIANTARG* variant) {
  if (!variant) return E_INVALIDARG;
  if (!IsKnownType(variant->vt)) return DISP_E_BADVARTYPE;
  if (!(variant->vt & VT_BYREF)) {
    if (variant->vt & VT_ARRAY) {
      if (HRESULT hr = SafeArrayDestroy(variant->parray); FAILED(hr)) return hr;
    } else if (variant->vt == VT_BSTR) {
      SysFreeString(variant->bstrVal);
    } else if (variant->vt == VT_DISPATCH) {
      if (variant->pdispVal) variant->pdispVal->Release();
    } else if (variant->vt == VT_UNKNOWN) {
      if (variant->punkVal) variant->punkVal->Release();
    }
  }
  VariantInit(variant);
  return S_OK;
}

HRESULT VariantCopy(VARIANTARG* destination, VARIANTARG* source) {
  if (!destination || !source) return E_INVALIDARG;
  if (destination == source) return S_OK;
  if (!IsKnownType(source->vt)) return DISP_E_BADVARTYPE;
  if (HRESULT hr = VariantClear(destination); FAILED(hr)) return hr;
  VARIANT copy = *source;
  if (!(source->vt & VT_BYREF)) {
    if (source->vt & VT_ARRAY) {
      if (HRESULT hr = SafeArrayCopy(source->parray, &copy.parray); FAILED(hr)) return hr;
    } else if (source->vt == VT_BSTR) {
      if (source->bstrVal) {
        copy.bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
        if (!copy.bstrVal) return E_OUTOFMEMORY;
      }
    } else if (source->vt == VT_DISPATCH) {
      if (copy.pdispVal) copy.pdispVal->AddRef();
    } else if (source->vt == VT_UNKNOWN) {
      if (copy.punkVal) copy.punkVal->AddRef();
    }
  }
  *destination = copy;
  return S_OK;
}
