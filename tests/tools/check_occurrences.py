#!/usr/bin/python3
"""Compares the stand-alone datebook's occurrence search with python-dateutil.

Generates repeat rules of every type (intervals 1 to 5, weekday sets, week
index 1 to 5 with 5 = the last, month ends, 29 February, end dates, exception
days) over spans between 1970 and 2031, runs them through the program given as
the first argument (tests/tools/OccurrenceCases.cpp) and recomputes each with
dateutil.rrule. Occurrences are the start day plus the rule's days after it up
to the end day (no end: 2031-12-31), minus the exception days.

Run with /usr/bin/python3: Debian's python3-dateutil lives there.
"""
import datetime as dt
import itertools
import os
import random
import subprocess
import sys

from dateutil import rrule

NO_END = dt.date(2031, 12, 31)
FIRST = dt.date(1970, 1, 2)
WEEKDAYS = [rrule.SU, rrule.MO, rrule.TU, rrule.WE, rrule.TH, rrule.FR, rrule.SA]
# Central European time with its daylight saving rules: midnights move.
ZONE = "CET-1CEST,M3.5.0,M10.5.0/3"


def sunday_based_weekday(day):
    return (day.weekday() + 1) % 7


def rule_days(case):
    start, kind, interval, end, extra = (case[k] for k in ("start", "type", "interval", "end", "extra"))
    until = dt.datetime.combine(end or NO_END, dt.time())
    begin = dt.datetime.combine(start, dt.time())
    if kind == 1:
        rule = rrule.rrule(rrule.DAILY, interval=interval, dtstart=begin, until=until)
    elif kind == 2:
        bits = extra & 0x7F or 1 << sunday_based_weekday(start)
        days = [WEEKDAYS[i] for i in range(7) if bits & (1 << i)]
        rule = rrule.rrule(rrule.WEEKLY, interval=interval, byweekday=days, wkst=rrule.SU,
                           dtstart=begin, until=until)
    elif kind == 3:
        index = extra or (start.day - 1) // 7 + 1
        weekday = WEEKDAYS[sunday_based_weekday(start)]
        rule = rrule.rrule(rrule.MONTHLY, interval=interval,
                           byweekday=weekday(-1 if index == 5 else index), dtstart=begin, until=until)
    elif kind == 4:
        rule = rrule.rrule(rrule.MONTHLY, interval=interval, bymonthday=start.day, dtstart=begin,
                           until=until)
    else:
        rule = rrule.rrule(rrule.YEARLY, interval=interval, bymonth=start.month,
                           bymonthday=start.day, dtstart=begin, until=until)
    return (d.date() for d in rule if d.date() > start)


def expected(case):
    days = [case["start"]] + (list(rule_days(case)) if case["type"] else [])
    return [d for d in days
            if case["from"] <= d <= case["to"] and d not in case["exceptions"]]


def random_day(rng, low, high):
    return low + dt.timedelta(days=rng.randint(0, (high - low).days))


def month_end_start(rng):
    year = rng.randint(1970, 2030)
    month = rng.randint(1, 12)
    day = 29 if month == 2 and year % 4 == 0 else rng.choice([28, 29, 30, 31])
    for candidate in range(day, 27, -1):
        try:
            return dt.date(year, month, candidate)
        except ValueError:
            continue
    return dt.date(year, month, 28)


def make_case(rng, number):
    kind = number % 5 + 1
    if number % 11 == 0:
        start = dt.date(rng.choice([1972, 1980, 1996, 2000, 2004, 2024]), 2, 29)
    elif number % 7 == 0:
        start = month_end_start(rng)
    else:
        start = random_day(rng, FIRST, dt.date(2031, 6, 30))
    interval = rng.randint(1, 5)
    extra = 0
    if kind == 2:
        extra = rng.choice([0, rng.randint(1, 127), rng.randint(1, 127)])
    elif kind == 3:
        extra = rng.choice([1, 2, 3, 4, 5, 5, (start.day - 1) // 7 + 1])
    # Spans from weeks to sixty years; short rules get short spans so that the
    # cases stay quick while long ones cover the whole range.
    span_days = {1: 400, 2: 2000, 3: 8000, 4: 8000, 5: 22000}[kind]
    end = None
    choice = rng.random()
    if choice < 0.5:
        end = min(start + dt.timedelta(days=rng.randint(-20, span_days)), NO_END)
    frm = random_day(rng, FIRST, start + dt.timedelta(days=span_days // 4)) if rng.random() < 0.6 else start
    frm = min(frm, NO_END)
    to = min(frm + dt.timedelta(days=rng.randint(0, span_days)), NO_END)
    case = {"id": number, "start": start, "type": kind, "interval": interval, "end": end,
            "extra": extra, "from": frm, "to": to, "exceptions": set(),
            # the no-end date given explicitly must mean "no end"
            "end_arg": NO_END if end is None and rng.random() < 0.3 else end}
    occurrences = list(itertools.islice(rule_days(case), 200))
    for _ in range(rng.randint(0, 4)):
        if occurrences and rng.random() < 0.7:
            case["exceptions"].add(rng.choice(occurrences))
        else:
            case["exceptions"].add(random_day(rng, start, start + dt.timedelta(days=span_days)))
    if rng.random() < 0.1:
        case["exceptions"].add(start)
    case["exceptions"] = {d for d in case["exceptions"] if d <= NO_END}
    return case


def case_line(case):
    def ymd(day):
        return "0 0 0" if day is None else f"{day.year} {day.month} {day.day}"
    fields = [str(case["id"]), ymd(case["start"]), str(case["type"]), str(case["interval"]),
              ymd(case["end_arg"]), str(case["extra"]),
              ymd(case["from"]) + f" {case['id'] % 24}", ymd(case["to"]),
              str(len(case["exceptions"]))]
    fields += [ymd(d) for d in sorted(case["exceptions"])]
    return " ".join(fields)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: check_occurrences.py <occurrence_cases program>")
    rng = random.Random(20051)
    cases = [make_case(rng, n) for n in range(1, 1501)]
    environment = dict(os.environ, TZ=ZONE)
    run = subprocess.run([sys.argv[1]], input="\n".join(case_line(c) for c in cases) + "\n",
                         capture_output=True, text=True, env=environment, check=False)
    if run.returncode != 0:
        sys.exit(f"occurrence program failed ({run.returncode}): {run.stderr}")
    results = {}
    for line in run.stdout.splitlines():
        fields = line.split()
        results[int(fields[0])] = [dt.date(int(f[:4]), int(f[4:6]), int(f[6:])) for f in fields[2:]]
    failures = 0
    for case in cases:
        want = expected(case)
        got = results.get(case["id"])
        if got != want:
            failures += 1
            if failures <= 10:
                missing = sorted(set(want) - set(got or []))[:5]
                extra = sorted(set(got or []) - set(want))[:5]
                print(f"case {case_line(case)}\n  missing {missing}\n  unexpected {extra}")
    kinds = {k: sum(1 for c in cases if c["type"] == k) for k in range(1, 6)}
    print(f"{len(cases)} rules ({kinds}), {sum(len(r) for r in results.values())} occurrences, "
          f"{failures} disagree")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
