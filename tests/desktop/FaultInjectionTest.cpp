// Injected host failures: the chosen call fails with the chosen HRESULT, and
// the program's ThrowIfFailed carries the chosen text.
#include <string>

#include <gtest/gtest.h>

#include "platform/ComError.h"
#include "platform/ComOwners.h"
#include "support/CountingObject.h"
#include "support/DesktopHost.h"

namespace tavir {
namespace {

using test_support::DesktopHost;

HRESULT ReadDescription(IDesktopAppointment& appointment) {
  Bstr text;
  return appointment.get_Description(text.Receive());
}

// The ComError that ThrowIfFailed makes of result.
ComError Thrown(HRESULT result) {
  try {
    ThrowIfFailed(result, "IDesktopDatebook");
  } catch (const ComError& error) {
    return error;
  }
  ADD_FAILURE() << "no failure";
  return ComError(S_OK, "", "");
}

TEST(FaultInjection, FailsTheChosenCallsWithTheChosenText) {
  struct Case {
    const char* name;
    InjectedFault fault;
    std::vector<HRESULT> results;  // of five calls of get_Description
  } cases[] = {
      {"bare name, once", {"get_Description", E_FAIL, "broken", 1, false},
       {E_FAIL, S_OK, S_OK, S_OK, S_OK}},
      {"qualified name, third call only",
       {"IDesktopAppointment.get_Description", E_ACCESSDENIED, "denied", 3, false},
       {S_OK, S_OK, E_ACCESSDENIED, S_OK, S_OK}},
      {"from the fourth call on", {"get_Description", E_OUTOFMEMORY, "full", 4, true},
       {S_OK, S_OK, S_OK, E_OUTOFMEMORY, E_OUTOFMEMORY}},
      {"another interface's method of that name is not touched",
       {"IDesktopUser.get_Description", E_FAIL, "x", 1, true},
       {S_OK, S_OK, S_OK, S_OK, S_OK}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DesktopHost host;
    auto appointment = host.Add({});
    host.data->Faults().Add(c.fault);
    for (HRESULT expected : c.results)
      EXPECT_EQ(expected, ReadDescription(*appointment.Get()));
  }
}

TEST(FaultInjection, ThrowIfFailedCarriesTheInjectedOrTheRealText) {
  DesktopHost host;
  const HRESULT dispatchError = MAKE_HRESULT(1, FACILITY_ITF, 0x201);
  host.data->Faults().Add({"GetAppointments", dispatchError, "The datebook is locked.", 1, false});
  ComPtr<IDesktopAppointments> appointments;
  const ComError injected = Thrown(host.Datebook()->GetAppointments(0, 1, appointments.Receive()));
  EXPECT_EQ(dispatchError, injected.Error());
  EXPECT_EQ("The datebook is locked.", injected.Description());
  EXPECT_EQ(1, host.data->Faults().MatchedCalls("GetAppointments"));

  ComPtr<IDesktopAppointment> none;
  EXPECT_EQ("No appointment has the record id 77.",
            Thrown(host.Datebook()->GetAppointment(77, none.Receive())).Description());
  // A failure without a text of its own does not pick up an older one.
  ASSERT_TRUE(FAILED(host.Datebook()->GetAppointment(78, none.Receive())));
  const ComError bare = Thrown(host.Datebook()->GetAppointment(1, nullptr));
  EXPECT_EQ(E_POINTER, bare.Error());
  EXPECT_EQ("", bare.Description());
}

TEST(FaultInjection, FailedChangesChangeNothing) {
  DesktopHost host;
  auto appointment = host.Add({});
  host.data->ForgetChanges();
  host.data->Faults().Add({"SetRepeat", E_FAIL, "no", 1, false});
  EXPECT_EQ(E_FAIL, appointment->SetRepeat(1, 1, 0, 0));
  HostLong repeating = -1;
  appointment->get_Repeating(&repeating);
  EXPECT_EQ(0, repeating);
  EXPECT_FALSE(host.data->PendingChanges().Any());
}

TEST(FaultInjection, SuccessCodesQueryInterfaceAndTheAddinList) {
  test_support::CountingObject command;
  DesktopHost host;
  // A success code replaces S_OK after the call ran.
  host.data->Faults().Add({"RegisterCommand", S_FALSE, "", 1, false});
  ComPtr<IDesktopCommandManager> manager;
  ASSERT_EQ(S_OK, host.application->get_CommandManager(manager.Receive()));
  HostLong id = 0;
  EXPECT_EQ(S_FALSE, manager->RegisterCommand(1, nullptr, &command, &id));
  EXPECT_EQ(1, id);

  host.data->Faults().Add({"IDesktopApplication.QueryInterface", E_UNEXPECTED, "", 1, false});
  HRESULT result = S_OK;
  EXPECT_FALSE(host.application.Query<IDesktopApplication>(IID_IDesktopApplication, &result));
  EXPECT_EQ(E_UNEXPECTED, result);
  EXPECT_TRUE(host.application.Query<IDesktopApplication>(IID_IDesktopApplication));

  auto list = std::make_shared<AddinList>();
  list->faults->Add({"get_Item", E_FAIL, "", 1, true});
  ComPtr<IDesktopAddinEntry> entry;
  EXPECT_EQ(E_FAIL, CreateDesktopAddinRegistry(list)->get_Item(nullptr, entry.Receive()));
}

}  // namespace
}  // namespace tavir
