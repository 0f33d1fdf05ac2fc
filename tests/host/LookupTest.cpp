// Reaching the Datebook, the current user and an appointment by record id,
// with every way the host can fail on the way.
#include <gtest/gtest.h>

#include "host/HostFixture.h"
#include "host/Transfer.h"
#include "platform/ComError.h"

namespace tavir {
namespace {

using test_support::HostFixture;

class LookupTest : public HostFixture {};

TEST_F(LookupTest, FixedRangeIsLocalMidnights) {
  EXPECT_EQ(QueryRangeStart(), test_support::UtcTime(1970, 1, 1, 23));
  EXPECT_EQ(QueryRangeEnd(), test_support::UtcTime(2031, 12, 30, 23));
  EXPECT_EQ(NoEndDate(), QueryRangeEnd());
}

TEST_F(LookupTest, FailuresOnTheWayToTheDatebookThrow) {
  const struct {
    const char* what;
    const char* method;  // injected fault; nullptr: no host object at all
    HRESULT injected;
    HRESULT expected;
    const char* interfaceName;
  } cases[] = {
      {"no host object", nullptr, S_OK, E_POINTER, "IDesktopApplication"},
      {"host without the application interface", "IDesktopApplication.QueryInterface",
       E_NOINTERFACE, E_POINTER, "IDesktopApplication"},
      {"application lookup fails", "IDesktopApplication.QueryInterface", E_OUTOFMEMORY,
       E_OUTOFMEMORY, "IDesktopApplication"},
      {"get_Datebook fails", "get_Datebook", E_FAIL, E_FAIL, "IDesktopApplication"},
      {"Datebook without its interface", "IDesktopDatebook.QueryInterface", E_NOINTERFACE,
       E_POINTER, "IDesktopDatebook"},
      {"Datebook interface lookup fails", "IDesktopDatebook.QueryInterface", E_ACCESSDENIED,
       E_ACCESSDENIED, "IDesktopDatebook"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    data_->Faults().Clear();
    Options options;
    if (c.method) {
      options.host = options_.host;
      data_->Faults().Add({c.method, c.injected, "refused", 1, true});
    }
    try {
      OpenDatebook(options);
      ADD_FAILURE() << "no ComError";
    } catch (const ComError& error) {
      EXPECT_EQ(error.Error(), c.expected);
      EXPECT_EQ(error.InterfaceName(), c.interfaceName);
    }
  }
  data_->Faults().Clear();
}

TEST_F(LookupTest, UserNameAndItsFailures) {
  EXPECT_EQ(GetCurrentUserName(options_), "Jane Doe");
  Options noHost;
  EXPECT_THROW(GetCurrentUserName(noHost), ComError);
  FailOnce("get_CurrentUser");
  EXPECT_THROW(GetCurrentUserName(options_), ComError);
  FailOnce("get_Name", "no user");
  try {
    GetCurrentUserName(options_);
    ADD_FAILURE() << "no ComError";
  } catch (const ComError& error) {
    EXPECT_EQ(error.InterfaceName(), "IDesktopUser");
    EXPECT_EQ(error.Description(), "no user");
  }
}

TEST_F(LookupTest, FindHostAppointmentGivesNoneForUnknownIdsAndHostErrors) {
  AppointmentData stored;
  stored.start = BuildLocal(2005, 10, 26, 9, 0, 0);
  stored.end = BuildLocal(2005, 10, 26, 10, 0, 0);
  const std::int32_t id = data_->Add(stored)->recordId;
  const ComPtr<IDesktopDatebook> datebook = OpenDatebook(options_);
  EXPECT_TRUE(FindHostAppointment(datebook.Get(), id));
  EXPECT_FALSE(FindHostAppointment(datebook.Get(), id + 1000));
  FailOnce("GetAppointment");
  EXPECT_FALSE(FindHostAppointment(datebook.Get(), id));
  EXPECT_TRUE(FindHostAppointment(datebook.Get(), id)) << "the fault was spent";
}

}  // namespace
}  // namespace tavir
