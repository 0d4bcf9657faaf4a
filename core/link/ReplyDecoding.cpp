#include "core/link/ReplyDecoding.h"

#include <cstdio>

#include "core/text/NumberText.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

constexpr uint8_t kInterfaceBit = 1;
constexpr uint8_t kRedBit = 2;
constexpr uint8_t kBlueBit = 4;
constexpr uint8_t kYellowBit = 8;
constexpr uint8_t kLastLetterIndex = 25;
// A raw reading of 1023 is 2 V.
constexpr double kVoltsPerCount = 2.0 / 1023.0;
constexpr int kValuesBeforeWideGap = 8;

}  // namespace

std::string FormatVersionText(uint8_t major, uint8_t minor, uint8_t letterIndex)
{
    const char letter = letterIndex <= kLastLetterIndex ? static_cast<char>('A' + letterIndex) : '?';
    char text[32];
    std::snprintf(text, sizeof text, "%s%d%02d%c", "QX-913-07-", major, minor, letter);
    return text;
}

std::string FormatDiagnosticsText(const uint8_t* words)
{
    std::string text;
    for (int i = 0; i < kDiagnosticsValues; ++i) {
        if (i > 0) {
            text.append(i == kValuesBeforeWideGap ? 20 : 5, ' ');
        }
        const unsigned raw = (static_cast<unsigned>(words[2 * i]) << 8) | words[2 * i + 1];
        text += FormatFixed("%1.2f", raw * kVoltsPerCount);
    }
    return text;
}

uint32_t StartSamplingFailureId(uint8_t maskA, uint8_t maskB)
{
    // Red before blue before yellow: the user is told about one unit at a time.
    if (maskA & kRedBit) {
        return (maskB & kRedBit) ? str::kNoSensorRed : str::kRedNotAnswering;
    }
    if (maskB & kRedBit) {
        return str::kRedFault;
    }
    if (maskA & kBlueBit) {
        return (maskB & kBlueBit) ? str::kNoSensorBlue : str::kBlueNotAnswering;
    }
    if (maskB & kBlueBit) {
        return str::kBlueFault;
    }
    if (maskA & kYellowBit) {
        return (maskB & kYellowBit) ? str::kNoSensorYellow : str::kYellowNotAnswering;
    }
    if (maskB & kYellowBit) {
        return str::kYellowFault;
    }
    if ((maskA & kInterfaceBit) && (maskB & kInterfaceBit)) {
        return str::kNoSensorInterface;
    }
    return str::kNoError;
}

}  // namespace korvanta
