// The COM names carry the Windows values and layouts: the same numbers are
// checked against the Windows headers in the cross builds and against our
// portable definitions natively, so the two cannot drift apart.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <utility>

#include "platform/Com.h"

namespace tavir {
namespace {

static_assert(sizeof(LONG) == 4 && sizeof(ULONG) == 4 && sizeof(DWORD) == 4 && sizeof(HRESULT) == 4);
static_assert(sizeof(SHORT) == 2 && sizeof(WORD) == 2 && sizeof(VARIANT_BOOL) == 2 && sizeof(VARTYPE) == 2);
static_assert(sizeof(OLECHAR) == 2 && sizeof(DATE) == 8 && sizeof(LONG_PTR) == sizeof(void*));
static_assert(sizeof(GUID) == 16);
static_assert(sizeof(VARIANT) == (sizeof(void*) == 8 ? 24 : 16));
static_assert(offsetof(VARIANT, vt) == 0 && offsetof(VARIANT, lVal) == 8);
static_assert(offsetof(SAFEARRAY, pvData) == 12 || (sizeof(void*) == 8 && offsetof(SAFEARRAY, pvData) == 16));
static_assert(sizeof(SAFEARRAYBOUND) == 8);

TEST(ComApi, ResultCodesHaveTheWindowsValues) {
  const std::pair<HRESULT, std::uint32_t> cases[] = {
      {S_OK, 0}, {S_FALSE, 1}, {E_NOTIMPL, 0x80004001}, {E_NOINTERFACE, 0x80004002},
      {E_POINTER, 0x80004003}, {E_ABORT, 0x80004004}, {E_FAIL, 0x80004005},
      {E_UNEXPECTED, 0x8000FFFF}, {E_ACCESSDENIED, 0x80070005}, {E_OUTOFMEMORY, 0x8007000E},
      {E_INVALIDARG, 0x80070057}, {DISP_E_MEMBERNOTFOUND, 0x80020003},
      {DISP_E_PARAMNOTFOUND, 0x80020004}, {DISP_E_TYPEMISMATCH, 0x80020005},
      {DISP_E_UNKNOWNNAME, 0x80020006}, {DISP_E_BADVARTYPE, 0x80020008},
      {DISP_E_EXCEPTION, 0x80020009}, {DISP_E_OVERFLOW, 0x8002000A}, {DISP_E_BADINDEX, 0x8002000B},
      {DISP_E_ARRAYISLOCKED, 0x8002000D}, {DISP_E_BADPARAMCOUNT, 0x8002000E},
      {TYPE_E_ELEMENTNOTFOUND, 0x8002802B}, {CLASS_E_NOAGGREGATION, 0x80040110},
      {CLASS_E_CLASSNOTAVAILABLE, 0x80040111}, {REGDB_E_CLASSNOTREG, 0x80040154},
      {CO_E_CLASSSTRING, 0x800401F3}, {MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x200), 0x80040200},
      {HRESULT_FROM_WIN32(5), 0x80070005}, {HRESULT_FROM_WIN32(0), 0},
  };
  for (const auto& [code, value] : cases)
    EXPECT_EQ(static_cast<std::uint32_t>(code), value) << std::hex << value;
  EXPECT_TRUE(FAILED(E_POINTER));
  EXPECT_TRUE(SUCCEEDED(S_FALSE));
}

TEST(ComApi, TypeTagsFlagsAndInterfaceIdsHaveTheWindowsValues) {
  const std::pair<long long, long long> cases[] = {
      {VT_EMPTY, 0}, {VT_I4, 3}, {VT_R8, 5}, {VT_DATE, 7}, {VT_BSTR, 8}, {VT_DISPATCH, 9},
      {VT_ERROR, 10}, {VT_BOOL, 11}, {VT_VARIANT, 12}, {VT_UNKNOWN, 13}, {VT_UI1, 17},
      {VT_INT, 22}, {VT_ARRAY, 0x2000}, {VT_BYREF, 0x4000}, {DISPATCH_METHOD, 1},
      {DISPATCH_PROPERTYGET, 2}, {DISPATCH_PROPERTYPUT, 4}, {DISPID_PROPERTYPUT, -3},
      {LOCALE_USER_DEFAULT, 0x400}, {VARIANT_TRUE, -1},
  };
  for (const auto& [constant, value] : cases)
    EXPECT_EQ(constant, value);

  const GUID dispatch{0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  const GUID unknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  const GUID errorInfo{0x1CF2B120, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
  EXPECT_TRUE(IsEqualGUID(IID_IDispatch, dispatch));
  EXPECT_TRUE(IID_IUnknown == unknown);
  EXPECT_TRUE(InlineIsEqualGUID(IID_IErrorInfo, errorInfo));
  EXPECT_FALSE(IID_IDispatch == IID_IUnknown);
}

}  // namespace
}  // namespace tavir
