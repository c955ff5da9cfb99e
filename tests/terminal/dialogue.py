#!/usr/bin/env python3
"""Drives `ravitol /i` through a pseudo-terminal, as an administrator would:
waits for each prompt to stand on the screen, types the answer and Enter,
and checks the whole screen against the piped golden case of the same
figures, with the terminal's echo of each answer added."""
import os
import pty
import select
import subprocess
import sys
import termios
import time

TIMEOUT = 30
LABELS = [b"Physical memory (Bytes) : ", b"NLM Footprint   (Bytes) : ",
          b"NLM High Water  (Bytes) : ", b"UAS             (Bytes) : ",
          b"DS Foot print   (Bytes) : "]


def read_until(fd, screen, wanted):
    """Reads the terminal until the screen ends with `wanted`; the program
    must then be waiting, with nothing written after it."""
    deadline = time.monotonic() + TIMEOUT
    while not screen.endswith(wanted):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([fd], [], [], left)[0]:
            sys.exit(f"waited in vain for {wanted!r}; the screen shows {bytes(screen)!r}")
        try:
            data = os.read(fd, 4096)
        except OSError:
            data = b""
        if not data:
            sys.exit(f"the program ended before {wanted!r}; the screen shows {bytes(screen)!r}")
        screen += data
    time.sleep(0.2)
    if select.select([fd], [], [], 0)[0]:
        sys.exit(f"more output after the prompt {wanted!r}: {os.read(fd, 4096)!r}")


def read_rest(fd, screen):
    while select.select([fd], [], [], TIMEOUT)[0]:
        try:
            data = os.read(fd, 4096)
        except OSError:
            return
        if not data:
            return
        screen += data


def converse(program, args, exchanges):
    master, slave = pty.openpty()
    # The program's CR LF reaches the screen as written: no output
    # processing by the terminal.
    attributes = termios.tcgetattr(slave)
    attributes[1] &= ~termios.OPOST
    termios.tcsetattr(slave, termios.TCSANOW, attributes)
    process = subprocess.Popen([program] + args, stdin=slave, stdout=slave, stderr=slave,
                               close_fds=True, cwd=os.path.dirname(os.path.abspath(__file__)))
    os.close(slave)
    screen = bytearray()
    for prompt, answer in exchanges:
        read_until(master, screen, prompt)
        os.write(master, answer + b"\r")
    read_rest(master, screen)
    status = process.wait(timeout=TIMEOUT)
    os.close(master)
    return bytes(screen), status


def check(name, screen, status, expected, expected_status=0):
    if screen != expected or status != expected_status:
        print(f"{name}: status {status} (expected {expected_status})")
        print(f"screen:   {screen!r}")
        print(f"expected: {expected!r}")
        return False
    return True


def main():
    program = os.path.abspath(sys.argv[1])
    cases = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "golden", "cases")
    ok = True

    # The five figures typed; the screen is the piped case's output with
    # each answer echoed behind its prompt.
    answers = [b"3221225472", b"536,870,912 bytes", b"805306368", b"1 073 741 824", b"104857600"]
    with open(os.path.join(cases, "settings", "machine_3gb_first_branch", "stdout"), "rb") as f:
        expected = f.read()
    for label, answer in zip(LABELS, answers):
        expected = expected.replace(label, label + answer + b"\n", 1)
    screen, status = converse(program, ["/i"], zip(LABELS, answers))
    ok &= check("keyboard entry", screen, status, expected)

    # The DS prompt of a report scan, answered at the terminal.
    case = os.path.join(cases, "scanner", "summary_line_prompts_for_ds")
    with open(os.path.join(case, "stdout"), "rb") as f:
        expected = f.read().replace(b"DS FootPrint : ", b"DS FootPrint : $1000\n")
    screen, status = converse(program, [os.path.join(case, "r.txt")],
                              [(b"DS FootPrint : ", b"$1000")])
    ok &= check("DS prompt", screen, status, expected)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
