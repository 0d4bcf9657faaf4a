#include "gui/app/CInitialisationDialog.h"

#include <QIcon>

#include "core/link/LinkCommand.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"
#include "gui/forms/CTemplateControls.h"
#include "gui/forms/FormControls.h"
#include "gui/forms/Artwork.h"
#include "gui/forms/GuiResources.h"

namespace korvanta::gui {

namespace {

using namespace initialisationctl;

constexpr int kIconPixels = 32;

constexpr DialogItemTemplate kItems[] = {
    {kOpeningText, 42, 12, 150, 9, "Åbner COM1"},
    {kPortIcon, 10, 7, 22, 20},
    {kTalkingText, 42, 37, 150, 9, "Kommunikerer med modtager"},
    {kInterfaceIcon, 10, 32, 22, 20},
    {kMessageText, 10, 57, 182, 34, "Ignore this text"},
    {kProgress, 10, 94, 182, 10, nullptr, ControlKind::Progress},
    {kCloseButton, 142, 110, 50, 14, "Luk"},
};

constexpr DialogTemplate kTemplate = {255, "Initialisation", "Tahoma", 8, 400, false, 202, 130, kItems};

void SetIcon(QLabel* label, const char* path)
{
    label->setPixmap(Artwork::Icon(QString::fromLatin1(path)).pixmap(kIconPixels, kIconPixels));
    label->setAlignment(Qt::AlignCenter);
}

}  // namespace

CInitialisationDialog::CInitialisationDialog(CLinkState& link, std::string portName, QWidget* parent)
    : QDialog(parent), bringUp_(link), portName_(std::move(portName))
{
    setObjectName(QStringLiteral("initialisationDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    const CTemplateControls controls(this, kTemplate);
    opening_ = controls.Get<QLabel>(kOpeningText);
    portIcon_ = controls.Get<QLabel>(kPortIcon);
    talking_ = controls.Get<QLabel>(kTalkingText);
    talking_->setEnabled(false);
    interfaceIcon_ = controls.Get<QLabel>(kInterfaceIcon);
    message_ = controls.Get<QLabel>(kMessageText);
    message_->clear();  // the template's placeholder; the messages come from the link
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    progress_ = controls.Get<QProgressBar>(kProgress);
    progress_->setRange(0, LinkBringUp::kProgressMax);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    close_ = controls.Get<QPushButton>(kCloseButton);  // rejects the dialog
    close_->setEnabled(false);
    layout_.Apply(this, kTemplate);

    timer_.setInterval(kTimerMs);
    connect(&timer_, &QTimer::timeout, this, &CInitialisationDialog::Tick);
}

bool CInitialisationDialog::Run(CLinkState& link, const std::string& portName, QWidget* parent)
{
    CInitialisationDialog dialog(link, portName, parent);
    return dialog.exec() == QDialog::Accepted;
}

void CInitialisationDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!started_) {
        Start();
    }
}

void CInitialisationDialog::Start()
{
    if (started_) {
        return;
    }
    started_ = true;
    bringUp_.Start(portName_);
    progress_->setValue(bringUp_.Progress());
    opening_->setText(StringText(str::kOpeningPort) + QString::fromStdString(portName_));
    timer_.start();
}

void CInitialisationDialog::SetTimerRunning(bool running)
{
    if (!running) {
        timer_.stop();
    } else if (!bringUp_.Finished()) {
        timer_.start();
    }
}

void CInitialisationDialog::Tick()
{
    if (bringUp_.Finished()) {
        return;
    }
    bringUp_.Tick();
    ShowSteps();
}

void CInitialisationDialog::ShowSteps()
{
    progress_->setValue(bringUp_.Progress());
    if (bringUp_.PortOpened()) {
        SetIcon(portIcon_, kStepSucceededIcon);
        talking_->setEnabled(true);
    }
    switch (bringUp_.CurrentStep()) {
    case Step::Succeeded:
        SetIcon(interfaceIcon_, kStepSucceededIcon);
        timer_.stop();
        QTimer::singleShot(closeDelayMs_, this, &QDialog::accept);
        break;
    case Step::Failed:
        SetIcon(bringUp_.PortOpened() ? interfaceIcon_ : portIcon_, kStepFailedIcon);
        message_->setText(StringText(bringUp_.FailureMessage()));
        timer_.stop();
        close_->setEnabled(true);
        break;
    default:
        break;
    }
}

void CInitialisationDialog::reject()
{
    // Only "Luk" ends the dialog, and only once a step has failed.
    if (close_->isEnabled()) {
        QDialog::reject();
    }
}

}  // namespace korvanta::gui
