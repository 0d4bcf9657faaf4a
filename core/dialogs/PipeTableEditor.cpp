#include "core/dialogs/PipeTableEditor.h"

#include <utility>

namespace korvanta {

PipeTableEditor::PipeTableEditor(const PipeSections& pipe) : pipe_(pipe) {}

int PipeTableEditor::RowCount() const
{
    int n = 0;
    while (n < kMaxPipeSections && pipe_[static_cast<size_t>(n)].inUse == 1) {
        ++n;
    }
    return n;
}

PipeButtonStates PipeTableEditor::Buttons() const
{
    const int n = RowCount();
    PipeButtonStates states;
    states.add = n < kMaxPipeSections;
    states.edit = n > 0;
    states.remove = n > 0;
    states.move = n >= 2;
    return states;
}

uint32_t PipeTableEditor::CheckSelection() const
{
    const int n = RowCount();
    if (n == 0)
        return str::kNoPipeSectionDefined;
    if (selected_ < 0 || selected_ >= n)
        return str::kSelectPipeSection;
    return str::kNoError;
}

EditOutcome PipeTableEditor::Add(const PipeSection& section)
{
    const int n = RowCount();
    if (n >= kMaxPipeSections)
        return EditOutcome::Ignored();
    PipeSection& slot = pipe_[static_cast<size_t>(n)];
    slot = section;
    slot.materialHigh = 0;
    slot.inUse = 1;
    selected_ = n;
    return EditOutcome::Done();
}

EditOutcome PipeTableEditor::EditSelected(const PipeSection& section)
{
    if (selected_ < 0 || selected_ >= RowCount())
        return EditOutcome::Ignored();
    PipeSection& slot = pipe_[static_cast<size_t>(selected_)];
    slot = section;
    slot.materialHigh = 0;
    slot.inUse = 1;
    return EditOutcome::Done();
}

EditOutcome PipeTableEditor::RemoveSelected()
{
    if (const uint32_t message = CheckSelection(); message != str::kNoError)
        return EditOutcome::Refused(message);
    const int n = RowCount();
    for (int i = selected_; i + 1 < n; ++i) {
        pipe_[static_cast<size_t>(i)] = pipe_[static_cast<size_t>(i + 1)];
    }
    pipe_[static_cast<size_t>(n - 1)] = PipeSection{};
    selected_ = selected_ > 0 ? selected_ - 1 : 0;
    return EditOutcome::Done();
}

EditOutcome PipeTableEditor::MoveSelectedUp()
{
    if (const uint32_t message = CheckSelection(); message != str::kNoError)
        return EditOutcome::Refused(message);
    if (selected_ == 0)
        return EditOutcome::Ignored();
    std::swap(pipe_[static_cast<size_t>(selected_)], pipe_[static_cast<size_t>(selected_ - 1)]);
    --selected_;
    return EditOutcome::Done();
}

EditOutcome PipeTableEditor::MoveSelectedDown()
{
    if (const uint32_t message = CheckSelection(); message != str::kNoError)
        return EditOutcome::Refused(message);
    if (selected_ == RowCount() - 1)
        return EditOutcome::Ignored();
    std::swap(pipe_[static_cast<size_t>(selected_)], pipe_[static_cast<size_t>(selected_ + 1)]);
    ++selected_;
    return EditOutcome::Done();
}

}  // namespace korvanta
