// What the transfer tests share: the stand-alone datebook as the host, the
// scripted shell, options that reach the host, and pinned zone and locale.
// Every test ends with every host object released.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "desktop/Desktop.h"
#include "host/DesktopInterfaces.h"
#include "host/Transfer.h"
#include "model/Options.h"
#include "platform/CodePage.h"
#include "platform/ComPtr.h"
#include "support/Environment.h"
#include "support/FakeShell.h"
#include "support/TimeZones.h"

namespace tavir::test_support {

class HostFixture : public ::testing::Test {
 protected:
  ScopedTimeZone zone_{TestZone::Berlin};
  ScopedEnvironmentVariable locale_{"TAVIR_LOCALE", std::string("en-US")};
  ScopedEnvironmentVariable codeset_{"LC_ALL", std::string("C.UTF-8")};
  FakeShell shell_;
  InstalledShell installedShell_{shell_};
  std::shared_ptr<DatebookData> data_ = std::make_shared<DatebookData>(AnsiToWide("Jane Doe"));
  Options options_;
  AppointmentRecord record_{options_};  // the record a test imports

  void SetUp() override {
    ASSERT_TRUE(CentralEuropeanTimeIsActive()) << "Central European time is not pinned";
    options_.host = ComPtr<IUnknown>(CreateDesktopApplication(data_).Get());
  }

  void TearDown() override {
    options_.host.Reset();
    EXPECT_EQ(LiveDesktopObjects(), 0) << "a host object was not released";
  }

  void FailOnce(const std::string& method, const std::string& description = "host refused",
                HRESULT error = E_FAIL) {
    data_->Faults().Add({method, error, description, 1, false});
  }

  // The host object of a stored appointment.
  ComPtr<IDesktopAppointment> HostAppointment(IDesktopDatebook* datebook, std::int32_t recordId) {
    ComPtr<IDesktopAppointment> appointment;
    EXPECT_EQ(datebook->GetAppointment(recordId, appointment.Receive()), S_OK);
    return appointment;
  }

  // AddToHost of record_ with a fresh out-parameter: the result and the
  // stored appointment (null when none was kept).
  std::pair<int, std::shared_ptr<AppointmentData>> Add() {
    const ComPtr<IDesktopDatebook> datebook = OpenDatebook(options_);
    ComPtr<IDesktopAppointment> appointment;
    const int result = AddToHost(record_, datebook.Get(), appointment);
    HostLong id = 0;
    if (appointment)
      appointment->get_RecordID(&id);
    return {result, data_->FindActive(id)};
  }

  // The texts of a stored appointment or a record: "text|note|location|category".
  static std::string TextsOf(const AppointmentData& a) {
    return WideToAnsi(a.description) + "|" + WideToAnsi(a.note) + "|" + WideToAnsi(a.location) +
           "|" + WideToAnsi(a.category);
  }
  static std::string TextsOf(const AppointmentRecord& r) {
    return r.text + "|" + r.note + "|" + r.location + "|" + r.category;
  }

  std::vector<std::shared_ptr<AppointmentData>> ActiveAppointments() const {
    std::vector<std::shared_ptr<AppointmentData>> active;
    for (const auto& [id, appointment] : data_->All())
      if (appointment->state == AppointmentState::Active)
        active.push_back(appointment);
    return active;
  }
};

}  // namespace tavir::test_support
