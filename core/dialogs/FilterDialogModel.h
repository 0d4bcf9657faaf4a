#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/dialogs/EditOutcome.h"
#include "core/dialogs/FrequencyEditText.h"
#include "core/values/CoherenceSpectrum.h"
#include "core/values/FilterSettings.h"

namespace korvanta {

// The four frequency edits of the filter dialog.
enum class FrequencyEdit { Low = 0, High = 1, NotchLow = 2, NotchHigh = 3 };
inline constexpr int kFrequencyEdits = 4;

// Which controls of the filter dialog can be used.
struct FilterControlStates {
    std::array<bool, kNotchCount> notchRadio{};  // "1".."5"
    bool addNotch = true;
    bool deleteNotch = false;
    bool notchEditsWritable = false;
    bool cutoffEditsWritable = true;
    bool automaticChecked = false;
};

// The filter dialog ("Filterindstillinger") while it is open: the applied settings (returned on
// OK, and what the grey bands show), the working settings being edited, the notch selection, the
// frequency cursor, the texts of the edits and the enable state of the controls.
//
// The dialog rewrites an edit's text while handling that edit's change ("Høj", "AUTO", the
// cleaned text). Such a text must not be taken as new input: "Høj" and "AUTO" hold no digit and
// would read as 0. The model remembers what it last wrote to each edit and ignores a change
// notice that carries exactly that text.
class FilterDialogModel {
public:
    // `coherence` is the two stations' on the record shown; unknown for a record from before it
    // was kept.
    explicit FilterDialogModel(const FilterSettings& applied, const CoherenceSpectrum& coherence = {});

    const FilterSettings& Applied() const { return applied_; }
    const FilterSettings& Working() const { return working_; }
    int NotchCount() const { return notchCount_; }
    int SelectedNotch() const { return selectedNotch_; }
    const FilterControlStates& Controls() const { return controls_; }
    const std::string& Text(FrequencyEdit edit) const { return texts_[Slot(edit)]; }

    // The frequency cursor: a graph column 0..503 with its text and slider position.
    int Cursor() const { return cursor_; }
    int SliderPosition() const { return slider_; }
    const std::string& CursorText() const { return cursorText_; }
    void MoveSlider(int position);
    // A click into a graph puts the cursor (and the slider with its text) on that column.
    void ClickColumn(int column);

    // A changed edit. Returns what to write back, or nullopt when the text is the model's own
    // rewrite (nothing to do).
    std::optional<CleanedFrequency> EditChanged(FrequencyEdit edit, std::string_view utf8Text, int caret);

    // The popup items: the cursor's text into the low or high cut-off.
    void CopyCursorToLowCutoff();
    void CopyCursorToHighCutoff();

    // Radio "1".."5": refused with the current notch's message, which keeps the old selection.
    EditOutcome SelectNotch(int k);
    EditOutcome AddNotch();
    EditOutcome DeleteNotch();
    void ClearAll();
    void SetAutomatic(bool on);
    // "Kohærens": the cut-offs and notches the coherence proposes become the working settings
    // (the automatic filter off). Refused with its message when no coherence is stored or no band
    // of it stands out; the settings stay as they were then.
    EditOutcome ProposeFromCoherence();
    bool CoherenceKnown() const { return coherence_.IsKnown(); }
    // The coherence under each graph column, 0..1 with the bias of few pairs taken out; empty
    // when none is stored.
    std::vector<float> CoherenceColumns() const;

    // OK and "Accept": the messages to show in order; the apply succeeded when there are none.
    std::vector<uint32_t> Apply();

    // Whether the applied settings remove a graph column (it is drawn grey).
    bool IsColumnRemoved(int column) const;

private:
    static size_t Slot(FrequencyEdit edit) { return static_cast<size_t>(edit); }
    uint32_t CheckCurrentNotch() const;
    void ShowCutoffs();
    void ShowNotch(int k);
    void SetText(FrequencyEdit edit, std::string text);
    void DisableNotchControls();

    CoherenceSpectrum coherence_;
    FilterSettings applied_{};
    FilterSettings working_{};
    int notchCount_ = 0;
    int selectedNotch_ = -1;
    int cursor_ = 0;
    int slider_ = 0;
    std::string cursorText_ = "0";
    std::array<std::string, kFrequencyEdits> texts_{};
    std::array<std::optional<std::string>, kFrequencyEdits> lastWritten_{};
    FilterControlStates controls_{};
};

}  // namespace korvanta
