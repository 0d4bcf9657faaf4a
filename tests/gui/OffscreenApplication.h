#pragma once

#include <QApplication>

#include "core/platform/RuntimeDirectory.h"
#include "gui/forms/GuiResources.h"
#include "gui/app/QtTranslations.h"
#include "gui/forms/TemplateFonts.h"

namespace korvanta::test {

// The application object of a window test or benchmark: Qt's offscreen platform unless told
// otherwise, the program's resources, Danish Qt texts and its real fonts.
class OffscreenApplication {
public:
    OffscreenApplication(int& argc, char** argv) : application_(PrepareEnvironment(argc), argv)
    {
        gui::InitGuiResources();
        gui::InstallDanishQtTranslations();
        gui::TemplateFonts::EnsureTahoma();
    }

private:
    // Before the application exists: it reads the platform and the runtime folder when made.
    static int& PrepareEnvironment(int& argc)
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        EnsureRuntimeDirectory();
        return argc;
    }

    QApplication application_;
};

}  // namespace korvanta::test
