#!/usr/bin/python3
"""Checks quorlith --json and --json-lines against docs/quorlith-json.schema.json
with a real validator, over random files, files that are no set files, a file
whose text fields hold lone surrogates, quotes and control characters, and
files of random bytes behind a valid header; and checks that every file's
settings are the setting lines of its report.

    json_schema_test.py QUORLITH MAKE_RANDOM_SETS SCHEMA
"""
import json
import os
import random
import re
import subprocess
import sys
import tempfile

import jsonschema

quorlith, make_random_sets, schema_path = sys.argv[1:4]
with open(schema_path, encoding="utf-8") as f:
    validator = jsonschema.Draft202012Validator(json.load(f))

DICTIONARY_OFFSET = 114908  # the first dictionary name, 261 UTF-16 units


def run(status, *args):
    result = subprocess.run([quorlith, *args], capture_output=True, check=False)
    # Trouble (the files that are no set files) is named on standard error.
    assert result.returncode == status and bool(result.stderr) == (status == 2)
    return result.stdout.decode("utf-8")


def validated(output):
    files = json.loads(output)
    # A setting the same as one already seen validates the same: leaving
    # it out spares the validator most of its work.
    seen = set()
    def unseen(setting):
        key = json.dumps(setting, sort_keys=True)
        return key not in seen and not seen.add(key)
    validator.validate([dict(f, settings=list(filter(unseen, f["settings"])))
                        for f in files])
    return files


with tempfile.TemporaryDirectory() as folder:
    subprocess.run([make_random_sets, "12", "16", folder], check=True)
    names = sorted(n for n in os.listdir(folder)
                   if n.endswith(".000") and not n.startswith(("bad", "folder")))
    with open(os.path.join(folder, names[0]), "rb") as f:
        data = bytearray(f.read())
    text = "\ud800\"q\\\x01\udfff\U0001F600".encode("utf-16-le", "surrogatepass")
    data[DICTIONARY_OFFSET:DICTIONARY_OFFSET + len(text) + 2] = text + b"\0\0"
    hostile = os.path.join(folder, "hostile.000")
    with open(hostile, "wb") as f:
        f.write(data)
    rand = random.Random(9)
    for n in range(4):
        body = bytes(rand.choice((rand.randrange(256), 0xD8, 0xDC, 0x0A, 0x00))
                     for _ in range(len(data) - 26))
        with open(os.path.join(folder, f"random{n}.000"), "wb") as f:
            f.write(data[:26] + body)
    pattern = os.path.join(folder, "*.000")

    files = validated(run(2, "--json", pattern))
    assert len(files) == len(names) + 5, len(files)
    # Lines end in LF alone: a text may hold U+2028, a line end to Python.
    lines = run(2, "--json-lines", pattern).split("\n")[:-1]
    assert [json.loads(line) for line in lines] == files

    # Lines of a report cannot be told apart where a value holds a line end,
    # as the files of random bytes do; UTF-8 shows a lone surrogate as U+FFFD.
    assert sum(f["path"] == hostile for f in files) == 1
    for file in (f for f in files if "random" not in f["path"]):
        shown = [line.split(" = ", 1) for line in
                 run(0, "--show", file["path"]).split("\n")
                 if line and not line.startswith(";") and " = " in line]
        assert shown == [[s["keyword"], re.sub("[\ud800-\udfff]", "\ufffd",
                                               s["value"])]
                         for s in file["settings"]], file["path"]
        if file["path"] == hostile:
            assert [(s["value"], s["stored"]) for s in file["settings"]
                    if s["keyword"] == "Exception_Dictionary_File"] == [
                ("\ufffd\"q\\\x01\ufffd\U0001F600",
                 {"units": list(memoryview(text).cast("H"))})]

    original = os.path.join(folder, names[2])
    compared = validated(run(2, "--json", original, pattern))
    assert [f["settings"] for f in compared if f["path"] == original] == [[]]
    assert any(f["settings"] for f in compared)
    for file in compared:
        assert file["original"]["path"] == original
        assert all("original" in setting for setting in file["settings"])
