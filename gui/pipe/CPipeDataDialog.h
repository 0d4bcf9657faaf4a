#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "core/dialogs/PipeTableEditor.h"
#include "core/host/IMessageSink.h"
#include "core/values/UnitSystem.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta {
class CMaterialDatabase;
}

namespace korvanta::gui {

// The control IDs of the dialog's template.
namespace pipedatactl {
enum ControlId {
    kOk = 1,
    kCancel = 2,
    kAdd = 1318,
    kList = 1352,
    kRemove = 1354,
    kEdit = 1355,
    kMoveDown = 1363,
    kMoveUp = 1364,
    kTopPicture = 1493,
    kBottomPicture = 1494,
};
}  // namespace pipedatactl

// "Rørdata": the sections of the pipe from sensor 1 (top) to sensor 2 (bottom), with add, edit,
// remove and move. Works on a copy: the caller takes Sections() after OK.
class CPipeDataDialog final : public QDialog {
    Q_OBJECT

public:
    CPipeDataDialog(const PipeSections& pipe, const CMaterialDatabase& materials, UnitSystem units, TimeUnit time,
                    uint32_t pairCode, IMessageSink& messages, QWidget* parent = nullptr);

    const PipeSections& Sections() const { return editor_.Sections(); }

private:
    void Add();
    void Edit();
    void Remove();
    void MoveUp();
    void MoveDown();
    // Takes the list's selection into the editor, runs `step`, then shows the outcome.
    template <typename Step>
    void RunStep(Step step);
    void Rebuild();

    PipeTableEditor editor_;
    const CMaterialDatabase& materials_;
    UnitSystem units_;
    TimeUnit time_;
    IMessageSink& messages_;
    QTreeWidget* list_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
