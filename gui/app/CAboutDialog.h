#pragma once

#include <QDialog>

#include "gui/forms/CTemplateLayout.h"

namespace korvanta::gui {

// "Om Korvanta": the program icon, its name and version and the maker's notice, with OK.
class CAboutDialog final : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDialog(QWidget* parent = nullptr);

private:
    CTemplateLayout layout_;
};

}  // namespace korvanta::gui
