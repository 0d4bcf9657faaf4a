#include "core/dialogs/FileInformationForm.h"

#include "core/record/MeasurementRecord.h"
#include "core/text/Cp1252.h"
#include "core/text/StringIds.h"

namespace korvanta {

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

uint32_t CheckGisCode(std::string_view utf8Code)
{
    return utf8Code.find_first_of(",\r\n") == std::string_view::npos ? str::kNoError : str::kGisCodeSeparator;
}

}  // namespace korvanta
