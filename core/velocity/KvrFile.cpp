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

// Far beyond any pipe between two sensors, and half the widest correlation span: a point outside
// them came from no measurement.
constexpr float kMaxLengthMetres = 100000.0f;
constexpr float kMaxDelaySeconds = 2.097152f;
constexpr float kMaxVelocity = 10000.0f;
constexpr float kMaxDiameter = 10000.0f;

bool Within(float value, float low, float high)
{
    return std::isfinite(value) && value >= low && value <= high;
}

// What makes a used point one no measurement can give, empty when it is sound.
std::string PointDamage(const RegressionPoint& point, size_t index)
{
    const std::string which = "point " + std::to_string(index + 1);
    if (!Within(point.delay, -kMaxDelaySeconds, kMaxDelaySeconds)) {
        return which + " has a delay of " + std::to_string(point.delay) + " s";
    }
    if (!Within(point.length, 0.0f, kMaxLengthMetres)) {
        return which + " has a pipe length of " + std::to_string(point.length) + " m";
    }
    if (point.range > 2) {
        return which + " has correlation range " + std::to_string(point.range);
    }
    if (std::find(point.name.begin(), point.name.end(), '\0') == point.name.end()) {
        return which + " has a name without an end";
    }
    return {};
}

std::string ReferenceDamage(const ReferenceSection& reference)
{
    if (reference.inUse > 1 || !Within(reference.length, 0.0f, kMaxLengthMetres) ||
        !Within(reference.diameter, 0.0f, kMaxDiameter) || !Within(reference.velocity, 0.0f, kMaxVelocity)) {
        return "the reference pipe section holds values no pipe has";
    }
    return {};
}

std::optional<uint32_t> Refuse(uint32_t message, std::string text, std::string* reason)
{
    if (reason != nullptr) {
        *reason = std::move(text);
    }
    return message;
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

std::optional<uint32_t> ParseKvr(std::span<const uint8_t> image, CRegressionData& data, std::string* reason)
{
    if (image.size() < kKvrHeaderBytes) {
        return Refuse(str::kFileNotRead, "not a regression file: " + std::to_string(image.size()) + " bytes", reason);
    }
    ByteReader in(image);
    if (in.U32() != kKvrMagic) {
        return Refuse(str::kFileNotRead, "not a regression file (it does not begin as one)", reason);
    }
    if (in.U16() > kKvrVersion) {
        return Refuse(str::kRegressionVersionNotSupported, "made by a newer version of the program", reason);
    }
    const uint16_t slots = in.U16();
    const uint16_t slotBytes = in.U16();
    if (slots != kMaxRegressionPoints || slotBytes != kRegressionPointBytes) {
        return Refuse(str::kFileNotRead, "not a regression file (its layout is not the one known)", reason);
    }
    const size_t count = in.U8();
    const uint32_t staticSensor = in.U8();
    const ReferenceSection reference = ReadReference(in);
    if (image.size() < kKvrFileBytes) {
        return Refuse(str::kFileNotRead, "cut short: " + std::to_string(image.size()) + " of " +
                                             std::to_string(kKvrFileBytes) + " bytes",
                      reason);
    }
    if (count > kMaxRegressionPoints) {
        return Refuse(str::kFileNotRead, std::to_string(count) + " points, at most 10 fit", reason);
    }
    if (staticSensor > kNoStaticSensor) {
        return Refuse(str::kFileNotRead, "static sensor " + std::to_string(staticSensor), reason);
    }
    if (std::string damage = ReferenceDamage(reference); !damage.empty()) {
        return Refuse(str::kFileNotRead, damage, reason);
    }
    auto points = std::make_unique<std::array<RegressionPoint, kMaxRegressionPoints>>();
    for (RegressionPoint& point : *points) {
        point = ReadPoint(in);
    }
    for (size_t i = 0; i < count; ++i) {
        if (std::string damage = PointDamage((*points)[i], i); !damage.empty()) {
            return Refuse(str::kFileNotRead, damage, reason);
        }
    }
    CRegressionData scratch;
    scratch.Assign(*points, count, reference, staticSensor);
    const RegressionFit& fit = scratch.Fit();
    if (fit.HasLine() && !(std::isfinite(fit.slope) && fit.slope != 0.0f)) {
        return Refuse(str::kFileNotRead, "the included points all have the same delay: they give no velocity", reason);
    }
    data.Assign(*points, count, reference, staticSensor);
    return std::nullopt;
}

std::optional<uint32_t> ReadKvrFile(const std::filesystem::path& path, CRegressionData& data, FileProblem* problem,
                                    std::string* reason)
{
    // Bytes after the ten slots are not read; a folder, a device or a pipe is refused unread.
    InputFile file(path, UINT64_MAX);
    if (!file.IsOpen()) {
        if (problem != nullptr) {
            *problem = file.Problem();
        }
        return Refuse(str::kFileNotOpened, file.Error(), reason);
    }
    std::vector<uint8_t> image(kKvrFileBytes);
    image.resize(file.Read(image));
    if (!file.Error().empty()) {
        if (problem != nullptr) {
            *problem = file.Problem();
        }
        return Refuse(str::kFileNotRead, file.Error(), reason);
    }
    return ParseKvr(image, data, reason);
}

std::optional<uint32_t> WriteKvrFile(const std::filesystem::path& path, const CRegressionData& data,
                                     FileProblem* problem)
{
    std::string error;
    if (!CheckFileWritable(path, error, 0, problem)) {
        return str::kFileNotSaved;
    }
    if (!WriteFileAtomically(path, FormatKvr(data), error, problem)) {
        return str::kDataNotWritten;
    }
    return std::nullopt;
}

}  // namespace korvanta
