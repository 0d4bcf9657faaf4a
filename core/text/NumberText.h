#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvanta {

// Numbers in the program's texts always use "." as the decimal point, whatever locale the C
// library was given: a window toolkit sets it from the environment at start, and under a Danish
// locale printf's "%.2f" would write "1,23" and strtod would stop reading at ".".

// One number in a printf-style pattern "%[flags][width][.precision]f" ("%.2f", "%0.4f", "%1.2f"),
// with the same digits as printf in the C locale. Flags "-", "+", " " and "0" are honoured. An
// empty text for any other pattern.
std::string FormatFixed(std::string_view pattern, double value);

// A whole decimal number ("12", "-0.5", "+3e2"), nothing before or after it; nothing for text
// that is not one, or for a value that is not finite.
std::optional<double> ParseDecimal(std::string_view text);

// The dialogs' forms of the same rule.
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
