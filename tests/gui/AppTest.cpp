#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

#include <cstring>
#include <fstream>

#include "core/app/CommandIds.h"
#include "core/document/KvdFile.h"
#include "core/text/StringIds.h"
#include "gui/app/AppOptions.h"
#include "gui/app/CAboutDialog.h"
#include "tests/gui/GuiTestSupport.h"

namespace korvanta::test {
namespace {

using AppTest = AppFixture;

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// A kvd file of an empty measurement with the given title.
std::filesystem::path WriteKvd(const TempFolder& folder, const std::string& name, const char* title)
{
    MeasurementRecord record = MakeEmptyRecord();
    record.pairCode = 6;
    std::strncpy(record.title, title, sizeof(record.title) - 1);
    const std::vector<uint8_t> image = FormatKvd(record);
    const auto path = folder / name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    return path;
}

// Drags a file over the window and drops it, as the file manager does.
void DropOn(QWidget& window, const std::filesystem::path& file)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
}

TEST_F(AppTest, FirstRunTakesTheDefaultsAndExitWritesThem)
{
    Start();
    EXPECT_EQ(app_->GetUnitSystem(), UnitSystem::Metric);
    EXPECT_EQ(app_->GetTimeUnit(), TimeUnit::Seconds);
    EXPECT_EQ(app_->GetSensorPairCode(), 6);
    EXPECT_EQ(app_->GetComPort(), "COM1");
    app_->ExitInstance();
    QSettings stored(SettingsFile(), QSettings::IniFormat);
    stored.beginGroup(QStringLiteral("Settings"));
    EXPECT_EQ(stored.value(QStringLiteral("Length")).toInt(), 0);
    EXPECT_EQ(stored.value(QStringLiteral("Time")).toInt(), 0);
    EXPECT_EQ(stored.value(QStringLiteral("Sensors")).toInt(), 6);
    EXPECT_EQ(stored.value(QStringLiteral("COM Port")).toString(), QStringLiteral("COM1"));
}

TEST_F(AppTest, SettingsRoundTripAndBadValuesTakeDefaults)
{
    {
        Start();
        app_->SetUnitSystem(UnitSystem::Imperial);
        app_->SetTimeUnit(TimeUnit::Milliseconds);
        app_->SetSensorPairCode(12);
        app_->SetComPort("/dev/ttyUSB0");
        app_->ExitInstance();
        app_.reset();
    }
    Start();
    EXPECT_EQ(app_->GetUnitSystem(), UnitSystem::Imperial);
    EXPECT_EQ(app_->GetTimeUnit(), TimeUnit::Milliseconds);
    EXPECT_EQ(app_->GetSensorPairCode(), 12);
    EXPECT_EQ(app_->GetComPort(), "/dev/ttyUSB0");
    EXPECT_EQ(app_->Document().Settings().GetSensorPairCode(), 12) << "the document reads the same settings";
    app_->ExitInstance();
    app_.reset();

    WriteText(folder_ / "korvanta.ini", "[Settings]\nLength=metres\nTime=7\nSensors=15\nCOM Port=a, b\n");
    Start();
    EXPECT_EQ(app_->GetUnitSystem(), UnitSystem::Metric);
    EXPECT_EQ(app_->GetTimeUnit(), TimeUnit::Seconds);
    EXPECT_EQ(app_->GetSensorPairCode(), 6);
    EXPECT_EQ(app_->GetComPort(), "COM1");
}

TEST_F(AppTest, CommsThreadRunsFromStartToExit)
{
    Start();
    EXPECT_TRUE(app_->IsCommsRunning());
    app_->ExitInstance();
    EXPECT_FALSE(app_->IsCommsRunning());
}

TEST_F(AppTest, CommandLineFileIsOpenedAndRemembered)
{
    const auto kvd = WriteKvd(folder_, "måling.kvd", "Vejle");
    gui::AppOptions options = Options();
    options.files = {QString::fromStdString(kvd.string())};
    Start(options);
    EXPECT_STREQ(app_->Document().Record().title, "Vejle");
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("måling.kvd - Korvanta"));
    ASSERT_NE(Frame().Action(cmd::kFileRecentFirst), nullptr);
    EXPECT_TRUE(Frame().Action(cmd::kFileRecentFirst)->text().endsWith(QStringLiteral("måling.kvd")));

    // New document: untitled again, the recent file stays.
    Frame().RouteCommand(cmd::kFileNew);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("en unavngivet fil - Korvanta"));
    Frame().RouteCommand(cmd::kFileRecentFirst);
    EXPECT_STREQ(app_->Document().Record().title, "Vejle");
}

