// The COM failure exception: the error text of an HRESULT (the system's
// message, else the IDispatch and unknown-error forms) and the callee's
// error information taken over by ThrowIfFailed.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <type_traits>

#include "platform/ComError.h"
#include "platform/ComOwners.h"
#include "platform/ComPtr.h"

namespace tavir {
namespace {

// The portable COM layer carries UTF-16 as char16_t, Windows as wchar_t; only
// the portable build has our English message table to check.
constexpr bool kPortableCom = std::is_same_v<OLECHAR, char16_t>;

HRESULT Code(std::uint32_t value) { return static_cast<HRESULT>(value); }

TEST(ComError, CodesWithoutSystemTextGetTheFallbackForms) {
  const std::pair<std::uint32_t, const char*> cases[] = {
      {0x80040201, "IDispatch error #1"},
      {0x80040250, "IDispatch error #80"},
      {0x8004FFFF, "IDispatch error #65023"},
      {0x80040200, "Unknown error 0x80040200"},  // the base itself is no IDispatch error
      {0x8ABCDEF0, "Unknown error 0x8ABCDEF0"},
  };
  for (const auto& [error, text] : cases) {
    ASSERT_EQ(SystemMessageText(Code(error)), "") << std::hex << error;
    EXPECT_EQ(ComError(Code(error), "IDesktopDatebook", "").ErrorMessage(), text);
  }
}

TEST(ComError, SystemTextLosesItsLineEnd) {
  const std::pair<HRESULT, const char*> cases[] = {
      {E_POINTER, "Invalid pointer"},
      {E_FAIL, "Unspecified error"},
      {E_UNEXPECTED, "Catastrophic failure"},
      {E_INVALIDARG, "The parameter is incorrect."},
      {E_OUTOFMEMORY, "Not enough memory resources are available to complete this operation."},
      {DISP_E_TYPEMISMATCH, "Type mismatch."},
      {DISP_E_EXCEPTION, "Exception occurred."},
      {REGDB_E_CLASSNOTREG, "Class not registered"},
      {CO_E_CLASSSTRING, "Invalid class string"},
  };
  for (const auto& [error, english] : cases) {
    const std::string system = SystemMessageText(error);
    if (kPortableCom) {
      EXPECT_EQ(system, std::string(english) + "\r\n");
    }
    const std::string message = ComError(error, "", "").ErrorMessage();
    if (system.size() >= 2 && system.compare(system.size() - 2, 2, "\r\n") == 0) {
      EXPECT_EQ(message, system.substr(0, system.size() - 2)) << english;
    } else if (system.empty()) {
      EXPECT_EQ(message.rfind("Unknown error 0x", 0), 0u) << english;
    }
    EXPECT_TRUE(message.empty() || (message.back() != '\n' && message.back() != '\r')) << english;
  }
}

ComPtr<IErrorInfo> MakeErrorInfo(const OLECHAR* source, const OLECHAR* description) {
  ICreateErrorInfo* raw = nullptr;
  EXPECT_EQ(CreateErrorInfo(&raw), S_OK);
  const auto creator = ComPtr<ICreateErrorInfo>::Adopt(raw);
  creator->SetSource(const_cast<LPOLESTR>(source));
  creator->SetDescription(const_cast<LPOLESTR>(description));
  return creator.Query<IErrorInfo>(IID_IErrorInfo);
}

TEST(ComError, ErrorInformationIsKeptOnceAndThrowIfFailedTakesIt) {
  EXPECT_NO_THROW(ThrowIfFailed(S_FALSE, "IDesktopUser"));
  const ComPtr<IErrorInfo> info = MakeErrorInfo(OLESTR("Excel"), OLESTR("Cannot access 'x.xls'."));
  ASSERT_TRUE(info);
  ASSERT_EQ(SetErrorInfo(0, info.Get()), S_OK);
  IErrorInfo* raw = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &raw), S_OK);
  const auto fetched = ComPtr<IErrorInfo>::Adopt(raw);
  EXPECT_EQ(fetched.Get(), info.Get());
  Bstr source;
  ASSERT_EQ(fetched->GetSource(source.Receive()), S_OK);
  EXPECT_EQ(source.ToAnsi(), "Excel");
  EXPECT_EQ(GetErrorInfo(0, &raw), S_FALSE) << "the information is used once";
  EXPECT_EQ(raw, nullptr);
  ASSERT_EQ(SetErrorInfo(0, info.Get()), S_OK);
  ASSERT_EQ(SetErrorInfo(0, nullptr), S_OK);  // clears what was set
  EXPECT_EQ(GetErrorInfo(0, &raw), S_FALSE);

  ASSERT_EQ(SetErrorInfo(0, info.Get()), S_OK);
  try {
    ThrowIfFailed(DISP_E_EXCEPTION, "Workbook");
    ADD_FAILURE() << "no exception";
  } catch (const ComError& error) {
    EXPECT_EQ(error.Error(), DISP_E_EXCEPTION);
    EXPECT_EQ(error.InterfaceName(), "Workbook");
    EXPECT_EQ(error.Description(), "Cannot access 'x.xls'.");
    EXPECT_STREQ(error.what(), "Cannot access 'x.xls'.");
  }
  // Taken by the first failure, it does not describe the next.
  try {
    ThrowIfFailed(Code(0x8ABCDEF0), "IDesktopAppointment");
    ADD_FAILURE() << "no exception";
  } catch (const ComError& error) {
    EXPECT_EQ(error.Description(), "");
    EXPECT_STREQ(error.what(), "Unknown error 0x8ABCDEF0");
  }
}

}  // namespace
}  // namespace tavir
