#!/usr/bin/env python3
"""Writes a UTF-8 text as code page 932 with CR LF lines, as Notepad on a
Japanese Windows reads a text without a byte order mark; @VERSION@ becomes
the version given: cp932_text.py in.txt out.txt [version [encoding]]. With
the encoding "ascii" the text must be plain ASCII, which every Windows
reads alike, and a character outside it stops the build."""
import sys

with open(sys.argv[1], encoding="utf-8") as source:
    text = source.read()
if len(sys.argv) > 3:
    text = text.replace("@VERSION@", sys.argv[3])
encoding = sys.argv[4] if len(sys.argv) > 4 else "cp932"
with open(sys.argv[2], "wb") as target:
    target.write(text.replace("\r\n", "\n").replace("\n", "\r\n").encode(encoding))
