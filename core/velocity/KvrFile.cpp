#include "core/velocity/KvrFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "core/fileio/AtomicFileWriter.h"
#include "core/fileio/InputFile.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& out) : out_(out) {}
    void U8(uint8_t value) { out_.push_back(value); }
    void U16(uint16_t value) { Raw(&value, 2); }
    void U32(uint32_t value) { Raw(&value, 4); }
    void F32(float value) { Raw(&value, 4); }
    void Raw(const void* data, size_t size)
    {
        const auto* bytes = static_cast<const uint8_t*>(data);
        out_.insert(out_.end(), bytes, bytes + size);
    }

private:
    std::vector<uint8_t>& out_;
};

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> in) : in_(in) {}
    uint8_t U8() { return in_[at_++]; }
    uint16_t U16() { return Get<uint16_t>(); }
    uint32_t U32() { return Get<uint32_t>(); }
    float F32() { return Get<float>(); }
    void Raw(void* data, size_t size)
    {
        std::memcpy(data, in_.data() + at_, size);
        at_ += size;
    }

private:
    template <typename T>
    T Get()
    {
        T value;
        Raw(&value, sizeof value);
        return value;
    }
    std::span<const uint8_t> in_;
    size_t at_ = 0;
};

static_assert(std::endian::native == std::endian::little, "the file layouts are little-endian");

void WriteReference(ByteWriter& out, const ReferenceSection& reference)
{
    out.U16(static_cast<uint16_t>(reference.materialIndex));
    out.F32(reference.length);
    out.F32(reference.diameter);
    out.F32(reference.velocity);
    out.U8(reference.inUse);
}

ReferenceSection ReadReference(ByteReader& in)
{
    ReferenceSection reference;
    reference.materialIndex = static_cast<int16_t>(in.U16());
    reference.length = in.F32();
    reference.diameter = in.F32();
    reference.velocity = in.F32();
    reference.inUse = in.U8();
    return reference;
}

void WritePoint(ByteWriter& out, const RegressionPoint& point)
{
    out.F32(point.delay);
    out.F32(point.length);
    out.U8(point.included);
    out.U8(point.range);
    out.Raw(point.header.data(), point.header.size());
    out.Raw(point.name.data(), point.name.size());
    out.U8(point.reserved);
}

RegressionPoint ReadPoint(ByteReader& in)
{
    RegressionPoint point;
    point.delay = in.F32();
    point.length = in.F32();
    point.included = in.U8();
    point.range = in.U8();
    in.Raw(point.header.data(), point.header.size());
    in.Raw(point.name.data(), point.name.size());
    point.reserved = in.U8();
    return point;
}

// A used point must be one a measurement can give: finite numbers, a known range and a name that
// ends inside its field.
bool IsSoundPoint(const RegressionPoint& point)
{
    return std::isfinite(point.delay) && std::isfinite(point.length) && point.range <= 2 &&
           std::find(point.name.begin(), point.name.end(), '\0') != point.name.end();
}

}  // namespace

std::vector<uint8_t> FormatKvr(const CRegressionData& data)
{
    std::vector<uint8_t> image;
    image.reserve(kKvrFileBytes);
    ByteWriter out(image);
    out.U32(kKvrMagic);
    out.U16(kKvrVersion);
    out.U16(static_cast<uint16_t>(kMaxRegressionPoints));
    out.U16(static_cast<uint16_t>(kRegressionPointBytes));
    out.U8(static_cast<uint8_t>(data.Count()));
    out.U8(static_cast<uint8_t>(data.StaticSensor()));
    WriteReference(out, data.Reference());
    for (const RegressionPoint& point : data.Slots()) {
        WritePoint(out, point);
    }
    return image;
}

std::optional<uint32_t> ParseKvr(std::span<const uint8_t> image, CRegressionData& data)
{
    if (image.size() < kKvrHeaderBytes) {
        return str::kFileNotRead;
    }
    ByteReader in(image);
    in.U32();  // magic: written, never relied on
    if (in.U16() > kKvrVersion) {
        return str::kRegressionVersionNotSupported;
    }
    in.U16();  // slot count and slot size: the layout is fixed
    in.U16();
    const size_t count = in.U8();
    const uint32_t staticSensor = in.U8();
    const ReferenceSection reference = ReadReference(in);
    if (image.size() < kKvrFileBytes || count > kMaxRegressionPoints || staticSensor > kNoStaticSensor) {
        return str::kFileNotRead;
    }
    auto slots = std::make_unique<std::array<RegressionPoint, kMaxRegressionPoints>>();
    for (RegressionPoint& point : *slots) {
        point = ReadPoint(in);
    }
    if (!std::all_of(slots->begin(), slots->begin() + static_cast<std::ptrdiff_t>(count), IsSoundPoint)) {
        return str::kFileNotRead;
    }
    data.Assign(*slots, count, reference, staticSensor);
    return std::nullopt;
}

std::optional<uint32_t> ReadKvrFile(const std::filesystem::path& path, CRegressionData& data, FileProblem* problem)
{
    // Bytes after the ten slots are not read; a folder, a device or a pipe is refused unread.
    InputFile file(path, UINT64_MAX);
    if (!file.IsOpen()) {
        if (problem != nullptr) {
            *problem = file.Problem();
        }
        return str::kFileNotOpened;
    }
    std::vector<uint8_t> image(kKvrFileBytes);
    image.resize(file.Read(image));
    if (!file.Error().empty()) {
        if (problem != nullptr) {
            *problem = file.Problem();
        }
        return str::kFileNotRead;
    }
    return ParseKvr(image, data);
}

std::optional<uint32_t> WriteKvrFile(const std::filesystem::path& path, const CRegressionData& data,
                                     FileProblem* problem)
{
    std::string error;
    if (!CheckFileWritable(path, error, problem)) {
        return str::kFileNotSaved;
    }
    if (!WriteFileAtomically(path, FormatKvr(data), error, problem)) {
        return str::kDataNotWritten;
    }
    return std::nullopt;
}

}  // namespace korvanta
