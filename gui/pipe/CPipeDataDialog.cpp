#include "gui/pipe/CPipeDataDialog.h"

#include <QHeaderView>
#include <QStyle>

#include <array>

#include "core/dialogs/PipeListRows.h"
#include "core/dialogs/StationPair.h"
#include "core/pipe/CMaterialDatabase.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"
#include "gui/pipe/CSectionDialog.h"
#include "gui/pipe/StationArt.h"

namespace korvanta::gui {

namespace {

using namespace pipedatactl;

constexpr DialogItemTemplate kItems[] = {
    {kStaticId, 40, 7, 286, 9, "Rørdata: Materiale, længde, diameter, løbehastighed"},
    {kTopPicture, 8, 19, 26, 22},
    {kList, 40, 19, 286, 112, nullptr, ControlKind::Tree},
    {kBottomPicture, 8, 109, 26, 22},
    {kMoveUp, 332, 48, 20, 20, nullptr, ControlKind::Button},
    {kMoveDown, 332, 74, 20, 20, nullptr, ControlKind::Button},
    {kAdd, 40, 140, 50, 14, "Tilføj", ControlKind::Button},
    {kEdit, 95, 140, 50, 14, "Ret", ControlKind::Button},
    {kRemove, 150, 140, 50, 14, "Fjern", ControlKind::Button},
    {kOk, 221, 140, 50, 14, "OK"},
    {kCancel, 276, 140, 50, 14, "Cancel"},
};

constexpr DialogTemplate kTemplate = {175, "Rørdata", "Tahoma", 8, 400, false, 360, 162, kItems};

// Column widths in pixels and alignments: swatch, material, length and unit, diameter and unit,
// velocity and unit.
constexpr std::array<int, 8> kColumnWidths = {20, 120, 65, 25, 55, 30, 65, 40};
constexpr std::array<bool, 8> kRightAligned = {false, false, true, false, true, false, true, false};

}  // namespace

CPipeDataDialog::CPipeDataDialog(const PipeSections& pipe, const CMaterialDatabase& materials, UnitSystem units,
                                 TimeUnit time, uint32_t pairCode, IMessageSink& messages, QWidget* parent)
    : QDialog(parent), editor_(pipe), materials_(materials), units_(units), time_(time), messages_(messages)
{
    setObjectName(QStringLiteral("pipeDataDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    const StationPair ends = PipeEndStations(pairCode);
    const CTemplateControls controls(this, kTemplate);
    for (const int id : {kTopPicture, kBottomPicture}) {
        auto* picture = controls.Get<QLabel>(id);
        picture->setPixmap(StationArt::Station(id == kTopPicture ? ends.sensor1 : ends.sensor2, QSize(34, 32)));
        picture->setAlignment(Qt::AlignCenter);
    }
    list_ = controls.Get<QTreeWidget>(kList);
    up_ = controls.Get<QPushButton>(kMoveUp);
    down_ = controls.Get<QPushButton>(kMoveDown);
    add_ = controls.Get<QPushButton>(kAdd);
    edit_ = controls.Get<QPushButton>(kEdit);
    remove_ = controls.Get<QPushButton>(kRemove);
    list_->setColumnCount(static_cast<int>(kColumnWidths.size()));
    list_->setHeaderHidden(true);
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setIconSize(QSize(12, 12));
    list_->header()->setStretchLastSection(false);
    for (size_t c = 0; c < kColumnWidths.size(); ++c) {
        list_->setColumnWidth(static_cast<int>(c), kColumnWidths[c]);
    }
    up_->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    down_->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    up_->setEnabled(false);
    down_->setEnabled(false);
    connect(add_, &QPushButton::clicked, this, &CPipeDataDialog::Add);
    connect(edit_, &QPushButton::clicked, this, &CPipeDataDialog::Edit);
    connect(remove_, &QPushButton::clicked, this, &CPipeDataDialog::Remove);
    connect(up_, &QPushButton::clicked, this, &CPipeDataDialog::MoveUp);
    connect(down_, &QPushButton::clicked, this, &CPipeDataDialog::MoveDown);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &CPipeDataDialog::Edit);
    layout_.Apply(this, kTemplate);
    Rebuild();
}

void CPipeDataDialog::Rebuild()
{
    list_->clear();
    std::array<Material, kMaxMaterials> materials{};
    materials_.CopyOut(materials);
    for (const PipeRowTexts& row : PipeListRows(editor_.Sections(), materials.data(), units_, time_)) {
        auto* item = new QTreeWidgetItem(list_);
        item->setIcon(0, StationArt::MaterialSwatch(row.image));
        const std::array<const std::string*, 7> texts = {&row.material,    &row.length,       &row.lengthUnit,
                                                         &row.diameter,    &row.diameterUnit, &row.velocity,
                                                         &row.velocityUnit};
        for (size_t c = 0; c < texts.size(); ++c) {
            item->setText(static_cast<int>(c) + 1, FromUtf8(*texts[c]));
            const Qt::Alignment horizontal = kRightAligned[c + 1] ? Qt::AlignRight : Qt::AlignLeft;
            item->setTextAlignment(static_cast<int>(c) + 1, horizontal | Qt::AlignVCenter);
        }
    }
    const int selected = editor_.Selected();
    if (selected >= 0 && selected < list_->topLevelItemCount())
        list_->setCurrentItem(list_->topLevelItem(selected));
    const PipeButtonStates states = editor_.Buttons();
    add_->setEnabled(states.add);
    edit_->setEnabled(states.edit);
    remove_->setEnabled(states.remove);
    // With no section the move buttons keep their state; one section disables them.
    if (editor_.RowCount() > 0) {
        up_->setEnabled(states.move);
        down_->setEnabled(states.move);
    }
}

template <typename Step>
void CPipeDataDialog::RunStep(Step step)
{
    QTreeWidgetItem* current = list_->currentItem();
    editor_.Select(current != nullptr && current->isSelected() ? list_->indexOfTopLevelItem(current) : -1);
    const EditOutcome outcome = step();
    if (outcome.message != str::kNoError)
        messages_.ShowMessage(outcome.message, kStyleExclamation);
    if (outcome.done)
        Rebuild();
}

void CPipeDataDialog::Add()
{
    if (!editor_.Buttons().add)
        return;
    RunStep([this] {
        CSectionDialog dialog(materials_, units_, time_, messages_, std::nullopt, this);
        if (dialog.exec() != QDialog::Accepted)
            return EditOutcome::Ignored();
        return editor_.Add(dialog.Result());
    });
}

void CPipeDataDialog::Edit()
{
    RunStep([this] {
        const int row = editor_.Selected();
        if (row < 0 || row >= editor_.RowCount())
            return EditOutcome::Ignored();
        CSectionDialog dialog(materials_, units_, time_, messages_, editor_.Sections()[static_cast<size_t>(row)], this);
        if (dialog.exec() != QDialog::Accepted)
            return EditOutcome::Ignored();
        return editor_.EditSelected(dialog.Result());
    });
}

void CPipeDataDialog::Remove()
{
    RunStep([this] { return editor_.RemoveSelected(); });
}

void CPipeDataDialog::MoveUp()
{
    RunStep([this] { return editor_.MoveSelectedUp(); });
}

void CPipeDataDialog::MoveDown()
{
    RunStep([this] { return editor_.MoveSelectedDown(); });
}

}  // namespace korvanta::gui
