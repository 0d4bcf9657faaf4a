#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "core/dialogs/MaterialTableEditor.h"
#include "core/text/MessageSink.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// "Rørdatabase": the materials and their (diameter, velocity) tables. Works on a copy; after OK
// the caller takes Editor().Materials() and lets Editor().RemapSections() move the open pipe's
// material indices with the removals.
class CPipeDatabaseDialog final : public QDialog {
    Q_OBJECT

public:
    CPipeDatabaseDialog(std::span<const Material, kMaxMaterials> materials, const PipeSections& openPipe,
                        UnitSystem units, TimeUnit time, IMessageSink& messages, QWidget* parent = nullptr);

    const MaterialTableEditor& Editor() const { return editor_; }

private:
    void AddMaterial();
    void RemoveMaterial();
    void RenameMaterial();
    void AddEntry();
    void RemoveEntry();
    void ChangeEntry();
    void MaterialSelected(int row);
    void EntrySelected();
    // Shows the outcome's message; refills the lists when the table changed.
    void Show(const EditOutcome& outcome);
    void FillMaterials();
    int RowHeight() const;
    void FillEntries();
    void UpdateButtons();

    MaterialTableEditor editor_;
    UnitSystem units_;
    TimeUnit time_;
    IMessageSink& messages_;
    QListWidget* materials_ = nullptr;
    QTreeWidget* entries_ = nullptr;
    QPushButton* addMaterial_ = nullptr;
    QPushButton* removeMaterial_ = nullptr;
    QPushButton* renameMaterial_ = nullptr;
    QPushButton* addEntry_ = nullptr;
    QPushButton* removeEntry_ = nullptr;
    QPushButton* changeEntry_ = nullptr;
    QLineEdit* diameter_ = nullptr;
    QLineEdit* velocity_ = nullptr;
    bool filling_ = false;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
