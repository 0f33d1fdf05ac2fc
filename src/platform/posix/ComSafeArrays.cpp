// Portable SAFEARRAY with the Windows layout: bounds stored last dimension
// first, elements in column-major order (the first index varies fastest),
// element type kept in the 4 bytes before the descriptor.
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/Com.h"

namespace {

constexpr std::size_t kPrefixBytes = 16;  // keeps the descriptor 16-byte aligned

// The bounds through a plain pointer: the descriptor is allocated with room
// for cDims of them although the struct declares one.
SAFEARRAYBOUND* Bounds(SAFEARRAY* array) { return array->rgsabound; }

unsigned char* BlockOf(SAFEARRAY* array) { return reinterpret_cast<unsigned char*>(array) - kPrefixBytes; }

VARTYPE StoredType(SAFEARRAY* array) {
  DWORD type;
  std::memcpy(&type, BlockOf(array) + kPrefixBytes - sizeof type, sizeof type);
  return static_cast<VARTYPE>(type);
}

ULONG ElementSize(VARTYPE type) {
  switch (type) {
    case VT_I1:
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
      return 4;
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_I8:
    case VT_UI8:
      return 8;
    case VT_BSTR:
      return sizeof(BSTR);
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return sizeof(IUnknown*);
    case VT_VARIANT:
      return sizeof(VARIANT);
    default:
      return 0;
  }
}

USHORT FeaturesFor(VARTYPE type) {
  switch (type) {
    case VT_BSTR:
      return FADF_HAVEVARTYPE | FADF_BSTR;
    case VT_DISPATCH:
      return FADF_HAVEVARTYPE | FADF_DISPATCH;
    case VT_UNKNOWN:
      return FADF_HAVEVARTYPE | FADF_UNKNOWN;
    case VT_VARIANT:
      return FADF_HAVEVARTYPE | FADF_VARIANT;
    default:
      return FADF_HAVEVARTYPE;
  }
}

// Number of elements; false when the product does not fit in memory sizes.
bool CountElements(SAFEARRAY* array, std::size_t& count) {
  count = 1;
  for (USHORT i = 0; i < array->cDims; ++i) {
    const std::size_t n = Bounds(array)[i].cElements;
    if (n != 0 && count > std::numeric_limits<std::size_t>::max() / n) return false;
    count *= n;
  }
  return count <= std::numeric_limits<std::size_t>::max() / (array->cbElements ? array->cbElements : 1);
}

// Frees what elements [first, first + count) own and zeroes them.
void ReleaseElements(SAFEARRAY* array, std::size_t first, std::size_t count) {
  auto* data = static_cast<unsigned char*>(array->pvData);
  if (!data) return;
  for (std::size_t i = first; i < first + count; ++i) {
    void* element = data + i * array->cbElements;
    if (array->fFeatures & FADF_BSTR) {
      SysFreeString(*static_cast<BSTR*>(element));
    } else if (array->fFeatures & (FADF_DISPATCH | FADF_UNKNOWN)) {
      if (IUnknown* object = *static_cast<IUnknown**>(element)) object->Release();
    } else if (array->fFeatures & FADF_VARIANT) {
      VariantClear(static_cast<VARIANT*>(element));
    }
  }
  std::memset(data + first * array->cbElements, 0, count * array->cbElements);
}

// Copies one element into zeroed or released storage, taking new references.
HRESULT CopyElement(SAFEARRAY* array, const void* source, void* target) {
  if (array->fFeatures & FADF_BSTR) {
    BSTR text = *static_cast<const BSTR*>(source);
    BSTR copy = nullptr;
    if (text && !(copy = SysAllocStringLen(text, SysStringLen(text)))) return E_OUTOFMEMORY;
    *static_cast<BSTR*>(target) = copy;
  } else if (array->fFeatures & (FADF_DISPATCH | FADF_UNKNOWN)) {
    IUnknown* object = *static_cast<IUnknown* const*>(source);
    if (object) object->AddRef();
    *static_cast<IUnknown**>(target) = object;
  } else if (array->fFeatures & FADF_VARIANT) {
    auto* copy = static_cast<VARIANT*>(target);
    VariantInit(copy);
    return VariantCopy(copy, const_cast<VARIANT*>(static_cast<const VARIANT*>(source)));
  } else {
    std::memcpy(target, source, array->cbElements);
  }
  return S_OK;
}

// The element that the indices name (rgIndices[0] is the first, leftmost
// dimension, which Windows stores last).
HRESULT ElementAt(SAFEARRAY* array, const LONG* indices, void** element) {
  if (!array || !indices || !array->pvData) return E_INVALIDARG;
  std::size_t offset = 0;
  std::size_t stride = 1;
  for (USHORT dimension = 0; dimension < array->cDims; ++dimension) {
    const SAFEARRAYBOUND& bound = Bounds(array)[array->cDims - 1 - dimension];
    const long long position = static_cast<long long>(indices[dimension]) - bound.lLbound;
    if (position < 0 || position >= static_cast<long long>(bound.cElements)) return DISP_E_BADINDEX;
    offset += static_cast<std::size_t>(position) * stride;
    stride *= bound.cElements;
  }
  *element = static_cast<unsigned char*>(array->pvData) + offset * array->cbElements;
  return S_OK;
}

SAFEARRAY* AllocateDescriptor(VARTYPE type, UINT dimensions) {
  const std::size_t size = kPrefixBytes + sizeof(SAFEARRAY) + (dimensions - 1) * sizeof(SAFEARRAYBOUND);
  auto* block = static_cast<unsigned char*>(std::calloc(1, size));
  if (!block) return nullptr;
  const DWORD storedType = type;
  std::memcpy(block + kPrefixBytes - sizeof storedType, &storedType, sizeof storedType);
  auto* array = reinterpret_cast<SAFEARRAY*>(block + kPrefixBytes);
  array->cDims = static_cast<USHORT>(dimensions);
  array->fFeatures = FeaturesFor(type);
  array->cbElements = ElementSize(type);
  return array;
}

}  // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE type, UINT dimensions, SAFEARRAYBOUND* bounds) {
  if (!bounds || dimensions == 0 || dimensions > 0xFFFF || ElementSize(type) == 0) return nullptr;
  SAFEARRAY* array = AllocateDescriptor(type, dimensions);
  if (!array) return nullptr;
  for (UINT i = 0; i < dimensions; ++i) Bounds(array)[dimensions - 1 - i] = bounds[i];
  std::size_t count = 0;
  if (!CountElements(array, count) ||
      !(array->pvData = std::calloc(count ? count : 1, array->cbElements))) {
    std::free(BlockOf(array));
    return nullptr;
  }
  return array;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE type, LONG lowerBound, ULONG elements) {
  SAFEARRAYBOUND bound{elements, lowerBound};
  return SafeArrayCreate(type, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* array) {
  if (!array) return S_OK;
  if (array->cLocks > 0) return DISP_E_ARRAYISLOCKED;
  std::size_t count = 0;
  CountElements(array, count);
  ReleaseElements(array, 0, count);
  std::free(array->pvData);
  std::free(BlockOf(array));
  return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* array) { return array ? array->cDims : 0; }

UINT SafeArrayGetElemsize(SAFEARRAY* array) { return array ? array->cbElements : 0; }

HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* type) {
  if (!array || !type) return E_INVALIDARG;
  *type = StoredType(array);
  return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dimension, LONG* bound) {
  if (!array || !bound) return E_INVALIDARG;
  if (dimension < 1 || dimension > array->cDims) return DISP_E_BADINDEX;
  *bound = Bounds(array)[array->cDims - dimension].lLbound;
  return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dimension, LONG* bound) {
  if (!array || !bound) return E_INVALIDARG;
  if (dimension < 1 || dimension > array->cDims) return DISP_E_BADINDEX;
  const SAFEARRAYBOUND& b = Bounds(array)[array->cDims - dimension];
  *bound = static_cast<LONG>(b.lLbound + static_cast<long long>(b.cElements) - 1);
  return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* array, LONG* indices, void* value) {
  if (!value) return E_INVALIDARG;
  void* element = nullptr;
  if (HRESULT hr = ElementAt(array, indices, &element); FAILED(hr)) return hr;
  return CopyElement(array, element, value);
}

