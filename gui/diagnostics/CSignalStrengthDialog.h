#pragma once

#include <QDialog>
#include <QLabel>
#include <QTimer>

#include <array>
#include <vector>

#include "core/diagnostics/SignalStrengthTest.h"
#include "core/host/IClock.h"
#include "gui/forms/CTemplateLayout.h"
#include "gui/diagnostics/CSignalStrengthBarView.h"

namespace korvanta::gui {

// The control IDs of the dialog's template; one row per outstation: red, blue, yellow.
namespace signalstrengthctl {
inline constexpr int kEnd = 1;
inline constexpr int kPowerText = 1685;
inline constexpr int kPictureBase = 1695;  // 1695..1697, pictures of red, blue and yellow
inline constexpr int kOutstations = SignalStrengthTest::kOutstations;

struct RowIds {
    int bar, wait;
    int perfectCount, perfectShare, okCount, okShare, failedCount, failedShare;
    int perfectLabel, okLabel, failedLabel;
};
inline constexpr std::array<RowIds, kOutstations> kRows = {{
    {1682, 1458, 1661, 1662, 1663, 1664, 1665, 1666, 1686, 1687, 1688},
    {1683, 1459, 1668, 1669, 1670, 1671, 1672, 1673, 1689, 1690, 1691},
    {1684, 1460, 1675, 1676, 1677, 1678, 1679, 1680, 1692, 1693, 1694},
}};
}  // namespace signalstrengthctl

// "Radiosignalstyrke": finds the outstations that answer and tests their radio links in turn
// until the user presses "Slut", with a bar and the Perfekt/OK/Fejl counts per outstation.
class CSignalStrengthDialog final : public QDialog {
    Q_OBJECT

public:
    CSignalStrengthDialog(CLinkState& link, IClock& clock, int radioMode, QWidget* parent = nullptr);

    // One timer tick at the clock's time.
    void Tick();
    const SignalStrengthTest& Test() const { return test_; }
    void done(int result) override;

private:
    struct Row {
        CSignalStrengthBarView* bar = nullptr;
        QLabel* wait = nullptr;
        std::vector<QLabel*> details;  // the row labels, counts and percentages
    };
    void Redraw();

    IClock& clock_;
    SignalStrengthTest test_;
    std::array<Row, SignalStrengthTest::kOutstations> rows_;
    bool searchShown_ = false;
    QTimer timer_;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
