#include "gui/diagnostics/CAdcDialog.h"

#include <vector>

#include "gui/app/FormControls.h"
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
        {kHeadings, kRowsLeft, 17, kRowsWidth, 9},
    };
    for (int unit = 0; unit < 4; ++unit) {
        const int y = kTop + unit * kRow;
        items.push_back({kPictureIds[unit], 8, y, 24, 22});
        items.push_back({kTextIds[unit], kRowsLeft, y + 7, kRowsWidth, 9});
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
    for (const DialogItemTemplate& item : Template().items) {
        if (const int unit = UnitOfControl(kPictureIds, item.id); unit >= 0) {
            MakeUnitPicture(this, item.id, unit);
        } else if (const int textUnit = UnitOfControl(kTextIds, item.id); textUnit >= 0) {
            rows_[static_cast<size_t>(textUnit)] = MakeControl<CVoltageRow>(this, item.id);
        } else if (item.id == kHeadings) {
            CVoltageRow* headings = MakeControl<CVoltageRow>(this, item.id);
            QStringList texts;
            for (const char* text : kHeadingTexts) {
                texts << QString::fromLatin1(text);
            }
            headings->SetText(texts.join(QLatin1Char(' ')));
        } else if (item.id == kOk) {
            MakeOkButton(this, item);
        } else {
            MakeTemplateLabel(this, item)->setAlignment(Qt::AlignCenter);
        }
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
