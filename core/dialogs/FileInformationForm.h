#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvanta {

// The texts of the file information dialog ("Filinformation"), UTF-8, and how many characters
// each edit takes (the record's fields less their terminating zero; Windows-1252 keeps one byte
// per character). The document stores the confirmed texts.
struct FileInformationForm {
    static constexpr int kTitleLimit = 59;
    static constexpr int kCommentLimit = 59;
    static constexpr int kUserInformationLimit = 19;

    std::string title;
    std::array<std::string, 3> comments;
    std::string userInformation;
    std::string date;  // read-only
    std::string time;  // read-only
};

// The GIS code is the first field of the export's comma-separated line, written in Windows-1252.
// A comma or a line break is fine (the field is quoted); a character that Windows-1252 cannot
// write, or a control character other than a tab or a line break, would not come back as typed.
// Returns str::kNoError or the message to show.
uint32_t CheckGisCode(std::string_view utf8Code);

}  // namespace korvanta
