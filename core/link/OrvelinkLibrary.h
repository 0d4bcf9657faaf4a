#pragma once

#include "core/link/ILinkLibrary.h"

namespace korvanta {

// The real link library. Executables that use this class link the orvelink shared library.
class OrvelinkLibrary final : public ILinkLibrary {
public:
    uint16_t CommOpenStr(const std::string& portPath, int32_t baud) override;
    void CommClose() override;
    uint8_t CommIsOpen() override;
    void CommReset() override;
    uint16_t PutMessage(const uint8_t* bytes, int32_t length) override;
    uint16_t GetStatus() override;
    void LinkTimer() override;
    void ReadBuffer() override;
    int16_t GetMessageSize() override;
    int16_t GetMessage(uint8_t* buffer, int32_t capacity) override;
};

}  // namespace korvanta
