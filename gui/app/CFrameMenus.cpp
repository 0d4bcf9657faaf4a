#include "gui/app/CFrameMenus.h"

#include "core/app/CommandIds.h"
#include "core/app/MainMenu.h"
#include "gui/forms/CMenuBuilder.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

namespace {

constexpr size_t kRecentEntries = 4;

}  // namespace

CFrameMenus::CFrameMenus(QMenuBar& bar, QObject* owner, std::function<void(uint32_t)> onCommand,
                         std::function<void()> aboutToShow)
    : bar_(bar), owner_(owner), onCommand_(std::move(onCommand)), aboutToShow_(std::move(aboutToShow))
{
    CMenuBuilder::Result menu = CMenuBuilder::BuildMenu(&bar_, owner_, onCommand_);
    actions_ = menu.actions;
    topLevelMenus_ = menu.topLevelMenus;
    portParent_ = menu.portParent;
    portAnchor_ = menu.portAnchor;
    recentParent_ = menu.recentParent;
    recentAnchor_ = menu.recentAnchor;
    for (QMenu* top : topLevelMenus_) {
        QObject::connect(top, &QMenu::aboutToShow, owner_, [this] { aboutToShow_(); });
    }
}

bool CFrameMenus::IsThreeStationMenu() const
{
    return threeStationFile_ != nullptr && threeStationFile_->menuAction()->isVisible();
}

void CFrameMenus::ShowThreeStationMenu(bool on)
{
    if (threeStationFile_ == nullptr) {
        CMenuBuilder::Result menu = CMenuBuilder::BuildMenu(&bar_, owner_, onCommand_, ThreeStationFileMenu());
        threeStationFile_ = menu.topLevelMenus.front();
        threeStationFile_->setObjectName(QStringLiteral("threeStationFileMenu"));
        QObject::connect(threeStationFile_, &QMenu::aboutToShow, owner_, [this] { aboutToShow_(); });
        // In front of the main menu's popups.
        bar_.removeAction(threeStationFile_->menuAction());
        bar_.insertAction(topLevelMenus_.front()->menuAction(), threeStationFile_->menuAction());
        threeStationFile_->menuAction()->setVisible(false);
        for (auto it = menu.actions.cbegin(); it != menu.actions.cend(); ++it) {
            actions_.insert(it.key(), it.value());
        }
    }
    threeStationFile_->menuAction()->setVisible(on);
    QAction* modeCommand = actions_.value(cmd::kTwoStationMode);
    for (QMenu* top : topLevelMenus_) {
        top->menuAction()->setVisible(!on || top->actions().contains(modeCommand));
    }
}

void CFrameMenus::EnableTopLevel(bool on)
{
    for (QMenu* top : topLevelMenus_) {
        top->menuAction()->setEnabled(on);
    }
    if (threeStationFile_ != nullptr) {
        threeStationFile_->menuAction()->setEnabled(on);
    }
}

void CFrameMenus::SetRecentFiles(const std::vector<std::string>& paths)
{
    for (QAction* action : recentActions_) {
        recentParent_->removeAction(action);
        actions_.remove(action->data().toUInt());
        action->deleteLater();
    }
    recentActions_.clear();
    for (size_t i = 0; i < paths.size() && i < kRecentEntries; ++i) {
        const uint32_t id = cmd::kFileRecentFirst + static_cast<uint32_t>(i);
        QString shown = FromPathText(paths[i]);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown), owner_);
        action->setObjectName(CMenuBuilder::ActionName(id));
        action->setData(id);
        QObject::connect(action, &QAction::triggered, owner_, [this, id] { onCommand_(id); });
        recentParent_->insertAction(recentAnchor_, action);
        recentActions_.push_back(action);
        actions_.insert(id, action);
    }
}

}  // namespace korvanta::gui
