#include "core/pipe/CMaterialDatabase.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <istream>
#include <optional>
#include <system_error>
#include <utility>

#include "core/fileio/AtomicFileWriter.h"
#include "core/fileio/InputFile.h"
#include "core/pipe/FdFileReader.h"
#include "core/text/Cp1252.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {

namespace {

bool ValidIndex(int index)
{
    return index >= 0 && index < kMaxMaterials;
}

}  // namespace

CMaterialDatabase::CMaterialDatabase(std::filesystem::path folder, IMessageSink& messages)
    : folder_(std::move(folder)), messages_(messages)
{
    if (!ReadFile() && !RestoreDefaults())
        saveAtExit_ = false;
}

bool CMaterialDatabase::IsChanged() const
{
    return !onDiskKnown_ || std::memcmp(materials_.data(), onDisk_.data(), kImageBytes) != 0;
}

bool CMaterialDatabase::SaveIfChanged()
{
    if (!saveAtExit_ || !IsChanged())
        return true;
    return WriteFile();
}

int CMaterialDatabase::MaterialCount() const
{
    int count = 0;
    while (count < kMaxMaterials && materials_[static_cast<size_t>(count)].inUse == 1)
        ++count;
    return count;
}

std::string CMaterialDatabase::MaterialName(int index) const
{
    if (!ValidIndex(index)) {
        messages_.ShowMessage(str::kMaterialLoadError, kStyleExclamation);
        return {};
    }
    // A damaged file may leave the name without its terminator; the field bounds the read.
    return ReadFixedField(materials_[static_cast<size_t>(index)].name);
}

const Material* CMaterialDatabase::GetMaterial(int index) const
{
    return ValidIndex(index) ? &materials_[static_cast<size_t>(index)] : nullptr;
}

float CMaterialDatabase::GetVelocityForDiameter(int index, float diameter) const
{
    if (!ValidIndex(index))
        return 0.0f;
    const Material& m = materials_[static_cast<size_t>(index)];
    // Every positive diameter counts, wherever it stands; the table is then read from entry 0.
    const auto count = static_cast<int>(
        std::count_if(std::begin(m.diameters), std::end(m.diameters), [](float d) { return d > 0.0f; }));
    if (count == 0)
        return 0.0f;

    float velocity = m.velocities[count - 1];
    if (diameter <= m.diameters[0]) {
        velocity = m.velocities[0];
    } else {
        // The line runs from entry 0 to the first entry that reaches the diameter.
        for (int j = 1; j < count; ++j) {
            if (m.diameters[j] >= diameter) {
                velocity = m.velocities[0] + (m.velocities[j] - m.velocities[0]) * (diameter - m.diameters[0]) /
                                                 (m.diameters[j] - m.diameters[0]);
                break;
            }
        }
    }
    // Damaged tables (NaN, infinities) must not turn into a proposed velocity.
    return std::isfinite(velocity) ? velocity : 0.0f;
}

float CMaterialDatabase::MaximumVelocity(int index) const
{
    if (!ValidIndex(index))
        return 0.0f;
    float maximum = 1.0f;
    for (float v : materials_[static_cast<size_t>(index)].velocities) {
        if (v >= 1.0f && v > maximum)
            maximum = v;
    }
    return maximum;
}

float CMaterialDatabase::MinimumVelocity(int index) const
{
    if (!ValidIndex(index))
        return 0.0f;
    float minimum = MaximumVelocity(index);
    for (float v : materials_[static_cast<size_t>(index)].velocities) {
        if (v >= 1.0f && v < minimum)
            minimum = v;
    }
    return minimum;
}

CutoffPair CMaterialDatabase::FilterForMaterial(int index, float travelTime) const
{
    if (!ValidIndex(index)) {
        messages_.ShowMessage(str::kMaterialLoadError, kStyleExclamation);
        return {};
    }
    // Single-precision limits: a travel time of exactly 0.1f belongs to the first class.
    size_t travelClass = 2;
    if (travelTime <= kShortTravelTime) {
        travelClass = 0;
    } else if (travelTime <= kMediumTravelTime) {
        travelClass = 1;
    }
    const Material& m = materials_[static_cast<size_t>(index)];
    return CutoffPair{m.lowCutoffs[travelClass], m.highCutoffs[travelClass]};
}

void CMaterialDatabase::CopyOut(std::span<uint8_t, kImageBytes> image) const
{
    std::memcpy(image.data(), materials_.data(), kImageBytes);
}

void CMaterialDatabase::CopyIn(std::span<const uint8_t, kImageBytes> image)
{
    std::memcpy(materials_.data(), image.data(), kImageBytes);
}

void CMaterialDatabase::CopyOut(std::span<Material, kMaxMaterials> materials) const
{
    std::copy(materials_.begin(), materials_.end(), materials.begin());
}

