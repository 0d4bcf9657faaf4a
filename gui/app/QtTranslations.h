#pragma once

namespace korvanta::gui {

// Qt's own windows (file and print dialogs, print preview, their questions) speak Danish like
// the rest of the program: loads Qt's Danish translations once for the running application.
// False when they are not installed; Qt's English stays then.
bool InstallDanishQtTranslations();

}  // namespace korvanta::gui
