#include "gui/app/CInitialisationDialog.h"

#include <QIcon>

#include "core/link/LinkCommand.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"
#include "gui/app/GuiResources.h"

namespace korvanta::gui {

namespace {

enum ControlId {
    kOpeningText = 1610,
    kTalkingText = 1611,
    kPortIcon = 1613,
    kInterfaceIcon = 1614,
    kMessageText = 1615,
    kProgress = 1616,
    kCloseButton = 2,
};

constexpr int kProgressMax = 40;
constexpr int kProgressPortOpened = 20;
constexpr int kProgressPortFailed = 39;
constexpr int kIconPixels = 32;

constexpr DialogItemTemplate kItems[] = {
    {kOpeningText, 42, 12, 150, 9, "Åbner COM1"},
    {kPortIcon, 10, 7, 22, 20},
    {kTalkingText, 42, 37, 150, 9, "Kommunikerer med modtager"},
    {kInterfaceIcon, 10, 32, 22, 20},
    {kMessageText, 10, 57, 182, 34, "Ignore this text"},
    {kProgress, 10, 94, 182, 10},
    {kCloseButton, 142, 110, 50, 14, "Luk"},
};

constexpr DialogTemplate kTemplate = {255, "Initialisation", "Tahoma", 8, 400, false, 202, 130, kItems};

QString Text(uint32_t id)
{
    QString text = QString::fromUtf8(LoadString(id));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

template <typename Widget>
Widget* MakeControl(QWidget* parent, int id)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(CTemplateLayout::ControlName(id));
    return widget;
}

QLabel* MakeText(QWidget* parent, int id)
{
    auto* label = MakeControl<QLabel>(parent, id);
    label->setText(QString::fromUtf8(kTemplate.Item(id)->text));
    return label;
}

void SetIcon(QLabel* label, const char* path)
{
    label->setPixmap(QIcon(QString::fromLatin1(path)).pixmap(kIconPixels, kIconPixels));
    label->setAlignment(Qt::AlignCenter);
}

}  // namespace

CInitialisationDialog::CInitialisationDialog(CLinkState& link, std::string portName, QWidget* parent)
    : QDialog(parent), link_(link), portName_(std::move(portName))
{
    setObjectName(QStringLiteral("initialisationDialog"));
    setWindowTitle(QString::fromUtf8(kTemplate.caption));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    // Created in template order: the layout finds each control after the one before.
    opening_ = MakeText(this, kOpeningText);
    portIcon_ = MakeControl<QLabel>(this, kPortIcon);
    talking_ = MakeText(this, kTalkingText);
    talking_->setEnabled(false);
    interfaceIcon_ = MakeControl<QLabel>(this, kInterfaceIcon);
    message_ = MakeControl<QLabel>(this, kMessageText);
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    progress_ = MakeControl<QProgressBar>(this, kProgress);
    progress_->setRange(0, kProgressMax);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    close_ = MakeControl<QPushButton>(this, kCloseButton);
    close_->setText(QString::fromUtf8(kTemplate.Item(kCloseButton)->text));
    close_->setEnabled(false);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
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
    // A result left over from an earlier port request would be taken for this port's.
    if (link_.IsPortResultPending()) {
        link_.GetPortResult();
    }
    LinkCommand open;
    open.code = TM_CONFIGURE_COM_PORT;
    open.portName = portName_;
    link_.PostUrgentCommand(open);
    progress_->setValue(0);
    opening_->setText(QString::fromUtf8(LoadString(str::kOpeningPort)) + QString::fromStdString(portName_));
    timer_.start();
}

void CInitialisationDialog::SetTimerRunning(bool running)
{
    if (!running) {
        timer_.stop();
    } else if (step_ == Step::PortRequested || step_ == Step::WaitingForInterface) {
        timer_.start();
    }
}

void CInitialisationDialog::Tick()
{
    if (step_ == Step::PortRequested) {
        TickPortStep();
    } else if (step_ == Step::WaitingForInterface) {
        TickInterfaceStep();
    }
}

void CInitialisationDialog::StepProgress(int& ticks)
{
    ++ticks;
    progress_->setValue(std::min(progress_->value() + 1, kProgressMax));
}

void CInitialisationDialog::TickPortStep()
{
    if (link_.IsPortResultPending()) {
        if (!link_.GetPortResult()) {
            Fail(portIcon_, Text(str::kComPortOpenFailed), kProgressPortFailed);
            return;
        }
        SetIcon(portIcon_, kStepSucceededIcon);
        talking_->setEnabled(true);
        progress_->setValue(kProgressPortOpened);
        // The interface unit counts as absent until it answers; each outstation counts one miss.
        link_.UpdateUnitPresence(0, 0, 15);
        LinkCommand status;
        status.code = TM_GET_SENSOR_STATUS;
        status.unitMask = 1;
        link_.PostUrgentCommand(status);
        step_ = Step::WaitingForInterface;
    }
    StepProgress(portTicks_);
    if (step_ == Step::PortRequested && portTicks_ >= kTicksPerStep) {
        Fail(portIcon_, Text(str::kComPortOpenFailed), kProgressPortFailed);
    }
}

void CInitialisationDialog::TickInterfaceStep()
{
    bool present = false;
    bool sensor = false;
    link_.GetUnitStatus(0, present, sensor);
    if (present) {
        SetIcon(interfaceIcon_, kStepSucceededIcon);
        timer_.stop();
        progress_->setValue(kProgressMax);
        step_ = Step::Succeeded;
        QTimer::singleShot(closeDelayMs_, this, &QDialog::accept);
        return;
    }
    StepProgress(interfaceTicks_);
    if (interfaceTicks_ >= kTicksPerStep) {
        Fail(interfaceIcon_, Text(str::kCommunicationError), kProgressMax);
    }
}

void CInitialisationDialog::Fail(QLabel* icon, const QString& message, int progress)
{
    SetIcon(icon, kStepFailedIcon);
    message_->setText(message);
    timer_.stop();
    progress_->setValue(progress);
    close_->setEnabled(true);
    step_ = Step::Failed;
}

void CInitialisationDialog::reject()
{
    // Only "Luk" ends the dialog, and only once a step has failed.
    if (close_->isEnabled()) {
        QDialog::reject();
    }
}

}  // namespace korvanta::gui
