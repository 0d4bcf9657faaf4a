#include "core/dialogs/FilterDialogModel.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/correlation/CoherenceBand.h"
#include "core/dialogs/FrequencyScale.h"
#include "core/text/NumberText.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {

namespace {

bool InForce(const NotchFilter& notch)
{
    return notch.high > 0.0f;
}

// Notches in force first, in their order: the radios "1".."n" then reach every one of them,
// whatever gaps a stored file left between them.
void PackNotches(FilterSettings& settings)
{
    int next = 0;
    for (const NotchFilter& notch : settings.notches) {
        if (InForce(notch))
            settings.notches[next++] = notch;
    }
    for (int k = next; k < kNotchCount; ++k) {
        settings.notches[k] = NotchFilter{};
    }
}

int CountNotches(const FilterSettings& settings)
{
    return static_cast<int>(std::count_if(std::begin(settings.notches), std::end(settings.notches), InForce));
}

}  // namespace

FilterDialogModel::FilterDialogModel(const FilterSettings& applied, const CoherenceSpectrum& coherence)
    : coherence_(coherence), applied_(applied), working_(applied)
{
    PackNotches(working_);
    notchCount_ = CountNotches(working_);
    if (notchCount_ == kNotchCount)
        controls_.addNotch = false;
    SetAutomatic(working_.automatic != 0);
}

void FilterDialogModel::MoveSlider(int position)
{
    cursor_ = std::clamp(position, 0, FrequencyScale::kLastPosition);
    slider_ = cursor_;
    cursorText_ = std::to_string(FrequencyScale::PositionToHz(cursor_));
}

void FilterDialogModel::ClickColumn(int column)
{
    MoveSlider(column);
}

void FilterDialogModel::SetText(FrequencyEdit edit, std::string text)
{
    lastWritten_[Slot(edit)] = text;
    texts_[Slot(edit)] = std::move(text);
}

std::optional<CleanedFrequency> FilterDialogModel::EditChanged(FrequencyEdit edit, std::string_view utf8Text, int caret)
{
    if (lastWritten_[Slot(edit)] && *lastWritten_[Slot(edit)] == utf8Text)
        return std::nullopt;
    CleanedFrequency cleaned = FrequencyEditText::Clean(utf8Text, caret);
    switch (edit) {
    case FrequencyEdit::Low:
        working_.lowCutoff = cleaned.value;
        break;
    case FrequencyEdit::High:
        working_.highCutoff = cleaned.value;
        break;
    case FrequencyEdit::NotchLow:
        if (selectedNotch_ >= 0 && selectedNotch_ < kNotchCount)
            working_.notches[selectedNotch_].low = cleaned.value;
        break;
    case FrequencyEdit::NotchHigh:
        if (selectedNotch_ >= 0 && selectedNotch_ < kNotchCount)
            working_.notches[selectedNotch_].high = cleaned.value;
        break;
    }
    SetText(edit, cleaned.text);
    return cleaned;
}

void FilterDialogModel::CopyCursorToLowCutoff()
{
    SetText(FrequencyEdit::Low, cursorText_);
    working_.lowCutoff = FrequencyEditText::ValueOfShown(cursorText_);
}

void FilterDialogModel::CopyCursorToHighCutoff()
{
    SetText(FrequencyEdit::High, cursorText_);
    working_.highCutoff = FrequencyEditText::ValueOfShown(cursorText_);
}

uint32_t FilterDialogModel::CheckCurrentNotch() const
{
    if (notchCount_ == 0)
        return str::kNoError;
    if (selectedNotch_ < 0 || selectedNotch_ >= kNotchCount)
        return str::kNotchNeedsHighCutoff;
    const NotchFilter& notch = working_.notches[selectedNotch_];
    if (!(notch.high > 0.0f))
        return str::kNotchNeedsHighCutoff;
    if (notch.high < notch.low)
        return str::kNotchLowAboveHigh;
    return str::kNoError;
}

void FilterDialogModel::ShowCutoffs()
{
    SetText(FrequencyEdit::Low, FrequencyEditText::Show(working_.lowCutoff));
    SetText(FrequencyEdit::High, FrequencyEditText::Show(working_.highCutoff));
}

void FilterDialogModel::ShowNotch(int k)
{
    const NotchFilter notch = (k >= 0 && k < kNotchCount) ? working_.notches[k] : NotchFilter{};
    if (InForce(notch)) {
        SetText(FrequencyEdit::NotchLow, FrequencyEditText::Show(notch.low));
        SetText(FrequencyEdit::NotchHigh, FrequencyEditText::Show(notch.high));
    } else {
        SetText(FrequencyEdit::NotchLow, "");
        SetText(FrequencyEdit::NotchHigh, "");
    }
}

EditOutcome FilterDialogModel::SelectNotch(int k)
{
    if (k < 0 || k >= notchCount_)
        return EditOutcome::Ignored();
    if (const uint32_t message = CheckCurrentNotch(); message != str::kNoError)
        return EditOutcome::Refused(message);
    selectedNotch_ = k;
    ShowNotch(k);
    slider_ = FrequencyScale::SliderPosition(working_.notches[k].low);
    cursor_ = slider_;
    cursorText_ = Text(FrequencyEdit::NotchLow);
    return EditOutcome::Done();
}

