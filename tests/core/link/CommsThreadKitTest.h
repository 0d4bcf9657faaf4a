#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "KitIntegrationRig.h"
#include "core/link/CommsThread.h"
#include "core/link/LinkCommand.h"
#include "core/text/StringIds.h"
#include "tests/support/WholeFile.h"

namespace korvanta::test {

// The comms thread over the in-process kit registered as "SIM", on the program's fake clock, with
// a log folder of its own per test.
class CommsThreadKitTest : public testing::Test {
protected:
    CommsThreadKitTest()
    {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::temp_directory_path() /
                  ("korvanta-kit-" + std::string(info->name()) + "-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
    }
    ~CommsThreadKitTest() override
    {
        if (thread_) {
            thread_->Stop(5000);
        }
        thread_.reset();
        rig_.reset();
        std::filesystem::remove_all(folder_);
    }

    // The kit and the comms thread, with the port opened through it.
    void Start(const sim::KitOptions& options = FastKit())
    {
        rig_ = std::make_unique<InProcessRig>(options);
        rig_->library.CommClose();  // the comms thread opens the port itself
        CommsContext context;
        context.state = &rig_->state;
        context.library = &rig_->library;
        context.clock = &rig_->Fake();
        context.blockReady = &rig_->notifier;
        context.logFolder = folder_;
        thread_ = std::make_unique<CommsThread>(context);
        ASSERT_TRUE(thread_->Start());
        ChoosePort();
    }

    // As the initialisation dialog does when the port is chosen from the menu; the link's change
    // notice is taken, so a later one is the test's to see.
    void ChoosePort()
    {
        LinkCommand open;
        open.code = TM_CONFIGURE_COM_PORT;
        open.portName = "SIM";
        State().PostUrgentCommand(open);
        ASSERT_TRUE(WaitUntil([&] { return State().IsPortResultPending(); }));
        ASSERT_TRUE(State().GetPortResult());
        ASSERT_TRUE(WaitUntil([&] { return State().IsLinkUp(); }));
        ASSERT_TRUE(State().GetLinkUp());
    }

    CLinkState& State() { return rig_->state; }
    sim::FieldKit& Kit() { return rig_->Kit(); }

    void Post(const LinkCommand& command) { State().PostCommand(command); }
    void Post(int code)
    {
        LinkCommand command;
        command.code = code;
        Post(command);
    }

    // The comms thread's own log of what it did.
    std::string Log() const { return ReadAll(folder_ / "DebugFile.txt"); }

    std::filesystem::path folder_;
    std::unique_ptr<InProcessRig> rig_;
    std::unique_ptr<CommsThread> thread_;
};

}  // namespace korvanta::test
