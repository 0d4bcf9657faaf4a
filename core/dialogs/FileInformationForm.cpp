#include "core/dialogs/FileInformationForm.h"

#include <cstring>
#include <span>

#include "core/record/MeasurementRecord.h"
#include "core/text/Cp1252.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

// Clears the whole field, then stores at most `limit` characters.
void Store(std::string_view utf8, std::span<char> field, int limit)
{
    std::memset(field.data(), 0, field.size());
    CopyToFixedField(utf8, field.first(static_cast<size_t>(limit) + 1));
}

}  // namespace

FileInformationForm FileInformationForm::FromRecord(const MeasurementRecord& record)
{
    FileInformationForm form;
    form.title = ReadFixedField(record.title);
    for (size_t i = 0; i < form.comments.size(); ++i) {
        form.comments[i] = ReadFixedField(record.comment[i]);
    }
    form.userInformation = ReadFixedField(record.userInformation);
    form.date = ReadFixedField(record.date);
    form.time = ReadFixedField(record.time);
    return form;
}

void FileInformationForm::ToRecord(MeasurementRecord& record) const
{
    Store(title, record.title, kTitleLimit);
    for (size_t i = 0; i < comments.size(); ++i) {
        Store(comments[i], record.comment[i], kCommentLimit);
    }
    Store(userInformation, record.userInformation, kUserInformationLimit);
}

uint32_t CheckGisCode(std::string_view utf8Code)
{
    return utf8Code.find_first_of(",\r\n") == std::string_view::npos ? str::kNoError : str::kGisCodeSeparator;
}

}  // namespace korvanta
