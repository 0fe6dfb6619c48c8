#!/usr/bin/env python3
"""The code's shape, checked over the source tree given as the only argument.

Fails on an include cycle between the product's modules (a header and its .cpp are one
module, so a.cpp including b.h and b.cpp including a.h is a cycle) and on a function
longer than MAX_LINES lines in the product folders. A function is a definition that
opens at the start of a line and closes with "}" at the start of a line, as the
project's formatting writes them. Prints each finding and exits 1 when there is one.
"""
import pathlib
import re
import sys

PRODUCT = ("core", "platform", "widgets", "app", "settings_editor", "cli")
MAX_LINES = 60
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
NOT_A_FUNCTION = re.compile(r"^(#|//|/\*|\*|namespace\b|class\b|struct\b|enum\b|union\b|using\b|template\b|extern\b|"
                            r"static_assert\b|[A-Za-z_:<>, ]+\s*=)")


def sources(root: pathlib.Path):
    for folder in PRODUCT:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix in (".h", ".cpp") and path.is_file():
                yield path


def module(root: pathlib.Path, path: pathlib.Path) -> str:
    return str(path.relative_to(root).with_suffix(""))


def include_cycles(root: pathlib.Path):
    graph = {}
    for path in sources(root):
        own = module(root, path)
        for line in path.read_text(encoding="utf-8").splitlines():
            match = INCLUDE.match(line)
            if match and (root / match.group(1)).is_file():
                target = str(pathlib.Path(match.group(1)).with_suffix(""))
                if target != own:
                    graph.setdefault(own, set()).add(target)
    # Tarjan's strongly connected components: any component of two or more is a cycle.
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for nxt in sorted(graph.get(node, ())):
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            component = []
            while True:
                top = stack.pop()
                on_stack.discard(top)
                component.append(top)
                if top == node:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def long_functions(root: pathlib.Path):
    for path in sources(root):
        lines = path.read_text(encoding="utf-8").splitlines()
        start = None
        for number, line in enumerate(lines, 1):
            if start is None:
                if line[:1].strip() and not NOT_A_FUNCTION.match(line) and "(" in line:
                    start = number
                    opened = line.rstrip().endswith("{")
                    if line.rstrip().endswith(";") or line.rstrip().endswith("}"):
                        start = None
                continue
            if not opened:
                stripped = line.rstrip()
                if stripped.endswith("{"):
                    opened = True
                elif stripped.endswith(";") or stripped.endswith("}"):
                    start = None
                continue
            if line.startswith("}"):
                length = number - start + 1
                if length > MAX_LINES:
                    yield f"{path.relative_to(root)}:{start}: a function of {length} lines (at most {MAX_LINES})"
                start = None


def main() -> int:
    root = pathlib.Path(sys.argv[1])
    found = [f"include cycle: {' <-> '.join(c)}" for c in include_cycles(root)]
    found += list(long_functions(root))
    for finding in found:
        print(finding)
    print(f"shape: {len(found)} finding(s)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
