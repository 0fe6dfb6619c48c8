#!/usr/bin/env python3
"""The windows' translations, checked over the source tree given as the only argument.

Refreshes every translations/gradation_<language>.ts from the sources into a scratch
folder (with tools/update_translations) and fails when a committed file is out of date (a
text added, changed or gone in the sources), when an entry is unfinished or empty, when a
translation keeps kana of its Japanese source (kana is written in Japanese alone, so that
part was left untranslated; any other script may be the translation's own), or when a
caption with an access key lost its key. With --entries FILE..., checks the entries of
the files given alone. Prints each finding and exits 1 when there is one.
"""
import pathlib
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

KANA = re.compile(r"[\u3041-\u3096\u30a1-\u30fa\uff66-\uff9d]")
ACCESS_KEY = re.compile(r"&[^&\s]")


def entry_findings(ts: pathlib.Path):
    for context in ET.parse(ts).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source, translation = message.findtext("source"), message.find("translation")
            text = translation.text or ""
            where = f"{ts.name}: {name}: {source!r}"
            kept = "".join(sorted(set(KANA.findall(source)) & set(text)))
            if translation.get("type") in ("unfinished", "vanished", "obsolete") or not text.strip():
                yield f"{where} is not translated"
            elif kept:
                yield f"{where} keeps the Japanese {kept!r}: {text!r}"
            elif ACCESS_KEY.search(source) and len(ACCESS_KEY.findall(text)) != 1:
                yield f"{where} needs one access key: {text!r}"


def findings(root: pathlib.Path):
    with tempfile.TemporaryDirectory() as scratch:
        subprocess.run([sys.executable, str(root / "tools" / "update_translations"), "--into", scratch], check=True)
        for committed in sorted((root / "translations").glob("gradation_*.ts")):
            fresh = pathlib.Path(scratch) / committed.name
            if fresh.read_bytes() != committed.read_bytes():
                yield f"translations/{committed.name} is out of date: run tools/update_translations and translate"
            yield from entry_findings(fresh)


def main() -> int:
    if sys.argv[1] == "--entries":
        found = [f for ts in sys.argv[2:] for f in entry_findings(pathlib.Path(ts))]
    else:
        found = list(findings(pathlib.Path(sys.argv[1])))
    for finding in found:
        print(finding)
    print(f"translations: {len(found)} finding(s)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
