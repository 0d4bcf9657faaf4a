#include "gui/pipe/CSectionDialog.h"

#include <QEvent>
#include <QSignalBlocker>

#include <array>

#include "core/dialogs/PipeListRows.h"
#include "core/text/StringIds.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"
#include "gui/pipe/DiameterVelocityControls.h"

namespace korvanta::gui {

namespace {

using namespace sectionctl;

constexpr DialogItemTemplate kItems[] = {
    {kStaticId, 10, 12, 58, 9, "Materiale"},
    {kMaterial, 72, 10, 118, 14, nullptr, ControlKind::Combo},
    {kStaticId, 10, 32, 58, 9, "Længde"},
    {kLength, 72, 30, 70, 12, nullptr, ControlKind::Edit},
    {kLengthUnit, 147, 32, 40, 9, "m"},
    {kStaticId, 10, 50, 58, 9, "Diameter"},
    {kDiameter, 72, 48, 70, 12, nullptr, ControlKind::Edit},
    {kDiameterUnit, 147, 50, 40, 9, "mm"},
    {kStaticId, 10, 68, 58, 9, "Løbehastighed"},
    {kVelocity, 72, 66, 70, 12, nullptr, ControlKind::Edit},
    {kVelocityUnit, 147, 68, 40, 9, "m/s"},
    {kOk, 84, 90, 50, 14, "OK"},
    {kCancel, 140, 90, 50, 14, "Cancel"},
};

constexpr DialogTemplate kTemplate = {316, "Indtast rørstykke", "Tahoma", 8, 400, false, 200, 112, kItems};

constexpr DiameterVelocityIds kEntryIds = {kDiameter, kVelocity, kDiameterUnit, kVelocityUnit};

}  // namespace

CSectionDialog::CSectionDialog(const CMaterialDatabase& materials, UnitSystem units, TimeUnit time,
                               IMessageSink& messages, const std::optional<PipeSection>& section, QWidget* parent)
    : QDialog(parent), entry_(materials, units, time), messages_(messages)
{
    setObjectName(QStringLiteral("sectionDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    const UnitTexts unitTexts = UnitTextsFor(units, time);
    const CTemplateControls controls(this, kTemplate);
    TakeDiameterVelocityControls(controls, kEntryIds, unitTexts, diameter_, velocity_);
    material_ = controls.Get<QComboBox>(kMaterial);
    length_ = controls.Get<QLineEdit>(kLength);
    controls.Get<QLabel>(kLengthUnit)->setText(FromUtf8(unitTexts.length));
    for (QLineEdit* edit : {length_, diameter_, velocity_}) {
        edit->setAlignment(Qt::AlignRight);
        edit->installEventFilter(this);
    }
    layout_.Apply(this, kTemplate);

    if (section)
        entry_.SetSection(*section);
    entry_.Open();
    {
        const QSignalBlocker quiet(material_);
        for (const MaterialChoice& choice : entry_.MaterialChoices()) {
            material_->addItem(FromUtf8(choice.name), choice.index);
        }
        material_->setCurrentIndex(material_->findData(entry_.MaterialIndex()));
    }
    connect(material_, &QComboBox::currentIndexChanged, this, &CSectionDialog::MaterialChosen);
    ShowValues();
}

void CSectionDialog::ShowValues()
{
    length_->setText(FromUtf8(entry_.LengthText()));
    diameter_->setText(FromUtf8(entry_.DiameterText()));
    velocity_->setText(FromUtf8(entry_.VelocityText()));
}

bool CSectionDialog::ReadValues()
{
    std::array<float, 3> values{};
    const std::array<QLineEdit*, 3> edits = {length_, diameter_, velocity_};
    for (size_t i = 0; i < edits.size(); ++i) {
        uint32_t message = str::kNoError;
        const auto value = SectionEntry::ReadTypedValue(ToUtf8(edits[i]->text()), message);
        if (!value) {
            refocusing_ = edits[i];
            messages_.ShowMessage(message, kStyleExclamation);
            edits[i]->setFocus();
            edits[i]->selectAll();
            return false;
        }
        values[i] = *value;
    }
    entry_.SetValues(values[0], values[1], values[2]);
    return true;
}

void CSectionDialog::MaterialChosen(int comboIndex)
{
    if (comboIndex < 0)
        return;
    const int index = material_->itemData(comboIndex).toInt();
    if (!ReadValues()) {
        entry_.SetMaterial(index);
        return;
    }
    entry_.ChooseMaterial(index);
    velocity_->setText(FromUtf8(entry_.VelocityText()));
}

bool CSectionDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && watched == refocusing_) {
        refocusing_ = nullptr;
    } else if (event->type() == QEvent::FocusOut && refocusing_ == nullptr) {
        if (watched == diameter_) {
            if (ReadValues()) {
                entry_.DiameterLeft();
                velocity_->setText(FromUtf8(entry_.VelocityText()));
            }
        } else if (watched == length_) {
            ReadValues();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CSectionDialog::accept()
{
    if (!ReadValues())
        return;
    if (const uint32_t message = entry_.Check(); message != str::kNoError) {
        messages_.ShowMessage(message, kStyleExclamation);
        return;
    }
    QDialog::accept();
}

void CSectionDialog::reject()
{
    entry_.Cancel();
    QDialog::reject();
}

}  // namespace korvanta::gui
