#!/usr/bin/env python3
"""Every #include under src/ points down the layers: a feature reaches the platform only
through its seams (and the desktop's file locations and autostart), the input sources
need no X windowing, and only the platform folder made for it includes X11, xcb, GIO or
D-Bus headers. Prints each include against that direction. Usage: layering.py SOURCE_DIR"""
import pathlib
import re
import sys

# Folder (relative to src/) -> the project folders its files may include. A folder's own
# files and its subfolders' are always allowed; the longest matching folder decides.
SEAMS = "platform/"  # the top of platform/, not its subfolders
FEATURE_PLATFORM = [SEAMS, "platform/desktop/FileLocations.h", "platform/desktop/Autostart.h"]
ALLOWED = {
    "platform": [SEAMS],
    "platform/InputSourceFactory.cpp": ["platform/"],  # the one place that picks backends
    "platform/sources": [SEAMS, "platform/sources/", "platform/x11/xkb/"],
    "platform/x11": [SEAMS, "platform/x11/"],
    "platform/x11/xkb": ["platform/x11/xkb/"],
    "platform/desktop": [SEAMS, "platform/desktop/"],
    "input": [SEAMS],
    "settings": ["input/", SEAMS, "platform/desktop/FileLocations.h"],
    "clock": ["settings/", "input/"] + FEATURE_PLATFORM,
    "indicator": ["settings/", "input/"] + FEATURE_PLATFORM,
    "cursor": ["indicator/", "settings/", "input/"] + FEATURE_PLATFORM,
    "settings_ui": ["clock/", "indicator/", "cursor/", "settings/", "input/"] + FEATURE_PLATFORM,
    "app": ["settings_ui/", "clock/", "indicator/", "cursor/", "settings/", "input/", SEAMS,
            "platform/desktop/"],
}
# System headers that belong to one platform folder only.
SYSTEM = [
    (re.compile(r"^(xcb/xkb\.h)$"), ["platform/x11/xkb"]),
    (re.compile(r"^(xcb/|X11/)"), ["platform/x11"]),
    (re.compile(r"^(gio/|glib|xkbcommon/)"), ["platform/sources"]),
    (re.compile(r"^QDBus"), ["platform/sources", "platform/desktop"]),
]
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def rule_for(relative):
    """The ALLOWED entry of the longest folder (or file) that holds `relative`."""
    best = None
    for key in ALLOWED:
        if relative == key or relative.startswith(key + "/"):
            best = key if best is None or len(key) > len(best) else best
    return best


def allowed(header, owner, rule):
    if header.startswith(rule + "/") or header.startswith(owner + "/"):
        return True
    for prefix in ALLOWED[rule]:
        if prefix == SEAMS:
            if header.startswith(SEAMS) and "/" not in header[len(SEAMS):]:
                return True
        elif header == prefix or (prefix.endswith("/") and header.startswith(prefix)):
            return True
    return False


def problems(src):
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        relative = path.relative_to(src).as_posix()
        owner = relative.rsplit("/", 1)[0]
        rule = rule_for(relative)
        if rule is None:
            found.append(f"{relative}: in no layer")
            continue
        for kind, header in INCLUDE.findall(path.read_text(encoding="utf-8")):
            if kind == '"':
                if not allowed(header, owner, rule):
                    found.append(f"{relative}: includes {header}")
                continue
            for pattern, folders in SYSTEM:
                if pattern.search(header):
                    if not any(owner == f or owner.startswith(f + "/") for f in folders):
                        found.append(f"{relative}: includes <{header}>")
                    break
    return found


if __name__ == "__main__":
    result = problems(pathlib.Path(sys.argv[1]) / "src")
    for line in result:
        print(line)
    sys.exit(1 if result else 0)
