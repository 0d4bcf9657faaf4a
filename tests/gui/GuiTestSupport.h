#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>
#include <thread>

#include "gui/app/CInitialisationDialog.h"
#include "gui/app/CKorvantaApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/forms/MessageBoxHook.h"
#include "tests/support/TempFolder.h"

namespace korvanta::test {

// Runs the event loop until `done` holds or `timeout` (real time) has passed; for results that
// come from the comms thread. True when `done` held.
inline bool ProcessEventsUntil(const std::function<bool()>& done,
                               std::chrono::milliseconds timeout = std::chrono::seconds(20))
{
    QDeadlineTimer deadline(timeout);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// Measures how long the user-interface thread goes without running its event loop: a 10 ms
// timer notes the longest gap between two of its ticks. For a figure to report, not to assert.
class EventLoopGapProbe {
public:
    EventLoopGapProbe()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const qint64 now = clock_.elapsed();
            longestMs_ = std::max(longestMs_, now - lastMs_);
            lastMs_ = now;
        });
        clock_.start();
        timer_.start(10);
    }
    qint64 LongestGapMs() const { return longestMs_; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 lastMs_ = 0;
    qint64 longestMs_ = 0;
};

// Writes `picture` as build/screenshots/<name>.png: its path, or empty (and the test failed)
// when nothing was written.
inline QString SavePicture(const QImage& picture, const QString& name)
{
    QDir().mkpath(QStringLiteral(KORVANTA_SCREENSHOT_DIR));
    const QString path = QStringLiteral(KORVANTA_SCREENSHOT_DIR "/%1.png").arg(name);
    if (picture.isNull() || !picture.save(path)) {
        ADD_FAILURE() << "the picture " << path.toStdString() << " was not written";
        return {};
    }
    return path;
}

// Saves a picture of `widget` as build/screenshots/<name>.png, for a person to look at.
inline QString SaveScreenshot(QWidget* widget, const QString& name)
{
    // Pending layout requests first, so the picture shows what the user would see.
    QCoreApplication::processEvents();
    return SavePicture(widget->grab().toImage(), name);
}

// The window with its open menus (a menu, then its open submenu) drawn over it where they pop up.
inline QString SaveScreenshotWithMenu(QWidget* window, std::initializer_list<QMenu*> menus, const QString& name)
{
    QCoreApplication::processEvents();
    QImage picture = window->grab().toImage();
    QPainter painter(&picture);
    for (QMenu* menu : menus) {
        painter.drawPixmap(window->mapFromGlobal(menu->pos()), menu->grab());
    }
    painter.end();
    return SavePicture(picture, name);
}

// The whole program on a settings file and data folder of its own, with every message box
// answered by a hook: a box the test did not expect fails it.
class AppFixture : public testing::Test {
protected:
    void SetUp() override { folder_.AddDefaultDataFiles(); }

    void TearDown() override
    {
        if (app_) {
            app_->ExitInstance();
            EXPECT_TRUE(hook_.Unexpected().empty()) << "unexpected message box " << hook_.Unexpected().front();
            EXPECT_EQ(hook_.Pending(), 0u) << "an expected message box was not shown";
        }
        app_.reset();
    }

    gui::AppOptions Options()
    {
        gui::AppOptions options;
        options.settingsFile = SettingsFile();
        options.dataFolder = folder_.Path();
        options.logFolder = folder_.Path();
        options.listSerialPorts = [] { return std::vector<std::string>{}; };
        return options;
    }

    QString SettingsFile() const { return QString::fromStdString((folder_ / "korvanta.ini").string()); }

    gui::CKorvantaApp& Start(gui::AppOptions options)
    {
        app_ = std::make_unique<gui::CKorvantaApp>(std::move(options));
        app_->Messages().SetHook(&hook_);
        EXPECT_TRUE(app_->InitInstance());
        return *app_;
    }
    gui::CKorvantaApp& Start() { return Start(Options()); }

    gui::CMainFrame& Frame() { return app_->Frame(); }

    // Opens the simulated kit's port as the user does from the port menu; true once the
    // initialisation dialog reports the link up.
    bool OpenKitPort()
    {
        gui::CInitialisationDialog dialog(app_->GetLinkState(), "SIM", &Frame());
        dialog.SetCloseDelay(0);
        dialog.show();
        return ProcessEventsUntil([&] { return dialog.result() == QDialog::Accepted; });
    }

    TempFolder folder_;
    gui::MessageBoxHook hook_;
    std::unique_ptr<gui::CKorvantaApp> app_;
};

}  // namespace korvanta::test
