#include "core/app/ProgramFileKind.h"

#include <array>
#include <cstdint>

#include "core/document/KvdFile.h"
#include "core/fileio/InputFile.h"
#include "core/threestation/Kv3File.h"
#include "core/velocity/KvrFile.h"

namespace korvanta {

ProgramFileKind IdentifyProgramFile(const std::filesystem::path& path, FileProblem* problem)
{
    InputFile file(path, UINT64_MAX);
    std::array<uint8_t, 4> head{};
    const size_t got = file.IsOpen() ? file.Read(head) : 0;
    if (!file.IsOpen() || !file.Error().empty()) {
        if (problem != nullptr) {
            *problem = file.Problem();
        }
        return ProgramFileKind::Unknown;
    }
    const uint32_t magic = static_cast<uint32_t>(head[0]) | (static_cast<uint32_t>(head[1]) << 8) |
                           (static_cast<uint32_t>(head[2]) << 16) | (static_cast<uint32_t>(head[3]) << 24);
    if (got == head.size() && magic == kKv3Magic) {
        return ProgramFileKind::ThreeStationResult;
    }
    if (got == head.size() && magic == kKvrMagic) {
        return ProgramFileKind::Regression;
    }
    if (got >= kKvdVersionBytes && (head[0] | (head[1] << 8)) == kKvdVersion) {
        return ProgramFileKind::Measurement;
    }
    return ProgramFileKind::Unknown;
}

}  // namespace korvanta
