#pragma once

namespace korvanta {

// The countdown dialog ("Vent venligst der beregnes..."): a progress bar over 0..15 that falls
// by one every second and closes the dialog when it drops below 0.
class Countdown {
public:
    static constexpr int kRangeTop = 15;
    static constexpr int kTickMilliseconds = 1000;

    explicit Countdown(int seconds) : secondsLeft_(seconds) {}

    int SecondsLeft() const { return secondsLeft_; }
    // The progress bar's position, held to its range.
    int Position() const;
    // One timer tick; true when the countdown has run out and the dialog closes with OK.
    bool Tick();

private:
    int secondsLeft_;
};

}  // namespace korvanta
