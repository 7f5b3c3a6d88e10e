/* comm32: the serial-port library that the camera library reaches the line
 * through. Eight C functions; every argument is one 32-bit value or a pointer,
 * every result a 32-bit int. On 32-bit Windows they are __stdcall and exported
 * with decorated names (ComOpen@32 ...), as the camera library imports them.
 * The functions and their argument counts are listed once, in
 * comm32_exports.txt beside this header; a test holds the declarations below
 * to that table. */
#ifndef COMM32_H
#define COMM32_H

#if defined(_WIN32) && !defined(_WIN64) && defined(__i386__)
#define COMM32_CALL __stdcall
#else
#define COMM32_CALL
#endif

#if defined(_WIN32)
#if defined(COMM32_BUILDING)
#define COMM32_API __declspec(dllexport)
#else
#define COMM32_API __declspec(dllimport)
#endif
#else
#define COMM32_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Opens port 1-9 of prefix "com" (any case) as a raw 8N1 line at `speed` bits
 * per second, with nothing pending in either direction. Returns the port
 * number, which names the port in every other call; 0 on failure, also when
 * the port is open already. a4-a6 are not interpreted; inQueue/outQueue are
 * the driver buffer sizes asked for on Windows. On POSIX the device is
 * $COMM32_PORT<n> if set, else /dev/ttyS<n-1>. */
COMM32_API int COMM32_CALL ComOpen(const char *prefix, int port, int speed, int a4, int a5, int a6,
                                   int inQueue, int outQueue);
/* Mode 2 raises DTR and RTS, mode 0 drops them; never a handshake. Lines a
 * device lacks are ignored. 1 when done, 0 for another mode or a port not open. */
COMM32_API int COMM32_CALL ComSetFlow(int port, int mode);
/* 1 only when the device reports the new speed afterwards; 0 otherwise. */
COMM32_API int COMM32_CALL ComSetBaud(int port, int speed);
/* Returns the number of bytes sent. */
COMM32_API int COMM32_CALL ComWrite(int port, const void *bytes, int count);
/* Gathers up to `count` bytes until all are in or `timeoutMs` has passed since
 * the call; returns how many arrived, 0 when none did. */
COMM32_API int COMM32_CALL ComReadTimed(int port, void *buffer, int count, int timeoutMs);
/* Returns what is waiting or arrives within the quiet window (at most
 * maxCount bytes); 0 once nothing arrives for a window. The window is
 * `arg` times 10 ms, at least one and at most 100 windows. */
COMM32_API int COMM32_CALL ComReadBufToQuiet(int port, void *buffer, int maxCount, int arg);
/* Pauses `ms` milliseconds, whichever port is named; returns 1. */
COMM32_API int COMM32_CALL ComSleepMS(int port, int ms);
/* 1 when the port was open and is now closed, else 0. */
COMM32_API int COMM32_CALL ComClose(int port);

/* Calls naming a port that is not open fail without effect: nothing is sent,
 * reads return 0 and leave the buffer alone, nothing is closed or changed. */

#ifdef __cplusplus
}
#endif

#endif
