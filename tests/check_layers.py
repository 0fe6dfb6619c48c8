#!/usr/bin/env python3
"""The layers' rules, checked over the source tree given as the only argument.

core/ includes no Qt and no header outside core/. Each core library (a folder of
core/ with its own target) includes only from itself and the libraries its
CMakeLists.txt DEPENDS on, directly or through them; those dependencies have no
cycle; only core/text/ includes ICU's <unicode/...> headers. platform/ names no window
class and includes nothing above it; widgets/ knows neither window program; app/ and
settings_editor/ take from core/, platform/ and widgets/ and never from each other;
cli/ and web/ include only core/ and themselves. Prints each breach and exits 1 when there is one.
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')
QT_HEADER = re.compile(r'^(Q[A-Za-z]|qt|Qt)')
CLASS_DECLARATION = re.compile(r'^\s*class\s+(\w+)\s*[:{]', re.M)
CORE_LIBRARY = re.compile(r"gradation_core_library\((\w+)([^)]*)\)")
# The project folders a layer above the core may include from; "core" is every core library.
ALLOWED = {
    "platform": {"core", "platform"},
    "widgets": {"core", "platform", "widgets"},
    "app": {"core", "platform", "widgets", "app"},
    "cli": {"core", "cli"},
    "settings_editor": {"core", "platform", "widgets", "settings_editor"},
    "web": {"core", "web"},
}
PROJECT_FOLDERS = set(ALLOWED) | {"core"}
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".in"}
ICU_LIBRARY = "core/text"


def core_libraries(root: pathlib.Path):
    """Each core library and the libraries it may use (itself included), from the
    DEPENDS of its gradation_core_library(); a breach for every cycle."""
    direct = {}
    for cmake in sorted((root / "core").glob("*/CMakeLists.txt")):
        for name, arguments in CORE_LIBRARY.findall(cmake.read_text(encoding="utf-8")):
            words = arguments.split()
            depends = words[words.index("DEPENDS") + 1:] if "DEPENDS" in words else []
            direct[f"core/{name}"] = {f"core/{d}" for d in depends}
    usable, cycles = {}, []

    def reach(library, path):
        if library in path:
            cycles.append(" -> ".join(path + [library]))
            return set()
        if library not in usable:
            usable[library] = {library}.union(*(reach(d, path + [library]) for d in direct.get(library, ())))
        return usable[library]

    for library in direct:
        reach(library, [])
    return usable, [f"core libraries depend on each other in a cycle: {c}" for c in cycles]


def window_classes(root: pathlib.Path):
    """The classes widgets/, app/ and settings_editor/ declare: their windows and widgets."""
    names = set()
    for folder in ("widgets", "app", "settings_editor"):
        for header in (root / folder).rglob("*.h"):
            names.update(CLASS_DECLARATION.findall(header.read_text(encoding="utf-8")))
    return re.compile(r"\b(" + "|".join(sorted(names)) + r")\b") if names else None


def layer_of(relative: str) -> str:
    """"core/<library>" for a path in a core library, else the path's first folder."""
    parts = relative.split("/")
    return "/".join(parts[:2]) if parts[0] == "core" and len(parts) > 2 else parts[0]


def include_breach(layer, allowed, bracket, header):
    if bracket == "<":
        if layer.startswith("core") and QT_HEADER.match(header):
            return f"core includes Qt: {header}"
        if header.startswith("unicode/") and layer.startswith("core") and layer != ICU_LIBRARY:
            return f"{layer} includes ICU, which only {ICU_LIBRARY} may: {header}"
    folder = layer_of(header) if "/" in header else ""
    top = folder.split("/")[0]
    if top not in PROJECT_FOLDERS:
        return f"{layer} includes a header outside its layers: {header}" if bracket == '"' else None
    if folder in allowed or (top == "core" and "core" in allowed):
        return None
    return f"{layer} includes from {folder}/: {header}"


def breaches(root: pathlib.Path):
    usable, cycles = core_libraries(root)
    yield from cycles
    layers = dict(ALLOWED, **usable)
    window_class = window_classes(root)
    for layer, allowed in layers.items():
        for path in sorted((root / layer).rglob("*")):
            if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
                continue
            where = path.relative_to(root)
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                match = INCLUDE.match(line)
                if match:
                    breach = include_breach(layer, allowed, *match.groups())
                    if breach:
                        yield f"{where}:{number}: {breach}"
                elif layer == "platform" and window_class and window_class.search(line.split("//", 1)[0]):
                    yield f"{where}:{number}: platform names a window class: {line.strip()}"
    for path in sorted((root / "core").glob("*")):
        if path.is_file() and path.suffix in SOURCE_SUFFIXES:
            yield f"{path.relative_to(root)}: a core source outside any core library"


def main() -> int:
    root = pathlib.Path(sys.argv[1])
    found = list(breaches(root))
    for breach in found:
        print(breach)
    print(f"layering: {len(found)} breach(es)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
