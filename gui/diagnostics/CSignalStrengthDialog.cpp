#include "gui/diagnostics/CSignalStrengthDialog.h"

#include <algorithm>

#include "core/text/StringIds.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"
#include "gui/diagnostics/DiagnosticsArt.h"
#include "gui/diagnostics/UnitControls.h"

namespace korvanta::gui {

namespace {

using namespace signalstrengthctl;
constexpr int kTop = 22;
constexpr int kRow = 40;
constexpr int kDetailsLeft = 196;

std::vector<DialogItemTemplate> Items()
{
    std::vector<DialogItemTemplate> items = {{kPowerText, 8, 6, 200, 9}};
    for (int i = 0; i < kOutstations; ++i) {
        const int y = kTop + i * kRow;
        const RowIds& ids = kRows[static_cast<size_t>(i)];
        items.push_back({kPictureBase + i, 8, y + 4, 24, 22});
        items.push_back({ids.bar, 38, y + 8, 150, 14, nullptr, ControlKind::Custom});
        items.push_back({ids.wait, kDetailsLeft, y + 11, 130, 9, "Vent venligst - Måling igang"});
        const int labels[] = {ids.perfectLabel, ids.okLabel, ids.failedLabel};
        const int counts[] = {ids.perfectCount, ids.okCount, ids.failedCount};
        const int shares[] = {ids.perfectShare, ids.okShare, ids.failedShare};
        const char* const names[] = {"Perfekt", "OK", "Fejl"};
        for (int r = 0; r < 3; ++r) {
            items.push_back({labels[r], kDetailsLeft, y + 1 + 10 * r, 36, 9, names[r]});
            items.push_back({counts[r], kDetailsLeft + 38, y + 1 + 10 * r, 30, 9});
            items.push_back({shares[r], kDetailsLeft + 70, y + 1 + 10 * r, 36, 9});
        }
    }
    items.push_back({kEnd, 140, kTop + kOutstations * kRow + 4, 50, 14, "Slut"});
    return items;
}

const DialogTemplate& Template()
{
    static const std::vector<DialogItemTemplate> items = Items();
    static const DialogTemplate dialog = {
        322, "Radiosignalstyrke", "Tahoma", 8, 400, false, 330, kTop + kOutstations * kRow + 24, items};
    return dialog;
}

// The part of a two-line string-table text after its first line break.
QString SecondLine(uint32_t id)
{
    const QString text = StringText(id);
    const qsizetype newline = text.indexOf(QLatin1Char('\n'));
    return newline < 0 ? text : text.mid(newline + 1);
}

}  // namespace

CSignalStrengthDialog::CSignalStrengthDialog(CLinkState& link, IClock& clock, int radioMode, QWidget* parent)
    : QDialog(parent), clock_(clock), test_(link)
{
    setObjectName(QStringLiteral("signalStrengthDialog"));
    setWindowTitle(QString::fromUtf8(Template().caption));
    const CTemplateControls controls(this, Template(), [this](QWidget* parent, const DialogItemTemplate& item) {
        const int row = static_cast<int>(std::find_if(kRows.begin(), kRows.end(),
                                                      [&item](const RowIds& ids) { return ids.bar == item.id; }) -
                                         kRows.begin());
        auto* bar = new CSignalStrengthBarView(test_.Bar(row), parent);
        bar->setObjectName(CTemplateLayout::ControlName(item.id));
        return bar;
    });
    controls.Get<QLabel>(kPowerText)
        ->setText(radioMode == 3   ? SecondLine(str::kRadioModeHighPrompt)
                  : radioMode == 2 ? SecondLine(str::kRadioModeLowPrompt)
                                   : QString());
    for (int i = 0; i < kOutstations; ++i) {
        ShowUnitPicture(controls.Get<QLabel>(kPictureBase + i), i + 1);
        const RowIds& ids = kRows[static_cast<size_t>(i)];
        Row& row = rows_[static_cast<size_t>(i)];
        row.bar = controls.Get<CSignalStrengthBarView>(ids.bar);
        row.wait = controls.Get<QLabel>(ids.wait);
        for (const int id : {ids.perfectLabel, ids.perfectCount, ids.perfectShare, ids.okLabel, ids.okCount,
                             ids.okShare, ids.failedLabel, ids.failedCount, ids.failedShare}) {
            QLabel* detail = controls.Get<QLabel>(id);
            detail->hide();
            if (detail->text().isEmpty())
                detail->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            row.details.push_back(detail);
        }
    }
    layout_.Apply(this, Template());
    connect(&timer_, &QTimer::timeout, this, &CSignalStrengthDialog::Tick);
    timer_.start(SignalStrengthTest::kTickMs);
}

void CSignalStrengthDialog::Tick()
{
    if (test_.Tick(clock_.NowMs())) {
        Redraw();
    }
}

void CSignalStrengthDialog::Redraw()
{
    for (int i = 0; i < kOutstations; ++i) {
        Row& row = rows_[static_cast<size_t>(i)];
        const CSignalStrengthBar& bar = test_.Bar(i);
        if (test_.Found(i)) {
            row.wait->hide();
            // Label, count, share per row; the counts in the order Perfekt, OK, Fejl.
            const std::string texts[] = {bar.PerfectText(),         bar.PerfectShareText(), bar.AcceptableText(),
                                         bar.AcceptableShareText(), bar.FailedText(),       bar.FailedShareText()};
            for (size_t d = 0; d < row.details.size(); ++d) {
                row.details[d]->show();
                if (d % 3 != 0) {
                    row.details[d]->setText(QString::fromStdString(texts[(d / 3) * 2 + (d % 3) - 1]));
                }
            }
        } else if (test_.SearchDone()) {
            row.wait->setText(StringText(str::kNotFoundOutOfRadioRange));
        }
        row.bar->Refresh();
    }
}

void CSignalStrengthDialog::done(int result)
{
    timer_.stop();
    QDialog::done(result);
}

}  // namespace korvanta::gui
