#include "gui/forms/CTemplateControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QTreeWidget>

#include "gui/forms/CImagePicture.h"
#include "gui/forms/CTemplateGroupBox.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

namespace {

template <typename Widget>
Widget* WithText(QWidget* parent, const DialogItemTemplate& item)
{
    auto* widget = MakeControl<Widget>(parent, item.id);
    if (item.text != nullptr)
        widget->setText(QString::fromUtf8(item.text));
    return widget;
}

QWidget* MakeText(QWidget* parent, const DialogItemTemplate& item)
{
    if (auto* dialog = qobject_cast<QDialog*>(parent)) {
        if (item.id == kOkId)
            return MakeOkButton(dialog, item);
        if (item.id == kCancelId)
            return MakeCancelButton(dialog, item);
    }
    return WithText<QLabel>(parent, item);
}

}  // namespace

CTemplateControls::CTemplateControls(QWidget* parent, const DialogTemplate& dialog, const Factory& custom)
{
    made_.reserve(dialog.items.size());
    for (const DialogItemTemplate& item : dialog.items) {
        QWidget* widget = item.kind == ControlKind::Custom && custom ? custom(parent, item) : Make(parent, item);
        made_.push_back({item.id, widget});
    }
}

QWidget* CTemplateControls::Find(int id) const
{
    for (const Made& made : made_) {
        if (made.id == id)
            return made.widget;
    }
    return nullptr;
}

QWidget* CTemplateControls::Make(QWidget* parent, const DialogItemTemplate& item)
{
    switch (item.kind) {
    case ControlKind::Text:
    case ControlKind::Custom:
        return MakeText(parent, item);
    case ControlKind::Group: {
        auto* group = MakeControl<CTemplateGroupBox>(parent, item.id);
        if (item.text != nullptr)
            group->setTitle(QString::fromUtf8(item.text));
        return group;
    }
    case ControlKind::Button:
        return WithText<QPushButton>(parent, item);
    case ControlKind::Edit:
        return MakeControl<QLineEdit>(parent, item.id);
    case ControlKind::Radio:
        return WithText<QRadioButton>(parent, item);
    case ControlKind::Check:
        return WithText<QCheckBox>(parent, item);
    case ControlKind::Combo:
        return MakeControl<QComboBox>(parent, item.id);
    case ControlKind::List:
        return MakeControl<QListWidget>(parent, item.id);
    case ControlKind::Tree:
        return MakeControl<QTreeWidget>(parent, item.id);
    case ControlKind::Slider: {
        auto* slider = MakeControl<QSlider>(parent, item.id);
        slider->setOrientation(Qt::Horizontal);
        return slider;
    }
    case ControlKind::Progress:
        return MakeControl<QProgressBar>(parent, item.id);
    case ControlKind::Tool:
        return MakeControl<QToolButton>(parent, item.id);
    case ControlKind::Picture:
        return MakeControl<CImagePicture>(parent, item.id);
    }
    return MakeText(parent, item);
}

}  // namespace korvanta::gui
