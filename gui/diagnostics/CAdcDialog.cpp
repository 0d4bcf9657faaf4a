#include "gui/diagnostics/CAdcDialog.h"

#include <vector>

#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"
#include "gui/diagnostics/DiagnosticsArt.h"
#include "gui/diagnostics/UnitControls.h"

namespace korvanta::gui {

namespace {

constexpr int kOk = 1;
constexpr int kHeadings = 1340;
constexpr std::array<int, 4> kTextIds = {1304, 1305, 1306, 1307};
constexpr std::array<int, 4> kPictureIds = {1343, 1344, 1345, 1346};
constexpr int kRowsLeft = 40;
constexpr int kRowsWidth = 360;
constexpr int kRow = 26;
constexpr int kTop = 30;
const char* const kHeadingTexts[] = {"[01]", "[02]", "[03]", "[04]", "[05]", "[06]",
                                     "[07]", "[08]", "[01]", "[02]", "[03]"};

std::vector<DialogItemTemplate> Items()
{
    const int column = kRowsWidth / (CVoltageRow::kValues + 1);
    std::vector<DialogItemTemplate> items = {
        {kStaticId, kRowsLeft, 6, column * CVoltageRow::kExternal, 9, "Extern (Volts)"},
        {kStaticId, kRowsLeft + column * (CVoltageRow::kExternal + 1), 6, column * 3, 9, "Intern (Volts)"},
        {kHeadings, kRowsLeft, 17, kRowsWidth, 9, nullptr, ControlKind::Custom},
    };
    for (int unit = 0; unit < 4; ++unit) {
        const int y = kTop + unit * kRow;
        items.push_back({kPictureIds[unit], 8, y, 24, 22});
        items.push_back({kTextIds[unit], kRowsLeft, y + 7, kRowsWidth, 9, nullptr, ControlKind::Custom});
    }
    items.push_back({kOk, kRowsLeft + kRowsWidth / 2 - 25, kTop + 4 * kRow + 6, 50, 14, "OK"});
    return items;
}

const DialogTemplate& Template()
{
    static const std::vector<DialogItemTemplate> items = Items();
    static const DialogTemplate dialog = {
        196, "ADC-målinger", "Tahoma", 8, 400, false, kRowsLeft + kRowsWidth + 8, kTop + 4 * kRow + 28, items};
    return dialog;
}

}  // namespace

CAdcDialog::CAdcDialog(CLinkState& link, QWidget* parent) : QDialog(parent), readings_(link)
{
    setObjectName(QStringLiteral("adcDialog"));
    setWindowTitle(QString::fromUtf8(Template().caption));
    const CTemplateControls controls(this, Template(), [](QWidget* parent, const DialogItemTemplate& item) {
        return MakeControl<CVoltageRow>(parent, item.id);
    });
    for (QLabel* heading : controls.GetAll<QLabel>(kStaticId)) {
        heading->setAlignment(Qt::AlignCenter);
    }
    QStringList texts;
    for (const char* text : kHeadingTexts) {
        texts << QString::fromLatin1(text);
    }
    controls.Get<CVoltageRow>(kHeadings)->SetText(texts.join(QLatin1Char(' ')));
    for (int unit = 0; unit < 4; ++unit) {
        ShowUnitPicture(controls.Get<QLabel>(kPictureIds[unit]), unit);
        rows_[static_cast<size_t>(unit)] = controls.Get<CVoltageRow>(kTextIds[unit]);
    }
    layout_.Apply(this, Template());
    readings_.Start();
    connect(&timer_, &QTimer::timeout, this, &CAdcDialog::Tick);
    timer_.start(AdcReadings::kTickMs);
}

void CAdcDialog::Tick()
{
    if (!readings_.Tick()) {
        return;
    }
    for (int unit = 0; unit < AdcReadings::kUnits; ++unit) {
        rows_[static_cast<size_t>(unit)]->SetText(FromUtf8(readings_.Text(unit)));
    }
}

void CAdcDialog::done(int result)
{
    timer_.stop();
    QDialog::done(result);
}

}  // namespace korvanta::gui
