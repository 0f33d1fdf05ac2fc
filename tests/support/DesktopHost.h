// A stand-alone datebook wired up as the host for a test: the data, the
// application object and the Datebook interface, plus small readers.
#pragma once

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "desktop/Desktop.h"
#include "platform/ComPtr.h"

namespace tavir::test_support {

struct DesktopHost {
  std::shared_ptr<DatebookData> data = std::make_shared<DatebookData>(OLESTR("Test User"));
  ComPtr<IDesktopApplication> application = CreateDesktopApplication(data);

  ComPtr<IDesktopDatebook> Datebook() const {
    ComPtr<IDispatch> object;
    EXPECT_EQ(S_OK, application->get_Datebook(object.Receive()));
    return object.Query<IDesktopDatebook>(IID_IDesktopDatebook);
  }

  // The COM object of an appointment of the data.
  ComPtr<IDesktopAppointment> Appointment(std::int32_t recordId) const {
    ComPtr<IDesktopAppointment> appointment;
    EXPECT_EQ(S_OK, Datebook()->GetAppointment(recordId, appointment.Receive()));
    return appointment;
  }

  ComPtr<IDesktopAppointment> Add(AppointmentData appointment) const {
    return Appointment(data->Add(std::move(appointment))->recordId);
  }
};

inline WideString Wide(const char* ascii) {
  return WideString(ascii, ascii + std::char_traits<char>::length(ascii));
}

}  // namespace tavir::test_support
