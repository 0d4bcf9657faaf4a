#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/host/IMessageSink.h"
#include "core/pipe/PipeSection.h"
#include "tests/support/TempFolder.h"

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

inline std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline PipeSection Section(int material, float length, float velocity, float diameter = 100.0f)
{
    PipeSection section;
    section.materialIndex = static_cast<int16_t>(material);
    section.length = length;
    section.diameter = diameter;
    section.velocity = velocity;
    section.inUse = 1;
    return section;
}

inline PipeSections Pipe(std::initializer_list<PipeSection> sections)
{
    PipeSections pipe{};
    size_t i = 0;
    for (const PipeSection& section : sections)
        pipe[i++] = section;
    return pipe;
}

}  // namespace korvanta::pipetest
