#include <QApplication>

#include <iostream>

#include "gui/app/AppOptions.h"
#include "gui/app/CKorvantaApp.h"
#include "gui/forms/GuiResources.h"
#include "core/platform/RuntimeDirectory.h"
#include "gui/app/QtTranslations.h"

int main(int argc, char** argv)
{
    korvanta::EnsureRuntimeDirectory();
    QApplication application(argc, argv);
    korvanta::gui::InitGuiResources();
    korvanta::gui::InstallDanishQtTranslations();
    QApplication::setOrganizationName(QStringLiteral("Veltmark"));
    QApplication::setApplicationName(QStringLiteral("Korvanta"));
    QApplication::setDesktopFileName(QStringLiteral("korvanta"));
    QApplication::setWindowIcon(korvanta::gui::ProgramIcon());
    korvanta::gui::AppOptions options;
    QString error;
    if (!korvanta::gui::ParseCommandLine(QApplication::arguments(), options, error)) {
        std::cerr << "korvanta: " << error.toStdString() << "\nusage: korvanta [--port NAME]... [FILE.kvd]\n";
        return 2;
    }
    korvanta::gui::CKorvantaApp app(std::move(options));
    if (!app.InitInstance()) {
        return 1;
    }
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
