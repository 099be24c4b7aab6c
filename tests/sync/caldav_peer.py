#!/usr/bin/python3
"""The other side of the sync tests: an independent CalDAV client (python3-caldav, python3-icalendar)
that adds, edits, moves, deletes and lists events of one calendar collection.

  caldav_peer.py URL USER PASSWORD add UID YYYYMMDD SUMMARY [HHMM [RRULE]]
  caldav_peer.py URL USER PASSWORD summary UID NEW-SUMMARY
  caldav_peer.py URL USER PASSWORD move UID YYYYMMDD
  caldav_peer.py URL USER PASSWORD delete UID
  caldav_peer.py URL USER PASSWORD list          one "DTSTART|SUMMARY" line per event, sorted
"""
import sys
from datetime import date, datetime

import caldav
import icalendar


def find(cal, uid):
    for ev in cal.events():
        c = icalendar.Calendar.from_ical(ev.data)
        for comp in c.walk("VEVENT"):
            if str(comp.get("UID")) == uid:
                return ev, c
    sys.exit("no event " + uid)


def main():
    url, user, password, cmd, *args = sys.argv[1:]
    client = caldav.DAVClient(url=url, username=user, password=password)
    cal = caldav.Calendar(client=client, url=url)
    if cmd == "add":
        uid, day, summary = args[:3]
        ev = icalendar.Event()
        ev.add("UID", uid)
        ev.add("SUMMARY", summary)
        ev.add("DTSTAMP", datetime(2026, 1, 1, 0, 0, 0))
        d = datetime.strptime(day, "%Y%m%d")
        if len(args) > 3:
            hm = args[3]
            ev.add("DTSTART", datetime(d.year, d.month, d.day, int(hm[:2]), int(hm[2:])))
        else:
            ev.add("DTSTART", date(d.year, d.month, d.day))
        if len(args) > 4:
            ev.add("RRULE", icalendar.vRecur.from_ical(args[4]))
        c = icalendar.Calendar()
        c.add("PRODID", "-//peer//test//EN")
        c.add("VERSION", "2.0")
        c.add_component(ev)
        cal.save_event(c.to_ical().decode())
    elif cmd in ("summary", "move"):
        ev, c = find(cal, args[0])
        for comp in c.walk("VEVENT"):
            if cmd == "summary":
                comp["SUMMARY"] = icalendar.vText(args[1])
            else:
                start = comp.decoded("DTSTART")
                d = datetime.strptime(args[1], "%Y%m%d")
                new = date(d.year, d.month, d.day) if not isinstance(start, datetime) else start.replace(
                    year=d.year, month=d.month, day=d.day)
                del comp["DTSTART"]
                comp.add("DTSTART", new)
        ev.data = c.to_ical().decode()
        ev.save()
    elif cmd == "delete":
        ev, _ = find(cal, args[0])
        ev.delete()
    elif cmd == "list":
        rows = []
        for ev in cal.events():
            for comp in icalendar.Calendar.from_ical(ev.data).walk("VEVENT"):
                rows.append(comp["DTSTART"].to_ical().decode() + "|" + str(comp.get("SUMMARY", "")))
        for r in sorted(rows):
            print(r)
    else:
        sys.exit("unknown command " + cmd)


main()
