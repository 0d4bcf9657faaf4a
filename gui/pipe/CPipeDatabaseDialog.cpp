#include "gui/pipe/CPipeDatabaseDialog.h"

#include <QGroupBox>
#include <QHeaderView>

#include "core/dialogs/PipeListRows.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"
#include "gui/pipe/DiameterVelocityControls.h"
#include "gui/pipe/CDiameterVelocityDialog.h"
#include "gui/pipe/CMaterialNameDialog.h"

namespace korvanta::gui {

namespace {

using namespace pipedatabasectl;

// The entry list's tab stop: the velocity column starts 64 dialog units in.
constexpr int kEntryTabStop = 64;

constexpr DialogItemTemplate kItems[] = {
    {kFrame, 7, 4, 393, 225, nullptr, ControlKind::Group},
    {kChooseLabel, 15, 16, 150, 9, "Vælg materiale:"},
    {kMaterialList, 15, 28, 150, 164, nullptr, ControlKind::List},
    {kAddMaterial, 15, 200, 46, 14, "Tilføj", ControlKind::Button},
    {kRemoveMaterial, 67, 200, 46, 14, "Fjern", ControlKind::Button},
    {kRenameMaterial, 119, 200, 46, 14, "Ret", ControlKind::Button},
    {kDiameterHeading, 180, 16, 64, 9, "Diameter"},
    {kVelocityHeading, 244, 16, 64, 9, "Hastighed"},
    {kEntryList, 178, 28, 140, 164, nullptr, ControlKind::Tree},
    {kAddEntry, 178, 200, 44, 14, "Tilføj", ControlKind::Button},
    {kRemoveEntry, 226, 200, 44, 14, "Fjern", ControlKind::Button},
    {kChangeEntry, 274, 200, 44, 14, "Ret", ControlKind::Button},
    {kDiameterLabel, 328, 40, 64, 9, "Diameter"},
    {kDiameter, 328, 51, 42, 12, nullptr, ControlKind::Edit},
    {kDiameterUnit, 373, 53, 24, 9, "mm"},
    {kVelocityLabel, 328, 72, 64, 9, "Hastighed"},
    {kVelocity, 328, 83, 42, 12, nullptr, ControlKind::Edit},
    {kVelocityUnit, 373, 85, 24, 9, "m/s"},
    {kOk, 296, 237, 50, 14, "OK"},
    {kCancel, 350, 237, 50, 14, "Cancel"},
};

constexpr DialogTemplate kTemplate = {0, "Rørdatabase", "Tahoma", 8, 400, false, 407, 258, kItems};

constexpr DiameterVelocityIds kEntryIds = {kDiameter, kVelocity, kDiameterUnit, kVelocityUnit};

}  // namespace

CPipeDatabaseDialog::CPipeDatabaseDialog(std::span<const Material, kMaxMaterials> materials,
                                         const PipeSections& openPipe, UnitSystem units, TimeUnit time,
                                         IMessageSink& messages, QWidget* parent)
    : QDialog(parent), editor_(materials, openPipe), units_(units), time_(time), messages_(messages)
{
    setObjectName(QStringLiteral("pipeDatabaseDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    const UnitTexts unitTexts = UnitTextsFor(units, time);
    const CTemplateControls controls(this, kTemplate);
    TakeDiameterVelocityControls(controls, kEntryIds, unitTexts, diameter_, velocity_);
    materials_ = controls.Get<QListWidget>(kMaterialList);
    entries_ = controls.Get<QTreeWidget>(kEntryList);
    addMaterial_ = controls.Get<QPushButton>(kAddMaterial);
    removeMaterial_ = controls.Get<QPushButton>(kRemoveMaterial);
    renameMaterial_ = controls.Get<QPushButton>(kRenameMaterial);
    addEntry_ = controls.Get<QPushButton>(kAddEntry);
    removeEntry_ = controls.Get<QPushButton>(kRemoveEntry);
    changeEntry_ = controls.Get<QPushButton>(kChangeEntry);
    for (QLineEdit* edit : {diameter_, velocity_}) {
        edit->setReadOnly(true);
        edit->setAlignment(Qt::AlignRight);
    }
    entries_->setColumnCount(2);
    entries_->setHeaderHidden(true);
    entries_->setRootIsDecorated(false);
    entries_->setSelectionMode(QAbstractItemView::SingleSelection);
    layout_.Apply(this, kTemplate);
    entries_->setColumnWidth(0, CTemplateLayout::ToPixels(QRect(0, 0, kEntryTabStop, 8), layout_.Units()).width());

    connect(materials_, &QListWidget::currentRowChanged, this, &CPipeDatabaseDialog::MaterialSelected);
    connect(entries_, &QTreeWidget::itemSelectionChanged, this, &CPipeDatabaseDialog::EntrySelected);
    connect(addMaterial_, &QPushButton::clicked, this, &CPipeDatabaseDialog::AddMaterial);
    connect(removeMaterial_, &QPushButton::clicked, this, &CPipeDatabaseDialog::RemoveMaterial);
    connect(renameMaterial_, &QPushButton::clicked, this, &CPipeDatabaseDialog::RenameMaterial);
    connect(addEntry_, &QPushButton::clicked, this, &CPipeDatabaseDialog::AddEntry);
    connect(removeEntry_, &QPushButton::clicked, this, &CPipeDatabaseDialog::RemoveEntry);
    connect(changeEntry_, &QPushButton::clicked, this, &CPipeDatabaseDialog::ChangeEntry);
    FillMaterials();
}

int CPipeDatabaseDialog::RowHeight() const
{
    // A list row of a Windows list control: the text with a little air above and below, not
    // the bare font height of the small template font.
    return materials_->fontMetrics().height() + 5;
}

void CPipeDatabaseDialog::FillMaterials()
{
    filling_ = true;
    materials_->clear();
    for (const std::string& name : editor_.MaterialNames()) {
        auto* item = new QListWidgetItem(FromUtf8(name), materials_);
        item->setSizeHint(QSize(0, RowHeight()));
    }
    const int selected = editor_.SelectedMaterial();
    materials_->setCurrentRow(selected >= 0 && selected < materials_->count() ? selected : -1);
    filling_ = false;
    FillEntries();
}

void CPipeDatabaseDialog::FillEntries()
{
    filling_ = true;
    entries_->clear();
    for (const std::string& row : editor_.EntryRows(units_, time_)) {
        const QStringList columns = FromUtf8(row).split(QLatin1Char('\t'));
        auto* item = new QTreeWidgetItem(entries_, columns);  // both columns start at their tab stop
        item->setSizeHint(0, QSize(0, RowHeight()));
    }
    const int entry = editor_.SelectedEntry();
    if (entry >= 0 && entry < entries_->topLevelItemCount())
        entries_->setCurrentItem(entries_->topLevelItem(entry));
    filling_ = false;
    diameter_->setText(FromUtf8(editor_.SelectedDiameterText(units_)));
    velocity_->setText(FromUtf8(editor_.SelectedVelocityText(units_, time_)));
    UpdateButtons();
}

void CPipeDatabaseDialog::UpdateButtons()
{
    const MaterialButtonStates states = editor_.Buttons();
    addMaterial_->setEnabled(states.addMaterial);
    removeMaterial_->setEnabled(states.removeMaterial);
    renameMaterial_->setEnabled(states.renameMaterial);
    addEntry_->setEnabled(states.addEntry);
    removeEntry_->setEnabled(states.removeEntry);
    changeEntry_->setEnabled(states.changeEntry);
}

void CPipeDatabaseDialog::MaterialSelected(int row)
{
    if (filling_)
        return;
    editor_.SelectMaterial(row);
    FillEntries();
}

void CPipeDatabaseDialog::EntrySelected()
{
    if (filling_)
        return;
    QTreeWidgetItem* current = entries_->currentItem();
    editor_.SelectEntry(current != nullptr ? entries_->indexOfTopLevelItem(current) : -1);
    diameter_->setText(FromUtf8(editor_.SelectedDiameterText(units_)));
    velocity_->setText(FromUtf8(editor_.SelectedVelocityText(units_, time_)));
}

void CPipeDatabaseDialog::Show(const EditOutcome& outcome)
{
    if (outcome.message != str::kNoError)
        messages_.ShowMessage(outcome.message, kStyleExclamation);
    if (outcome.done)
        FillMaterials();
}

void CPipeDatabaseDialog::AddMaterial()
{
    CMaterialNameDialog dialog(QString(), messages_, this);
    if (dialog.exec() == QDialog::Accepted)
        Show(editor_.AddMaterial(ToUtf8(dialog.Name())));
}

void CPipeDatabaseDialog::RemoveMaterial()
{
    Show(editor_.RemoveSelectedMaterial());
}

void CPipeDatabaseDialog::RenameMaterial()
{
    const int selected = editor_.SelectedMaterial();
    if (selected < 0 || selected >= editor_.MaterialCount()) {
        Show(EditOutcome::Refused(str::kSelectedMaterialError));
        return;
    }
    CMaterialNameDialog dialog(materials_->item(selected)->text(), messages_, this);
    if (dialog.exec() == QDialog::Accepted)
        Show(editor_.RenameSelectedMaterial(ToUtf8(dialog.Name())));
}

void CPipeDatabaseDialog::AddEntry()
{
    if (editor_.SelectedMaterial() < 0) {
        Show(EditOutcome::Refused(str::kSelectedMaterialError));
        return;
    }
    CDiameterVelocityDialog dialog(QString(), QString(), units_, time_, messages_, this);
    if (dialog.exec() == QDialog::Accepted)
        Show(editor_.AddEntry(dialog.DiameterMm(), dialog.VelocityMps()));
}

void CPipeDatabaseDialog::RemoveEntry()
{
    Show(editor_.RemoveSelectedEntry());
}

void CPipeDatabaseDialog::ChangeEntry()
{
    if (editor_.SelectedMaterial() < 0) {
        Show(EditOutcome::Refused(str::kSelectedMaterialError));
        return;
    }
    if (editor_.SelectedEntry() < 0 || editor_.SelectedEntry() >= editor_.EntryCount()) {
        Show(EditOutcome::Refused(str::kSelectEntryToRemove));
        return;
    }
    CDiameterVelocityDialog dialog(diameter_->text(), velocity_->text(), units_, time_, messages_, this);
    if (dialog.exec() == QDialog::Accepted)
        Show(editor_.ChangeSelectedEntry(dialog.DiameterMm(), dialog.VelocityMps()));
}

}  // namespace korvanta::gui
