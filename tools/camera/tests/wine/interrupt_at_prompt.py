#!/usr/bin/env python3
"""Runs a command on a pseudo-terminal, waits for its question, presses
Ctrl-C there (the byte a terminal sends) and prints the command's exit status.

Usage: interrupt_at_prompt.py QUESTION_TEXT COMMAND [ARG...]
Exit 0 with the status on stdout; 1 when the question never came or the
command did not end within 20 s of the key."""
import os
import pty
import re
import select
import sys
import time


def visible(shown):
    """The text a terminal shows, without escape sequences and spaces: a
    console drawn by Wine moves the cursor over spaces instead of writing
    them."""
    return re.sub(rb"\x1b\[[0-9;?]*[A-Za-z]", b"", shown).replace(b" ", b"")


def read_until(fd, text, seconds):
    """Reads what the program shows until `text` is visible (None: only
    drains the terminal for `seconds`, so the program never blocks on it)."""
    seen = b""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        ready, _, _ = select.select([fd], [], [], 0.2)
        if not ready:
            continue
        try:
            chunk = os.read(fd, 4096)
        except OSError:
            break
        if not chunk:
            break
        seen += chunk
        if text is not None and text in visible(seen):
            return True, seen
    return False, seen


def main():
    question = sys.argv[1].encode().replace(b" ", b"")
    command = sys.argv[2:]
    pid, fd = pty.fork()
    if pid == 0:
        os.execvp(command[0], command)
    found, seen = read_until(fd, question, 120)
    if not found:
        sys.stderr.write("the question never came; the terminal showed:\n")
        sys.stderr.write(seen.decode(errors="replace") + "\n")
        os.kill(pid, 9)
        os.waitpid(pid, 0)
        return 1
    # Let the program sit in its read before the key comes.
    time.sleep(1.0)
    os.write(fd, b"\x03")
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        done, status = os.waitpid(pid, os.WNOHANG)
        if done:
            print(os.waitstatus_to_exitcode(status))
            return 0
        read_until(fd, None, 0.2)
    sys.stderr.write("the program did not end after Ctrl-C\n")
    os.kill(pid, 9)
    os.waitpid(pid, 0)
    return 1


if __name__ == "__main__":
    sys.exit(main())
