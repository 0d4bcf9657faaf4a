#pragma once

#include <cstdint>
#include <span>

namespace korvanta::gui {

// One control of a form's template: its numeric ID (the widget's object name is "ctl" + ID),
// its rectangle in dialog units and, where the template gives one, its text (UTF-8).
struct DialogItemTemplate {
    int id;
    int x;
    int y;
    int cx;
    int cy;
    const char* text = nullptr;
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

}  // namespace korvanta::gui
