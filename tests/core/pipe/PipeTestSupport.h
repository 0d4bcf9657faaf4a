#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/host/IMessageSink.h"
#include "tests/support/PipeFactory.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

namespace korvanta::pipetest {

// Remembers every message shown, with its style.
class RecordingMessageSink final : public IMessageSink {
public:
    MessageAnswer ShowMessage(uint32_t id, uint32_t style) override
    {
        messages.emplace_back(id, style);
        return MessageAnswer::Ok;
    }
    std::vector<std::pair<uint32_t, uint32_t>> messages;
};

using TempDir = test::TempFolder;

inline void WriteFile(const std::filesystem::path& path, std::string_view content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

using test::Pipe;
using test::ReadAll;
using test::Section;

}  // namespace korvanta::pipetest
