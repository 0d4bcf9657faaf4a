// The C entry points of the link library; each forwards to the process's one link session.
#include "orvelink/orvelink.h"
#include "orvelink/orvelink_transport.h"
#include "orvelink/src/LinkSession.h"

using korvanta::orvelink::LinkSession;

extern "C" {

ORVELINK_API uint16_t comm_open_str(const char* port, int32_t baud)
{
    return LinkSession::Instance().Open(port, baud);
}

ORVELINK_API void comm_close(void)
{
    LinkSession::Instance().Close();
}

ORVELINK_API uint8_t comm_is_open(void)
{
    return LinkSession::Instance().IsOpen() ? 1 : 0;
}

ORVELINK_API void comm_reset(void)
{
    LinkSession::Instance().Reset();
}

ORVELINK_API uint16_t put_message(const uint8_t* bytes, int32_t length)
{
    return LinkSession::Instance().Put(bytes, length);
}

ORVELINK_API uint16_t get_status(void)
{
    return LinkSession::Instance().Status();
}

ORVELINK_API void link_timer(void)
{
    LinkSession::Instance().ServiceTimers();
}

ORVELINK_API void read_buffer(void)
{
    LinkSession::Instance().ReceiveAvailable();
}

ORVELINK_API int16_t get_message_size(void)
{
    return LinkSession::Instance().WaitingMessageSize();
}

ORVELINK_API int16_t get_message(uint8_t* buffer, int32_t capacity)
{
    return LinkSession::Instance().TakeMessage(buffer, capacity);
}

ORVELINK_API int orvelink_register_transport(const char* name, const orvelink_transport_ops* ops, void* context)
{
    return LinkSession::Instance().Register(name, ops, context);
}

ORVELINK_API int orvelink_unregister_transport(const char* name)
{
    return LinkSession::Instance().Unregister(name);
}

ORVELINK_API void orvelink_set_clock(orvelink_clock_fn now_ms, void* context)
{
    LinkSession::Instance().SetClock(now_ms, context);
}

}  // extern "C"