void CMaterialDatabase::CopyIn(std::span<const Material, kMaxMaterials> materials)
{
    std::copy(materials.begin(), materials.end(), materials_.begin());
}

bool CMaterialDatabase::RestoreDefaults()
{
    materials_.fill(Material{});
    if (!LoadDefaultFilters()) {
        messages_.ShowMessage(str::kDefaultFiltersMissing, kStyleStop);
        return false;
    }
    if (!LoadDefaultNames()) {
        messages_.ShowMessage(str::kDefaultMaterialsMissing, kStyleStop);
        return false;
    }
    if (!LoadDefaultVelocityTable()) {
        messages_.ShowMessage(str::kDefaultVelocityTableMissing, kStyleStop);
        return false;
    }
    return WriteFile();
}

bool CMaterialDatabase::LoadDefaultFilters()
{
    const std::optional<std::string> text = FdFileReader::ReadFile(folder_ / kFiltersFileName);
    if (!text)
        return false;
    for (const FdEntry& entry : FdFileReader(FdLineFormat::FilterPair, kFilterClasses).Parse(*text)) {
        Material& m = materials_[static_cast<size_t>(entry.material)];
        m.lowCutoffs[entry.slot] = entry.first;
        m.highCutoffs[entry.slot] = entry.second;
        m.inUse = 1;
    }
    return true;
}

bool CMaterialDatabase::LoadDefaultNames()
{
    for (int i = 0; i < kMaxMaterials; ++i) {
        const char* text = LoadString(str::kDefaultMaterialName0 + static_cast<uint32_t>(i));
        if (text == nullptr)
            return false;
        CopyToFixedField(text, materials_[static_cast<size_t>(i)].name);
    }
    return true;
}

bool CMaterialDatabase::LoadDefaultVelocityTable()
{
    const std::optional<std::string> text = FdFileReader::ReadFile(folder_ / kVelocityTableFileName);
    if (!text)
        return false;
    for (const FdEntry& entry : FdFileReader(FdLineFormat::VelocityPair, kMaxVelocityEntries).Parse(*text)) {
        Material& m = materials_[static_cast<size_t>(entry.material)];
        m.diameters[entry.slot] = entry.first;
        m.velocities[entry.slot] = entry.second;
        m.inUse = 1;
    }
    return true;
}

bool CMaterialDatabase::ReadFile()
{
    // Only a regular file is read, so a pipe or a device in its place cannot hang the program.
    InputFile file(DatabasePath(), UINT64_MAX);
    std::array<uint8_t, kImageBytes> image{};
    if (!file.IsOpen() || file.Read(image) != image.size())
        return false;
    std::memcpy(materials_.data(), image.data(), kImageBytes);
    onDisk_ = materials_;
    onDiskKnown_ = true;
    return true;
}

bool CMaterialDatabase::ReadFrom(std::istream& in)
{
    // Read into a scratch image first: a short file must not leave a half-replaced database.
    std::array<char, kImageBytes> image{};
    in.read(image.data(), static_cast<std::streamsize>(image.size()));
    if (in.gcount() != static_cast<std::streamsize>(image.size()))
        return false;
    std::memcpy(materials_.data(), image.data(), kImageBytes);
    return true;
}

bool CMaterialDatabase::WriteFile()
{
    std::string error;
    if (!WriteFileAtomically(DatabasePath(),
                             std::span(reinterpret_cast<const uint8_t*>(materials_.data()), kImageBytes), error)) {
        return false;
    }
    onDisk_ = materials_;
    onDiskKnown_ = true;
    return true;
}

bool CMaterialDatabase::AddMeasuredPair(int index, float diameter, float velocity)
{
    // A pair without a positive diameter would end the table early; refuse it.
    if (!ValidIndex(index) || !(diameter > 0.0f) || !std::isfinite(diameter))
        return false;
    Material& m = materials_[static_cast<size_t>(index)];
    int count = 0;
    while (count < kMaxVelocityEntries && m.diameters[count] > 0.0f)
        ++count;

    int position = 0;
    while (position < count && m.diameters[position] < diameter)
        ++position;
    if (position < count && m.diameters[position] == diameter) {
        m.velocities[position] = velocity;
        return true;
    }
    if (count == kMaxVelocityEntries) {
        messages_.ShowMessage(str::kVelocityDatabaseFull, kStyleExclamation);
        return false;
    }
    for (int k = count; k > position; --k) {
        m.diameters[k] = m.diameters[k - 1];
        m.velocities[k] = m.velocities[k - 1];
    }
    m.diameters[position] = diameter;
    m.velocities[position] = velocity;
    return true;
}

}  // namespace korvanta
