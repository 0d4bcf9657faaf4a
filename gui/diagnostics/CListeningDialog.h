#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <array>
#include <functional>

#include "core/diagnostics/ListeningSession.h"
#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// The control IDs of the dialog's template; the per-unit ones for interface, red, blue, yellow.
namespace listeningctl {
inline constexpr int kClose = 2;
inline constexpr int kStatus = 1482;
inline constexpr int kUnitGroup = 1484;
inline constexpr int kStatusGroup = 1485;
inline constexpr std::array<int, 4> kPictureIds = {1472, 1473, 1474, 1475};
inline constexpr std::array<int, 4> kButtonIds = {1476, 1477, 1479, 1478};
}  // namespace listeningctl

// "Lyttekonfiguration": the user picks the unit whose sensor the interface unit plays on its
// headphones; listening is renewed while the dialog stays open and ended on "Luk".
class CListeningDialog final : public QDialog {
    Q_OBJECT

public:
    // `countdown` waits out an outstation's listening time; empty runs the countdown dialog.
    CListeningDialog(CLinkState& link, IClock& clock, IWaitPump* pump, ListeningSession::CountdownRunner countdown = {},
                     QWidget* parent = nullptr);

    void Tick();
    // A listen button, unit 0 interface .. 3 yellow.
    QPushButton* ListenButton(int unit) const { return buttons_[static_cast<size_t>(unit)]; }
    QString StatusText() const { return status_->text(); }
    const ListeningSession& Session() const { return session_; }
    // Told the unit being listened to (-1 for none) whenever the dialog redraws.
    void SetListeningReport(std::function<void(int unit)> report) { report_ = std::move(report); }

    void reject() override;

private:
    void Listen(int unit);
    void Close();
    void Redraw();

    ListeningSession session_;
    std::function<void(int unit)> report_;
    std::array<QLabel*, ListeningSession::kUnits> pictures_ = {};
    std::array<QPushButton*, ListeningSession::kUnits> buttons_ = {};
    std::array<bool, ListeningSession::kUnits> shownPresent_ = {};
    QLabel* status_ = nullptr;
    QPushButton* close_ = nullptr;
    QTimer timer_;
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
