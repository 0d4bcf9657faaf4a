#pragma once

#include "core/link/ILinkLibrary.h"

namespace korvanta {

// Passes every call on to another link library; a wrapper that watches or alters a few calls
// overrides only those.
class ForwardingLinkLibrary : public ILinkLibrary {
public:
    explicit ForwardingLinkLibrary(ILinkLibrary& inner) : inner_(inner) {}

    uint16_t CommOpenStr(const std::string& portPath, int32_t baud) override
    {
        return inner_.CommOpenStr(portPath, baud);
    }
    void CommClose() override { inner_.CommClose(); }
    uint8_t CommIsOpen() override { return inner_.CommIsOpen(); }
    void CommReset() override { inner_.CommReset(); }
    uint16_t PutMessage(const uint8_t* bytes, int32_t length) override { return inner_.PutMessage(bytes, length); }
    uint16_t GetStatus() override { return inner_.GetStatus(); }
    void LinkTimer() override { inner_.LinkTimer(); }
    void ReadBuffer() override { inner_.ReadBuffer(); }
    int16_t GetMessageSize() override { return inner_.GetMessageSize(); }
    int16_t GetMessage(uint8_t* buffer, int32_t capacity) override { return inner_.GetMessage(buffer, capacity); }

private:
    ILinkLibrary& inner_;
};

}  // namespace korvanta
