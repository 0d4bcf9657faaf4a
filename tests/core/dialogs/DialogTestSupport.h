#pragma once

#include <cstring>
#include <filesystem>
#include <memory>

#include "core/pipe/CMaterialDatabase.h"
#include "tests/core/pipe/PipeTestSupport.h"

namespace korvanta::dialogtest {

// The shipped default database, built in a temporary folder (it writes Database2.bin there).
struct DefaultDatabase {
    pipetest::TempDir dir;
    pipetest::RecordingMessageSink sink;
    std::unique_ptr<CMaterialDatabase> db;

    DefaultDatabase()
    {
        const std::filesystem::path data = KORVANTA_DATA_DIR;
        for (const char* name : {"filters.fd", "mlist.fd"}) {
            std::filesystem::copy_file(data / name, dir / name);
        }
        db = std::make_unique<CMaterialDatabase>(dir.Path(), sink);
    }
};

// Byte-wise equality of two pipe blocks (the record has no padding).
inline bool SameSections(const PipeSections& a, const PipeSections& b)
{
    return std::memcmp(a.data(), b.data(), sizeof(PipeSections)) == 0;
}

// PVC in the default database.
inline constexpr int kPvc = 8;
// Ductile iron ("Dukt. stbj").
inline constexpr int kDuctileIron = 2;

}  // namespace korvanta::dialogtest
