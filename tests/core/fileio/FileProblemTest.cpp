// What the window tells the user when a file cannot be opened or saved: the file and the reason,
// found on the real file system where a test can make the case, and from the system's answer
// where it cannot (a full disk, missing rights for root).
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include <sys/stat.h>

#include "core/document/CKorvantaDoc.h"
#include "core/document/KvdFile.h"
#include "core/app/ProgramFileKind.h"
#include "core/fileio/AtomicFileWriter.h"
#include "core/fileio/FileProblem.h"
#include "core/fileio/InputFile.h"
#include "core/threestation/Kv3File.h"
#include "core/velocity/KvrFile.h"
#include "core/text/StringIds.h"
#include "tests/core/document/DocumentTestSupport.h"
#include "tests/support/TempFolder.h"

namespace korvanta {
namespace {

namespace fs = std::filesystem;
using Kind = FileProblem::Kind;

void Write(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

TEST(FileProblemTest, TheSystemsAnswersInTheUsersWords)
{
    struct Case {
        int code;
        Kind kind;
        const char* text;
    };
    const Case cases[] = {
        {ENOSPC, Kind::DiskFull, "Disken er fuld."},
        {EDQUOT, Kind::DiskFull, "Disken er fuld."},
        {EACCES, Kind::NoAccess, "Der mangler adgang til filen eller mappen."},
        {EPERM, Kind::NoAccess, "Der mangler adgang til filen eller mappen."},
        {EROFS, Kind::ReadOnlyDisk, "Disken er skrivebeskyttet."},
        {ELOOP, Kind::LinkLoop, "Navnet er en genvej (symbolsk link), der peger i ring."},
        {ENOENT, Kind::NotFound, "Filen findes ikke."},
        {EIO, Kind::Other, "Systemet meldte fejl nummer 5."},
    };
    for (const Case& c : cases) {
        const FileProblem problem = FileProblemFromErrno(c.code);
        EXPECT_EQ(problem.kind, c.kind) << c.code;
        EXPECT_EQ(FileProblemText(problem), c.text) << c.code;
    }
    // A file name that holds the pattern's marker stays as it is.
    EXPECT_EQ(FileFailureText(str::kFileSaveFailedNamed, "/m/%s.kvd", "Disken er fuld."),
              "Filen blev ikke gemt:\r\n/m/%s.kvd\r\n\r\nDisken er fuld.");
}

TEST(FileProblemTest, WhatIsAtTheNameIsFoundOnOpeningAndOnSaving)
{
    test::TempFolder folder;
    fs::create_directory(folder / "mappe");
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
    fs::create_symlink(folder / "b", folder / "a");
    fs::create_symlink(folder / "a", folder / "b");
    fs::create_symlink(folder / "intet", folder / "dangling");
    struct Case {
        const char* name;
        Kind onOpen;
        Kind onSave;
    };
    const Case cases[] = {
        {"mangler.kvd", Kind::NotFound, Kind::None},
        {"mappe", Kind::Folder, Kind::Folder},
        {"fifo", Kind::NamedPipe, Kind::NamedPipe},
        {"a", Kind::LinkLoop, Kind::LinkLoop},
        {"dangling", Kind::NotFound, Kind::DanglingLink},
        {"ingen-mappe/m.kvd", Kind::NotFound, Kind::NoFolder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const InputFile in(folder / c.name, UINT64_MAX);
        EXPECT_EQ(in.Problem().kind, c.onOpen);
        // The three-station file reads through the same checks (a named pipe is not waited on).
        Kv3Contents contents;
        FileProblem kv3;
        EXPECT_EQ(ReadKv3File(folder / c.name, contents, nullptr, &kv3), Kv3Status::CannotOpen);
        EXPECT_EQ(kv3.kind, c.onOpen);
        std::string error;
        FileProblem problem;
        const bool written = WriteFileAtomically(folder / c.name, std::vector<uint8_t>{1, 2}, error, &problem);
        EXPECT_EQ(written, c.onSave == Kind::None);
        EXPECT_EQ(problem.kind, c.onSave);
    }
}

TEST(FileProblemTest, TheDocumentNamesTheFileAndTheReason)
{
    doctest::DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    fs::create_directory(rig.folder / "mappe.kvd");
    EXPECT_FALSE(doc.Save(rig.folder / "mappe.kvd"));
    EXPECT_FALSE(doc.Open(rig.folder / "mangler.kvd"));
    Write(rig.folder / "kort.kvd", {11, 0, 1});
    EXPECT_FALSE(doc.Open(rig.folder / "kort.kvd"));
    const std::string folder = rig.folder.Path().string();
    ASSERT_EQ(rig.messages.texts.size(), 3u);
    EXPECT_EQ(rig.messages.texts[0],
              "Filen blev ikke gemt:\r\n" + folder + "/mappe.kvd\r\n\r\nNavnet er en mappe, ikke en fil.");
    EXPECT_EQ(rig.messages.texts[1], "Filen kunne ikke åbnes:\r\n" + folder + "/mangler.kvd\r\n\r\nFilen findes ikke.");
    EXPECT_NE(rig.messages.texts[2].find(folder + "/kort.kvd\r\n\r\nEn fejl er opstået under åbning"), std::string::npos);
    // The message IDs stay those the window always showed.
    EXPECT_EQ(rig.messages.shown[0].first, str::kFileNotSaved);
    EXPECT_EQ(rig.messages.shown[1].first, str::kFileNotOpened);
}

TEST(FileProblemTest, FilesAreToldApartByWhatTheyHold)
{
    test::TempFolder folder;
    std::vector<uint8_t> kv3(kKv3FileBytes);
    std::memcpy(kv3.data(), &kKv3Magic, sizeof(kKv3Magic));
    Write(folder / "tre.kvd", kv3);
    Write(folder / "regression.dat", {0xBE, 0xBA, 0xDA, 0xBE, 1, 0});
    Write(folder / "maaling.kv3", {11, 0, 0, 0});
    Write(folder / "tekst.kvd", {'h', 'e', 'j'});
    EXPECT_EQ(IdentifyProgramFile(folder / "tre.kvd"), ProgramFileKind::ThreeStationResult);
    EXPECT_EQ(IdentifyProgramFile(folder / "regression.dat"), ProgramFileKind::Regression);
    EXPECT_EQ(IdentifyProgramFile(folder / "maaling.kv3"), ProgramFileKind::Measurement);
    EXPECT_EQ(IdentifyProgramFile(folder / "tekst.kvd"), ProgramFileKind::Unknown);
    FileProblem problem;
    EXPECT_EQ(IdentifyProgramFile(folder / "mangler", &problem), ProgramFileKind::Unknown);
    EXPECT_EQ(problem.kind, Kind::NotFound);
}

}  // namespace
}  // namespace korvanta