EditOutcome FilterDialogModel::AddNotch()
{
    if (const uint32_t message = CheckCurrentNotch(); message != str::kNoError)
        return EditOutcome::Refused(message);
    const int n = notchCount_;
    if (n >= kNotchCount)
        return EditOutcome::Ignored();
    if (n == 0) {
        controls_.deleteNotch = true;
        controls_.notchEditsWritable = true;
    }
    controls_.notchRadio[static_cast<size_t>(n)] = true;
    if (n == kNotchCount - 1)
        controls_.addNotch = false;
    selectedNotch_ = n;
    SetText(FrequencyEdit::NotchLow, "");
    SetText(FrequencyEdit::NotchHigh, "");
    ++notchCount_;
    return EditOutcome::Done();
}

EditOutcome FilterDialogModel::DeleteNotch()
{
    if (selectedNotch_ < 0 || selectedNotch_ >= kNotchCount)
        return EditOutcome::Refused(str::kSelectNotchFilter);
    if (notchCount_ == 0)
        return EditOutcome::Ignored();
    for (int k = selectedNotch_; k + 1 < kNotchCount; ++k) {
        working_.notches[k] = working_.notches[k + 1];
    }
    working_.notches[kNotchCount - 1] = NotchFilter{};
    const int last = notchCount_ - 1;
    controls_.notchRadio[static_cast<size_t>(last)] = false;
    if (last == 0) {
        controls_.deleteNotch = false;
        controls_.notchEditsWritable = false;
    }
    selectedNotch_ = selectedNotch_ > 0 ? selectedNotch_ - 1 : 0;
    ShowNotch(selectedNotch_);
    --notchCount_;
    if (notchCount_ == 0)
        selectedNotch_ = -1;
    controls_.addNotch = true;
    return EditOutcome::Done();
}

void FilterDialogModel::DisableNotchControls()
{
    controls_.notchRadio.fill(false);
    controls_.deleteNotch = false;
    controls_.addNotch = false;
    controls_.notchEditsWritable = false;
}

void FilterDialogModel::ClearAll()
{
    applied_ = FilterSettings{};
    working_ = FilterSettings{};
    DisableNotchControls();
    SetText(FrequencyEdit::NotchLow, "");
    SetText(FrequencyEdit::NotchHigh, "");
    selectedNotch_ = -1;
    notchCount_ = 0;
    SetAutomatic(false);
    MoveSlider(0);
}

void FilterDialogModel::SetAutomatic(bool on)
{
    if (on) {
        working_.automatic = 1;
        controls_.automaticChecked = true;
        DisableNotchControls();
        controls_.cutoffEditsWritable = false;
        const char* autoText = LoadString(str::kFilterAuto);
        for (int e = 0; e < kFrequencyEdits; ++e) {
            SetText(static_cast<FrequencyEdit>(e), autoText != nullptr ? autoText : "");
        }
        return;
    }
    working_.automatic = 0;
    controls_.automaticChecked = false;
    ShowCutoffs();
    controls_.cutoffEditsWritable = true;
    notchCount_ = CountNotches(working_);
    if (notchCount_ > 0) {
        selectedNotch_ = 0;
        controls_.deleteNotch = true;
        controls_.notchEditsWritable = true;
        for (int k = 0; k < notchCount_; ++k) {
            controls_.notchRadio[static_cast<size_t>(k)] = true;
        }
    } else {
        selectedNotch_ = -1;
    }
    controls_.addNotch = notchCount_ < kNotchCount;
    ShowNotch(0);
}

std::vector<uint32_t> FilterDialogModel::Apply()
{
    std::vector<uint32_t> messages;
    applied_ = FilterSettings{};
    if (working_.automatic != 0) {
        applied_.automatic = 1;
        return messages;
    }
    if (working_.highCutoff > 0.0f && working_.highCutoff < working_.lowCutoff)
        messages.push_back(str::kHighBelowLowCutoff);
    if (const uint32_t message = CheckCurrentNotch(); message != str::kNoError)
        messages.push_back(message);
    if (messages.empty())
        applied_ = working_;
    return messages;
}

bool FilterDialogModel::IsColumnRemoved(int column) const
{
    if (applied_.lowCutoff != 0.0f && column < FrequencyScale::EdgeColumn(applied_.lowCutoff))
        return true;
    if (applied_.highCutoff != 0.0f && column > FrequencyScale::EdgeColumn(applied_.highCutoff))
        return true;
    for (const NotchFilter& notch : applied_.notches) {
        if (notch.high != 0.0f && column > FrequencyScale::EdgeColumn(notch.low) &&
            column < FrequencyScale::EdgeColumn(notch.high)) {
            return true;
        }
    }
    return false;
}

EditOutcome FilterDialogModel::ProposeFromCoherence()
{
    if (!coherence_.IsKnown()) {
        return EditOutcome::Refused(str::kNoCoherenceStored);
    }
    const std::optional<FilterSettings> band = ProposeCoherenceBand(coherence_);
    if (!band) {
        return EditOutcome::Refused(str::kNoCoherentBand);
    }
    working_ = *band;
    PackNotches(working_);
    SetAutomatic(false);
    controls_.addNotch = notchCount_ < kNotchCount;
    return EditOutcome::Done();
}

std::vector<float> FilterDialogModel::CoherenceColumns() const
{
    std::vector<float> columns;
    if (!coherence_.IsKnown()) {
        return columns;
    }
    columns.reserve(FrequencyScale::kPositions);
    for (int column = 0; column < FrequencyScale::kPositions; ++column) {
        // The bin nearest the column's frequency; the bins lie evenly from 0 Hz.
        const double hz = FrequencyScale::PositionToHz(column);
        const int bin = std::clamp(static_cast<int>(std::lround(hz / BinFrequency(1))), 0, kSpectrumBins - 1);
        columns.push_back(static_cast<float>(coherence_.Unbiased(bin)));
    }
    return columns;
}

}  // namespace korvanta
