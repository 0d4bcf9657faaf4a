#pragma once

#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

#include "core/host/IBlockReadyNotifier.h"
#include "core/host/IMessageSink.h"

namespace korvanta::test {

class RecordingNotifier final : public IBlockReadyNotifier {
public:
    void PostBlockReady(uint32_t commandId) override
    {
        std::lock_guard lock(mutex_);
        posted_.push_back(commandId);
    }
    void PostShowMessage(uint32_t id, uint32_t style) override
    {
        std::lock_guard lock(mutex_);
        messages_.emplace_back(id, style);
    }
    std::vector<uint32_t> Posted() const
    {
        std::lock_guard lock(mutex_);
        return posted_;
    }
    // The messages posted for the user-interface thread, as (string ID, style).
    std::vector<std::pair<uint32_t, uint32_t>> Messages() const
    {
        std::lock_guard lock(mutex_);
        return messages_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<uint32_t> posted_;
    std::vector<std::pair<uint32_t, uint32_t>> messages_;
};

class RecordingMessageSink final : public IMessageSink {
public:
    MessageAnswer ShowMessage(uint32_t id, uint32_t style) override
    {
        std::lock_guard lock(mutex_);
        shown_.emplace_back(id, style);
        return MessageAnswer::Ok;
    }
    std::vector<std::pair<uint32_t, uint32_t>> Shown() const
    {
        std::lock_guard lock(mutex_);
        return shown_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::pair<uint32_t, uint32_t>> shown_;
};

}  // namespace korvanta::test
