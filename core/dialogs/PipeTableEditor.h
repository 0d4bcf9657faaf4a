#pragma once

#include "core/dialogs/EditOutcome.h"
#include "core/pipe/PipeSection.h"

namespace korvanta {

// Which buttons of the pipe data dialog can be pressed.
struct PipeButtonStates {
    bool add = false;
    bool edit = false;
    bool remove = false;
    bool move = false;  // both move buttons
};

// The pipe data dialog's private copy of the ten sections, kept packed: the sections in use are
// slots 0..n-1 and a slot freed by a removal is zeroed. Rows are slots; the selection is a row
// or -1. Cancel simply drops the editor, so the document's pipe is never touched here.
class PipeTableEditor {
public:
    explicit PipeTableEditor(const PipeSections& pipe);

    const PipeSections& Sections() const { return pipe_; }
    // Rows shown: slots in use from 0 up to the first that is not.
    int RowCount() const;
    int Selected() const { return selected_; }
    void Select(int row) { selected_ = row; }
    PipeButtonStates Buttons() const;

    // A new section in the first free slot, selected. Refused (nothing happens) with ten rows.
    EditOutcome Add(const PipeSection& section);
    // Rewrites the selected row; without a valid selection nothing happens and nothing is said.
    EditOutcome EditSelected(const PipeSection& section);
    // The selected row goes; the row above it (or the first) is selected.
    EditOutcome RemoveSelected();
    // Swap with the neighbour; at the top (bottom) nothing happens and nothing is said.
    EditOutcome MoveSelectedUp();
    EditOutcome MoveSelectedDown();

private:
    // 62148 without rows, 62146 without a valid selection, else kNoError.
    uint32_t CheckSelection() const;

    PipeSections pipe_;
    int selected_ = -1;
};

}  // namespace korvanta