TEST_F(AppTest, ADroppedFileThatIsNoMeasurementLeavesTheOpenOneAndSaysWhy)
{
    const auto kvd = WriteKvd(folder_, "good.kvd", "Odense");
    WriteText(folder_ / "notes.txt", "hello, not a measurement\n");
    gui::AppOptions options = Options();
    options.files = {QString::fromStdString(kvd.string())};
    Start(options);

    hook_.ExpectNext(str::kFileVersionNotSupported, MessageAnswer::Ok);
    DropOn(Frame(), folder_ / "notes.txt");
    EXPECT_STREQ(app_->Document().Record().title, "Odense");
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("good.kvd - Korvanta"));

    // A good file dropped is opened.
    const auto other = WriteKvd(folder_, "other.kvd", "Aarhus");
    DropOn(Frame(), other);
    EXPECT_STREQ(app_->Document().Record().title, "Aarhus");
}

TEST_F(AppTest, AChangedMeasurementIsNotLeftWithoutAsking)
{
    const auto kvd = WriteKvd(folder_, "changed.kvd", "Vejle");
    gui::AppOptions options = Options();
    options.files = {QString::fromStdString(kvd.string())};
    Start(options);
    Frame().show();
    app_->Document().Edit().SetFileInformation("Horsens", {"", "", ""}, "");
    ASSERT_TRUE(app_->Document().IsModified());

    hook_.ExpectNext(str::kSaveChangesQuestion, MessageAnswer::Cancel);
    EXPECT_FALSE(Frame().close()) << "cancel keeps the window";
    hook_.ExpectNext(str::kSaveChangesQuestion, MessageAnswer::Cancel);
    Frame().RouteCommand(cmd::kFileNew);
    EXPECT_STREQ(app_->Document().Record().title, "Horsens") << "cancel keeps the measurement";

    // Yes saves into the measurement's own file, then the window closes.
    hook_.ExpectNext(str::kSaveChangesQuestion, MessageAnswer::Yes);
    EXPECT_TRUE(Frame().close());
    EXPECT_FALSE(app_->Document().IsModified());
    app_->Document().NewDocument();
    ASSERT_TRUE(app_->Document().Open(kvd));
    EXPECT_STREQ(app_->Document().Record().title, "Horsens");

    // No leaves the change behind.
    app_->Document().Edit().SetFileInformation("Kolding", {"", "", ""}, "");
    hook_.ExpectNext(str::kSaveChangesQuestion, MessageAnswer::No);
    Frame().RouteCommand(cmd::kFileNew);
    EXPECT_STREQ(app_->Document().Record().title, "");
}

TEST_F(AppTest, AboutBoxShowsNameVersionAndIcon)
{
    Start();
    gui::CAboutDialog about(&Frame());
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Om Korvanta"));
    auto* version = about.findChild<QLabel*>(QStringLiteral("ctl1201"));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), QStringLiteral("Korvanta v1.15"));
    EXPECT_FALSE(about.findChild<QLabel*>(QStringLiteral("ctl1200"))->pixmap().isNull());
    for (QLabel* label : about.findChildren<QLabel*>()) {
        EXPECT_GE(label->width(), label->sizeHint().width()) << "cut off: " << label->text().toStdString();
    }
}

TEST(AppCommandLine, PortsAndFiles)
{
    gui::AppOptions options;
    QString error;
    ASSERT_TRUE(
        gui::ParseCommandLine({"korvanta", "--port", "/dev/pts/3", "--port=/dev/pts/4", "a.kvd"}, options, error));
    EXPECT_EQ(options.ports, (std::vector<std::string>{"/dev/pts/3", "/dev/pts/4"}));
    EXPECT_EQ(options.files, QStringList{"a.kvd"});

    for (const QStringList& bad :
         {QStringList{"korvanta", "--port"}, QStringList{"korvanta", "--port="}, QStringList{"korvanta", "--colour"}}) {
        gui::AppOptions ignored;
        EXPECT_FALSE(gui::ParseCommandLine(bad, ignored, error)) << bad.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    gui::AppOptions dashed;
    ASSERT_TRUE(gui::ParseCommandLine({"korvanta", "--", "--odd.kvd"}, dashed, error));
    EXPECT_EQ(dashed.files, QStringList{"--odd.kvd"});
}

}  // namespace
}  // namespace korvanta::test
