// A test host for the add-in module: it finds the add-in in the stand-alone
// datebook's add-in list where regsvr32 entered it, creates it through COM as
// the host does, and calls it with the stand-alone datebook as the host.
#include <gtest/gtest.h>

#include "platform/ComOwners.h"
#include "win/AddInHostFixture.h"
#include "win/DialogDriver.h"

namespace tavir::test_support {
namespace {

using namespace tavir::addin;

TEST_F(AddInHostTest, InitializeRegistersTheCommandAndItsMenuItem) {
  EXPECT_EQ(Initialize(host_.application.Get()), 1);
  ASSERT_EQ(Manager().Commands().size(), 1u);
  EXPECT_EQ(Manager().Commands()[0].cookie, 77);
  EXPECT_EQ(Manager().Commands()[0].name, L"TAVIRAddInCommand");
  ComPtr<IDesktopCommand> command =
      Manager().Commands()[0].command.Query<IDesktopCommand>(kIDesktopCommand);
  EXPECT_TRUE(command);
  ASSERT_EQ(Manager().MenuItems().size(), 1u);
  const AddedMenuItem& item = Manager().MenuItems()[0];
  EXPECT_EQ(item.commandId, Manager().Commands()[0].commandId);
  EXPECT_EQ(item.text, L"&TAVIR\tCalvetra in a variety of formats\tCalvetra");
  EXPECT_EQ(item.module, static_cast<void*>(Module()));
  EXPECT_EQ(item.resourceId, 201);
  EXPECT_TRUE(FindResourceW(Module(), MAKEINTRESOURCEW(201), MAKEINTRESOURCEW(2)))
      << "no bitmap 201";
  EXPECT_EQ(item.flags, 4);
  EXPECT_EQ(addin_->OnUninitialize(), S_OK);
}

TEST_F(AddInHostTest, RegisterCommandAnsweringSFalseAddsNoMenuItem) {
  host_.data->Faults().Add({"RegisterCommand", S_FALSE, "", 1, false});
  EXPECT_EQ(Initialize(host_.application.Get()), 1);
  EXPECT_EQ(Manager().Commands().size(), 1u);
  EXPECT_TRUE(Manager().MenuItems().empty());
}

// The system's own text for E_POINTER; Wine's message table has none, and
// then the rule for HRESULTs without a text applies.
std::string PointerErrorText() {
  wchar_t text[256] = {};
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     static_cast<DWORD>(E_POINTER), 0, text, 256, nullptr);
  std::string result = WideToAnsi(std::wstring(text, length));
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r'))
    result.pop_back();
  return length ? result : "Unknown error 0x80004003";
}

TEST_F(AddInHostTest, FailuresShowTheErrorTextAndAnswerZero) {
  const struct {
    HRESULT injected;  // into RegisterCommand; S_OK: a host object without the application
    std::string text;
  } cases[] = {
      {S_OK, PointerErrorText()},
      {static_cast<HRESULT>(0x80040201), "IDispatch error #1"},
  };
  for (const auto& failure : cases) {
    ComPtr<IDispatch> host(host_.application.Get());
    if (failure.injected == S_OK) {
      ASSERT_EQ(host_.application->get_Datebook(host.Receive()), S_OK);
    } else {
      host_.data->Faults().Add({"RegisterCommand", failure.injected, "", 1, false});
    }
    std::string shown;
    EXPECT_EQ(
        RunDriven([&] { return Initialize(host.Get()); },
                  [&](DialogDriver& driver) { shown = driver.AnswerMessage(nullptr, IDOK, true); }),
        0);
    EXPECT_EQ(shown, "TAVIRAddIn|" + failure.text);
  }
  EXPECT_TRUE(Manager().MenuItems().empty());
}

TEST_F(AddInHostTest, FrameworkVersionAboutBoxAndPropertiesThroughBothDoors) {
  HostLong version = 0;
  EXPECT_EQ(addin_->GetFrameworkVersion(&version), S_OK);
  EXPECT_EQ(version, 2);
  // The same through IDispatch: the type library's dispatch id 3.
  VARIANT argument;
  VariantInit(&argument);
  HostLong byReference = 0;
  argument.vt = VT_I4 | VT_BYREF;
  argument.plVal = reinterpret_cast<LONG*>(&byReference);
  DISPPARAMS parameters{&argument, nullptr, 1, 0};
  EXPECT_EQ(addin_->Invoke(3, IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(byReference, 2);

  const HWND owner = CreateWindowW(L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                   nullptr, nullptr, nullptr);
  const HostLong handle = static_cast<HostLong>(reinterpret_cast<INT_PTR>(owner));
  const struct {
    HRESULT (STDMETHODCALLTYPE IDesktopAddin::*show)(HostLong);
    const char* shown;
  } boxes[] = {{&IDesktopAddin::ShowAboutBox, "TAVIRAddIn|TAVIRAddInAddin AboutBox"},
               {&IDesktopAddin::ShowProperties, "TAVIRAddIn|TAVIRAddInAddin Properties Dialog"}};
  for (const auto& box : boxes) {
    std::string shown;
    EXPECT_EQ(
        RunDriven([&] { return (addin_.Get()->*box.show)(handle); },
                  [&](DialogDriver& driver) { shown = driver.AnswerMessage(owner, IDOK, true); }),
        S_OK);
    EXPECT_EQ(shown, box.shown);
  }
  DestroyWindow(owner);
}

}  // namespace
}  // namespace tavir::test_support
