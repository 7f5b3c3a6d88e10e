#!/usr/bin/env python3
"""Writes the fuzz target's starting inputs into corpus/: sessions of a sound
camera and a few of its faults, as transcripts in the input format of
camera_fuzzer.cpp (exports) and fuzz_line.h (the line's answers), in the
order the library makes its calls. Run it again after changing either format."""
import os
import struct

# Exports, in the order of camera_fuzzer.cpp's Operation.
(SET_PORT, SET_SPEED, SESSION_ENABLED, READY, RESET_DLL, SETUP_CALLBACK, ERROR,
 PICTURE_COUNT, PICTURE_SIZE, THUMBNAIL_SIZE, PICTURE_TYPE, PICTURE_FILE, THUMBNAIL_FILE,
 ERASE_SELECT, ERASE_LAST, ERASE_ALL, VERSION, MAKER, CAM_TYPE, MEMORY_STATUS) = range(20)

OPEN_OK = CLOSE_OK = BAUD_OK = QUIET = SILENT = 0
OK = 7  # header echoing the command, no payload
RESYNC = 3 | (1 << 3)  # status 137
BUSY = 3 | (0 << 3)  # status 128


def set_port(port): return [SET_PORT, port + 1]
def set_speed(cls): return [SET_SPEED, cls + 1]
def session(enable): return [SESSION_ENABLED, enable]
def picture(op, n): return [op, n]


def answer(payload, status=None):
    """A header with the payload's length, then the payload read whole."""
    head = [2] if status is None else [status]
    head += list(struct.pack('<H', len(payload)))
    body = []
    for at in range(0, len(payload), 2048):
        body += [4] + list(payload[at:at + 2048])
    return head + body


def filled(length, value):
    """A header announcing length bytes, each piece of them a run of value."""
    body = []
    for at in range(0, length, 2048):
        body += [6, value]
    return [2] + list(struct.pack('<H', length)) + body


def no_answer():
    """Four sends without a header, a quiet flush after each of the first three."""
    return [SILENT, QUIET] * 3 + [SILENT]


def search_port():
    # Port 1 opens and its camera answers the probe; the port is tested and closed.
    return set_port(0) + [OPEN_OK, QUIET, OK, OK, CLOSE_OK]


def open_session(speed_class=0):
    # Port test (open, resting speed unless the class is the resting one,
    # close), then open, probe, packet size, speed, line speed.
    port_test = [OPEN_OK] + ([] if speed_class == 2 else [OK]) + [CLOSE_OK]
    return port_test + [OPEN_OK, OK, OK, OK, BAUD_OK]


def info(size):
    record = bytearray(32)
    record[16:20] = struct.pack('<I', size)
    return answer(record)


def records(numbers):
    return answer(b''.join(struct.pack('<HH', n, 0) for n in numbers))


def directory(groups):
    """groups: list of (group, [(number, size), ...])."""
    out = records([g for g, _ in groups])
    for _, pictures in groups:
        out += records([n for n, _ in pictures])
        for _, size in pictures:
            out += info(size)
    return out


def transfer(size, value=0x55):
    """A picture of size bytes: full pieces once, the short last piece four times."""
    out = []
    offset = 0
    while offset < size:
        chunk = min(2048, size - offset)
        tries = 1 if chunk == 2048 else 4
        for t in range(tries):
            out += filled(chunk, value)
            if t < tries - 1:
                out += [QUIET]
        offset += chunk
    return out


def close_session():
    # The first resting-speed command is answered, the second goes out at the
    # session's speed and is not.
    return session(0) + [OK] + no_answer() + [CLOSE_OK]


DIRECTORY = [(1, [(1, 5000), (2, 300)]), (0, [(7, 10)])]


def avi_thumbnail():
    avi = bytearray(b'RIFF' + struct.pack('<I', 1000) + b'AVI ')
    for size in (100, 60):
        avi += b'LIST' + struct.pack('<I', size) + bytes(size)
    avi += b'JUNK' + struct.pack('<I', 400) + bytes(5) + b'\xff\xd8' + bytes(range(200))
    return bytes(avi)


