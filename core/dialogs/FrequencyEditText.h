#pragma once

#include <string>
#include <string_view>

namespace korvanta {

// What a frequency edit holds after its text was cleaned.
struct CleanedFrequency {
    std::string text;        // the text to write back
    int caret = 0;           // caret position in characters
    bool selectAll = false;  // "Høj" is selected, so typing replaces it
    float value = 0.0f;      // Hz, 0..1220
};

// The texts of the filter dialog's frequency edits.
class FrequencyEditText {
public:
    static constexpr float kTopHz = 1220.0f;

    // Cleans a typed text: every character but "0123456789." goes (the caret, counted in
    // characters of the UTF-8 text, moves left for each one before it), the rest is read as
    // "%f" reads it. No number gives 0 and "0"; 1220 or more gives 1220 and "Høj".
    static CleanedFrequency Clean(std::string_view utf8Text, int caret);

    // How a value is shown: "Høj" for 1220 or more, "%.0f" above 0, "" for 0.
    static std::string Show(float hz);

    // The value of a text the dialog itself shows: the number it starts with, 1220 for "Høj",
    // else 0.
    static float ValueOfShown(std::string_view utf8Text);
};

}  // namespace korvanta
