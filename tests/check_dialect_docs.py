#!/usr/bin/env python3
"""The docs' dialect lists, held to the dialects' table as `gradation-cli --formats` prints it.

Arguments: the source tree, the gradation-cli program. Fails when the README's dialect
table, gradation-cli(1)'s --format list or gradation(1)'s format menu names other
dialects, or the same in another order. Prints each finding and exits 1 when there is one.
"""
import pathlib
import re
import subprocess
import sys
import tempfile


def table_names(cli: str):
    with tempfile.TemporaryDirectory() as home, tempfile.TemporaryDirectory() as dirs:
        env = {"XDG_CONFIG_HOME": home, "XDG_CONFIG_DIRS": dirs, "PATH": "/usr/bin:/bin"}
        out = subprocess.run([cli, "--formats"], check=True, capture_output=True, text=True, env=env).stdout
    return [line.split()[0] for line in out.splitlines() if line and not line[0].isspace()]


def section(text: str, start: str, end: str):
    at = text.index(start)
    return text[at:text.index(end, at)]


def doc_lists(root: pathlib.Path):
    readme = section((root / "README.md").read_text(encoding="utf-8"), "| dialect | for |", "\n\n")
    yield "README.md's dialect table", re.findall(r"^\| `([a-z0-9-]+)`", readme, re.M)
    cli_page = section((root / "packaging/man/gradation-cli.1.in").read_text(encoding="utf-8"),
                       r".BI \-\-format ", ".RE")
    yield "gradation-cli.1.in's --format list", [n.replace("\\-", "-") for n in re.findall(r"^\.TP.*\n\.B (\S+)", cli_page, re.M)]
    menu = section((root / "packaging/man/gradation.1.in").read_text(encoding="utf-8"), "chooses the dialect", "(see")
    yield "gradation.1.in's format menu", [n.replace("\\-", "-") for n in re.findall(r"\\fB([a-z0-9\\-]+)\\fP", menu)]


def main() -> int:
    names = table_names(sys.argv[2])
    found = [f"{where} names {listed}, the table {names}"
             for where, listed in doc_lists(pathlib.Path(sys.argv[1])) if listed != names]
    for finding in found:
        print(finding)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
