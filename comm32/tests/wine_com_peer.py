#!/usr/bin/env python3
"""Runs a Windows test program against a Wine COM port that is a pseudo-terminal.

Creates a pty, links it into the Wine prefix as COM<port>, starts the program
through the build's wine-run, and plays the device at the other end:
- "PIECES" -> sends 12 bytes in four pieces 15 ms apart;
- "SPEED?" -> answers the speed the kernel reports for the line (4 bytes, LE);
- anything else is echoed back unchanged.
Exits with the program's exit status.
"""
import argparse
import fcntl
import os
import select
import struct
import subprocess
import sys
import time

TCGETS2 = 0x802C542A  # x86-64 Linux; struct termios2 is 44 bytes


def kernel_output_speed(fd):
    raw = fcntl.ioctl(fd, TCGETS2, bytes(44))
    return struct.unpack_from("<I", raw, 40)[0]


def serve(master, slave, child):
    pending = b""
    while child.poll() is None:
        ready, _, _ = select.select([master], [], [], 0.05)
        if not ready:
            continue
        try:
            data = os.read(master, 4096)
        except OSError:
            continue
        pending += data
        if b"PIECES" in pending:
            for piece in range(4):
                time.sleep(0.015)
                os.write(master, bytes([piece, piece + 0x80, 0x0D]))
            pending = b""
        elif b"SPEED?" in pending:
            os.write(master, struct.pack("<I", kernel_output_speed(slave)))
            pending = b""
        else:
            os.write(master, data)
            pending = pending[-5:]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--prefix", required=True, help="used unless WINEPREFIX is set")
    parser.add_argument("--port", type=int, default=7)
    parser.add_argument("program", nargs=argparse.REMAINDER)
    args = parser.parse_args()

    prefix = os.environ.get("WINEPREFIX", args.prefix)
    master, slave = os.openpty()
    # The test's own slave descriptor keeps the pty alive while the program
    # closes and reopens the port; it is only ever used to read the speed.
    link = os.path.join(prefix, "dosdevices", "com%d" % args.port)
    env = dict(os.environ, WINEPREFIX=prefix, COMM32_TEST_PORT=str(args.port))
    if not os.path.isdir(os.path.dirname(link)):
        # First use of the prefix: let wine-run create it.
        subprocess.run([args.wine_run, "cmd", "/c", "exit"], env=env,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
    if os.path.lexists(link):
        os.unlink(link)
    os.symlink(os.ttyname(slave), link)
    try:
        program = [a for a in args.program if a != "--"]
        child = subprocess.Popen([args.wine_run] + program, env=env, stdin=subprocess.DEVNULL)
        serve(master, slave, child)
        return child.wait()
    finally:
        os.unlink(link)
        os.close(master)
        os.close(slave)


if __name__ == "__main__":
    sys.exit(main())
