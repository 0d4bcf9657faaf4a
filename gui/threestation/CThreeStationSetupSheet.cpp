#include "gui/threestation/CThreeStationSetupSheet.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/text/StringIds.h"
#include "core/text/StringTable.h"
#include "core/threestation/DistanceEntry.h"
#include "gui/forms/CTemplateLayout.h"
#include "gui/forms/FormControls.h"
#include "gui/threestation/SetupPictureWidget.h"

namespace korvanta::gui {

namespace {

constexpr const char* kWizardCutoffFormat = "%0.2f";

QString PageTitle(int page)
{
    return QStringLiteral("Opsætning med 3 sendere side %1").arg(page);
}

// Control IDs of the pages' entries, unit labels and pictures.
struct DistancePageIds {
    int entry;
    int unitLabel;
    int picture;
    const char* prompt;
};
constexpr DistancePageIds kDistancePages[2] = {
    {setupsheetctl::kRedBlueDistance, setupsheetctl::kRedBlueUnit, setupsheetctl::kRedBluePicture,
     "Indtast afstanden imellem rød og blå sensor:"},
    {setupsheetctl::kBlueYellowDistance, setupsheetctl::kBlueYellowUnit, setupsheetctl::kBlueYellowPicture,
     "Indtast afstanden imellem blå og gul sensor:"},
};

template <typename Widget>
Widget* Named(Widget* widget, int id)
{
    widget->setObjectName(CTemplateLayout::ControlName(id));
    return widget;
}

std::function<std::pair<float, float>()> Distances(const ThreeStationSetup& setup)
{
    return [&setup] { return std::pair{setup.RedBlue(), setup.RedYellow()}; };
}

}  // namespace

CThreeStationDistancePage::CThreeStationDistancePage(int page, ThreeStationSetup& setup,
                                                     const ThreeStationSetupContext& context)
    : page_(page), setup_(setup), context_(context)
{
    const DistancePageIds& ids = kDistancePages[page - 1];
    setTitle(PageTitle(page));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8(ids.prompt), this));
    auto* row = new QHBoxLayout;
    row->addWidget(Named(new QLabel(this), ids.unitLabel));
    entry_ = Named(new QLineEdit(this), ids.entry);
    entry_->setMaxLength(static_cast<int>(kDistanceEntryLength));
    row->addWidget(entry_);
    row->addStretch();
    layout->addLayout(row);
    layout->addWidget(Named(new SetupPictureWidget(page, context.units, Distances(setup), this), ids.picture));
}

void CThreeStationDistancePage::initializePage()
{
    const DistancePageIds& ids = kDistancePages[page_ - 1];
    findChild<QLabel*>(CTemplateLayout::ControlName(ids.unitLabel))
        ->setText(
            StringText(context_.units == UnitSystem::Imperial ? str::kDistanceLabelFoot : str::kDistanceLabelMetre));
    entry_->clear();
}

bool CThreeStationDistancePage::validatePage()
{
    const std::optional<float> metres = ParseDistanceEntry(entry_->text().toStdString(), context_.units);
    if (!metres) {
        if (context_.showRangeMessage) {
            context_.showRangeMessage(QString::fromStdString(DistanceRangeMessage(context_.units)));
        }
        entry_->clear();
        entry_->setFocus();
        return false;
    }
    if (page_ == 1) {
        setup_.SetRedBlue(*metres);
    } else {
        setup_.SetBlueYellow(*metres);
    }
    return true;
}

CThreeStationSetupPage3::CThreeStationSetupPage3(ThreeStationSetup& setup, const ThreeStationSetupContext& context)
{
    setTitle(PageTitle(3));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Bekræft data er korrekte:"), this));
    layout->addWidget(Named(new SetupPictureWidget(3, context.units, Distances(setup), this), setupsheetctl::kSummaryPicture));
}

CThreeStationSetupPage4::CThreeStationSetupPage4(ThreeStationSetup& setup, const ThreeStationSetupContext& context)
    : setup_(setup), context_(context)
{
    setTitle(PageTitle(4));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Vælg filteropsætning:"), this));
    combo_ = Named(new QComboBox(this), setupsheetctl::kFilterChoice);
    layout->addWidget(combo_);
    auto* form = new QFormLayout;
    low_ = Named(new QLineEdit(this), setupsheetctl::kLowCutoff);
    high_ = Named(new QLineEdit(this), setupsheetctl::kHighCutoff);
    low_->setReadOnly(true);
    high_->setReadOnly(true);
    form->addRow(QStringLiteral("Default lav Cut-Off (Hz)"), low_);
    form->addRow(QStringLiteral("Default høj Cut-Off (Hz)"), high_);
    layout->addLayout(form);
    layout->addStretch();
    connect(combo_, &QComboBox::currentIndexChanged, this, [this] { ShowDefaults(); });
}

void CThreeStationSetupPage4::initializePage()
{
    const QSignalBlocker blocker(combo_);
    combo_->clear();
    combo_->addItem(StringText(str::kNoFilters), ThreeStationSetup::kNoMaterial);
    const CMaterialDatabase& materials = *context_.materials;
    for (int i = 0; i < materials.MaterialCount(); ++i) {
        combo_->addItem(QString::fromStdString(materials.MaterialName(i)), i);
    }
    combo_->setCurrentIndex(0);
    ShowDefaults();
}

int CThreeStationSetupPage4::SelectedMaterial() const
{
    return combo_->currentData().isValid() ? combo_->currentData().toInt() : ThreeStationSetup::kNoMaterial;
}

void CThreeStationSetupPage4::ShowDefaults()
{
    cutoffs_ = setup_.DefaultCutoffs(*context_.materials, SelectedMaterial());
    low_->setText(QString::fromStdString(CutoffText(cutoffs_.low, kWizardCutoffFormat)));
    high_->setText(QString::fromStdString(CutoffText(cutoffs_.high, kWizardCutoffFormat)));
}

bool CThreeStationSetupPage4::validatePage()
{
    setup_.Finish(*context_.materials, SelectedMaterial(), cutoffs_);
    return true;
}

CThreeStationSetupSheet::CThreeStationSetupSheet(ThreeStationSetupContext context, QWidget* parent)
    : QWizard(parent), context_(std::move(context))
{
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoBackButtonOnStartPage);
    SetWizardButtonTexts(*this);
    addPage(new CThreeStationSetupPage1(setup_, context_));
    addPage(new CThreeStationSetupPage2(setup_, context_));
    addPage(new CThreeStationSetupPage3(setup_, context_));
    addPage(new CThreeStationSetupPage4(setup_, context_));
}

}  // namespace korvanta::gui
