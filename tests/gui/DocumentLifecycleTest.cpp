// The measurement file through the whole program: a look at the three-station mode, the recent
// files, files named on the command line, a measurement saved or replaced while it runs, and the
// program told to end with a measurement nobody saved.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <csignal>
#include <fstream>

#include "core/app/CommandIds.h"
#include "core/document/KvdFile.h"
#include "core/text/StringIds.h"
#include "core/threestation/Kv3File.h"
#include "core/velocity/KvrFile.h"
#include "gui/forms/CTemplateLayout.h"
#include "gui/threestation/CThreeStationForm.h"
#include "gui/threestation/CThreeStationMode.h"
#include "gui/velocity/CRegressionDialog.h"
#include "gui/view/CKorvantaView.h"
#include "tests/core/document/DocumentTestSupport.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/view/KitFormSupport.h"
#include "tests/support/WholeFile.h"

namespace korvanta::test {
namespace {

namespace fs = std::filesystem;

QString Q(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

class DocumentLifecycle : public AppFixture {
protected:
    // A measurement file with a one-section pipe, made by a document of its own.
    fs::path MakeMeasurementFile(const char* name, float length = 120.0f)
    {
        doctest::DocumentRig rig;
        PipeSections pipe{};
        pipe[0] = doctest::Section(2, length, 1000.0f);
        rig.document->Edit().ApplyPipeData(pipe);
        const fs::path path = folder_ / name;
        EXPECT_TRUE(rig.document->Save(path));
        return path;
    }

    gui::AppOptions OptionsAnsweringFiles()
    {
        gui::AppOptions options = Options();
        options.recoveryFolder = folder_ / "recovery";
        options.askMeasurementFile = [this](bool save) {
            asked_.push_back(save);
            return Q(answer_);
        };
        return options;
    }

    std::vector<bool> asked_;
    fs::path answer_;
};

// Open A, look at "3 sendere", come back to "2 sendere", Gem: the empty document asks for a name
// and A keeps its measurement.
TEST_F(DocumentLifecycle, ALookAtThreeStationsNeverWritesOverTheOpenFile)
{
    const fs::path fileA = MakeMeasurementFile("A.kvd");
    const std::string savedA = ReadAll(fileA);
    Start(OptionsAnsweringFiles());
    ASSERT_TRUE(app_->OpenDocumentFile(Q(fileA)));
    EXPECT_EQ(Frame().windowTitle(), "A.kvd - Korvanta");

    Frame().RouteCommand(cmd::kThreeStationMode);
    ASSERT_NE(app_->ThreeStationMode().Form(), nullptr);
    EXPECT_EQ(Frame().windowTitle(), "en unavngivet fil - Korvanta");
    Frame().RouteCommand(cmd::kTwoStationMode);
    ASSERT_TRUE(ProcessEventsUntil([&] { return qobject_cast<gui::CKorvantaView*>(Frame().Form()) != nullptr; }));
    EXPECT_EQ(Frame().windowTitle(), "en unavngivet fil - Korvanta");

    answer_ = folder_ / "B.kvd";
    Frame().RouteCommand(cmd::kFileSave);
    EXPECT_EQ(asked_, std::vector<bool>{true});
    EXPECT_EQ(ReadAll(fileA), savedA);
    EXPECT_TRUE(fs::exists(answer_));
    EXPECT_EQ(Frame().windowTitle(), "B.kvd - Korvanta");
}

TEST_F(DocumentLifecycle, RecentFilesReopenAndAMissingOneIsNamedAndDropped)
{
    const fs::path fileA = MakeMeasurementFile("A.kvd");
    const fs::path fileB = MakeMeasurementFile("B.kvd", 80.0f);
    Start(OptionsAnsweringFiles());
    ASSERT_TRUE(app_->OpenDocumentFile(Q(fileA)));
    ASSERT_TRUE(app_->OpenDocumentFile(Q(fileB)));
    Frame().UpdateCommandUi();
    QAction* older = Frame().Action(cmd::kFileRecentFirst + 1);
    ASSERT_NE(older, nullptr);
    EXPECT_TRUE(older->isEnabled());
    older->trigger();
    EXPECT_EQ(app_->Document().Path(), fs::absolute(fileA).string());
    EXPECT_EQ(app_->Document().Pipe().TotalLength(), 120.0f);

    fs::remove(fileB);
    hook_.ExpectNext(str::kRecentFileMissing, MessageAnswer::Ok);
    Frame().Action(cmd::kFileRecentFirst + 1)->trigger();
    EXPECT_NE(hook_.LastText(str::kRecentFileMissing).find(fs::absolute(fileB).string()), std::string::npos);
    EXPECT_EQ(app_->Settings().RecentFiles().Paths(), std::vector<std::string>{fs::absolute(fileA).string()});
    EXPECT_EQ(Frame().Action(cmd::kFileRecentFirst + 1), nullptr);
}

TEST_F(DocumentLifecycle, FilesFromTheCommandLineGoWhereWhatTheyHoldBelongs)
{
    {
        doctest::DocumentRig rig;
        rig.document->ThreeStationRun().Setup({0, 0, 0}, 100.0f, 800.0f);
        std::string error;
        ASSERT_TRUE(WriteKv3File(folder_ / "tre-sendere.kvd", rig.document->ThreeStation(), CThreeStationResult(),
                                 error))
            << error;
    }
    CRegressionData regressionSet;
    regressionSet.SetStaticSensor(1);  // red stayed in place
    ASSERT_FALSE(WriteKvrFile(folder_ / "hastighed.dat", regressionSet).has_value());
    gui::AppOptions options = OptionsAnsweringFiles();
    options.files = {Q(folder_ / "tre-sendere.kvd"), Q(folder_ / "hastighed.dat")};
    Start(options);
    gui::CThreeStationForm* form = app_->ThreeStationMode().Form();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->IsFileLoaded());

    // The regression window is modal: a timer looks at it from inside its own event loop.
    uint32_t staticSensor = kNoStaticSensor;
    bool seen = false;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (auto* regression = qobject_cast<gui::CRegressionDialog*>(QApplication::activeModalWidget())) {
            seen = true;
            staticSensor = regression->Session().Data().StaticSensor();
            regression->reject();
        }
    });
    look.start(20);
    ASSERT_TRUE(ProcessEventsUntil([&] { return seen; }));
    EXPECT_EQ(staticSensor, 1u);
}

