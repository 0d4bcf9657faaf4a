#include "core/fileio/FileProblem.h"

#include <cerrno>
#include <initializer_list>

#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {

namespace {

std::string Text(uint32_t id)
{
    const char* text = LoadString(id);
    return text != nullptr ? text : "";
}

// Puts the values in place of the pattern's markers, in one pass, so a value that holds a
// marker itself (a file called "%s.kvd") stays as it is.
std::string Fill(const std::string& pattern, const std::string& marker, std::initializer_list<std::string> values)
{
    std::string out;
    auto value = values.begin();
    size_t from = 0;
    for (size_t at = pattern.find(marker); at != std::string::npos && value != values.end();
         at = pattern.find(marker, from)) {
        out.append(pattern, from, at - from);
        out += *value++;
        from = at + marker.size();
    }
    out.append(pattern, from);
    return out;
}

}  // namespace

FileProblem FileProblemFromErrno(int code)
{
    using K = FileProblem::Kind;
    switch (code) {
    case 0:
        return {K::None, 0};
    case ENOENT:
        return {K::NotFound, code};
    case EACCES:
    case EPERM:
        return {K::NoAccess, code};
    case ENOSPC:
#if defined(EDQUOT)
    case EDQUOT:
#endif
    case EFBIG:
        return {K::DiskFull, code};
    case EISDIR:
        return {K::Folder, code};
    case ELOOP:
        return {K::LinkLoop, code};
    case EROFS:
        return {K::ReadOnlyDisk, code};
    case ENAMETOOLONG:
        return {K::NameTooLong, code};
    case ENOTDIR:
        return {K::NoFolder, code};
    case ENXIO:
    case ENODEV:
        return {K::Device, code};
    default:
        return {K::Other, code};
    }
}

std::string FileProblemText(const FileProblem& problem)
{
    using K = FileProblem::Kind;
    switch (problem.kind) {
    case K::None:
        return {};
    case K::NotFound:
        return Text(str::kReasonNotFound);
    case K::NoAccess:
        return Text(str::kReasonNoAccess);
    case K::DiskFull:
        return Text(str::kReasonDiskFull);
    case K::Folder:
        return Text(str::kReasonFolder);
    case K::NamedPipe:
        return Text(str::kReasonNamedPipe);
    case K::Device:
        return Text(str::kReasonDevice);
    case K::LinkLoop:
        return Text(str::kReasonLinkLoop);
    case K::DanglingLink:
        return Text(str::kReasonDanglingLink);
    case K::ReadOnlyDisk:
        return Text(str::kReasonReadOnlyDisk);
    case K::TooLarge:
        return Text(str::kReasonTooLarge);
    case K::NameTooLong:
        return Text(str::kReasonNameTooLong);
    case K::NoFolder:
        return Text(str::kReasonNoFolder);
    case K::Other:
        break;
    }
    return Fill(Text(str::kReasonOther), "%d", {std::to_string(problem.code)});
}

std::string FileFailureText(uint32_t patternId, const std::string& path, const std::string& reason)
{
    return Fill(Text(patternId), "%s", {path, reason});
}

}  // namespace korvanta