HRESULT SafeArrayPutElement(SAFEARRAY* array, LONG* indices, void* value) {
  void* element = nullptr;
  if (HRESULT hr = ElementAt(array, indices, &element); FAILED(hr)) return hr;
  if (array->fFeatures & FADF_VARIANT) {
    if (!value) return E_INVALIDARG;
    return VariantCopy(static_cast<VARIANT*>(element), static_cast<VARIANT*>(value));
  }
  // Strings and interfaces come as the pointer itself, everything else by address.
  BSTR text = nullptr;
  IUnknown* object = nullptr;
  const void* source = value;
  if (array->fFeatures & FADF_BSTR) {
    text = static_cast<BSTR>(value);
    source = &text;
  } else if (array->fFeatures & (FADF_DISPATCH | FADF_UNKNOWN)) {
    object = static_cast<IUnknown*>(value);
    source = &object;
  } else if (!value) {
    return E_INVALIDARG;
  }
  unsigned char previous[sizeof(VARIANT)];
  std::memcpy(previous, element, array->cbElements);
  if (HRESULT hr = CopyElement(array, source, element); FAILED(hr)) return hr;
  // Release the old value only now: it may be the one being stored.
  if (array->fFeatures & FADF_BSTR) {
    SysFreeString(*reinterpret_cast<BSTR*>(previous));
  } else if (array->fFeatures & (FADF_DISPATCH | FADF_UNKNOWN)) {
    if (IUnknown* old = *reinterpret_cast<IUnknown**>(previous)) old->Release();
  }
  return S_OK;
}

