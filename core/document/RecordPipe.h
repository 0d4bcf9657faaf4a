#pragma once

#include <string>

#include "core/pipe/CMaterialDatabase.h"
#include "core/pipe/PipeSection.h"

namespace korvanta {

struct SectionInfo {
    float length = 0.0f;    // m
    float velocity = 0.0f;  // m/s
    float diameter = 0.0f;  // mm
    std::string materialName;
};

// What the views ask of a record's pipe: its sections with their materials' names, length and
// travel time.
class RecordPipe {
public:
    RecordPipe(const PipeSections& pipe, const CMaterialDatabase& materials) : pipe_(pipe), materials_(materials) {}

    int SectionCount() const;
    float TotalLength() const;
    float TravelTime() const;
    bool HasMixedMaterials() const;
    int SectionMaterial(int index) const;
    float SectionLength(int index) const;
    // False for an index outside 0..9.
    bool Section(int index, SectionInfo& info) const;
    // The name of a material index, or "" when there is no such entry.
    std::string MaterialName(int index) const;

private:
    const PipeSections& pipe_;
    const CMaterialDatabase& materials_;
};

}  // namespace korvanta
