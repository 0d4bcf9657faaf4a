#pragma once

#include <cstdint>
#include <optional>

namespace korvanta {

// The two presses that mark a stretch of the graph where the peak may not lie, and its removal.
class PeakDelimitation {
public:
    struct Stretch {
        int start = 0;
        int end = 0;
    };
    struct ButtonStates {
        bool setPoint = false;  // "Sæt startpunkt" / "Sæt slutpunkt"
        bool remove = false;    // "Fjern"
    };

    // First press: the start point. Second press: the stretch to blank, in column order.
    std::optional<Stretch> Press(int cursorColumn);
    // True when there was a point or a stretch to remove; the caller then unblanks.
    bool Remove();
    // Forgets everything without asking anyone to unblank (a new or opened document).
    void Clear();

    bool Started() const { return started_; }
    bool IsSet() const { return set_; }
    std::optional<int> PendingStart() const;
    const Stretch& Current() const { return stretch_; }

    // String-table ID of the set-point button's text.
    uint32_t SetPointText() const;
    // `allowed`: a result is on show, no measurement runs and the graph is not zoomed.
    ButtonStates Buttons(bool allowed) const;

private:
    Stretch stretch_;
    bool started_ = false;
    bool set_ = false;
};

}  // namespace korvanta
