#include "core/document/DocumentFileIo.h"

#include "core/document/KvdFile.h"
#include "core/fileio/FileProblem.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {

std::unique_ptr<MeasurementRecord> DocumentFileIo::Read(const std::filesystem::path& path) const
{
    auto record = std::make_unique<MeasurementRecord>();
    FileProblem problem;
    const KvdStatus status = ReadKvdFile(path, *record, &problem);
    if (status != KvdStatus::Ok) {
        const uint32_t id = KvdStatusMessage(status);
        const std::string reason = status == KvdStatus::CannotOpen ? FileProblemText(problem) : LoadString(id);
        messages_.ShowText(id, FileFailureText(str::kFileOpenFailedNamed, path.string(), reason), kStyleExclamation);
        return nullptr;
    }
    return record;
}

bool DocumentFileIo::IsSound(const MeasurementRecord& record, const std::filesystem::path& path) const
{
    if (!FindRecordDamage(record).empty()) {
        const uint32_t id = KvdStatusMessage(KvdStatus::Damaged);
        messages_.ShowText(id, FileFailureText(str::kFileOpenFailedNamed, path.string(), LoadString(id)),
                           kStyleExclamation);
        return false;
    }
    return true;
}

bool DocumentFileIo::Write(const std::filesystem::path& path, const MeasurementRecord& record,
                           std::string* reason) const
{
    std::string error;
    FileProblem problem;
    if (WriteKvdFile(path, record, error, &problem)) {
        return true;
    }
    if (reason) {
        *reason = error;
    }
    const std::string why = problem.kind != FileProblem::Kind::None ? FileProblemText(problem) : error;
    messages_.ShowText(str::kFileNotSaved, FileFailureText(str::kFileSaveFailedNamed, path.string(), why),
                       kStyleExclamation);
    return false;
}

}  // namespace korvanta
