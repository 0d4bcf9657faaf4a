#include "gui/forms/TemplateFonts.h"

#include <QFile>
#include <QFontDatabase>

namespace korvanta::gui {

namespace {

// Where Debian's fonts-wine and common font folders keep the file.
constexpr const char* kTahomaFiles[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/fonts/truetype/wine/tahoma.ttf",
    "/usr/share/fonts/wine/tahoma.ttf",
    "/usr/share/fonts/truetype/msttcorefonts/tahoma.ttf",
};

}  // namespace

bool TemplateFonts::EnsureTahoma()
{
    if (QFontDatabase::families().contains(kTemplateFace, Qt::CaseInsensitive)) {
        return true;
    }
    for (const char* file : kTahomaFiles) {
        if (QFile::exists(file) && QFontDatabase::addApplicationFont(file) >= 0) {
            return true;
        }
    }
    return false;
}

}  // namespace korvanta::gui
