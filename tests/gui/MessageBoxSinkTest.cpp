#include "gui/app/CMessageBoxSink.h"

#include "gui/app/CBlockReadyNotifier.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

#include "core/text/StringIds.h"
#include "tests/gui/GuiTestSupport.h"

namespace korvanta::gui {
namespace {

TEST(MessageBoxSink, HookAnswersExpectedBoxesAndRecordsTheRest)
{
    CMessageBoxSink sink;
    MessageBoxHook hook;
    sink.SetHook(&hook);
    hook.ExpectNext(str::kRestoreMaterialsQuestion, MessageAnswer::Yes);
    EXPECT_EQ(sink.ShowMessage(str::kRestoreMaterialsQuestion, kStyleQuestion | kStyleYesNo), MessageAnswer::Yes);
    EXPECT_TRUE(hook.Unexpected().empty());

    EXPECT_EQ(sink.ShowMessage(str::kRestoreMaterialsQuestion, kStyleQuestion | kStyleYesNo), MessageAnswer::No);
    EXPECT_EQ(sink.ShowMessage(str::kScreenTooSmall, kStyleStop), MessageAnswer::Ok);
    EXPECT_EQ(hook.Unexpected(), (std::vector<uint32_t>{str::kRestoreMaterialsQuestion, str::kScreenTooSmall}));
    // An ID without text shows nothing at all.
    EXPECT_EQ(sink.ShowMessage(99999, kStyleStop), MessageAnswer::Ok);
    EXPECT_EQ(hook.ShownBoxes().size(), 3u);
}

TEST(MessageBoxSink, ABoxFromAnotherThreadIsQueuedAndThatThreadGoesOn)
{
    CMessageBoxSink sink;
    MessageBoxHook hook;
    sink.SetHook(&hook);
    hook.ExpectNext(str::kCommunicationError, MessageAnswer::Ok);
    MessageAnswer answer = MessageAnswer::Cancel;
    std::thread comms([&] { answer = sink.ShowMessage(str::kCommunicationError, kStyleExclamation); });
    comms.join();  // returned without the user-interface thread running
    EXPECT_EQ(answer, MessageAnswer::Ok);
    EXPECT_TRUE(hook.ShownBoxes().empty());
    EXPECT_TRUE(test::ProcessEventsUntil([&] { return !hook.ShownBoxes().empty(); }));
    EXPECT_EQ(hook.ShownBoxes().front().id, str::kCommunicationError);
    EXPECT_EQ(hook.Pending(), 0u);
}

TEST(BlockReadyNotifier, NoticesFromTheCommsThreadRunOnTheWindowsThreadInOrder)
{
    QObject window;
    CMessageBoxSink sink;
    MessageBoxHook hook;
    sink.SetHook(&hook);
    std::vector<uint32_t> commands;
    std::thread::id ranOn;
    CBlockReadyNotifier notifier(
        &window,
        [&](uint32_t id) {
            commands.push_back(id);
            ranOn = std::this_thread::get_id();
        },
        &sink);
    hook.ExpectNext(str::kMeasurementStopped, MessageAnswer::Ok);
    std::thread comms([&] {
        notifier.PostBlockReady(kCommandBlockReadyTwoStation);
        notifier.PostShowMessage(str::kMeasurementStopped, kStyleExclamation);
        notifier.PostBlockReady(kCommandBlockReadyThreeStation);
    });
    comms.join();
    EXPECT_TRUE(commands.empty()) << "nothing runs before the window's thread takes its events";
    EXPECT_TRUE(test::ProcessEventsUntil([&] { return commands.size() == 2; }));
    EXPECT_EQ(commands, (std::vector<uint32_t>{kCommandBlockReadyTwoStation, kCommandBlockReadyThreeStation}));
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_EQ(hook.Pending(), 0u);
    EXPECT_TRUE(hook.Unexpected().empty());
}

// Without a hook the real box comes up: Danish buttons, the stop icon, CR LF turned into lines.
TEST(MessageBoxSink, RealBoxHasDanishButtonsAndTheIcon)
{
    CMessageBoxSink sink;
    QString seenText;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenText = box->text();
        icon = box->icon();
        for (QAbstractButton* button : box->buttons()) {
            buttons << button->text();
        }
        test::SaveScreenshot(box, QStringLiteral("message-box-yes-no-cancel"));
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(sink.ShowMessage(str::kCommunicationError, kStyleStop | kStyleYesNoCancel), MessageAnswer::No);
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_TRUE(seenText.startsWith(QStringLiteral("Fejl i kommunikation med modtageren.\n\nTjek")));
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{"&Ja", "&Nej", "Annuller"}));
}

}  // namespace
}  // namespace korvanta::gui
