// The stand-alone datebook's COM objects as the program meets them: reference
// counts, interfaces, the collection snapshot, fields, the repeat rule and
// the command manager and add-in list.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "desktop/DesktopApplication.h"
#include "platform/ComOwners.h"
#include "support/CountingObject.h"
#include "support/DesktopHost.h"
#include "support/TimeZones.h"

namespace tavir {
namespace {

using test_support::DesktopHost;
using test_support::Wide;

// Every object a test made is gone once the test and its host are.
struct ReleasedAtTheEnd {
  const int before = LiveDesktopObjects();
  ~ReleasedAtTheEnd() { EXPECT_EQ(before, LiveDesktopObjects()) << "a desktop object leaked"; }
};

class DesktopObjects : public ::testing::Test {
 protected:
  test_support::ScopedTimeZone zone{test_support::TestZone::Berlin};
  ReleasedAtTheEnd released;
  DesktopHost host;
};

AppointmentData At(int year, int month, int day, int hour, const char* text) {
  AppointmentData data;
  data.start = BuildLocal(year, month, day, hour, 0, 0);
  data.end = data.start + 3600;
  data.description = Wide(text);
  return data;
}

std::vector<WideString> Descriptions(IDesktopAppointments& appointments) {
  HostLong count = 0;
  EXPECT_EQ(S_OK, appointments.get_Count(&count));
  std::vector<WideString> texts;
  for (HostLong i = 0; i < count; ++i) {
    ComPtr<IDesktopAppointment> item;
    EXPECT_EQ(S_OK, appointments.get_Item(i, item.Receive()));
    Bstr text;
    EXPECT_EQ(S_OK, item->get_Description(text.Receive()));
    texts.push_back(text.ToWide());
  }
  return texts;
}

ComPtr<IDesktopAppointments> FullRange(IDesktopDatebook& datebook) {
  ComPtr<IDesktopAppointments> appointments;
  EXPECT_EQ(S_OK, datebook.GetAppointments(LocalMidnight(1970, 1, 2), LocalMidnight(2031, 12, 31),
                                           appointments.Receive()));
  return appointments;
}

TEST_F(DesktopObjects, ComesWithOneReferenceAndEveryOneIsReleased) {
  host.data->Add(At(2005, 3, 1, 9, "one"));
  auto datebook = host.Datebook();
  ComPtr<IDesktopAppointment> item;
  ASSERT_EQ(S_OK, FullRange(*datebook.Get())->get_Item(0, item.Receive()));
  // A fresh object comes with the one reference handed out.
  EXPECT_EQ(2u, item->AddRef());
  EXPECT_EQ(1u, item->Release());
  auto second = item.Query<IDesktopAppointment2>(IID_IDesktopAppointment2);
  ASSERT_TRUE(second);
  EXPECT_EQ(static_cast<IDesktopAppointment*>(second.Get()), item.Get());
  ComPtr<IDesktopUser> user;
  ComPtr<IDesktopCommandManager> manager;
  EXPECT_EQ(S_OK, host.application->get_CurrentUser(user.Receive()));
  EXPECT_EQ(S_OK, host.application->get_CommandManager(manager.Receive()));
  ComPtr<IDesktopAppointment> added;
  EXPECT_EQ(S_OK, datebook->AddAppointment(1, 2, nullptr, added.Receive()));
  EXPECT_GT(LiveDesktopObjects(), released.before + 5);
}

TEST_F(DesktopObjects, QueryInterfaceGivesTheSameObjectOrNothing) {
  auto datebook = host.Datebook();
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(E_NOINTERFACE, datebook->QueryInterface(IID_IDesktopAppointment, &object));
  EXPECT_EQ(nullptr, object);
  EXPECT_EQ(E_POINTER, datebook->QueryInterface(IID_IUnknown, nullptr));
  for (const IID* iid : {&IID_IUnknown, &IID_IDispatch, &IID_IDesktopDatebook})
    EXPECT_EQ(static_cast<IUnknown*>(datebook.Get()), datebook.Query<IUnknown>(*iid).Get());
  // The application's Datebook comes as a plain IDispatch.
  ComPtr<IDispatch> plain;
  ASSERT_EQ(S_OK, host.application->get_Datebook(plain.Receive()));
  EXPECT_TRUE(plain.Query<IDesktopDatebook>(IID_IDesktopDatebook));
  EXPECT_FALSE(host.application.Query<IDesktopDatebook>(IID_IDesktopDatebook));
}

TEST_F(DesktopObjects, CollectionsAreSnapshotsInStartOrder) {
  host.data->Add(At(2005, 3, 2, 9, "later"));
  host.data->Add(At(2005, 3, 1, 9, "first of two at nine"));
  host.data->Add(At(2005, 3, 1, 9, "second of two at nine"));
  const auto outside = host.data->Add(At(2032, 6, 1, 9, "after the range"));
  AppointmentData invalid = At(2005, 1, 1, 9, "no valid start");
  invalid.start = -1;
  host.data->Add(invalid);
  AppointmentData series = At(1969, 12, 1, 9, "series begun before the range");
  series.repeat = {2, 1};
  host.data->Add(series);
  AppointmentData ended = At(1969, 12, 1, 9, "series ended before the range");
  ended.repeat = {1, 1, LocalMidnight(1969, 12, 31)};
  host.data->Add(ended);

  auto datebook = host.Datebook();
  auto before = FullRange(*datebook.Get());
  // In start order: 1969 comes before the invalid start -1.
  const std::vector<WideString> all = {Wide("series begun before the range"),
                                       Wide("no valid start"), Wide("first of two at nine"),
                                       Wide("second of two at nine"), Wide("later")};
  ASSERT_EQ(all, Descriptions(*before.Get()));

  ComPtr<IDesktopAppointment> first, second;
  ASSERT_EQ(S_OK, before->get_Item(2, first.Receive()));
  ASSERT_EQ(S_OK, before->get_Item(3, second.Receive()));
  HostLong firstId = 0;
  first->get_RecordID(&firstId);
  EXPECT_EQ(S_OK, first->Delete(0));
  EXPECT_EQ(S_OK, second->Delete(1));

  // The collection handed out keeps both, readable; later ones lose them.
  EXPECT_EQ(all, Descriptions(*before.Get()));
  EXPECT_EQ((std::vector<WideString>{all[0], all[1], all[4]}),
            Descriptions(*FullRange(*datebook.Get()).Get()));
  ComPtr<IDesktopAppointment> gone;
  EXPECT_TRUE(FAILED(datebook->GetAppointment(firstId, gone.Receive())));
  EXPECT_FALSE(gone);
  EXPECT_TRUE(FAILED(first->put_Note(nullptr)));
  EXPECT_TRUE(FAILED(second->Delete(0)));
  EXPECT_EQ(AppointmentState::MarkedForArchival, host.data->All().at(firstId + 1)->state);
  EXPECT_EQ(0u, host.data->All().count(firstId));
  EXPECT_TRUE(host.data->FindActive(outside->recordId));

  ComPtr<IDesktopAppointment> beyond;
  EXPECT_EQ(E_INVALIDARG, before->get_Item(5, beyond.Receive()));
  EXPECT_EQ(E_INVALIDARG, before->get_Item(-1, beyond.Receive()));
}

TEST_F(DesktopObjects, FieldsRoundTripAsUtf16) {
  auto appointment = host.Add(At(2005, 3, 1, 9, "x"));
  auto second = appointment.Query<IDesktopAppointment2>(IID_IDesktopAppointment2);
  // Umlaut, a character outside the BMP and an embedded NUL.
  const WideString text = {u'M', 0xFC, u'l', 0xD83D, 0xDE00, 0, u'!'};
  EXPECT_EQ(S_OK, appointment->put_Note(Bstr(text).Get()));
  Bstr note;
  EXPECT_EQ(S_OK, appointment->get_Note(note.Receive()));
  EXPECT_EQ(text, note.ToWide());
  // A null BSTR is the empty text, handed back as an empty (not null) BSTR.
  EXPECT_EQ(S_OK, second->put_Location(nullptr));
  Bstr location;
  EXPECT_EQ(S_OK, second->get_Location(location.Receive()));
  EXPECT_NE(nullptr, location.Get());
  EXPECT_EQ(0u, location.Length());

  // Flags read back as 0 or 1 whatever was written.
  const std::pair<HRESULT (STDMETHODCALLTYPE IDesktopAppointment::*)(HostLong),
                  HRESULT (STDMETHODCALLTYPE IDesktopAppointment::*)(HostLong*)>
      flags[] = {{&IDesktopAppointment::put_Untimed, &IDesktopAppointment::get_Untimed},
                 {&IDesktopAppointment::put_Alarm, &IDesktopAppointment::get_Alarm},
                 {&IDesktopAppointment::put_Private, &IDesktopAppointment::get_Private}};
  for (const auto& [put, get] : flags) {
    for (HostLong value : {7, 0, -1}) {
      HostLong read = 5;
      EXPECT_EQ(S_OK, (appointment.Get()->*put)(value));
      EXPECT_EQ(S_OK, (appointment.Get()->*get)(&read));
      EXPECT_EQ(value != 0 ? 1 : 0, read);
    }
  }

  // Alarm units are minutes, hours and days (0..2); amounts are not negative.
  EXPECT_EQ(E_INVALIDARG, appointment->SetAlarm(3, 1));
  EXPECT_EQ(E_INVALIDARG, appointment->SetAlarm(0, -1));
}

TEST_F(DesktopObjects, RepeatRuleWrittenAndRead) {
  const TimeValue noEnd = LocalMidnight(2031, 12, 31);
  const TimeValue end = LocalMidnight(2006, 6, 30);
  struct Case {
    const char* name;
    RepeatRule written, read;
  } cases[] = {
      {"the no-end date stores no end", {1, 2, noEnd, 9}, {1, 2, 0, 0}},
      {"an end date is kept; extra is 0 but for weekly and monthly by day",
       {4, 1, end, 3},
       {4, 1, end, 0}},
      {"weekly keeps its weekday set", {2, 3, 0, 2 | 32}, {2, 3, 0, 2 | 32}},
      {"monthly by day keeps its week index", {3, 1, noEnd, 5}, {3, 1, 0, 5}},
      {"monthly by day without index takes the start's week (third)", {3, 1, 0, 0}, {3, 1, 0, 3}},
      {"type 0 ends the repetition", {0, 0, 0, 0}, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto appointment = host.Add(At(2005, 3, 15, 9, "r"));
    const RepeatRule& w = c.written;
    ASSERT_EQ(S_OK, appointment->SetRepeat(w.type, w.interval, w.end, w.extra));
    RepeatRule read;
    HostLong repeating = -9, typeAlone = -9;
    ASSERT_EQ(S_OK, appointment->GetRepeat(&read.type, &read.interval, &read.end, &read.extra));
    EXPECT_EQ(c.read, read);
    appointment->get_Repeating(&repeating);
    appointment->get_RepeatType(&typeAlone);
    EXPECT_EQ(w.type != 0 ? 1 : 0, repeating);
    EXPECT_EQ(c.read.type, typeAlone);
  }

  auto appointment = host.Add(At(2005, 3, 15, 9, "bad"));
  for (auto [type, interval, extra] : {std::tuple{6, 1, 0}, {-1, 1, 0}, {1, 0, 0}, {3, 1, 6}})
    EXPECT_EQ(E_INVALIDARG, appointment->SetRepeat(type, interval, 0, extra));
  HostLong repeating = -1;
  appointment->get_Repeating(&repeating);
  EXPECT_EQ(0, repeating);
}

TEST_F(DesktopObjects, ExceptionsAreDays) {
  auto appointment = host.Add(At(2005, 3, 15, 9, "r"));
  appointment->SetRepeat(1, 1, 0, 0);
  EXPECT_EQ(S_OK, appointment->AddException(BuildLocal(2005, 3, 16, 13, 5, 0)));
  EXPECT_EQ(S_OK, appointment->AddException(LocalMidnight(2005, 3, 16)));
  HostLong count = 0;
  appointment->get_ExceptionCount(&count);
  EXPECT_EQ(1, count);
  EXPECT_EQ(std::set<TimeValue>{LocalMidnight(2005, 3, 16)},
            host.data->All().begin()->second->exceptions);
}

TEST_F(DesktopObjects, ChangesAreTrackedForTheStore) {
  const auto kept = host.data->Add(At(2005, 3, 1, 9, "kept"));
  const auto dropped = host.data->Add(At(2005, 3, 2, 9, "dropped"));
  host.data->ForgetChanges();
  EXPECT_FALSE(host.data->PendingChanges().Any());

  host.Appointment(kept->recordId)->put_Private(1);
  host.Appointment(dropped->recordId)->put_Note(nullptr);
  host.Appointment(dropped->recordId)->Delete(0);
  const auto& changes = host.data->PendingChanges();
  EXPECT_EQ(std::set<std::int32_t>{kept->recordId}, changes.written);
  EXPECT_EQ(std::set<std::int32_t>{dropped->recordId}, changes.removed);
  EXPECT_FALSE(changes.userName);
}

TEST_F(DesktopObjects, UserAndCommandManager) {
  test_support::CountingObject command;
  ComPtr<IDesktopUser> user;
  ASSERT_EQ(S_OK, host.application->get_CurrentUser(user.Receive()));
  Bstr name;
  EXPECT_EQ(S_OK, user->get_Name(name.Receive()));
  EXPECT_EQ(Wide("Test User"), name.ToWide());

  ComPtr<IDesktopCommandManager> manager;
  ASSERT_EQ(S_OK, host.application->get_CommandManager(manager.Receive()));
  HostLong id = 0;
  EXPECT_EQ(S_OK,
            manager->RegisterCommand(42, Bstr(Wide("TAVIRAddInCommand")).Get(), &command, &id));
  EXPECT_EQ(1, id);
  EXPECT_EQ(1u, command.References());
  EXPECT_EQ(S_OK, manager->AddMenuItem(id, nullptr, 201, Bstr(Wide("&TAVIR")).Get(), 4));
  EXPECT_EQ(E_INVALIDARG, manager->AddMenuItem(id + 1, nullptr, 201, nullptr, 4));

  // Tests see what was registered through the one manager the application has.
  auto& commands = static_cast<DesktopApplication&>(*host.application.Get()).CommandManager();
  ASSERT_EQ(1u, commands.Commands().size());
  ASSERT_EQ(1u, commands.MenuItems().size());
  commands.ReleaseCommands();
  EXPECT_EQ(0u, command.References());
}

TEST_F(DesktopObjects, AddinListFindsRenamesAndRemoves) {
  auto list = std::make_shared<AddinList>();
  list->entries.push_back({Wide("{ABCDEF01-0000-0000-0000-000000000000}"), Wide("Old")});
  auto registry = CreateDesktopAddinRegistry(list);
  ComPtr<IDesktopAddinEntry> entry;
  EXPECT_EQ(S_OK, registry->get_Item(Bstr(Wide("{12345678-0000-0000-0000-000000000000}")).Get(),
                                     entry.Receive()));
  EXPECT_FALSE(entry) << "no entry is S_OK with nothing";
  ASSERT_EQ(S_OK, registry->get_Item(Bstr(Wide("{abcdef01-0000-0000-0000-000000000000}")).Get(),
                                     entry.Receive()));
  ASSERT_TRUE(entry);
  EXPECT_EQ(S_OK, entry->Remove());
  EXPECT_TRUE(list->entries.empty());
  EXPECT_EQ(S_OK, entry->Remove());

  ComPtr<IDesktopAddinEntry> added;
  const Bstr id(Wide("{ABCDEF01-0000-0000-0000-000000000000}"));
  EXPECT_EQ(S_OK, registry->Add(id.Get(), Bstr(Wide("TAVIRAddIn Addin")).Get(), added.Receive()));
  EXPECT_EQ(S_OK, registry->Add(id.Get(), Bstr(Wide("Renamed")).Get(), added.Receive()));
  ASSERT_EQ(1u, list->entries.size());
  EXPECT_EQ(Wide("Renamed"), list->entries[0].name);
}

}  // namespace
}  // namespace tavir
