/* comm32: the serial-port library that the camera library reaches the line
 * through. Eight C functions; every argument is one 32-bit value or a pointer,
 * every result a 32-bit int. On 32-bit Windows they are __stdcall and exported
 * with decorated names (ComOpen@32 ...), as the camera library imports them. */
#ifndef COMM32_H
#define COMM32_H

#if defined(_WIN32) && !defined(_WIN64) && defined(__i386__)
#define COMM32_CALL __stdcall
#else
#define COMM32_CALL
#endif

#if defined(_WIN32)
#if defined(COMM32_BUILDING)
#define COMM32_API
#else
#define COMM32_API __declspec(dllimport)
#endif
#else
#define COMM32_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

COMM32_API int COMM32_CALL ComOpen(const char *prefix, int port, int speed, int a4, int a5, int a6,
                                   int inQueue, int outQueue);
COMM32_API int COMM32_CALL ComSetFlow(int port, int mode);
COMM32_API int COMM32_CALL ComSetBaud(int port, int speed);
COMM32_API int COMM32_CALL ComWrite(int port, const void *bytes, int count);
COMM32_API int COMM32_CALL ComReadTimed(int port, void *buffer, int count, int timeoutMs);
COMM32_API int COMM32_CALL ComReadBufToQuiet(int port, void *buffer, int maxCount, int arg);
COMM32_API int COMM32_CALL ComSleepMS(int port, int ms);
COMM32_API int COMM32_CALL ComClose(int port);

#ifdef __cplusplus
}
#endif

#endif
