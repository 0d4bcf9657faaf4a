#include <QApplication>

#include <gtest/gtest.h>

#include "gui/forms/GuiResources.h"
#include "gui/app/QtTranslations.h"
#include "gui/forms/TemplateFonts.h"
#include "core/platform/RuntimeDirectory.h"

// The window tests run on Qt's offscreen platform unless told otherwise, with real fonts.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    korvanta::EnsureRuntimeDirectory();
    QApplication application(argc, argv);
    korvanta::gui::InitGuiResources();
    korvanta::gui::InstallDanishQtTranslations();
    korvanta::gui::TemplateFonts::EnsureTahoma();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
