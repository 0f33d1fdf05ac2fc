#!/usr/bin/python3
"""Reads an iCalendar file with python-icalendar and prints what it holds.

Usage: check_ics.py FILE FROM TO   (FROM and TO: local dates, YYYY-MM-DD)

For each VEVENT, in file order, one block of lines "KEY value":
    EVENT        the UID
    SUMMARY, DESCRIPTION, LOCATION    the unescaped texts
    START, END   T:<seconds since 1970 UTC> for a date-time (a floating one is
                 taken in the local zone, TZ), D:<YYYYMMDD> for a date
    CLASS        the class, empty when there is none
    CATEGORIES   the categories joined by "," (python-icalendar 4 splits a
                 category at an escaped comma; joined, the text is whole again)
    ALARM        "<minutes of the trigger> <description>", or "-"
    OCCURRENCES  the starts from FROM 00:00 to TO 23:59:59 local time, as
                 python-dateutil expands the RRULE (DTSTART counts as the
                 first, as RFC 5545 says) less the EXDATE values; without
                 RRULE the start alone
In texts, a backslash is written \\, a line feed \n and a carriage return \r.
Exit status 1, with the reason on stderr, when the file does not parse.

Run with /usr/bin/python3: Debian's python3-icalendar and python3-dateutil
live there.
"""
import datetime as dt
import sys
import time

import icalendar
from dateutil import rrule


def escaped(text):
    return str(text).replace("\\", "\\\\").replace("\n", "\\n").replace("\r", "\\r")


def local_seconds(value):
    if value.tzinfo is not None:
        return int(value.timestamp())
    return int(time.mktime(value.timetuple()))


def moment(value):
    if isinstance(value, dt.datetime):
        return "T:%d" % local_seconds(value)
    return "D:" + value.strftime("%Y%m%d")


def occurrences(event, start, first_day, last_day):
    begin = dt.datetime.combine(first_day, dt.time())
    end = dt.datetime.combine(last_day, dt.time(23, 59, 59))
    if isinstance(start, dt.datetime):
        if start.tzinfo is not None:
            begin = dt.datetime.fromtimestamp(local_seconds(begin), dt.timezone.utc)
            end = dt.datetime.fromtimestamp(local_seconds(end), dt.timezone.utc)
        first = start
    else:
        first = dt.datetime.combine(start, dt.time())
    if "RRULE" not in event:
        days = [first] if begin <= first <= end else []
    else:
        rule_text = event["RRULE"].to_ical().decode("ascii")
        rules = rrule.rruleset()
        rules.rrule(rrule.rrulestr(rule_text, dtstart=first))
        rules.rdate(first)
        exdates = event.get("EXDATE", [])
        for values in exdates if isinstance(exdates, list) else [exdates]:
            for value in values.dts:
                day = value.dt
                if not isinstance(day, dt.datetime):
                    day = dt.datetime.combine(day, dt.time())
                rules.exdate(day)
        days = rules.between(begin, end, inc=True)
    if isinstance(start, dt.datetime):
        return [moment(day) for day in days]
    return [moment(day.date()) for day in days]


def describe(event, first_day, last_day):
    lines = []
    start = event.decoded("DTSTART")
    lines.append("EVENT " + str(event.get("UID", "")))
    lines.append("SUMMARY " + escaped(event.get("SUMMARY", "")))
    lines.append("DESCRIPTION " + escaped(event.get("DESCRIPTION", "")))
    lines.append("START " + moment(start))
    lines.append("END " + moment(event.decoded("DTEND")))
    lines.append("CLASS " + str(event.get("CLASS", "")))
    categories = event.get("CATEGORIES")
    names = [str(name) for name in categories.cats] if categories is not None else []
    lines.append("CATEGORIES " + escaped(",".join(names)))
    lines.append("LOCATION " + escaped(event.get("LOCATION", "")))
    alarms = [c for c in event.subcomponents if c.name == "VALARM"]
    if alarms:
        trigger = alarms[0].decoded("TRIGGER")
        minutes = int(trigger.total_seconds()) // 60
        lines.append("ALARM %d %s" % (minutes, escaped(alarms[0].get("DESCRIPTION", ""))))
    else:
        lines.append("ALARM -")
    lines.append("OCCURRENCES " + " ".join(occurrences(event, start, first_day, last_day)))
    return lines


def main():
    name, first, last = sys.argv[1:4]
    first_day = dt.datetime.strptime(first, "%Y-%m-%d").date()
    last_day = dt.datetime.strptime(last, "%Y-%m-%d").date()
    with open(name, "rb") as ics:
        data = ics.read()
    try:
        calendar = icalendar.Calendar.from_ical(data)
    except ValueError as error:
        print("does not parse: %s" % error, file=sys.stderr)
        return 1
    problems = [str(c.errors) for c in calendar.walk() if getattr(c, "errors", None)]
    if problems:
        print("parse errors: " + "; ".join(problems), file=sys.stderr)
        return 1
    for event in calendar.walk("VEVENT"):
        sys.stdout.write("\n".join(describe(event, first_day, last_day)) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
