#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvanta {

// Numbers as the dialogs show and read them, with '.' as the decimal point whatever the C
// library's locale says (a Danish desktop would otherwise write "1,23" and stop reading at ".").

// The fixed-point text of "%0.<decimals>f": correctly rounded, '-' for negatives, "inf"/"nan"
// for non-finite values.
std::string FormatFixed(double value, int decimals);

// The text of "%.<digits>g": at most `digits` significant digits, trailing zeros dropped.
std::string FormatGeneral(double value, int digits);

// The leading number of `text` as "%f" reads it (optional blanks, sign, digits, '.', exponent);
// nullopt when the text does not start with a number. What follows the number is ignored.
std::optional<float> ParseLeadingFloat(std::string_view text);

// The number when `text` holds one number and nothing else but blanks around it.
std::optional<float> ParseWholeFloat(std::string_view text);

}  // namespace korvanta
