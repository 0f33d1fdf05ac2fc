#!/usr/bin/env python3
"""Fails on an include that crosses a layer edge the design does not allow.

Usage: check-layers.py SRC_DIR

A folder of src/ is a layer (a Windows-only or POSIX-only subfolder such as
ui/win32 or desktop/store is a layer of its own); a file belongs to the
deepest layer folder that holds it. Quoted includes name their target from
src/, or from the including file's folder. Windows SDK headers come in
through platform/win32 only, and the core never includes a POSIX header.
"""

import os
import re
import sys

CORE = ["model", "host", "formats", "engine", "ui"]
BELOW_UI = ["engine", "formats", "host", "model", "platform"]

# Layer -> the other layers its files may include (itself is always allowed).
ALLOWED = {
    "platform": ["platform/posix", "platform/win32"],  # Com.h picks the COM subset
    "platform/posix": ["platform"],
    "platform/win32": ["platform"],
    "model": ["platform"],
    "host": ["model", "platform"],
    # The calendar writer reads the repeat rule from the host appointment.
    "formats": ["host", "model", "platform"],
    "engine": ["formats", "host", "model", "platform"],
    "ui": BELOW_UI,
    "ui/win32": ["ui", "platform/win32"] + BELOW_UI,
    "cli": ["ui", "desktop", "desktop/store", "spreadsheet"] + BELOW_UI,
    # The add-in is the top of the DLL as cli/ is the top of `tavir`.
    "addin": ["ui", "ui/win32", "platform/win32"] + BELOW_UI,
    "host/addin": ["ui", "ui/win32", "platform/win32"] + BELOW_UI,
    # Outside the program: they implement the host's and the spreadsheet's
    # interfaces; nothing in the program calls them directly.
    "desktop": ["host", "model", "platform"],
    "desktop/store": ["desktop", "host", "model", "platform"],
    "desktop/server": ["desktop", "host", "model", "platform", "platform/win32"],
    "spreadsheet": ["model", "platform"],
    "spreadsheet/server": ["spreadsheet", "model", "platform", "platform/win32"],
}

# platform/win32/WindowsApi.h is the one door to these; the other SDK headers
# follow it, in Windows-only layers.
DOOR_HEADERS = {"windows.h", "ole2.h", "oleauto.h", "objbase.h", "winsock2.h"}
WINDOWS_HEADERS = {
    "unknwn.h", "oaidl.h", "commctrl.h", "commdlg.h", "shellapi.h", "shlobj.h",
    "uxtheme.h", "winreg.h", "winuser.h", "wtypes.h", "olectl.h", "shlwapi.h",
}
WINDOWS_ONLY = ["platform/win32", "ui/win32", "addin", "host/addin",
                "desktop/server", "spreadsheet/server"]
POSIX_HEADER = re.compile(
    r"^(unistd|fcntl|pwd|dirent|signal|iconv|langinfo|strings|dlfcn|termios|"
    r"sys/.*|sqlite3)\.h$")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(path):
    """The deepest layer folder holding a path relative to src/."""
    parts = path.split("/")[:-1]
    for depth in range(len(parts), 0, -1):
        candidate = "/".join(parts[:depth])
        if candidate in ALLOWED:
            return candidate
    return None


def problems_in(src, relative):
    here = layer_of(relative)
    if here is None:
        yield f"{relative}: folder is not a known layer"
        return
    allowed = set(ALLOWED[here]) | {here}
    with open(os.path.join(src, relative), encoding="utf-8", errors="replace") as file:
        for number, line in enumerate(file, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            quote, name = match.groups()
            where = f"{relative}:{number}: "
            if quote == "<":
                header = name.lower()
                if header in DOOR_HEADERS and here != "platform/win32":
                    yield where + f"<{name}> outside platform/win32"
                elif header in WINDOWS_HEADERS and here not in WINDOWS_ONLY:
                    yield where + f"<{name}> in the portable layer {here}"
                elif POSIX_HEADER.match(header) and here in CORE + ["platform"]:
                    yield where + f"<{name}> in the portable layer {here}"
                continue
            beside = os.path.normpath(os.path.join(os.path.dirname(relative), name))
            target = beside if os.path.exists(os.path.join(src, beside)) else name
            there = layer_of(target)
            if there is None:
                yield where + f'"{name}" is in no known layer'
            elif there not in allowed:
                yield where + f'{here} may not include {there} ("{name}")'


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    src = sys.argv[1]
    problems = []
    for root, _, files in os.walk(src):
        for name in sorted(files):
            if name.endswith((".h", ".cpp", ".inc")):
                relative = os.path.relpath(os.path.join(root, name), src)
                problems.extend(problems_in(src, relative.replace(os.sep, "/")))
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} include(s) across a forbidden layer edge")
        return 1
    print("layers: every include follows an allowed edge")
    return 0


if __name__ == "__main__":
    sys.exit(main())
