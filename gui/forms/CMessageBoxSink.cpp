#include "gui/forms/CMessageBoxSink.h"

#include <QPushButton>
#include <QMessageBox>
#include <QThread>

#include <cassert>

#include "core/text/StringIds.h"
#include "core/text/StringTable.h"
#include "gui/forms/FormControls.h"

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

MessageAnswer RefusedAnswer(uint32_t style)
{
    switch (style & kStyleButtonMask) {
    case kStyleYesNoCancel:
        return MessageAnswer::Cancel;
    case kStyleYesNo:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Ok;
    }
}

CMessageBoxSink::CMessageBoxSink() = default;

CMessageBoxSink::~CMessageBoxSink() = default;

MessageAnswer CMessageBoxSink::ShowMessage(uint32_t id, uint32_t style)
{
    const char* text = LoadString(id);
    if (text == nullptr) {
        return MessageAnswer::Ok;
    }
    return Show(id, text, style);
}

MessageAnswer CMessageBoxSink::ShowText(uint32_t id, const std::string& text, uint32_t style)
{
    return Show(id, text, style);
}

MessageAnswer CMessageBoxSink::Show(uint32_t id, const std::string& text, uint32_t style)
{
    if (QThread::currentThread() != uiThreadContext_.thread()) {
        // Nobody can answer a question from here: saying yes in the user's place could discard
        // or overwrite data, so it is refused, and a debug build stops at the faulty caller.
        const MessageAnswer refused = RefusedAnswer(style);
        assert(refused == MessageAnswer::Ok && "a question asked outside the user-interface thread");
        if (refused != MessageAnswer::Ok) {
            return refused;
        }
        QMetaObject::invokeMethod(
            &uiThreadContext_, [this, id, text, style] { ShowNow(id, text, style); }, Qt::QueuedConnection);
        return MessageAnswer::Ok;
    }
    return ShowNow(id, text, style);
}

MessageAnswer CMessageBoxSink::ShowNow(uint32_t id, const std::string& shown, uint32_t style)
{
    if (MessageBoxHook* hook = hook_.load()) {
        return hook->Answer(id, style, shown);
    }
    // Texts carry CR LF line breaks; a plain-text box wants LF.
    QString text = QString::fromStdString(shown);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(IconOf(style), StringText(str::kAppTitle), text, QMessageBox::NoButton,
                    parent_.data());
    box.setTextFormat(Qt::PlainText);
    AddButtons(box, style);
    box.exec();
    return AnswerOf(box.standardButton(box.clickedButton()));
}

}  // namespace korvanta::gui
