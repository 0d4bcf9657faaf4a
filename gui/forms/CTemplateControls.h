#pragma once

#include <QWidget>

#include <functional>
#include <vector>

#include "gui/forms/DialogTemplate.h"

namespace korvanta::gui {

// Makes every control of a template, as children of one widget, in template order (the order
// CTemplateLayout walks them), each named after its ID ("ctl1234"), of the item's kind and with
// the template's text where the control shows one. The form then finds its controls by ID and
// sets them up.
class CTemplateControls {
public:
    // Makes the items of kind Custom.
    using Factory = std::function<QWidget*(QWidget* parent, const DialogItemTemplate& item)>;

    CTemplateControls(QWidget* parent, const DialogTemplate& dialog, const Factory& custom = {});

    // The first control with `id` as a `Widget`; nullptr when there is none or it is another class.
    template <typename Widget>
    Widget* Get(int id) const
    {
        return qobject_cast<Widget*>(Find(id));
    }
    QWidget* Find(int id) const;
    // Every control with `id` that is a `Widget` (the static texts share one ID), in template order.
    template <typename Widget>
    std::vector<Widget*> GetAll(int id) const
    {
        std::vector<Widget*> all;
        for (const Made& made : made_) {
            if (auto* widget = made.id == id ? qobject_cast<Widget*>(made.widget) : nullptr)
                all.push_back(widget);
        }
        return all;
    }

    // One control of the form's kind: OK (the default button, accepting) and Cancel (rejecting)
    // for IDs 1 and 2 of a dialog's static items.
    static QWidget* Make(QWidget* parent, const DialogItemTemplate& item);

private:
    struct Made {
        int id;
        QWidget* widget;
    };
    std::vector<Made> made_;
};

}  // namespace korvanta::gui