HRESULT SafeArrayRedim(SAFEARRAY* array, SAFEARRAYBOUND* lastBound) {
  if (!array || !lastBound) return E_INVALIDARG;
  if (array->cLocks > 0) return DISP_E_ARRAYISLOCKED;
  if (array->fFeatures & FADF_FIXEDSIZE) return E_INVALIDARG;
  // The last dimension varies slowest, so the other elements keep their
  // places and only the tail of the data grows or shrinks.
  std::size_t oldCount = 0;
  CountElements(array, oldCount);
  const SAFEARRAYBOUND oldBound = Bounds(array)[0];
  Bounds(array)[0] = *lastBound;
  std::size_t newCount = 0;
  if (!CountElements(array, newCount)) {
    Bounds(array)[0] = oldBound;
    return E_OUTOFMEMORY;
  }
  if (newCount < oldCount) ReleaseElements(array, newCount, oldCount - newCount);
  void* data = std::realloc(array->pvData, (newCount ? newCount : 1) * array->cbElements);
  if (!data) {
    Bounds(array)[0] = oldBound;
    return E_OUTOFMEMORY;
  }
  array->pvData = data;
  if (newCount > oldCount) {
    std::memset(static_cast<unsigned char*>(data) + oldCount * array->cbElements, 0,
                (newCount - oldCount) * array->cbElements);
  }
  return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* array, SAFEARRAY** copy) {
  if (!copy) return E_INVALIDARG;
  *copy = nullptr;
  if (!array) return S_OK;
  SAFEARRAY* result = AllocateDescriptor(StoredType(array), array->cDims);
  if (!result) return E_OUTOFMEMORY;
  result->fFeatures = array->fFeatures & ~(FADF_AUTO | FADF_STATIC | FADF_EMBEDDED | FADF_FIXEDSIZE);
  result->cbElements = array->cbElements;
  std::memcpy(Bounds(result), Bounds(array), array->cDims * sizeof(SAFEARRAYBOUND));
  std::size_t count = 0;
  CountElements(array, count);
  if (!(result->pvData = std::calloc(count ? count : 1, result->cbElements))) {
    std::free(BlockOf(result));
    return E_OUTOFMEMORY;
  }
  const auto* from = static_cast<const unsigned char*>(array->pvData);
  auto* to = static_cast<unsigned char*>(result->pvData);
  for (std::size_t i = 0; i < count; ++i) {
    if (HRESULT hr = CopyElement(result, from + i * result->cbElements, to + i * result->cbElements);
        FAILED(hr)) {
      SafeArrayDestroy(result);
      return hr;
    }
  }
  *copy = result;
  return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* array) {
  if (!array) return E_INVALIDARG;
  if (array->cLocks == 0xFFFF) return E_UNEXPECTED;
  ++array->cLocks;
  return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* array) {
  if (!array) return E_INVALIDARG;
  if (array->cLocks == 0) return E_UNEXPECTED;
  --array->cLocks;
  return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data) {
  if (!array || !data) return E_INVALIDARG;
  if (HRESULT hr = SafeArrayLock(array); FAILED(hr)) return hr;
  *data = array->pvData;
  return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array) { return SafeArrayUnlock(array); }
