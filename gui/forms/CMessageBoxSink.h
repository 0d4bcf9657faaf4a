#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <atomic>
#include <string>

#include "core/host/IMessageSink.h"
#include "gui/forms/MessageBoxHook.h"

namespace korvanta::gui {

// The program's message boxes: the string-table text of an ID in a modal box titled
// "Korvanta", with the stop, exclamation, question or information icon and OK, Yes/No or
// Yes/No/Cancel buttons in Danish. An ID without text shows nothing. It belongs to the
// user-interface thread; should another thread call it all the same, a plain message is queued
// for the user-interface thread and the call returns OK at once, never waiting for the user,
// and a question is refused (see RefusedAnswer). Create it on the user-interface thread.
// The answer a question gets when nobody can be asked: No, or Cancel where it is offered; OK for
// a plain message.
MessageAnswer RefusedAnswer(uint32_t style);

class CMessageBoxSink final : public IMessageSink {
public:
    CMessageBoxSink();
    ~CMessageBoxSink() override;

    MessageAnswer ShowMessage(uint32_t id, uint32_t style) override;
    MessageAnswer ShowText(uint32_t id, const std::string& text, uint32_t style) override;

    // The window the boxes are centred on; may be null.
    void SetParentWindow(QWidget* parent) { parent_ = parent; }
    // While a hook is installed it answers every box and nothing is shown; null removes it.
    void SetHook(MessageBoxHook* hook) { hook_ = hook; }

private:
    MessageAnswer Show(uint32_t id, const std::string& text, uint32_t style);
    MessageAnswer ShowNow(uint32_t id, const std::string& text, uint32_t style);

    QObject uiThreadContext_;
    QPointer<QWidget> parent_;
    std::atomic<MessageBoxHook*> hook_ = nullptr;
};

}  // namespace korvanta::gui
