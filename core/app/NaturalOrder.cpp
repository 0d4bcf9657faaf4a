#include "core/app/NaturalOrder.h"

#include <cctype>
#include <cstddef>

namespace korvanta {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

char Lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Compares the digit runs starting at a[i] and b[j] by value (any length, leading zeros
// ignored) and moves both indexes past them. <0, 0 or >0.
int CompareNumbers(std::string_view a, size_t& i, std::string_view b, size_t& j)
{
    while (i < a.size() && a[i] == '0' && i + 1 < a.size() && IsDigit(a[i + 1])) {
        ++i;
    }
    while (j < b.size() && b[j] == '0' && j + 1 < b.size() && IsDigit(b[j + 1])) {
        ++j;
    }
    const size_t startA = i;
    const size_t startB = j;
    while (i < a.size() && IsDigit(a[i])) {
        ++i;
    }
    while (j < b.size() && IsDigit(b[j])) {
        ++j;
    }
    const size_t lengthA = i - startA;
    const size_t lengthB = j - startB;
    if (lengthA != lengthB) {
        return lengthA < lengthB ? -1 : 1;
    }
    return a.substr(startA, lengthA).compare(b.substr(startB, lengthB));
}

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b)
{
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const int order = CompareNumbers(a, i, b, j);
            if (order != 0) {
                return order < 0;
            }
            continue;
        }
        const char ca = Lower(a[i]);
        const char cb = Lower(b[j]);
        if (ca != cb) {
            return ca < cb;
        }
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j)) {
        return (a.size() - i) < (b.size() - j);
    }
    return a < b;
}

}  // namespace korvanta
