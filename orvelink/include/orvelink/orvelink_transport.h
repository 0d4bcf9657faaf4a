/* Host-side extras of the link library: named in-process transports, an injectable clock and
 * the result codes of comm_open_str.
 *
 * A host (the program, the command-line tool, a test) registers a transport under a name, and
 * comm_open_str with that name (with or without a leading "\\.\") opens it instead of a serial
 * port. The simulated field kit is registered as "SIM" this way. Registration is thread-safe;
 * the library copies the operations table and the name, but not the context.
 */
#ifndef ORVELINK_ORVELINK_TRANSPORT_H
#define ORVELINK_ORVELINK_TRANSPORT_H

#include <stdint.h>

#include "orvelink/orvelink.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Results of comm_open_str. */
#define ORVELINK_OPEN_OK 0u
#define ORVELINK_OPEN_BAD_PARAMETER 1u    /* no port name, or a baud rate that is not positive */
#define ORVELINK_OPEN_NOT_FOUND 2u        /* neither a registered transport nor a port that opens */
#define ORVELINK_OPEN_CONFIG_FAILED 3u    /* the port opened but refused 8N1 at that baud rate */
#define ORVELINK_OPEN_TRANSPORT_FAILED 4u /* the registered transport's open failed */
#define ORVELINK_OPEN_IN_USE 5u           /* another program (or another open) holds the port */

/* Results of put_message other than 0 (accepted). */
#define ORVELINK_PUT_NO_ROOM 1u /* the send queue is full */
#define ORVELINK_PUT_NOT_OPEN 2u
#define ORVELINK_PUT_BAD_MESSAGE 3u /* bytes missing, a negative length or more than 4096 bytes */

/* The largest message put_message accepts and get_message delivers. */
#define ORVELINK_MAX_MESSAGE_SIZE 4096

/* Operations of an in-process byte transport. read and write must not block. */
typedef struct orvelink_transport_ops {
    /* Called by comm_open_str; 0 = opened. May be null when there is nothing to do. */
    int32_t (*open)(void* context, int32_t baud);
    /* Copies up to capacity bytes; returns the count, 0 when none wait, negative on failure. */
    int32_t (*read)(void* context, uint8_t* buffer, int32_t capacity);
    /* Takes up to length bytes; returns the count taken, negative on failure. */
    int32_t (*write)(void* context, const uint8_t* bytes, int32_t length);
    /* Called by comm_close, or when the transport is unregistered while open. May be null. */
    void (*close)(void* context);
} orvelink_transport_ops;

/* Registers (or replaces) the transport opened by the name. 0 = done; -1 = bad name (empty or
 * longer than 63 bytes) or no read/write operation; -2 = the name is the open link's transport. */
ORVELINK_API int orvelink_register_transport(const char* name, const orvelink_transport_ops* ops, void* context);
/* Removes a registration, closing the link first when it runs over that transport.
 * 0 = removed, -1 = no such name. */
ORVELINK_API int orvelink_unregister_transport(const char* name);

/* Replaces the library's monotonic clock with the host's (milliseconds, any origin, never going
 * back); null restores the steady clock. For tests and simulations that drive time themselves;
 * set it while no port is open. */
typedef int64_t (*orvelink_clock_fn)(void* context);
ORVELINK_API void orvelink_set_clock(orvelink_clock_fn now_ms, void* context);

#ifdef __cplusplus
}
#endif

#endif
