#include "gui/app/CPortMenu.h"

#include "gui/forms/CMenuBuilder.h"

namespace korvanta::gui {

CPortMenu::CPortMenu(PortMenuList ports, QMenu* parent, QAction* before, QObject* owner,
                     const std::function<void(uint32_t)>& onCommand)
    : ports_(std::move(ports))
{
    if (ports_.Empty()) {
        auto* none = new QAction(QStringLiteral("COM-Port"), owner);
        none->setObjectName(QStringLiteral("actionPortList"));
        none->setEnabled(false);
        parent->insertAction(before, none);
        return;
    }
    // The popup and the kit get a mnemonic, so that a keyboard reaches the kit with Alt+I, C, S.
    popup_ = new QMenu(QStringLiteral("&Com Port"), parent);
    popup_->setObjectName(QStringLiteral("menuPorts"));
    parent->insertMenu(before, popup_);
    for (const std::string& name : ports_.Names()) {
        const uint32_t id = *ports_.IdOf(name);
        QString caption = QString::fromStdString(name);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        if (name == PortMenuList::kSimulatedKit) {
            caption = QStringLiteral("&SIM");
        }
        auto* action = popup_->addAction(caption);
        action->setObjectName(CMenuBuilder::ActionName(id));
        action->setData(QString::fromStdString(name));
        action->setCheckable(true);
        QObject::connect(action, &QAction::triggered, owner, [onCommand, id] { onCommand(id); });
        items_.push_back(action);
    }
}

std::optional<std::string> CPortMenu::Choose(uint32_t id)
{
    const auto name = ports_.NameOf(id);
    if (!name) {
        return std::nullopt;
    }
    for (size_t i = 0; i < items_.size(); ++i) {
        items_[i]->setChecked(PortMenuList::kFirstId + i == id);
    }
    checked_ = id;
    return name;
}

}  // namespace korvanta::gui
