#!/usr/bin/python3
"""Reads a vCalendar 1.0 file with python-vobject and prints its occurrences.

Usage: check_vcs.py FILE FROM TO   (FROM and TO: local dates, YYYY-MM-DD)

For each VEVENT, in file order, the lines
    SUMMARY      the text (quoted-printable decoded by vobject)
    OCCURRENCES  the starts from FROM 00:00 to TO 23:59:59 local time (TZ):
                 T:<seconds since 1970 UTC> for a date-time, D:<YYYYMMDD> for
                 a date; the RRULE in vCalendar 1.0's own grammar (D, W, MP,
                 MD, YM with #count or an end date-time) expanded here in
                 local time, as a reader in the same zone shows it, weeks
                 from Sunday; DTSTART counts as the first; less EXDATE
Exit status 1, with the reason on stderr, when the file or a rule does not
parse. vobject knows no vCalendar 1.0 rules, so this script expands them with
python-dateutil.

Run with /usr/bin/python3 (Debian's python3-vobject and python3-dateutil).
"""
import calendar
import datetime as dt
import re
import sys
import time

import vobject
from dateutil import rrule

WEEKDAYS = {"MO": rrule.MO, "TU": rrule.TU, "WE": rrule.WE, "TH": rrule.TH,
            "FR": rrule.FR, "SA": rrule.SA, "SU": rrule.SU}


def local(text):
    """A DATE (naive midnight, is_date) or a UTC date-time (naive local)."""
    if len(text) == 8:
        return dt.datetime.strptime(text, "%Y%m%d"), True
    moment = calendar.timegm(time.strptime(text, "%Y%m%dT%H%M%SZ"))
    return dt.datetime.fromtimestamp(moment), False


def expand(value, start):
    tokens = value.split()
    head = re.fullmatch(r"(D|W|MP|MD|YM)(\d+)", tokens[0])
    if not head or len(tokens) < 2:
        raise ValueError("not a vCalendar 1.0 rule: " + value)
    kind, interval = head.group(1), int(head.group(2))
    duration, modifiers = tokens[-1], tokens[1:-1]
    options = {"dtstart": start, "interval": interval, "wkst": rrule.SU}
    if duration.startswith("#"):
        if duration != "#0":
            options["count"] = int(duration[1:])
    else:
        options["until"] = local(duration)[0]
    if kind == "D":
        frequency = rrule.DAILY
    elif kind == "W":
        frequency = rrule.WEEKLY
        options["byweekday"] = [WEEKDAYS[day] for day in modifiers]
    elif kind == "MP":
        frequency = rrule.MONTHLY
        position, day = modifiers
        index = int(position[:-1]) * (-1 if position.endswith("-") else 1)
        options["byweekday"] = [WEEKDAYS[day](index)]
    elif kind == "MD":
        frequency = rrule.MONTHLY
        options["bymonthday"] = [int(day) for day in modifiers]
    else:
        frequency = rrule.YEARLY
        options["bymonth"] = [int(month) for month in modifiers]
    return rrule.rrule(frequency, **options)


def occurrences(event, first_day, last_day):
    start, is_date = local(event.dtstart.value)
    rules = rrule.rruleset()
    rules.rdate(start)
    if hasattr(event, "rrule"):
        rules.rrule(expand(event.rrule.value, start))
    for line in event.contents.get("exdate", []):
        for value in line.value.split(";"):
            rules.exdate(local(value)[0])
    begin = dt.datetime.combine(first_day, dt.time())
    end = dt.datetime.combine(last_day, dt.time(23, 59, 59))
    days = rules.between(begin, end, inc=True)
    if is_date:
        return ["D:" + day.strftime("%Y%m%d") for day in days]
    return ["T:%d" % int(time.mktime(day.timetuple())) for day in days]


def main():
    name, first, last = sys.argv[1:4]
    first_day = dt.datetime.strptime(first, "%Y-%m-%d").date()
    last_day = dt.datetime.strptime(last, "%Y-%m-%d").date()
    with open(name, "rb") as vcs:
        data = vcs.read().decode("utf-8", errors="replace")
    try:
        calendar_ = vobject.readOne(data, transform=False)
        for event in calendar_.contents.get("vevent", []):
            summary = event.summary.value if hasattr(event, "summary") else ""
            print("SUMMARY " + summary.replace("\n", "\\n"))
            print("OCCURRENCES " + " ".join(occurrences(event, first_day, last_day)))
    except (ValueError, KeyError) as error:
        print("does not read: %s" % error, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
