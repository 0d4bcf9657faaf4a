#include "gui/document/CCountdownDialog.h"

#include <QKeyEvent>

#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

namespace {

using namespace countdownctl;

constexpr DialogItemTemplate kItems[] = {
    {kProgress, 7, 8, 149, 11, nullptr, ControlKind::Progress},
    {kZero, 7, 24, 30, 9, "0"},
    {kTop, 126, 24, 30, 9, "15 sec"},
};

constexpr DialogTemplate kTemplate = {0, "Vent venligst der beregnes...", "Tahoma", 8, 400, false, 163, 45, kItems};

}  // namespace

CCountdownDialog::CCountdownDialog(int seconds, int tickMilliseconds, QWidget* parent)
    : QDialog(parent), countdown_(seconds)
{
    setObjectName(QStringLiteral("countdownDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    // No close button: the countdown decides when the dialog ends.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    const CTemplateControls controls(this, kTemplate);
    progress_ = controls.Get<QProgressBar>(kProgress);
    progress_->setRange(0, Countdown::kRangeTop);
    progress_->setTextVisible(false);
    controls.Get<QLabel>(kTop)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    progress_->setValue(countdown_.Position());
    layout_.Apply(this, kTemplate);
    timer_.setInterval(tickMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &CCountdownDialog::Tick);
}

void CCountdownDialog::Tick()
{
    const bool done = countdown_.Tick();
    progress_->setValue(countdown_.Position());
    if (done) {
        timer_.stop();
        QDialog::accept();
    }
}

void CCountdownDialog::reject()
{
    // Escape and the window's close come here; the countdown is not cut short.
}

void CCountdownDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CCountdownDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    timer_.start();
}

void CCountdownDialog::hideEvent(QHideEvent* event)
{
    timer_.stop();
    QDialog::hideEvent(event);
}

}  // namespace korvanta::gui
