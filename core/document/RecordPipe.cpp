#include "core/document/RecordPipe.h"

#include "core/pipe/Pipe.h"

namespace korvanta {

int RecordPipe::SectionCount() const
{
    return GetSectionCount(pipe_);
}

float RecordPipe::TotalLength() const
{
    return GetTotalLength(pipe_);
}

float RecordPipe::TravelTime() const
{
    return GetTravelTime(pipe_);
}

bool RecordPipe::HasMixedMaterials() const
{
    return korvanta::HasMixedMaterials(pipe_);
}

int RecordPipe::SectionMaterial(int index) const
{
    return GetSectionMaterial(pipe_, index);
}

float RecordPipe::SectionLength(int index) const
{
    return GetSectionLength(pipe_, index);
}

bool RecordPipe::Section(int index, SectionInfo& info) const
{
    if (index < 0 || index >= kMaxPipeSections) {
        return false;
    }
    const PipeSection& section = pipe_[static_cast<size_t>(index)];
    info.length = section.length;
    info.velocity = section.velocity;
    info.diameter = section.diameter;
    info.materialName = MaterialName(section.materialIndex);
    return true;
}

std::string RecordPipe::MaterialName(int index) const
{
    if (index < 0 || index >= kMaxMaterials) {
        return {};
    }
    return materials_.MaterialName(index);
}

}  // namespace korvanta
