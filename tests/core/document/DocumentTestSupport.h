#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/document/CKorvantaDoc.h"
#include "core/document/IDocumentObserver.h"
#include "core/host/IClock.h"
#include "core/host/IMessageSink.h"
#include "core/link/CLinkState.h"
#include "tests/support/PipeFactory.h"
#include "tests/support/TempFolder.h"

namespace korvanta::doctest {

// A fresh folder holding copies of the default data files, removed at the end of the test.
class DataFolder : public test::TempFolder {
public:
    DataFolder() { AddDefaultDataFiles(); }
};

// Plays the comms thread on the test's own thread: every pause of the document's waits moves
// time on and takes the queued commands, answering a start of sampling as told.
class PlayedComms final : public IClock {
public:
    explicit PlayedComms(CLinkState& link) : link_(link) {}

    int64_t NowMs() override { return now_; }
    void SleepMs(int64_t ms) override
    {
        now_ += ms;
        ++pauses_;
        TakeCommands();
    }

    void TakeCommands()
    {
        LinkCommand command;
        while (link_.GetNextCommand(command)) {
            taken_.push_back(command);
            if (command.code == TM_START_SAMPLING && answerStarts_) {
                const bool started = startAnswers_.empty() ? true : startAnswers_.front();
                if (!startAnswers_.empty()) {
                    startAnswers_.erase(startAnswers_.begin());
                }
                link_.SetSamplingStarted(started);
                link_.SetSamplingAnswered(true);
            }
        }
    }

    // Answers to the next starts of sampling, in order; once used up every start succeeds.
    void QueueStartAnswers(std::vector<bool> answers) { startAnswers_ = std::move(answers); }
    void SetAnswerStarts(bool answer) { answerStarts_ = answer; }

    // Codes of the commands taken so far (and those still queued, taken now).
    std::vector<int> Codes()
    {
        TakeCommands();
        std::vector<int> codes;
        for (const LinkCommand& command : taken_) {
            codes.push_back(command.code);
        }
        return codes;
    }
    const std::vector<LinkCommand>& Taken() const { return taken_; }
    // Takes what is queued and forgets every command taken so far.
    void ForgetTaken()
    {
        TakeCommands();
        taken_.clear();
    }
    int64_t Pauses() const { return pauses_; }

private:
    CLinkState& link_;
    int64_t now_ = 0;
    int64_t pauses_ = 0;
    bool answerStarts_ = true;
    std::vector<bool> startAnswers_;
    std::vector<LinkCommand> taken_;
};

class RecordingObserver final : public IDocumentObserver {
public:
    void OnDocumentUpdate(uint32_t hint) override { hints.push_back(hint); }
    size_t Count(uint32_t hint) const
    {
        size_t count = 0;
        for (uint32_t h : hints) {
            count += h == hint ? 1 : 0;
        }
        return count;
    }
    std::vector<uint32_t> hints;
};

// Remembers every message; questions get the answer set beforehand.
class AnsweringMessageSink final : public IMessageSink {
public:
    MessageAnswer ShowMessage(uint32_t id, uint32_t style) override
    {
        shown.emplace_back(id, style);
        return answer;
    }
    MessageAnswer ShowText(uint32_t id, const std::string& text, uint32_t style) override
    {
        texts.push_back(text);
        return ShowMessage(id, style);
    }
    MessageAnswer answer = MessageAnswer::Ok;
    std::vector<std::string> texts;
    std::vector<std::pair<uint32_t, uint32_t>> shown;
};

inline std::tm FixedTime()
{
    std::tm when{};
    when.tm_year = 2024 - 1900;
    when.tm_mon = 2;  // March
    when.tm_mday = 5;
    when.tm_hour = 14;
    when.tm_min = 7;
    return when;
}

using test::Section;

// A document over a link state played by the test, with its own data folder.
struct DocumentRig {
    DocumentRig() : comms(link)
    {
        context.link = &link;
        context.clock = &comms;
        context.messages = &messages;
        context.settings = &settings;
        context.dataFolder = folder.Path();
        context.localTime = FixedTime;
        document = std::make_unique<CKorvantaDoc>(context);
        document->AddObserver(&observer);
    }

    DataFolder folder;
    CLinkState link;
    PlayedComms comms;
    AnsweringMessageSink messages;
    InMemorySettings settings;
    DocumentContext context;
    RecordingObserver observer;
    std::unique_ptr<CKorvantaDoc> document;
};

}  // namespace korvanta::doctest
