#!/usr/bin/env python3
"""The English translation, checked over the source tree given as the only argument.

Refreshes translations/gradation_en.ts from the sources into a scratch copy (with
tools/update_translations) and fails when the committed file is out of date (a text
added, changed or gone in the sources), when an entry is unfinished or empty, when a
translation still holds Japanese, or when a caption with an access key lost its key.
Prints each finding and exits 1 when there is one.
"""
import pathlib
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

CJK = re.compile(r"[\u3040-\u30ff\u3400-\u9fff\uff01-\uffef]")
ACCESS_KEY = re.compile(r"&[^&\s]")


def findings(root: pathlib.Path):
    committed = root / "translations" / "gradation_en.ts"
    with tempfile.TemporaryDirectory() as scratch:
        fresh = pathlib.Path(scratch) / "gradation_en.ts"
        subprocess.run([str(root / "tools" / "update_translations"), str(fresh)], check=True)
        if fresh.read_bytes() != committed.read_bytes():
            yield "translations/gradation_en.ts is out of date: run tools/update_translations and translate"
        for context in ET.parse(fresh).getroot().iter("context"):
            name = context.findtext("name")
            for message in context.iter("message"):
                source, translation = message.findtext("source"), message.find("translation")
                text = translation.text or ""
                where = f"{name}: {source!r}"
                if translation.get("type") in ("unfinished", "vanished", "obsolete") or not text.strip():
                    yield f"{where} is not translated"
                elif CJK.search(text):
                    yield f"{where} still holds Japanese: {text!r}"
                elif ACCESS_KEY.search(source) and len(ACCESS_KEY.findall(text)) != 1:
                    yield f"{where} needs one access key: {text!r}"


def main() -> int:
    found = list(findings(pathlib.Path(sys.argv[1])))
    for finding in found:
        print(finding)
    print(f"translations: {len(found)} finding(s)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