TEST_F(DocumentLifecycle, SigtermKeepsAnUnsavedMeasurementThatTheNextStartOffers)
{
    const fs::path fileA = MakeMeasurementFile("A.kvd");
    Start(OptionsAnsweringFiles());
    ASSERT_TRUE(app_->OpenDocumentFile(Q(fileA)));
    app_->Document().Edit().SetFileInformation("Ændret efter åbning", {}, "");
    ASSERT_TRUE(app_->Document().HasUnsavedMeasurement());

    std::raise(SIGTERM);
    const fs::path recovery = app_->RecoveryFile();
    ASSERT_TRUE(ProcessEventsUntil([&] { return fs::exists(recovery); }));
    app_->ExitInstance();
    app_.reset();

    hook_.ExpectNext(str::kRecoveryOffer, MessageAnswer::Yes);
    Start(OptionsAnsweringFiles());
    CKorvantaDoc& doc = app_->Document();
    EXPECT_EQ(doc.GetFileInformation().title, "Ændret efter åbning");
    EXPECT_EQ(doc.Path(), "");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(fs::exists(recovery));  // offered once
    EXPECT_NE(hook_.LastText(str::kRecoveryOffer).find(recovery.string()), std::string::npos);
    doc.SetModified(false);
}

TEST_F(DocumentLifecycle, SettingsThatCannotBeWrittenAtExitAreReported)
{
    std::ofstream(folder_ / "not-a-folder") << "x";
    gui::AppOptions options = OptionsAnsweringFiles();
    options.settingsFile = Q(folder_ / "not-a-folder" / "korvanta.ini");
    Start(options);
    hook_.ExpectNext(str::kSettingsNotSaved, MessageAnswer::Ok);
    app_->ExitInstance();
    EXPECT_NE(hook_.LastText(str::kSettingsNotSaved).find("not-a-folder"), std::string::npos);
}

// START with the kit: the status bar tells that it starts and runs; a finished, unsaved result is
// asked for before the next START; closing the window while it runs saves one measurement.
TEST_F(DocumentLifecycle, StartAsksForAnUnsavedResultAndClosingWhileMeasuringSavesOne)
{
    Start(OptionsAnsweringFiles());
    ASSERT_TRUE(OpenKitPort());
    QAbstractButton* start = StartButtonWhenReady(Frame().Form());
    ASSERT_NE(start, nullptr);
    CKorvantaDoc& doc = app_->Document();
    doc.Edit().ApplyPipeData(KitDefaultPipe());

    QString duringStart;
    QTimer::singleShot(0, &Frame(), [&] { duringStart = Frame().StatusText(); });
    start->click();
    ASSERT_EQ(start->text(), "STOP");
    EXPECT_EQ(duringStart, "Starter måling…");
    ASSERT_TRUE(ProcessEventsUntil([&] { return doc.PairTotal() >= 2; }, std::chrono::seconds(60)));
    EXPECT_TRUE(Frame().StatusText().startsWith("Måler… ")) << Frame().StatusText().toStdString();
    start->click();
    ASSERT_EQ(start->text(), "START");
    EXPECT_EQ(Frame().StatusText(), "Klar");

    hook_.ExpectNext(str::kSaveChangesQuestion, MessageAnswer::Cancel);
    start->click();
    EXPECT_EQ(start->text(), "START");
    hook_.ExpectNext(str::kSaveChangesQuestion, MessageAnswer::No);
    start->click();
    ASSERT_EQ(start->text(), "STOP");
    ASSERT_TRUE(ProcessEventsUntil([&] { return doc.PairTotal() >= 3; }, std::chrono::seconds(60)));

    answer_ = folder_ / "running.kvd";
    hook_.ExpectNext(str::kSaveChangesQuestion, MessageAnswer::Yes);
    EXPECT_TRUE(Frame().close());
    EXPECT_FALSE(doc.IsMeasuring());
    doctest::DocumentRig reader;
    ASSERT_TRUE(reader.document->Open(answer_));
    ASSERT_TRUE(reader.document->Recompute());
    EXPECT_EQ(reader.document->PairTotal(), doc.PairTotal());
    EXPECT_FLOAT_EQ(reader.document->GetDelay(), doc.GetDelay());
    EXPECT_NE(reader.document->MeasuringTime(), "");
}

}  // namespace
}  // namespace korvanta::test
