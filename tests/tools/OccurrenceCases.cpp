// Reads repeat rules from standard input, one per line, and prints the days
// the stand-alone datebook yields for each through FindFirstOccurrence and
// FindNextOccurrence, the way the export drives them. check_occurrences.py
// feeds it and compares with python-dateutil.
//
// Line:   id  start(y m d)  type interval  end(y m d, 0 0 0 = none)  extra
//         from(y m d hour)  to(y m d)  count  exception(y m d)...
// Output: id count yyyymmdd...
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "desktop/Desktop.h"
#include "platform/ComPtr.h"
#include "platform/LocalTime.h"

namespace tavir {
namespace {

int DateNumber(TimeValue t) {
  const LocalFields f = SplitLocal(t);
  return f.year * 10000 + f.month * 100 + f.day;
}

bool RunCase(IDesktopDatebook& datebook, std::istringstream& line, std::ostream& out) {
  std::string id;
  int sy, sm, sd, type, interval, ey, em, ed, extra, fy, fm, fd, fh, ty, tm, td, count;
  if (!(line >> id >> sy >> sm >> sd >> type >> interval >> ey >> em >> ed >> extra >> fy >> fm >>
        fd >> fh >> ty >> tm >> td >> count)) {
    return false;
  }
  const TimeValue start = BuildLocal(sy, sm, sd, 9, 30, 0);
  ComPtr<IDesktopAppointment> appointment;
  if (FAILED(datebook.AddAppointment(start, start + 3600, nullptr, appointment.Receive())))
    return false;
  const TimeValue end = ey == 0 ? 0 : LocalMidnight(ey, em, ed);
  if (type != 0 && FAILED(appointment->SetRepeat(type, interval, end, extra)))
    return false;
  for (int i = 0; i < count; ++i) {
    int y, m, d;
    if (!(line >> y >> m >> d))
      return false;
    if (FAILED(appointment->AddException(BuildLocal(y, m, d, 12, 0, 0))))
      return false;
  }
  const TimeValue from = BuildLocal(fy, fm, fd, fh, 0, 0);
  const TimeValue to = LocalMidnight(ty, tm, td);
  TimeValue cursor = 0;
  HostLong found = 0;
  if (FAILED(appointment->FindFirstOccurrence(from, to, &cursor, &found)))
    return false;
  std::ostringstream days;
  int written = 0;
  TimeValue previous = 0;
  while (found) {
    TimeValue day = 0;
    if (FAILED(appointment->FindNextOccurrence(&cursor, to, &day, &found)))
      return false;
    if (!found)
      break;
    if (day == previous)
      return false;  // the same day twice would end the export's loop
    previous = day;
    days << ' ' << DateNumber(day);
    ++written;
  }
  out << id << ' ' << written << days.str() << '\n';
  return true;
}

}  // namespace
}  // namespace tavir

int main() {
  using namespace tavir;
  auto data = std::make_shared<DatebookData>();
  ComPtr<IDesktopApplication> application = CreateDesktopApplication(data);
  ComPtr<IDispatch> object;
  application->get_Datebook(object.Receive());
  ComPtr<IDesktopDatebook> datebook = object.Query<IDesktopDatebook>(IID_IDesktopDatebook);
  std::string text;
  while (std::getline(std::cin, text)) {
    std::istringstream line(text);
    if (!RunCase(*datebook.Get(), line, std::cout)) {
      std::cerr << "cannot run case: " << text << '\n';
      return 1;
    }
  }
  return 0;
}
