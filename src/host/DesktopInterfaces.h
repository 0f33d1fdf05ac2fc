// The host's Datebook object model as COM interfaces, each method at the
// vtable slot the host gives it (IDispatch fills slots 0-6). Slots whose
// methods the program never calls hold placeholders so that the known ones
// land where the host expects them.
#pragma once

#include "platform/Com.h"
#include "platform/LocalTime.h"

namespace tavir {

// Host flags and counts travel as 32-bit integers on every platform.
using HostLong = std::int32_t;

#define TAVIR_HOST_PLACEHOLDER(slot) virtual HRESULT STDMETHODCALLTYPE Placeholder##slot() = 0
// The add-in list's objects reach their methods past ten slots they never call.
#define TAVIR_HOST_PLACEHOLDERS_7_TO_16 \
  TAVIR_HOST_PLACEHOLDER(7);            \
  TAVIR_HOST_PLACEHOLDER(8);            \
  TAVIR_HOST_PLACEHOLDER(9);            \
  TAVIR_HOST_PLACEHOLDER(10);           \
  TAVIR_HOST_PLACEHOLDER(11);           \
  TAVIR_HOST_PLACEHOLDER(12);           \
  TAVIR_HOST_PLACEHOLDER(13);           \
  TAVIR_HOST_PLACEHOLDER(14);           \
  TAVIR_HOST_PLACEHOLDER(15);           \
  TAVIR_HOST_PLACEHOLDER(16)

struct IDesktopAppointment;
struct IDesktopAppointments;
struct IDesktopDatebook;
struct IDesktopUser;
struct IDesktopCommandManager;
struct IDesktopAddinEntry;

struct IDesktopApplication : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_CommandManager(IDesktopCommandManager** manager) = 0;  // 7
  TAVIR_HOST_PLACEHOLDER(8);
  virtual HRESULT STDMETHODCALLTYPE get_CurrentUser(IDesktopUser** user) = 0;  // 9
  TAVIR_HOST_PLACEHOLDER(10);
  // The Datebook comes as a plain object; callers QueryInterface it.
  virtual HRESULT STDMETHODCALLTYPE get_Datebook(IDispatch** datebook) = 0;  // 11
};

struct IDesktopUser : public IDispatch {
  TAVIR_HOST_PLACEHOLDER(7);
  virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;  // 8
};

struct IDesktopDatebook : public IDispatch {
  TAVIR_HOST_PLACEHOLDER(7);
  TAVIR_HOST_PLACEHOLDER(8);
  TAVIR_HOST_PLACEHOLDER(9);
  TAVIR_HOST_PLACEHOLDER(10);
  virtual HRESULT STDMETHODCALLTYPE GetAppointments(TimeValue from, TimeValue to,
                                                    IDesktopAppointments** appointments) = 0;  // 11
  TAVIR_HOST_PLACEHOLDER(12);
  TAVIR_HOST_PLACEHOLDER(13);
  virtual HRESULT STDMETHODCALLTYPE AddAppointment(TimeValue start, TimeValue end, BSTR text,
                                                   IDesktopAppointment** appointment) = 0;  // 14
  TAVIR_HOST_PLACEHOLDER(15);
  TAVIR_HOST_PLACEHOLDER(16);
  // Fails when the Datebook has no appointment with that id.
  virtual HRESULT STDMETHODCALLTYPE GetAppointment(HostLong recordId,
                                                   IDesktopAppointment** appointment) = 0;  // 17
};

struct IDesktopAppointments : public IDispatch {
  TAVIR_HOST_PLACEHOLDER(7);
  TAVIR_HOST_PLACEHOLDER(8);
  virtual HRESULT STDMETHODCALLTYPE get_Count(HostLong* count) = 0;  // 9
  virtual HRESULT STDMETHODCALLTYPE get_Item(HostLong index,
                                             IDesktopAppointment** appointment) = 0;  // 10
};

