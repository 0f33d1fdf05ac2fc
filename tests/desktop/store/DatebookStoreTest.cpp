// The datebook file: what it keeps, what it writes, and what it refuses.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "desktop/store/DatebookStore.h"
#include "desktop/store/StoreTestSupport.h"
#include "platform/ComOwners.h"
#include "support/DesktopHost.h"
#include "support/TimeZones.h"

namespace tavir {
namespace {

using test_support::ReadFileBytes;
using test_support::RunSql;
using test_support::ScratchDirectory;

const WideString kDefaultUser = OLESTR("Default User");

DatebookStoreError OpenFailure(const std::string& path) {
  try {
    DatebookStore store(path, kDefaultUser);
    store.Load();
  } catch (const DatebookStoreError& error) {
    return error;
  }
  ADD_FAILURE() << "opened " << path;
  return DatebookStoreError(DatebookStoreFailure::Unavailable, "");
}

AppointmentData FullAppointment() {
  AppointmentData a;
  a.start = BuildLocal(2005, 3, 1, 9, 30, 0);
  a.end = BuildLocal(2005, 3, 1, 11, 0, 0);
  a.untimed = true;
  a.description = {u'M', 0xFC, u'n', 0xD83D, 0xDE00, 0, u'x'};  // with an embedded NUL
  a.note = WideString(40000, u'n');
  a.category = OLESTR("Work");
  a.location = {0xD800, u'!'};  // a lone surrogate stays as it was
  a.repeat = {2, 3, LocalMidnight(2006, 1, 1), 2 | 64};
  a.exceptions = {LocalMidnight(2005, 3, 8), LocalMidnight(2005, 4, 5)};
  a.alarm = true;
  a.alarmUnit = 1;
  a.alarmAmount = 45;
  a.isPrivate = true;
  return a;
}

class DatebookFile : public ::testing::Test {
 protected:
  test_support::ScopedTimeZone zone{test_support::TestZone::Berlin};
  ScratchDirectory directory;
  std::string path = directory.PathOf("datebook.tavir");
};

TEST_F(DatebookFile, NewFileHasTheDefaultUserAndOnlyACommitChangesIt) {
  {
    DatebookStore store(path, kDefaultUser);
    auto data = store.Load();
    EXPECT_EQ(kDefaultUser, data->UserName());
    EXPECT_TRUE(data->All().empty());
  }
  const std::string before = ReadFileBytes(path);
  {
    DatebookStore store(path, OLESTR("Someone Else"));
    auto data = store.Load();
    EXPECT_EQ(kDefaultUser, data->UserName());
    data->Add(FullAppointment());
    data->SetUserName(OLESTR("changed"));
  }
  EXPECT_EQ(before, ReadFileBytes(path));
  EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
}

TEST_F(DatebookFile, EveryFieldRoundTrips) {
  std::vector<AppointmentData> written;
  {
    DatebookStore store(path, kDefaultUser);
    auto data = store.Load();
    data->SetUserName({u'J', 0xF6, u'r', u'g'});
    written.push_back(*data->Add(FullAppointment()));
    AppointmentData invalid;
    invalid.start = -1;
    written.push_back(*data->Add(invalid));
    AppointmentData archived = FullAppointment();
    archived.repeat = {3, 1, 0, 5};
    archived.exceptions.clear();
    auto stored = data->Add(archived);
    data->MarkForArchival(*stored);
    written.push_back(*stored);
    store.Commit(*data);
  }
  DatebookStore store(path, kDefaultUser);
  auto data = store.Load();
  EXPECT_EQ(WideString({u'J', 0xF6, u'r', u'g'}), data->UserName());
  ASSERT_EQ(written.size(), data->All().size());
  for (const AppointmentData& expected : written) {
    EXPECT_EQ(expected, *data->All().at(expected.recordId)) << "record " << expected.recordId;
  }
  EXPECT_FALSE(data->PendingChanges().Any());
}

TEST_F(DatebookFile, OnlyChangesAreWrittenAndIdsAreNeverReused) {
  {
    DatebookStore store(path, kDefaultUser);
    auto data = store.Load();
    for (int i = 0; i < 1000; ++i) {
      AppointmentData a;
      a.start = BuildLocal(2005, 1, 1, 8, 0, 0) + i * 3600;
      a.description = OLESTR("routine");
      data->Add(a);
    }
    EXPECT_EQ(1000, store.Commit(*data).appointmentsWritten);
  }
  // Each round changes, deletes and adds; deleting the newest appointment
  // does not free its id for the next one.
  for (const std::int32_t added : {1001, 1002}) {
    DatebookStore store(path, kDefaultUser);
    auto data = store.Load();
    EXPECT_EQ(1000u, data->All().size());
    EXPECT_EQ(added == 1002, data->All().at(10)->isPrivate) << "the change was written";
    data->All().at(10)->isPrivate = !data->All().at(10)->isPrivate;
    data->MarkChanged(*data->All().at(10));
    data->Delete(*data->All().at(added - 1));
    EXPECT_EQ(added, data->Add({})->recordId);
    const auto summary = store.Commit(*data);
    EXPECT_EQ(2, summary.appointmentsWritten);
    EXPECT_EQ(1, summary.appointmentsRemoved);
  }
  DatebookStore store(path, kDefaultUser);
  auto data = store.Load();
  EXPECT_FALSE(data->All().at(10)->isPrivate);
  EXPECT_EQ(0u, data->All().count(1001));
  EXPECT_EQ(1003, data->Add({})->recordId);
}

// A loaded datebook keeps its appointments stored until they are asked for:
// each must come out whole (ids with gaps, exceptions on some), and objects
// reading the stored row must see a change made through another object.
TEST_F(DatebookFile, StoredAppointmentsReadAndChangeAsObjects) {
  std::vector<AppointmentData> kept;
  {
    DatebookStore store(path, kDefaultUser);
    auto data = store.Load();
    for (int i = 0; i < 6; ++i) {
      AppointmentData a = FullAppointment();
      a.start -= i * 86400;  // the collection's order is the reverse of the ids'
      if (i % 3 != 0)
        a.exceptions.clear();
      auto added = data->Add(a);
      if (i == 0 || i == 3)
        data->Delete(*added);
      else
        kept.push_back(*added);
    }
    store.Commit(*data);
  }
  DatebookStore store(path, kDefaultUser);
  test_support::DesktopHost host{store.Load()};
  for (const AppointmentData& expected : kept)
    EXPECT_EQ(expected, *host.data->Find(expected.recordId)) << "record " << expected.recordId;
  EXPECT_FALSE(host.data->Find(1));
  ComPtr<IDesktopAppointments> items;
  ASSERT_EQ(S_OK, host.Datebook()->GetAppointments(LocalMidnight(2000, 1, 1),
                                                   LocalMidnight(2010, 1, 1), items.Receive()));
  ComPtr<IDesktopAppointment> reader, writer;
  ASSERT_EQ(S_OK, items->get_Item(0, reader.Receive()));
  ASSERT_EQ(S_OK, items->get_Item(0, writer.Receive()));
  HostLong id = 0;
  ASSERT_EQ(S_OK, reader->get_RecordID(&id));
  EXPECT_EQ(kept.back().recordId, id);
  const Bstr changed(std::string("changed"));
  ASSERT_EQ(S_OK, writer->put_Description(changed.Get()));
  Bstr text;
  ASSERT_EQ(S_OK, reader->get_Description(text.Receive()));
  EXPECT_EQ("changed", text.ToAnsi());
  ASSERT_EQ(S_OK, writer->Delete(0));
  EXPECT_EQ(E_FAIL, reader->put_Note(changed.Get())) << "the reader sees the deletion";
  EXPECT_EQ(1, store.Commit(*host.data).appointmentsRemoved);
}

TEST_F(DatebookFile, FilesThatAreNotDatebooksAreRefusedUntouched) {
  struct Case {
    const char* name;
    std::string bytes;  // written as the file, unless sql is given
    const char* sql;
  } cases[] = {
      {"a text file", "Date,Time,Text\r\n1/2/2005,10:00,x\r\n", nullptr},
      {"binary noise", std::string(8192, '\x5a'), nullptr},
      {"an empty file", "", nullptr},
      {"another program's database", "",
       "CREATE TABLE meta (key, value); INSERT INTO meta VALUES (1, 2);"},
      {"our identifier but no tables", "",
       "PRAGMA application_id = 1413568082; CREATE TABLE t (x);"},
      {"a datebook of a newer version", "",
       "PRAGMA application_id = 1413568082; PRAGMA user_version = 3; CREATE TABLE t (x);"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = directory.PathOf(std::string(c.name) + ".db");
    if (c.sql) {
      RunSql(file, c.sql);
    } else {
      test_support::WriteBytes(file, c.bytes);
    }
    const std::string before = ReadFileBytes(file);
    const DatebookStoreError error = OpenFailure(file);
    EXPECT_EQ(DatebookStoreFailure::NotADatebook, error.Failure());
    EXPECT_NE(std::string::npos, std::string(error.what()).find(file)) << error.what();
    EXPECT_EQ(before, ReadFileBytes(file));
    EXPECT_FALSE(std::filesystem::exists(file + "-journal"));
  }
}

TEST_F(DatebookFile, DamagedValuesGiveClearErrors) {
  {
    DatebookStore store(path, kDefaultUser);
    auto data = store.Load();
    data->Add(FullAppointment());
    store.Commit(*data);
  }
  const std::string good = ReadFileBytes(path);
  struct Case {
    const char* sql;
    const char* message;
  } cases[] = {
      {"UPDATE appointments SET repeat_type = 9", "appointment 1 has an invalid repeat_type"},
      {"UPDATE appointments SET repeat_type = 'weekly'",
       "appointment 1 has an invalid repeat_type"},
      {"UPDATE appointments SET start_time = 5000000000",
       "appointment 1 has an invalid start_time"},
      {"UPDATE appointments SET description = x'0102'", "appointment 1 has an invalid description"},
      {"UPDATE appointments SET repeat_interval = 0",
       "appointment 1 has an invalid repeat_interval"},
      {"UPDATE appointments SET repeat_extra = 300", "appointment 1 has an invalid repeat_extra"},
      {"UPDATE appointments SET alarm_unit = 3", "appointment 1 has an invalid alarm_unit"},
      {"UPDATE appointments SET state = 2", "appointment 1 has an invalid state"},
      {"UPDATE appointments SET untimed = 2.5", "appointment 1 has an invalid untimed"},
      {"UPDATE appointments SET record_id = 0", "appointment 0 has an invalid record_id"},
      {"INSERT INTO exceptions VALUES (77, 0)", "an exception day belongs to no appointment"},
      {"UPDATE exceptions SET day = 'soon' WHERE day = (SELECT min(day) FROM exceptions)",
       "an exception day has an invalid day"},
      {"DELETE FROM meta WHERE key = 'user_name'", "the user name is missing"},
      {"UPDATE meta SET value = 'many' WHERE key = 'next_record_id'",
       "the record id counter is missing or invalid"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    test_support::WriteBytes(path, good);
    RunSql(path, c.sql);
    const DatebookStoreError error = OpenFailure(path);
    EXPECT_EQ(DatebookStoreFailure::Damaged, error.Failure());
    EXPECT_EQ("The datebook file is damaged: " + std::string(c.message) + ".", error.what());
  }
}

TEST_F(DatebookFile, SecondCommitAndMissingDirectoryAreRefused) {
  DatebookStore store(path, kDefaultUser);
  auto data = store.Load();
  store.Commit(*data);
  EXPECT_THROW(store.Commit(*data), DatebookStoreError);
  EXPECT_EQ(DatebookStoreFailure::Unavailable,
            OpenFailure(directory.PathOf("no/such/dir/datebook")).Failure());
}

}  // namespace
}  // namespace tavir
