#include <gtest/gtest.h>

#include "orvelink/src/PortName.h"

namespace korvanta::orvelink {
namespace {

using Platform = PortName::Platform;

TEST(PortNameTest, TheSerialPortLayerGetsTheBareNameOnEveryPlatform)
{
    const struct {
        const char* given;
        const char* expected;
    } cases[] = {
        {"\\\\.\\COM3", "COM3"},  // as the comms thread passes it
        {"\\\\.\\COM12", "COM12"},
        {"COM3", "COM3"},
        {"//./COM4", "COM4"},
        {"\\\\.\\/dev/ttyUSB0", "/dev/ttyUSB0"},
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
        {"\\\\.\\", ""},
        {"\\\\.COM3", "\\\\.COM3"},  // not the prefix
    };
    for (const Platform platform : {Platform::Windows, Platform::Posix}) {
        for (const auto& c : cases) {
            EXPECT_EQ(PortName::ForSerialPort(c.given, platform), c.expected)
                << c.given << (platform == Platform::Windows ? " on Windows" : " on POSIX");
        }
    }
    EXPECT_EQ(PortName::WithoutDevicePrefix("\\\\.\\SIM"), "SIM");
}

}  // namespace
}  // namespace korvanta::orvelink
