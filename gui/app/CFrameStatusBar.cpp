#include "gui/app/CFrameStatusBar.h"

#include <QLabel>
#include <QStatusBar>

#include "gui/app/CLockKeyIndicators.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

namespace {

constexpr int kPassingNoteMs = 8000;

}  // namespace

CFrameStatusBar::CFrameStatusBar(QStatusBar& bar, const CLinkState* link) : bar_(bar), link_(link)
{
    bar_.setObjectName(QStringLiteral("statusBar"));
    bar_.setSizeGripEnabled(false);
    linkLabel_ = new QLabel(&bar_);
    linkLabel_->setObjectName(QStringLiteral("linkStatus"));
    bar_.addWidget(linkLabel_, 1);
    bar_.addPermanentWidget(new CLockKeyIndicators(&bar_));
}

void CFrameStatusBar::ShowNote(const QString& text)
{
    bar_.showMessage(text, kPassingNoteMs);
}

void CFrameStatusBar::ClearNote()
{
    bar_.clearMessage();
}

QString CFrameStatusBar::Text() const
{
    const QString note = bar_.currentMessage();
    return note.isEmpty() ? linkLabel_->text() : note;
}

void CFrameStatusBar::ShowLinkActivity(LinkActivity activity, unsigned blockPairs)
{
    pane_.SetActivity(activity);
    pane_.SetBlockPairs(blockPairs);
    Refresh();
}

void CFrameStatusBar::ShowListeningUnit(int unit)
{
    pane_.SetActivity(LinkActivity::Listening);
    pane_.SetListeningUnit(unit);
    Refresh();
}

void CFrameStatusBar::CommunicationStopped()
{
    pane_.CommunicationStopped();
    Refresh();
}

void CFrameStatusBar::PortChosen()
{
    pane_.PortChosen();
    Refresh();
}

void CFrameStatusBar::Refresh()
{
    const QString text = FromUtf8(pane_.Text(link_ != nullptr && link_->IsLinkUp()));
    if (linkLabel_->text() != text) {
        linkLabel_->setText(text);
        // Shown at once, also while a wait keeps the event loop busy.
        linkLabel_->repaint();
    }
}

}  // namespace korvanta::gui
