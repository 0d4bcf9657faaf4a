#include "gui/forms/CMenuBuilder.h"

#include <QKeySequence>

#include "core/app/CommandIds.h"
#include "core/app/CommandPrompt.h"
#include "core/app/MainMenu.h"
#include "gui/forms/Artwork.h"
#include "gui/forms/GuiResources.h"

namespace korvanta::gui {

namespace {

QList<QKeySequence> ShortcutsOf(uint32_t id)
{
    QList<QKeySequence> keys;
    for (const Accelerator& accelerator : MainAccelerators()) {
        if (accelerator.id == id) {
            keys.append(QKeySequence(QString::fromUtf8(accelerator.keys), QKeySequence::PortableText));
        }
    }
    return keys;
}

bool IsCheckable(uint32_t id)
{
    switch (id) {
    case cmd::kViewToolbar:
    case cmd::kViewStatusBar:
    case cmd::kUnitsMetric:
    case cmd::kUnitsImperial:
    case cmd::kTimeSeconds:
    case cmd::kTimeMilliseconds:
    case cmd::kRadioModeLow:
    case cmd::kRadioModeHigh:
    case cmd::kTwoStationMode:
    case cmd::kThreeStationMode:
        return true;
    default:
        return false;
    }
}

// The caption as a tooltip: without its mnemonic marks, accelerator text and trailing dots.
QString ToolTipOf(const QString& caption)
{
    QString tip = caption.section(QLatin1Char('\t'), 0, 0);
    tip.remove(QLatin1Char('&'));
    while (tip.endsWith(QLatin1Char('.'))) {
        tip.chop(1);
    }
    return tip;
}

}  // namespace

CMenuBuilder::Result CMenuBuilder::BuildMenu(QMenuBar* bar, QObject* owner,
                                             const std::function<void(uint32_t)>& onCommand,
                                             std::span<const MenuEntry> table)
{
    Result result;
    std::vector<QMenu*> stack;
    for (const MenuEntry& entry : table) {
        switch (entry.kind) {
        case MenuEntryKind::PopupBegin: {
            const QString caption = QString::fromUtf8(entry.caption);
            QMenu* menu = stack.empty() ? bar->addMenu(caption) : stack.back()->addMenu(caption);
            if (stack.empty()) {
                menu->setObjectName(QStringLiteral("menu%1").arg(result.topLevelMenus.size()));
                result.topLevelMenus.push_back(menu);
            }
            stack.push_back(menu);
            break;
        }
        case MenuEntryKind::PopupEnd:
            stack.pop_back();
            break;
        case MenuEntryKind::Separator:
            stack.back()->addSeparator();
            break;
        case MenuEntryKind::PortList:
            result.portParent = stack.back();
            result.portAnchor = stack.back()->addSeparator();
            result.portAnchor->setVisible(false);
            break;
        case MenuEntryKind::RecentFiles:
            result.recentParent = stack.back();
            result.recentAnchor = stack.back()->addSeparator();
            break;
        case MenuEntryKind::Command: {
            auto* action = new QAction(QString::fromUtf8(entry.caption), owner);
            const uint32_t id = entry.id;
            action->setObjectName(ActionName(id));
            action->setData(id);
            action->setShortcuts(ShortcutsOf(id));
            action->setCheckable(IsCheckable(id));
            action->setToolTip(ToolTipOf(action->text()));
            action->setStatusTip(QString::fromStdString(CommandPrompt(id)));
            const QString icon = CommandIconPath(id);
            if (!icon.isEmpty()) {
                action->setIcon(Artwork::Icon(icon));
            }
            QObject::connect(action, &QAction::triggered, owner, [onCommand, id] { onCommand(id); });
            // A command outside any popup stands on the bar itself.
            if (stack.empty()) {
                bar->addAction(action);
            } else {
                stack.back()->addAction(action);
            }
            result.actions.insert(id, action);
            break;
        }
        }
    }
    return result;
}

void CMenuBuilder::BuildToolbar(QToolBar* toolbar, const QHash<uint32_t, QAction*>& actions)
{
    for (const uint32_t id : MainToolbar()) {
        if (id == 0) {
            toolbar->addSeparator();
        } else if (QAction* action = actions.value(id)) {
            toolbar->addAction(action);
        }
    }
}

}  // namespace korvanta::gui
