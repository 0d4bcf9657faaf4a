#include "core/document/RecordTexts.h"

#include <algorithm>
#include <cstring>

#include "core/document/DocumentFileName.h"
#include "core/text/Cp1252.h"

namespace korvanta {

namespace {

constexpr size_t kMeasuringTimeChars = sizeof(MeasurementRecord::measuringTime);

void FormatInto(std::span<char> field, const char* format, const std::tm& when)
{
    std::fill(field.begin(), field.end(), '\0');
    // On overflow strftime gives 0 and leaves the contents unspecified: keep the field empty.
    if (std::strftime(field.data(), field.size(), format, &when) == 0) {
        std::fill(field.begin(), field.end(), '\0');
    }
}

}  // namespace

FileInformation RecordTexts::Information(const std::string& path) const
{
    FileInformation info;
    info.name = DocumentFileName(path);
    info.title = ReadFixedField(record_.title);
    info.date = ReadFixedField(record_.date);
    info.time = ReadFixedField(record_.time);
    info.userInformation = ReadFixedField(record_.userInformation);
    return info;
}

std::array<std::string, 3> RecordTexts::CommentLines() const
{
    return {ReadFixedField(record_.comment[0]), ReadFixedField(record_.comment[1]), ReadFixedField(record_.comment[2])};
}

std::string RecordTexts::MeasuringTime() const
{
    return ReadFixedField(record_.measuringTime);
}

void RecordTexts::SetInformation(const std::string& title, const std::array<std::string, 3>& comments,
                                 const std::string& userInformation)
{
    CopyToFixedField(title, record_.title);
    for (size_t i = 0; i < comments.size(); ++i) {
        CopyToFixedField(comments[i], record_.comment[i]);
    }
    std::memset(record_.userInformation, 0, sizeof(record_.userInformation));
    CopyToFixedField(userInformation, std::span<char>(record_.userInformation, kUserInformationLimit + 1));
}

void RecordTexts::SetMeasuringTime(std::string_view text)
{
    std::memset(record_.measuringTime, 0, kMeasuringTimeChars);
    std::memcpy(record_.measuringTime, text.data(), std::min(text.size(), kMeasuringTimeChars));
}

void RecordTexts::StampDateAndTime(const std::tm& when)
{
    FormatInto(record_.date, "%d %b %Y", when);
    FormatInto(record_.time, "%H:%M", when);
}

std::tm CurrentLocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace korvanta
