#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace korvanta::gui {

// What a template item is on screen (CTemplateControls makes it). Static texts are the
// default; in a dialog, IDs 1 and 2 are its OK and Cancel buttons.
enum class ControlKind {
    Text,      // QLabel with the template's text
    Group,     // CTemplateGroupBox titled with the template's text
    Button,    // QPushButton with the template's text
    Edit,      // QLineEdit
    Radio,     // QRadioButton with the template's text
    Check,     // QCheckBox with the template's text
    Combo,     // QComboBox
    List,      // QListWidget
    Tree,      // QTreeWidget
    Slider,    // QSlider, horizontal
    Progress,  // QProgressBar
    Tool,      // QToolButton
    Picture,   // CImagePicture
    Custom,    // made by the form's own factory
};

// One control of a form's template: its numeric ID (the widget's object name is "ctl" + ID),
// its rectangle in dialog units, where the template gives one, its text (UTF-8), and what it is.
struct DialogItemTemplate {
    int id;
    int x;
    int y;
    int cx;
    int cy;
    const char* text = nullptr;
    ControlKind kind = ControlKind::Text;
};

// A form's template as data beside the form's class: the font, the caption and size (dialog
// units) and the controls in the order the layout walks them (their creation order).
struct DialogTemplate {
    int id;
    const char* caption;
    const char* face;
    int pointSize;
    int weight;  // 400 normal, 700 bold
    bool italic;
    int cx;
    int cy;
    std::span<const DialogItemTemplate> items;

    // The item with control ID `id`, or nullptr.
    const DialogItemTemplate* Item(int controlId) const
    {
        for (const DialogItemTemplate& item : items) {
            if (item.id == controlId) {
                return &item;
            }
        }
        return nullptr;
    }
};

// A template's items made of parts, in the order given: a part that stands several times in a
// form (a graph with its scale) is written once, as a function.
template <std::size_t... Sizes>
constexpr std::array<DialogItemTemplate, (Sizes + ...)> JoinItems(const std::array<DialogItemTemplate, Sizes>&... parts)
{
    std::array<DialogItemTemplate, (Sizes + ...)> all{};
    std::size_t at = 0;
    ((void)[&] {
        for (const DialogItemTemplate& item : parts)
            all[at++] = item;
    }(), ...);
    return all;
}

}  // namespace korvanta::gui
