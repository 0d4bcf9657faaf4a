#include "core/link/OrvelinkLibrary.h"

#include "orvelink/orvelink.h"

namespace korvanta {

uint16_t OrvelinkLibrary::CommOpenStr(const std::string& portPath, int32_t baud)
{
    return comm_open_str(portPath.c_str(), baud);
}

void OrvelinkLibrary::CommClose()
{
    comm_close();
}

uint8_t OrvelinkLibrary::CommIsOpen()
{
    return comm_is_open();
}

void OrvelinkLibrary::CommReset()
{
    comm_reset();
}

uint16_t OrvelinkLibrary::PutMessage(const uint8_t* bytes, int32_t length)
{
    return put_message(bytes, length);
}

uint16_t OrvelinkLibrary::GetStatus()
{
    return get_status();
}

void OrvelinkLibrary::LinkTimer()
{
    link_timer();
}

void OrvelinkLibrary::ReadBuffer()
{
    read_buffer();
}

int16_t OrvelinkLibrary::GetMessageSize()
{
    return get_message_size();
}

int16_t OrvelinkLibrary::GetMessage(uint8_t* buffer, int32_t capacity)
{
    return get_message(buffer, capacity);
}

}  // namespace korvanta
