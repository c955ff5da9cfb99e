#!/usr/bin/env python3
"""Runs one golden end-to-end case against a build of ravitol.

A case is a folder:
  args     the arguments, one per line (no file: no arguments)
  stdin    bytes given on standard input (no file: standard input is empty)
  stdout   the exact bytes expected on standard output
  status   the expected exit status (no file: 0)
  stderr   text that standard error must contain (optional)
  setup    files to make before the run, one directive per line:
             sparse NAME OFFSET FROM   FROM's bytes written at OFFSET of a
                                       new sparse file NAME
             repeat NAME COUNT BYTE FROM
                                       COUNT copies of the byte (hex), then
                                       FROM's bytes
             lock NAME                 a second ravitol holds NAME open,
                                       waiting at its DS prompt
  anything else: files the arguments name.
In args, {examples} stands for the repository's examples folder.
The case runs in a scratch copy of its folder, which is its working directory.
"""
import argparse
import difflib
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time

TIMEOUT = 120


def read_optional(path, default=None):
    if os.path.exists(path):
        with open(path, "rb") as f:
            return f.read()
    return default


def make_files(setup, workdir, command, env):
    holders = []
    for raw in setup.decode().splitlines():
        words = raw.split()
        if not words or words[0].startswith("#"):
            continue
        kind, name = words[0], os.path.join(workdir, words[1])
        if kind == "sparse":
            offset, source = int(words[2]), os.path.join(workdir, words[3])
            with open(name, "wb") as out, open(source, "rb") as src:
                out.seek(offset)
                out.write(src.read())
        elif kind == "repeat":
            count, byte = int(words[2]), bytes([int(words[3], 16)])
            source = os.path.join(workdir, words[4])
            with open(name, "wb") as out, open(source, "rb") as src:
                chunk = byte * (1 << 20)
                for _ in range(count >> 20):
                    out.write(chunk)
                out.write(byte * (count & ((1 << 20) - 1)))
                out.write(src.read())
        elif kind == "lock":
            holders.append(hold_open(command + [words[1]], workdir, env))
        else:
            sys.exit(f"{raw}: unknown setup directive")
    return holders


def hold_open(command, workdir, env):
    """Starts a ravitol on the file and waits until it sits at the DS prompt,
    which it reaches only with the file open."""
    holder = subprocess.Popen(command, cwd=workdir, env=env, stdin=subprocess.PIPE,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    seen = b""
    deadline = time.monotonic() + TIMEOUT
    while b"DS FootPrint : " not in seen:
        left = deadline - time.monotonic()
        ready, _, _ = select.select([holder.stdout], [], [], max(left, 0))
        if not ready:
            holder.kill()
            sys.exit("the holding ravitol never reached its DS prompt")
        data = os.read(holder.stdout.fileno(), 4096)
        if not data:
            sys.exit("the holding ravitol ended before its DS prompt: " + repr(seen))
        seen += data
    return holder


def release(holders):
    for holder in holders:
        holder.stdin.close()
        holder.stdout.close()
        holder.wait(timeout=TIMEOUT)


def show(data):
    """Lines with their line ends made visible."""
    text = data.decode("latin-1")
    return [line.replace("\r", "\\r").replace("\n", "\\n") + "\n"
            for line in text.splitlines(keepends=True)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--emulator", default="")
    parser.add_argument("case")
    options = parser.parse_args()

    case = options.case
    command = ([options.emulator] if options.emulator else []) + [options.program]
    args_file = read_optional(os.path.join(case, "args"))
    args = [] if args_file is None else args_file.decode().split("\n")[:-1]
    examples = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples")
    args = [a.replace("{examples}", os.path.normpath(examples)) for a in args]
    stdin = read_optional(os.path.join(case, "stdin"))
    expected = read_optional(os.path.join(case, "stdout"), b"")
    status = int(read_optional(os.path.join(case, "status"), b"0"))
    stderr_part = read_optional(os.path.join(case, "stderr"), b"").rstrip(b"\n")

    env = dict(os.environ, WINEDEBUG="-all")
    with tempfile.TemporaryDirectory(prefix="ravitol-golden-") as scratch:
        workdir = os.path.join(scratch, "case")
        shutil.copytree(case, workdir)
        holders = make_files(read_optional(os.path.join(case, "setup"), b""), workdir, command, env)
        try:
            result = subprocess.run(
                command + args, cwd=workdir, env=env, timeout=TIMEOUT,
                input=stdin if stdin is not None else b"",
                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        finally:
            release(holders)

    failures = []
    if result.stdout != expected:
        diff = difflib.unified_diff(show(expected), show(result.stdout),
                                    "expected stdout", "actual stdout")
        failures.append("standard output differs:\n" + "".join(diff))
    if result.returncode != status:
        failures.append(f"exit status {result.returncode}, expected {status}")
    if stderr_part not in result.stderr:
        failures.append(f"standard error lacks {stderr_part!r}")
    if failures:
        print("\n".join(failures))
        print("standard error was:", result.stderr.decode("latin-1"))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
