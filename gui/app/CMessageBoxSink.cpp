#include "gui/app/CMessageBoxSink.h"

#include <QPushButton>
#include <QMessageBox>
#include <QThread>

#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta::gui {

namespace {

QMessageBox::Icon IconOf(uint32_t style)
{
    switch (style & kStyleIconMask) {
    case kStyleStop:
        return QMessageBox::Critical;
    case kStyleQuestion:
        return QMessageBox::Question;
    case kStyleExclamation:
        return QMessageBox::Warning;
    case kStyleInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

MessageAnswer AnswerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

void AddButtons(QMessageBox& box, uint32_t style)
{
    switch (style & kStyleButtonMask) {
    case kStyleYesNoCancel:
        box.addButton(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
        box.addButton(QMessageBox::No)->setText(QStringLiteral("&Nej"));
        box.addButton(QMessageBox::Cancel)->setText(QStringLiteral("Annuller"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case kStyleYesNo:
        box.addButton(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
        box.addButton(QMessageBox::No)->setText(QStringLiteral("&Nej"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    default:
        box.addButton(QMessageBox::Ok)->setText(QStringLiteral("OK"));
        break;
    }
}

}  // namespace

CMessageBoxSink::CMessageBoxSink() = default;

CMessageBoxSink::~CMessageBoxSink() = default;

MessageAnswer CMessageBoxSink::ShowMessage(uint32_t id, uint32_t style)
{
    if (LoadString(id) == nullptr) {
        return MessageAnswer::Ok;
    }
    return ShowText(id, LoadString(id), style);
}

MessageAnswer CMessageBoxSink::ShowText(uint32_t id, const std::string& message, uint32_t style)
{
    const QString text = QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
    if (QThread::currentThread() != uiThreadContext_.thread()) {
        QMetaObject::invokeMethod(
            &uiThreadContext_, [this, id, text, style] { ShowNow(id, text, style); }, Qt::QueuedConnection);
        return MessageAnswer::Ok;
    }
    return ShowNow(id, text, style);
}

MessageAnswer CMessageBoxSink::ShowNow(uint32_t id, const QString& shown, uint32_t style)
{
    if (MessageBoxHook* hook = hook_.load()) {
        return hook->Answer(id, style, shown.toStdString());
    }
    // Texts carry CR LF line breaks; a plain-text box wants LF.
    QString text = shown;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(IconOf(style), QString::fromUtf8(LoadString(str::kAppTitle)), text, QMessageBox::NoButton,
                    parent_.data());
    box.setTextFormat(Qt::PlainText);
    AddButtons(box, style);
    box.exec();
    return AnswerOf(box.standardButton(box.clickedButton()));
}

}  // namespace korvanta::gui
