#!/usr/bin/env python3
"""The code's shape, checked over the source tree given as the only argument.

Fails on an include cycle between the product's modules (a header and its .cpp are one
module, so a.cpp including b.h and b.cpp including a.h is a cycle) and on a function
longer than MAX_LINES lines in the product folders: every function body outside another
function, free or member, in a source or a header, at any indentation (found by its
braces, with comments and literals left aside). Prints each finding and exits 1 when
there is one.
"""
import pathlib
import re
import sys

PRODUCT = ("core", "platform", "widgets", "app", "settings_editor", "cli", "web")
MAX_LINES = 60
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


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


LITERAL_OR_COMMENT = re.compile(r'^[ \t]*#[^\n]*|//[^\n]*|/\*.*?\*/|R"([^(]*)\(.*?\)\1"|"(?:\\.|[^"\\\n])*"|'
                                r"'(?:\\.|[^'\\\n])*'", re.S | re.M)
CONTROL = re.compile(r"^(if|for|while|switch|catch|else|do|try|return)\b|=\s*\[|\]\s*\(")
SCOPE = re.compile(r"^(template\s*<.*>\s*)?(namespace|class|struct|union|enum)\b|\b(namespace|enum)\b[^()]*$")


def blanked(text: str) -> str:
    """The text with preprocessor lines, comments and literals blanked out, line breaks kept."""
    return LITERAL_OR_COMMENT.sub(lambda m: re.sub(r"[^\n]", " ", m.group(0)), text)


def function_spans(text: str):
    """(first line, last line) of every function body outside another function: free
    functions and member functions alike, at any indentation, in headers too."""
    code = blanked(text)
    stack, statement_start, line = [], 0, 1
    for at, c in enumerate(code):
        if c == "\n":
            line += 1
        elif c in ";}" or c == "{":
            if c == "{":
                head = " ".join(code[statement_start:at].split())
                inside_function = any(kind == "function" for kind, _ in stack)
                is_function = (not inside_function and ")" in head and not SCOPE.search(head)
                               and not CONTROL.search(head))
                first = line - code[statement_start:at].strip("\n ").count("\n") if is_function else line
                stack.append(("function" if is_function else "block", first))
            elif c == "}" and stack:
                kind, first = stack.pop()
                if kind == "function":
                    yield first, line
            statement_start = at + 1


def long_functions(root: pathlib.Path):
    for path in sources(root):
        for first, last in function_spans(path.read_text(encoding="utf-8")):
            length = last - first + 1
            if length > MAX_LINES:
                yield f"{path.relative_to(root)}:{first}: a function of {length} lines (at most {MAX_LINES})"


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
