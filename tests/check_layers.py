#!/usr/bin/env python3
"""The layers' rules, checked over the source tree given as the only argument.

core/ includes no Qt and no header outside core/ (a system library's own headers,
such as ICU's <unicode/...>, are allowed); platform/ names no window class and
includes nothing above it; widgets/ knows neither window program; app/ and
settings_editor/ take from core/, platform/ and widgets/ and never from each other;
cli/ includes only core/ and itself. Prints each breach and exits 1 when there is one.
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')
QT_HEADER = re.compile(r'^(Q[A-Za-z]|qt|Qt)')
CLASS_DECLARATION = re.compile(r'^\s*class\s+(\w+)\s*[:{]', re.M)
# The project folders a layer may include from ("" means any system header is fine).
ALLOWED = {
    "core": {"core"},
    "platform": {"core", "platform"},
    "widgets": {"core", "platform", "widgets"},
    "app": {"core", "platform", "widgets", "app"},
    "cli": {"core", "cli"},
    "settings_editor": {"core", "platform", "widgets", "settings_editor"},
}
PROJECT_FOLDERS = set(ALLOWED)
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".in"}


def window_classes(root: pathlib.Path):
    """The classes widgets/, app/ and settings_editor/ declare: their windows and widgets."""
    names = set()
    for folder in ("widgets", "app", "settings_editor"):
        for header in (root / folder).rglob("*.h"):
            names.update(CLASS_DECLARATION.findall(header.read_text(encoding="utf-8")))
    return re.compile(r"\b(" + "|".join(sorted(names)) + r")\b") if names else None


def breaches(root: pathlib.Path):
    window_class = window_classes(root)
    for layer, allowed in ALLOWED.items():
        for path in sorted((root / layer).rglob("*")):
            if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
                continue
            where = path.relative_to(root)
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                match = INCLUDE.match(line)
                if match:
                    bracket, header = match.groups()
                    folder = header.split("/", 1)[0] if "/" in header else ""
                    if layer == "core" and bracket == "<" and QT_HEADER.match(header):
                        yield f"{where}:{number}: core includes Qt: {header}"
                    elif folder in PROJECT_FOLDERS and folder not in allowed:
                        yield f"{where}:{number}: {layer} includes from {folder}/: {header}"
                    elif bracket == '"' and folder not in allowed:
                        yield f"{where}:{number}: {layer} includes a header outside its layers: {header}"
                elif layer == "platform" and window_class and window_class.search(line.split("//", 1)[0]):
                    yield f"{where}:{number}: platform names a window class: {line.strip()}"


def main() -> int:
    root = pathlib.Path(sys.argv[1])
    found = list(breaches(root))
    for breach in found:
        print(breach)
    print(f"layering: {len(found)} breach(es)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
