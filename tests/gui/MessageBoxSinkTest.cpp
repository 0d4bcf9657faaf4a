#include "gui/forms/CMessageBoxSink.h"

#include "gui/app/CBlockReadyNotifier.h"
#include "gui/app/CWaitPump.h"

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

TEST(MessageBoxSink, AQuestionFromAnotherThreadIsRefusedNotAnsweredForTheUser)
{
    EXPECT_EQ(RefusedAnswer(kStyleQuestion | kStyleYesNo), MessageAnswer::No);
    EXPECT_EQ(RefusedAnswer(kStyleQuestion | kStyleYesNoCancel), MessageAnswer::Cancel);
    EXPECT_EQ(RefusedAnswer(kStyleStop), MessageAnswer::Ok);
#ifdef NDEBUG
    // A debug build stops at the call instead.
    CMessageBoxSink sink;
    MessageBoxHook hook;
    sink.SetHook(&hook);
    MessageAnswer yesNo = MessageAnswer::Yes;
    MessageAnswer yesNoCancel = MessageAnswer::Yes;
    std::thread comms([&] {
        yesNo = sink.ShowMessage(str::kRestoreMaterialsQuestion, kStyleQuestion | kStyleYesNo);
        yesNoCancel = sink.ShowMessage(str::kRestoreMaterialsQuestion, kStyleQuestion | kStyleYesNoCancel);
    });
    comms.join();
    EXPECT_EQ(yesNo, MessageAnswer::No);
    EXPECT_EQ(yesNoCancel, MessageAnswer::Cancel);
    QCoreApplication::processEvents();
    EXPECT_TRUE(hook.ShownBoxes().empty()) << "a refused question is not shown later either";
#endif
}

TEST(MessageBoxSink, AFilledInTextIsAnsweredByItsId)
{
    CMessageBoxSink sink;
    MessageBoxHook hook;
    sink.SetHook(&hook);
    hook.ExpectNext(str::kDataOutOfRange, MessageAnswer::Ok);
    EXPECT_EQ(sink.ShowText(str::kDataOutOfRange, "1 - 2000", kStyleOk), MessageAnswer::Ok);
    EXPECT_EQ(hook.Pending(), 0u);
    EXPECT_TRUE(hook.Unexpected().empty());
}

// A message the comms thread posts while a blocking wait runs opens no box inside the wait,
// under its wait cursor, but right after it.
TEST(BlockReadyNotifier, AMessageDuringAWaitIsShownWhenTheWaitEnds)
{
    QObject window;
    CMessageBoxSink sink;
    MessageBoxHook hook;
    sink.SetHook(&hook);
    CWaitPump waits;
    std::vector<uint32_t> commands;
    CBlockReadyNotifier notifier(
        &window, [&](uint32_t id) { commands.push_back(id); }, &sink, &waits);
    hook.ExpectNext(str::kMeasurementStopped, MessageAnswer::Ok);
    waits.BeginWait();
    std::thread comms([&] {
        notifier.PostShowMessage(str::kMeasurementStopped, kStyleExclamation);
        notifier.PostBlockReady(kCommandBlockReadyTwoStation);
    });
    comms.join();
    for (int pass = 0; pass < 100 && commands.empty(); ++pass) {
        waits.Pump();
    }
    ASSERT_EQ(commands.size(), 1u) << "the wait ran the notices";
    EXPECT_TRUE(hook.ShownBoxes().empty()) << "no box inside the wait";
    waits.EndWait();
    EXPECT_TRUE(hook.ShownBoxes().empty()) << "not before whoever waited has finished";
    ASSERT_TRUE(test::ProcessEventsUntil([&] { return !hook.ShownBoxes().empty(); }));
    ASSERT_EQ(hook.ShownBoxes().size(), 1u);
    EXPECT_EQ(hook.ShownBoxes().front().id, str::kMeasurementStopped);
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
