#include "core/dialogs/FrequencyEditText.h"

#include <optional>

#include "core/text/NumberText.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {

namespace {

std::string HighText()
{
    const char* text = LoadString(str::kFilterHigh);
    return text != nullptr ? text : "";
}

bool IsPermitted(char c)
{
    return (c >= '0' && c <= '9') || c == '.';
}

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

CleanedFrequency FrequencyEditText::Clean(std::string_view utf8Text, int caret)
{
    CleanedFrequency result;
    int character = 0;  // index of the character that starts at byte i
    result.caret = caret;
    for (size_t i = 0; i < utf8Text.size(); ++i) {
        const char c = utf8Text[i];
        if (IsContinuationByte(c))
            continue;
        if (IsPermitted(c)) {
            result.text += c;
        } else if (character < caret) {
            --result.caret;
        }
        ++character;
    }
    if (result.caret < 0)
        result.caret = 0;

    const std::optional<float> number = ParseLeadingFloat(result.text);
    if (!number || !(*number >= 0.0f)) {
        result.text.assign(1, '0');
        result.value = 0.0f;
    } else if (*number >= kTopHz) {
        result.text = HighText();
        result.value = kTopHz;
        result.selectAll = true;
    } else {
        result.value = *number;
    }
    int length = 0;
    for (char c : result.text) {
        length += IsContinuationByte(c) ? 0 : 1;
    }
    if (result.caret > length || result.selectAll)
        result.caret = length;
    return result;
}

std::string FrequencyEditText::Show(float hz)
{
    if (hz >= kTopHz)
        return HighText();
    if (hz > 0.0f)
        return FormatFixed(hz, 0);
    return {};
}

float FrequencyEditText::ValueOfShown(std::string_view utf8Text)
{
    if (const std::optional<float> number = ParseLeadingFloat(utf8Text))
        return *number;
    return utf8Text == HighText() ? kTopHz : 0.0f;
}

}  // namespace korvanta
