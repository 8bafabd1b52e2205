#!/usr/bin/python3
"""Checks quorlith --json and --json-lines against docs/quorlith-json.schema.json
with a real validator, over random files, files that are no set files, a file
whose text fields hold lone surrogates, quotes and control characters, and
files of random bytes behind a valid header; checks that jq reads every
output; and checks that every file's settings are the setting lines of its
report.

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


def run(*args):
    return subprocess.run([quorlith, *args], capture_output=True, check=False)


def validate(document, what):
    # A setting the same as one already seen validates the same: leaving
    # it out keeps the check whole and spares the validator most of its work.
    seen = set()
    def unseen(settings):
        kept = []
        for setting in settings:
            key = json.dumps(setting, sort_keys=True)
            if key not in seen:
                seen.add(key)
                kept.append(setting)
        return kept
    assert isinstance(document, list), what
    document = [dict(f, settings=unseen(f["settings"])) for f in document]
    errors = sorted(validator.iter_errors(document), key=lambda e: e.path)
    for error in errors[:5]:
        print(f"{what}: {list(error.path)}: {error.message}", file=sys.stderr)
    if errors:
        sys.exit(1)


def jq_reads(output, what):
    result = subprocess.run(["jq", "-e", "length"], input=output,
                            capture_output=True, check=False)
    if result.returncode != 0:
        print(f"{what}: jq: {result.stderr.decode()}", file=sys.stderr)
        sys.exit(1)


def setting_lines(shown):
    """(keyword, value) of each setting line of a report shown as UTF-8."""
    pairs = []
    for line in shown.split("\n"):
        if line and not line.startswith(";") and " = " in line:
            keyword, value = line.split(" = ", 1)
            pairs.append((keyword, value))
    return pairs


def as_utf8_shows(text):
    return re.sub("[\ud800-\udfff]", "\ufffd", text)


with tempfile.TemporaryDirectory() as folder:
    subprocess.run([make_random_sets, "12", "16", folder], check=True)
    names = sorted(n for n in os.listdir(folder)
                   if n.endswith(".000") and not n.startswith(("bad", "folder")))
    hostile = os.path.join(folder, "hostile.000")
    with open(os.path.join(folder, names[0]), "rb") as f:
        data = bytearray(f.read())
    assert len(data) == 117518
    text = "\ud800\"q\\\x01\udfff\U0001F600".encode("utf-16-le", "surrogatepass")
    data[DICTIONARY_OFFSET:DICTIONARY_OFFSET + len(text) + 2] = text + b"\0\0"
    with open(hostile, "wb") as f:
        f.write(data)
    rand = random.Random(9)
    for n in range(4):
        body = bytes(rand.choice((rand.randrange(256), 0xD8, 0xDC, 0x0A, 0x00))
                     for _ in range(len(data) - 26))
        with open(os.path.join(folder, f"random{n}.000"), "wb") as f:
            f.write(data[:26] + body)
    pattern = os.path.join(folder, "*.000")

    result = run("--json", pattern)
    assert result.returncode == 2, "the bad files must count as trouble"
    assert result.stderr, "and be named on standard error"
    jq_reads(result.stdout, "--json")
    files = json.loads(result.stdout.decode("utf-8"))
    validate(files, "--json")
    assert len(files) >= 10, len(files)

    output = run("--json-lines", pattern).stdout
    jq_reads(output, "--json-lines")
    # Lines end in LF alone: a text may hold U+2028, a line end to Python.
    lines = output.decode("utf-8").split("\n")[:-1]
    assert len(lines) == len(files)
    for line, whole in zip(lines, files):
        assert json.loads(line) == whole  # and so matches the schema too

    # Lines of a report cannot be told apart where a value holds a line end,
    # as the files of random bytes do.
    for file in (f for f in files if "random" not in f["path"]):
        shown = run("--show", file["path"]).stdout.decode("utf-8")
        got = [(s["keyword"], as_utf8_shows(s["value"])) for s in file["settings"]]
        assert got == setting_lines(shown), file["path"]

    by_path = {f["path"]: f for f in files}
    shown = [(s["value"], s["stored"]) for s in by_path[hostile]["settings"]
             if s["keyword"] == "Exception_Dictionary_File"]
    units = list(memoryview(text).cast("H"))
    assert shown == [("\ufffd\"q\\\x01\ufffd\U0001F600", {"units": units})], shown

    original = os.path.join(folder, names[2])
    result = run("--json", original, pattern)
    assert result.returncode == 2
    jq_reads(result.stdout, "--json ORIGINAL NEW")
    compared = json.loads(result.stdout.decode("utf-8"))
    validate(compared, "--json ORIGINAL NEW")
    same = [f for f in compared if f["path"] == original]
    assert same and same[0]["settings"] == [], "a file equals itself"
    assert any(f["settings"] for f in compared)
    for file in compared:
        assert file["original"]["path"] == original
        for setting in file["settings"]:
            assert "original" in setting

print(f"{len(files)} files and {len(compared)} comparisons match the schema")
