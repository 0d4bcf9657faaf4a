/* The link library: whole messages over a serial line to the interface unit.
 *
 * Ten functions make up the interface the program uses; they keep one link per process and
 * are called from one thread only (the comms thread). The host may also register named
 * in-process transports (for the simulated field kit and for tests) before opening them
 * by name with comm_open_str.
 */
#ifndef ORVELINK_ORVELINK_H
#define ORVELINK_ORVELINK_H

#include <stdint.h>

#if defined(_WIN32)
#if defined(ORVELINK_BUILDING)
#define ORVELINK_API __declspec(dllexport)
#else
#define ORVELINK_API __declspec(dllimport)
#endif
#else
#define ORVELINK_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Status bits of get_status. */
#define ORVELINK_STATUS_UNACKNOWLEDGED 2u /* a sent message is still waiting for its acknowledgement */
#define ORVELINK_STATUS_LINK_FAILURE 8u   /* the far end stopped answering */

/* Opens a serial port (or a registered transport) at the given baud rate. 0 = opened. */
ORVELINK_API uint16_t comm_open_str(const char* port, int32_t baud);
ORVELINK_API void comm_close(void);
ORVELINK_API uint8_t comm_is_open(void);
/* Forgets unacknowledged and partly received messages after a failed exchange. */
ORVELINK_API void comm_reset(void);
/* Queues one message for sending. 0 = accepted, other = no room. */
ORVELINK_API uint16_t put_message(const uint8_t* bytes, int32_t length);
ORVELINK_API uint16_t get_status(void);
/* Advances retransmission and heartbeat timers; call once per poll cycle. */
ORVELINK_API void link_timer(void);
/* Moves received bytes into the library; call right after link_timer. */
ORVELINK_API void read_buffer(void);
/* Size of the oldest complete received message, or negative when none waits. */
ORVELINK_API int16_t get_message_size(void);
/* Copies out and removes the oldest message. Returns its size, or -1 when it was not delivered. */
ORVELINK_API int16_t get_message(uint8_t* buffer, int32_t capacity);

#ifdef __cplusplus
}
#endif

#endif
