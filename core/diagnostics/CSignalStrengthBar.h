#pragma once

#include <string>

namespace korvanta {

// Counts of one outstation's radio tests and what its bar shows: green for perfect tests, yellow
// for acceptable but not perfect ones, red for the failed rest. Acceptable includes perfect.
class CSignalStrengthBar {
public:
    // Pixel spans inside a bar's client area (frame already taken off), left edge inclusive,
    // right edge exclusive. An empty span has begin == end.
    struct Span {
        int begin = 0;
        int end = 0;
    };
    struct Segments {
        bool empty = true;  // no test yet: the whole area is light grey
        Span green;
        Span yellow;  // red fills whatever green and yellow leave
    };

    void Reset();
    void AddTest() { ++total_; }
    void AddPerfect() { ++perfect_; }
    void AddAcceptable() { ++acceptable_; }

    int Total() const { return total_; }
    int Perfect() const { return perfect_; }
    int Acceptable() const { return acceptable_; }
    int Failed() const { return total_ - acceptable_; }

    std::string PerfectText() const;
    std::string AcceptableText() const;
    std::string FailedText() const;
    std::string PerfectShareText() const;
    std::string AcceptableShareText() const;
    std::string FailedShareText() const;

    // Integer arithmetic over the area [left, left + width).
    Segments Layout(int left, int width) const;

private:
    std::string Share(int count) const;

    int total_ = 0;
    int perfect_ = 0;
    int acceptable_ = 0;
};

}  // namespace korvanta
