#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/host/IMessageSink.h"
#include "gui/forms/CMessageBoxSink.h"
#include "gui/forms/MessageBoxHook.h"

namespace korvanta::test {

// The control with template ID `id` inside `dialog`; fails the test when there is none.
template <typename Widget>
Widget* Control(QWidget* dialog, int id)
{
    auto* widget = dialog->findChild<Widget*>(QStringLiteral("ctl%1").arg(id), Qt::FindDirectChildrenOnly);
    EXPECT_NE(widget, nullptr) << "no control " << id << " in " << dialog->objectName().toStdString();
    return widget;
}

inline void Click(QWidget* dialog, int id)
{
    if (auto* button = Control<QAbstractButton>(dialog, id))
        button->click();
}

// Replaces an edit's text as typing would, with the change notices that brings.
inline void Type(QWidget* dialog, int id, const QString& text)
{
    if (auto* edit = Control<QLineEdit>(dialog, id)) {
        edit->selectAll();
        edit->insert(text);
    }
}

inline QString TextOf(QWidget* dialog, int id)
{
    auto* edit = Control<QLineEdit>(dialog, id);
    return edit != nullptr ? edit->text() : QString();
}

// Runs `step` on the next modal dialog called `objectName` once it is up (from inside the
// exec() that shows it). A dialog that never comes fails the test.
inline void OnNextModal(const QString& objectName, std::function<void(QDialog*)> step)
{
    auto attempts = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [objectName, step, attempts, poll] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr && dialog->objectName() == objectName) {
            step(dialog);
            return;
        }
        if (++*attempts > 500) {
            ADD_FAILURE() << "dialog " << objectName.toStdString() << " did not come up";
            if (dialog != nullptr)
                dialog->reject();
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

// The program's message boxes with every answer given by the hook: a box the test did not
// expect, or an expected one that never came, fails the test.
class ScriptedMessages final : public IMessageSink {
public:
    ScriptedMessages() { sink_.SetHook(&hook_); }
    ~ScriptedMessages() override
    {
        EXPECT_TRUE(hook_.Unexpected().empty()) << "unexpected message " << hook_.Unexpected().front();
        EXPECT_EQ(hook_.Pending(), 0u) << "an expected message was not shown";
    }
    void Expect(uint32_t id, MessageAnswer answer = MessageAnswer::Ok) { hook_.ExpectNext(id, answer); }
    MessageAnswer ShowMessage(uint32_t id, uint32_t style) override { return sink_.ShowMessage(id, style); }

private:
    gui::MessageBoxHook hook_;
    gui::CMessageBoxSink sink_;
};

}  // namespace korvanta::test
