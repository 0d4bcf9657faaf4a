#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>

#include "core/host/IMessageSink.h"
#include "core/pipe/CutoffPair.h"
#include "core/pipe/Material.h"

namespace korvanta {

// The pipe materials: up to 20 entries, each with a name, a diameter -> velocity table and three
// default filter bands. Kept in Database2.bin (the 4800-byte image of the entries, no header) in
// the program's folder and rebuilt from filters.fd, mlist.fd and the default names when that
// file is missing or short. Messages for the user go to the message sink.
class CMaterialDatabase {
public:
    static constexpr size_t kImageBytes = sizeof(Material) * kMaxMaterials;
    static_assert(kImageBytes == 4800);
    static constexpr const char* kDatabaseFileName = "Database2.bin";
    static constexpr const char* kFiltersFileName = "filters.fd";
    static constexpr const char* kVelocityTableFileName = "mlist.fd";

    // Travel-time classes of the default filters: <= 0.1 s, <= 0.2 s, longer.
    static constexpr float kShortTravelTime = 0.1f;
    static constexpr float kMediumTravelTime = 0.2f;

    // Reads Database2.bin from `folder`; when that fails restores the defaults, and when that
    // fails too clears save-at-exit so that a half-built database never replaces the file.
    CMaterialDatabase(std::filesystem::path folder, IMessageSink& messages);
    // Writes nothing: the program saves at exit through SaveIfChanged, so that a tool that only
    // reads never rewrites the file.
    ~CMaterialDatabase() = default;

    CMaterialDatabase(const CMaterialDatabase&) = delete;
    CMaterialDatabase& operator=(const CMaterialDatabase&) = delete;

    // Number of leading entries in use (counting stops at the first entry not in use).
    int MaterialCount() const;
    // The name of entry 0..19 as UTF-8; any other index shows the material error and gives "".
    std::string MaterialName(int index) const;
    // Entry 0..19, or nullptr.
    const Material* GetMaterial(int index) const;

    // Velocity proposed for an inner diameter in mm; 0 for an unknown material or empty table.
    float GetVelocityForDiameter(int index, float diameter) const;
    // Largest / smallest table velocity of at least 1 m/s (1 when there is none); 0 for an index
    // outside 0..19.
    float MaximumVelocity(int index) const;
    float MinimumVelocity(int index) const;
    // The default band of the material for a pipe travel time in seconds; an index outside 0..19
    // shows the material error and gives (0, 0).
    CutoffPair FilterForMaterial(int index, float travelTime) const;

    void CopyOut(std::span<uint8_t, kImageBytes> image) const;
    void CopyIn(std::span<const uint8_t, kImageBytes> image);
    void CopyOut(std::span<Material, kMaxMaterials> materials) const;
    void CopyIn(std::span<const Material, kMaxMaterials> materials);

    void SetSaveAtExit(bool save) { saveAtExit_ = save; }
    bool SaveAtExit() const { return saveAtExit_; }
    // The entries differ from Database2.bin as last read or written.
    bool IsChanged() const;
    // At exit: writes Database2.bin when save-at-exit is set and the entries changed. False only
    // when a needed write failed.
    bool SaveIfChanged();

    // Rebuilds the database from filters.fd, the default names and mlist.fd, then writes
    // Database2.bin. Shows a stop message and fails when a default is missing.
    bool RestoreDefaults();
    // Replaces the entries by the first 4800 bytes of Database2.bin; a missing or short file
    // leaves the entries as they were and fails.
    bool ReadFile();
    // The same from any stream.
    bool ReadFrom(std::istream& in);
    // Writes the entries to a temporary file beside Database2.bin and renames it over the old
    // one, so a failed write leaves the old file intact. True when the new file is in place.
    bool WriteFile();

    // Puts a measured (diameter mm, velocity m/s) pair into the material's table at its place
    // by diameter; an equal diameter gets the new velocity. A full table stores nothing and
    // shows the "full" message. False when nothing was stored.
    bool AddMeasuredPair(int index, float diameter, float velocity);

    const std::filesystem::path& Folder() const { return folder_; }
    std::filesystem::path DatabasePath() const { return folder_ / kDatabaseFileName; }

private:
    bool LoadDefaultFilters();
    bool LoadDefaultNames();
    bool LoadDefaultVelocityTable();

    std::filesystem::path folder_;
    IMessageSink& messages_;
    std::array<Material, kMaxMaterials> materials_{};
    std::array<Material, kMaxMaterials> onDisk_{};  // Database2.bin as last read or written
    bool onDiskKnown_ = false;
    bool saveAtExit_ = true;
};

}  // namespace korvanta