struct IDesktopAppointment : public IDispatch {
  TAVIR_HOST_PLACEHOLDER(7);
  TAVIR_HOST_PLACEHOLDER(8);
  TAVIR_HOST_PLACEHOLDER(9);
  virtual HRESULT STDMETHODCALLTYPE get_StartTime(TimeValue* start) = 0;  // 10: 0 or -1 = invalid
  TAVIR_HOST_PLACEHOLDER(11);
  TAVIR_HOST_PLACEHOLDER(12);
  TAVIR_HOST_PLACEHOLDER(13);
  virtual HRESULT STDMETHODCALLTYPE get_EndTime(TimeValue* end) = 0;  // 14
  TAVIR_HOST_PLACEHOLDER(15);
  TAVIR_HOST_PLACEHOLDER(16);
  TAVIR_HOST_PLACEHOLDER(17);
  virtual HRESULT STDMETHODCALLTYPE get_Untimed(HostLong* untimed) = 0;       // 18
  virtual HRESULT STDMETHODCALLTYPE put_Untimed(HostLong untimed) = 0;        // 19
  virtual HRESULT STDMETHODCALLTYPE get_Description(BSTR* text) = 0;          // 20
  virtual HRESULT STDMETHODCALLTYPE put_Description(BSTR text) = 0;           // 21
  virtual HRESULT STDMETHODCALLTYPE get_Note(BSTR* note) = 0;                 // 22
  virtual HRESULT STDMETHODCALLTYPE put_Note(BSTR note) = 0;                  // 23
  virtual HRESULT STDMETHODCALLTYPE get_Repeating(HostLong* repeating) = 0;   // 24
  virtual HRESULT STDMETHODCALLTYPE get_ExceptionCount(HostLong* count) = 0;  // 25
  virtual HRESULT STDMETHODCALLTYPE get_Alarm(HostLong* alarm) = 0;           // 26
  virtual HRESULT STDMETHODCALLTYPE put_Alarm(HostLong alarm) = 0;            // 27
  virtual HRESULT STDMETHODCALLTYPE AddException(TimeValue day) = 0;          // 28
  TAVIR_HOST_PLACEHOLDER(29);
  TAVIR_HOST_PLACEHOLDER(30);
  TAVIR_HOST_PLACEHOLDER(31);
  virtual HRESULT STDMETHODCALLTYPE FindFirstOccurrence(TimeValue from, TimeValue to,
                                                        TimeValue* day, HostLong* found) = 0;  // 32
  TAVIR_HOST_PLACEHOLDER(33);
  // The cursor is the day the previous call returned; the host may advance it.
  virtual HRESULT STDMETHODCALLTYPE FindNextOccurrence(TimeValue* cursor, TimeValue to,
                                                       TimeValue* day, HostLong* found) = 0;  // 34
  TAVIR_HOST_PLACEHOLDER(35);
  virtual HRESULT STDMETHODCALLTYPE SetAlarm(HostLong unit, HostLong amount) = 0;    // 36
  virtual HRESULT STDMETHODCALLTYPE GetAlarm(HostLong* unit, HostLong* amount) = 0;  // 37
  // extra: the weekday set of a weekly rule, the week index of a monthly-by-day
  // rule, else 0. end: 0 when the rule has no end.
  virtual HRESULT STDMETHODCALLTYPE GetRepeat(HostLong* type, HostLong* interval, TimeValue* end,
                                              HostLong* extra) = 0;  // 38
  TAVIR_HOST_PLACEHOLDER(39);
  virtual HRESULT STDMETHODCALLTYPE SetRepeat(HostLong type, HostLong interval, TimeValue end,
                                              HostLong extra) = 0;  // 40
  TAVIR_HOST_PLACEHOLDER(41);
  virtual HRESULT STDMETHODCALLTYPE get_RepeatType(HostLong* type) = 0;    // 42
  virtual HRESULT STDMETHODCALLTYPE get_Category(BSTR* category) = 0;      // 43
  virtual HRESULT STDMETHODCALLTYPE put_Category(BSTR category) = 0;       // 44
  virtual HRESULT STDMETHODCALLTYPE get_RecordID(HostLong* recordId) = 0;  // 45
  TAVIR_HOST_PLACEHOLDER(46);
  virtual HRESULT STDMETHODCALLTYPE get_Private(HostLong* isPrivate) = 0;  // 47
  virtual HRESULT STDMETHODCALLTYPE put_Private(HostLong isPrivate) = 0;   // 48
  // 1: mark for archival at the next HotSync; 0: delete.
  virtual HRESULT STDMETHODCALLTYPE Delete(HostLong archive) = 0;  // 49
};

// Optional: a host may not offer it (E_NOINTERFACE is not an error).
struct IDesktopAppointment2 : public IDesktopAppointment {
  virtual HRESULT STDMETHODCALLTYPE get_Location(BSTR* location) = 0;              // 50
  virtual HRESULT STDMETHODCALLTYPE put_Location(BSTR location) = 0;               // 51
  virtual HRESULT STDMETHODCALLTYPE SetTimes(TimeValue start, TimeValue end) = 0;  // 52
};

struct IDesktopCommandManager : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE RegisterCommand(HostLong cookie, BSTR name, IUnknown* command,
                                                    HostLong* commandId) = 0;  // 7
  virtual HRESULT STDMETHODCALLTYPE AddMenuItem(HostLong commandId, void* module,
                                                HostLong resourceId, BSTR menuText,
                                                HostLong flags) = 0;  // 8
};

struct IDesktopAddinRegistry : public IDispatch {
  TAVIR_HOST_PLACEHOLDERS_7_TO_16;
  virtual HRESULT STDMETHODCALLTYPE Add(BSTR classId, BSTR name,
                                        IDesktopAddinEntry** entry) = 0;  // 17
  TAVIR_HOST_PLACEHOLDER(18);
  virtual HRESULT STDMETHODCALLTYPE get_Item(BSTR classId, IDesktopAddinEntry** entry) = 0;  // 19
};

struct IDesktopAddinEntry : public IDispatch {
  TAVIR_HOST_PLACEHOLDERS_7_TO_16;
  virtual HRESULT STDMETHODCALLTYPE Remove() = 0;  // 17
};

#undef TAVIR_HOST_PLACEHOLDERS_7_TO_16
#undef TAVIR_HOST_PLACEHOLDER

// Interface identifiers, defined once in HostIds.cpp. The host publishes
// those of its add-in list; the others are ours.
extern const IID IID_IDesktopApplication;
extern const IID IID_IDesktopUser;
extern const IID IID_IDesktopDatebook;
extern const IID IID_IDesktopAppointments;
extern const IID IID_IDesktopAppointment;
extern const IID IID_IDesktopAppointment2;
extern const IID IID_IDesktopCommandManager;
extern const IID IID_IDesktopAddinRegistry;
extern const IID IID_IDesktopAddinEntry;
// The host's class behind IDesktopAddinRegistry.
extern const CLSID CLSID_DesktopAddinRegistry;

}  // namespace tavir