def inputs():
    yield 'session', (search_port() + set_speed(5) + [PICTURE_COUNT] + open_session(5) +
                      directory(DIRECTORY) + [SETUP_CALLBACK, 101] +
                      picture(PICTURE_FILE, 1) + transfer(5000) +
                      [VERSION] + answer(b'V1.02a') + [MAKER] + answer(b'Orvo') + [CAM_TYPE] +
                      [MEMORY_STATUS] + answer(bytes([0, 0, 0, 0, 0, 0, 0x10, 0x27])) +
                      picture(PICTURE_SIZE, 2) + [PICTURE_TYPE, 3, 1] + [THUMBNAIL_SIZE, 1] +
                      close_session() + [ERROR])
    yield 'cancel', (search_port() + [PICTURE_COUNT] + open_session() + directory(DIRECTORY) +
                     [SETUP_CALLBACK, 50] + picture(PICTURE_FILE, 1) + transfer(4096) +
                     [SETUP_CALLBACK, 0] + picture(PICTURE_FILE, 2))
    yield 'thumbnails', (search_port() + set_speed(2) + [PICTURE_COUNT] + open_session(2) +
                         directory(DIRECTORY) +
                         picture(THUMBNAIL_FILE, 1) + answer(avi_thumbnail()) +
                         picture(THUMBNAIL_FILE, 2) + filled(3000, 0x33) +
                         picture(THUMBNAIL_FILE, 3) + answer(b'RIFF\0\0\0\0AVI LIST'))
    yield 'erase', (search_port() + [PICTURE_COUNT] + open_session() + directory(DIRECTORY) +
                    picture(ERASE_SELECT, 2) + [OK] + [ERASE_LAST] + [OK] +
                    [PICTURE_COUNT] + directory([(1, [(1, 5000), (3, 10)])]) +
                    [ERASE_ALL] + [OK, OK])
    # Re-sync during a transfer: the table is read again before the resend.
    yield 'resync', (search_port() + [PICTURE_COUNT] + open_session() + directory(DIRECTORY) +
                     picture(PICTURE_FILE, 3) + [RESYNC, 0, 0] + directory(DIRECTORY) +
                     transfer(10) + [VERSION, BUSY, 0, 0])
    # The camera's pictures change during a transfer: the picture in transfer
    # goes (the transfer ends, numbered calls are refused until the pictures
    # are listed again); a neighbour goes (the transfer goes on with its own
    # picture); the picture being erased moves up by one.
    moved = [(1, [(2, 300)]), (0, [(7, 10)])]
    yield 'picture_goes', (search_port() + [PICTURE_COUNT] + open_session() +
                           directory(DIRECTORY) + picture(PICTURE_FILE, 1) + filled(2048, 0x11) +
                           [RESYNC, 0, 0] + directory(moved) + picture(PICTURE_FILE, 1) +
                           [PICTURE_COUNT] + directory(moved) + picture(PICTURE_FILE, 1) +
                           transfer(300))
    yield 'neighbour_goes', (search_port() + [PICTURE_COUNT] + open_session() +
                             directory(DIRECTORY) + picture(THUMBNAIL_FILE, 2) +
                             [RESYNC, 0, 0] + directory(moved) + filled(3000, 0x22) +
                             picture(PICTURE_FILE, 2) + [ERASE_ALL])
    yield 'erase_moves', (search_port() + [PICTURE_COUNT] + open_session() +
                          directory(DIRECTORY) + picture(ERASE_SELECT, 2) + [RESYNC, 0, 0] +
                          directory(moved) + [OK] + picture(ERASE_SELECT, 1))
    # A failed ready probe breaks the session; then every speed command of the
    # re-opening is answered with 137.
    yield 'broken_resync', (search_port() + [PICTURE_COUNT] + open_session() + records([]) +
                            [READY] + no_answer() + [VERSION] + [RESYNC, 0, 0] * 200)
    # The same camera while the host re-opens the broken session itself; the
    # port does not close the first time and then does not open.
    yield 'reopen_resync', (search_port() + [PICTURE_COUNT] + open_session() + records([]) +
                            [READY] + no_answer() + session(1) + [RESYNC, 0, 0] * 23 +
                            [0xFF, 0xFF, CLOSE_OK] + [RESYNC, 0, 0] * 40)
    # A port test inside a session opening meets 137; a serial library that
    # lets a port be opened twice lets every nested re-read test it again.
    yield 'port_test_resync', (set_port(3) + [OPEN_OK, CLOSE_OK, PICTURE_COUNT] +
                               [OPEN_OK, RESYNC, 0, 0] * 40)
    # A busy camera during a transfer (given a pause), and for a query (refused).
    yield 'busy', (search_port() + [PICTURE_COUNT] + open_session() + directory(DIRECTORY) +
                   picture(PICTURE_FILE, 2) + [BUSY, 0x2c, 0x01, 4] +
                   [n % 256 for n in range(300)] + [QUIET] + filled(300, 1) +
                   [QUIET] + filled(300, 2) + [QUIET] + filled(300, 3) +
                   [MEMORY_STATUS, BUSY, 0, 0])
    # Refused ports and speeds, a session without a port, then with a port
    # whose camera stays silent; a reset, and a search that finds nothing.
    yield 'ports', (set_port(10) + set_port(-1) + session(1) + set_port(3) +
                    [OPEN_OK, CLOSE_OK] + session(2) + set_speed(7) + set_speed(16) +
                    session(1) + [OPEN_OK] + no_answer() + no_answer() + [CLOSE_OK] +
                    [RESET_DLL, READY] + [VERSION] + set_port(0) + [0xFF] * 9 + [ERROR])

def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus')
    os.makedirs(folder, exist_ok=True)
    for name, data in inputs():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(bytes(data))


if __name__ == '__main__':
    main()
