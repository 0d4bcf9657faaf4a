#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "core/dialogs/MaterialTableEditor.h"
#include "core/host/IMessageSink.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// The control IDs of the dialog's template.
namespace pipedatabasectl {
enum ControlId {
    kOk = 1,
    kCancel = 2,
    kMaterialList = 1233,
    kAddEntry = 1234,
    kRemoveEntry = 1235,
    kChangeEntry = 1236,
    kEntryList = 1237,
    kDiameter = 1240,
    kVelocity = 1241,
    kDiameterLabel = 1242,
    kVelocityLabel = 1243,
    kAddMaterial = 1246,
    kRemoveMaterial = 1247,
    kRenameMaterial = 1248,
    kChooseLabel = 1334,
    kDiameterUnit = 1336,
    kVelocityUnit = 1338,
    kDiameterHeading = 1414,
    kVelocityHeading = 1415,
    kFrame = 1581,
};
}  // namespace pipedatabasectl

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
