#pragma once

#include <array>
#include <ctime>
#include <span>
#include <string>
#include <string_view>

#include "core/record/MeasurementRecord.h"

namespace korvanta {

struct FileInformation {
    std::string name;  // file name without folder and extension
    std::string title;
    std::string date;
    std::string time;
    std::string userInformation;
};

// The texts of a measurement record as the file information dialog and the view show and edit
// them: title, comments, user information, the date and time of the stop, the measuring time.
// Texts come and go as UTF-8 and lie in the record as Windows-1252.
class RecordTexts {
public:
    static constexpr size_t kUserInformationLimit = 19;

    explicit RecordTexts(MeasurementRecord& record) : record_(record) {}

    // `path` gives the file name.
    FileInformation Information(const std::string& path) const;
    std::array<std::string, 3> CommentLines() const;
    std::string MeasuringTime() const;

    // Too long texts are cut to their field.
    void SetInformation(const std::string& title, const std::array<std::string, 3>& comments,
                        const std::string& userInformation);
    // The view's elapsed-time text, at most 8 characters.
    void SetMeasuringTime(std::string_view text);
    // "%d %b %Y" and "%H:%M" of `when`.
    void StampDateAndTime(const std::tm& when);

private:
    MeasurementRecord& record_;
};

// The local wall-clock time now.
std::tm CurrentLocalTime();

}  // namespace korvanta
