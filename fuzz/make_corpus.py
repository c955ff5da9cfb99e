#!/usr/bin/env python3
"""Makes the seed corpora in fuzz/corpus from the golden cases' fixtures
and the sample reports. Run it again when fixtures are added."""
import hashlib
import os

HERE = os.path.dirname(os.path.abspath(__file__))
CASES = os.path.join(HERE, "..", "tests", "golden", "cases")
EXAMPLES = os.path.join(HERE, "..", "examples")
SPECIAL = {"args", "stdin", "stdout", "status", "stderr", "setup"}
LIMIT = 64 * 1024


def put(target, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, hashlib.sha1(data).hexdigest()[:16]), "wb") as f:
        f.write(data)


def read(path):
    with open(path, "rb") as f:
        return f.read()


for root, _, files in os.walk(CASES):
    stdin = read(os.path.join(root, "stdin")) if "stdin" in files else b""
    if "stdin" in files:
        put("keyboard", stdin)
        put("token", stdin)
    for name in sorted(set(files) - SPECIAL):
        report = read(os.path.join(root, name))
        if len(report) <= LIMIT:
            put("reader", report)
            answers = stdin[:255]
            put("scan", bytes([len(answers)]) + answers + report)
for name in os.listdir(EXAMPLES):
    report = read(os.path.join(EXAMPLES, name))
    put("reader", report)
    put("scan", b"\x00" + report)
