#include "gui/diagnostics/CListeningDialog.h"

#include <QGroupBox>

#include <vector>

#include "core/text/StringIds.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"
#include "gui/diagnostics/DiagnosticsArt.h"
#include "gui/document/CCountdownDialog.h"

namespace korvanta::gui {

namespace {

using namespace listeningctl;
constexpr int kColumn = 56;
const QSize kPictureSize(36, 34);

std::vector<DialogItemTemplate> Items()
{
    std::vector<DialogItemTemplate> items = {{kUnitGroup, 6, 4, 4 * kColumn + 8, 66, "Vælg enhed", ControlKind::Group}};
    for (int unit = 0; unit < 4; ++unit) {
        const int x = 14 + unit * kColumn;
        items.push_back({kPictureIds[unit], x + 10, 16, 24, 22});
        items.push_back({kButtonIds[unit], x, 44, kColumn - 12, 14, "Lyt", ControlKind::Button});
    }
    items.push_back({kStatusGroup, 6, 74, 4 * kColumn + 8, 28, "Status", ControlKind::Group});
    items.push_back({kStatus, 14, 86, 4 * kColumn - 8, 9});
    items.push_back({kClose, 2 * kColumn - 18, 108, 50, 14, "Luk", ControlKind::Button});
    return items;
}

const DialogTemplate& Template()
{
    static const std::vector<DialogItemTemplate> items = Items();
    static const DialogTemplate dialog = {197,   "Lyttekonfiguration", "Tahoma", 8,    400,
                                          false, 4 * kColumn + 20,     128,      items};
    return dialog;
}

ListeningSession::CountdownRunner DialogCountdown(QWidget* parent)
{
    return [parent](int seconds) {
        CCountdownDialog dialog(seconds, Countdown::kTickMilliseconds, parent);
        return dialog.exec() == QDialog::Accepted;
    };
}

}  // namespace

CListeningDialog::CListeningDialog(CLinkState& link, IClock& clock, IWaitPump* pump,
                                   ListeningSession::CountdownRunner countdown, QWidget* parent)
    : QDialog(parent), session_(link, clock, pump, countdown ? std::move(countdown) : DialogCountdown(this))
{
    setObjectName(QStringLiteral("listeningDialog"));
    setWindowTitle(QString::fromUtf8(Template().caption));
    const CTemplateControls controls(this, Template());
    for (int unit = 0; unit < 4; ++unit) {
        pictures_[unit] = controls.Get<QLabel>(kPictureIds[unit]);
        pictures_[unit]->setAlignment(Qt::AlignCenter);
        pictures_[unit]->setPixmap(DiagnosticsArt::Unit(unit, false, kPictureSize));
        buttons_[unit] = controls.Get<QPushButton>(kButtonIds[unit]);
        buttons_[unit]->setEnabled(false);
        connect(buttons_[unit], &QPushButton::clicked, this, [this, unit] { Listen(unit); });
    }
    status_ = controls.Get<QLabel>(kStatus);
    close_ = controls.Get<QPushButton>(kClose);
    close_->setEnabled(false);
    connect(close_, &QPushButton::clicked, this, &CListeningDialog::Close);
    layout_.Apply(this, Template());
    // Each status shows as soon as it is set, while the request it names is waited for.
    session_.SetStatusListener([this](uint32_t id) {
        status_->setText(id != 0 ? StringText(id) : QString());
        status_->repaint();
    });
    session_.Start();
    Redraw();
    connect(&timer_, &QTimer::timeout, this, &CListeningDialog::Tick);
    timer_.start(ListeningSession::kTickMs);
}

void CListeningDialog::Listen(int unit)
{
    for (QPushButton* button : buttons_) {
        button->setEnabled(false);
    }
    close_->setEnabled(false);
    session_.PressListen(unit);
    Redraw();
}

void CListeningDialog::Tick()
{
    session_.Tick();
    Redraw();
}

void CListeningDialog::Redraw()
{
    for (int unit = 0; unit < ListeningSession::kUnits; ++unit) {
        const bool present = session_.Present(unit);
        if (present != shownPresent_[unit]) {
            shownPresent_[unit] = present;
            pictures_[unit]->setPixmap(DiagnosticsArt::Unit(unit, present, kPictureSize));
        }
        buttons_[unit]->setEnabled(session_.ButtonEnabled(unit));
    }
    close_->setEnabled(session_.CloseEnabled());
    status_->setText(session_.StatusId() != 0 ? StringText(session_.StatusId()) : QString());
    if (report_) {
        report_(session_.Listening() ? session_.Selected() : -1);
    }
}

void CListeningDialog::Close()
{
    timer_.stop();
    session_.Close();
    accept();
}

void CListeningDialog::reject()
{
    // Escape and the window's close button end listening as "Luk" does.
    if (!session_.CloseEnabled()) {
        return;
    }
    timer_.stop();
    session_.Close();
    QDialog::reject();
}

}  // namespace korvanta::gui
