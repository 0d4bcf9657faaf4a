#include <QMenuBar>

#include <gtest/gtest-spi.h>

#include "core/app/CommandIds.h"
#include "gui/app/CAboutDialog.h"
#include "tests/gui/GuiTestSupport.h"

namespace korvanta::test {
namespace {

// Pictures for a person to look at: the main frame, every menu opened, the About box. The
// initialisation dialog's pictures come from its own tests.
using Screenshots = AppFixture;

// A picture that was not written fails the test that asked for it, rather than passing unseen.
TEST(ScreenshotHelper, APictureThatIsNotWrittenFailsTheTest)
{
    QWidget empty;
    empty.resize(0, 0);
    EXPECT_NONFATAL_FAILURE(EXPECT_TRUE(SaveScreenshot(&empty, QStringLiteral("nothing")).isEmpty()),
                            "was not written");
}

TEST_F(Screenshots, MainFrameAndEveryMenu)
{
    gui::AppOptions options = Options();
    options.listSerialPorts = [] { return std::vector<std::string>{"/dev/ttyS0", "/dev/ttyUSB0"}; };
    options.startComms = false;
    Start(options);
    Frame().CommandState().SetCommAvailable(true);
    Frame().UpdateCommandUi();
    EXPECT_FALSE(SaveScreenshot(&Frame(), QStringLiteral("main-frame")).isEmpty());

    int index = 0;
    for (QAction* top : Frame().menuBar()->actions()) {
        QMenu* menu = top->menu();
        ASSERT_NE(menu, nullptr);
        Frame().menuBar()->setActiveAction(top);
        ASSERT_TRUE(ProcessEventsUntil([&] { return menu->isVisible(); }));
        QString name = top->text().remove(QLatin1Char('&')).toLower();
        const QString path =
            SaveScreenshotWithMenu(&Frame(), {menu}, QStringLiteral("menu-%1-%2").arg(index++).arg(name));
        EXPECT_TRUE(QFile::exists(path));
        // The submenus, each beside its parent.
        for (QAction* item : menu->actions()) {
            if (QMenu* sub = item->menu()) {
                menu->setActiveAction(item);
                sub->popup(menu->mapToGlobal(menu->actionGeometry(item).topRight()));
                ASSERT_TRUE(ProcessEventsUntil([&] { return sub->isVisible(); }));
                QString subName = item->text().remove(QLatin1Char('&')).toLower().replace(QLatin1Char(' '), '-');
                SaveScreenshotWithMenu(&Frame(), {menu, sub},
                                       QStringLiteral("menu-%1-%2-%3").arg(index - 1).arg(name, subName));
                sub->hide();
            }
        }
        menu->hide();
    }
}

TEST_F(Screenshots, AboutBox)
{
    Start();
    gui::CAboutDialog about(&Frame());
    about.show();
    EXPECT_FALSE(SaveScreenshot(&about, QStringLiteral("about")).isEmpty());
}

}  // namespace
}  // namespace korvanta::test
