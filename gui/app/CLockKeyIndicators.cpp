#include "gui/app/CLockKeyIndicators.h"

#include <QGuiApplication>
#include <QHBoxLayout>

#ifdef KORVANTA_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#endif

namespace korvanta::gui {

namespace {

constexpr int kPollMs = 250;

QLabel* MakePane(const QString& name, QWidget* parent)
{
    auto* pane = new QLabel(parent);
    pane->setObjectName(QStringLiteral("indicator") + name);
    pane->setFrameShape(QFrame::Panel);
    pane->setFrameShadow(QFrame::Sunken);
    pane->setAlignment(Qt::AlignCenter);
    // Wide enough for the name however the pane is shown, so nothing moves when a lock changes.
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
    pane->setProperty("indicatorName", name);
    return pane;
}

void SetPane(QLabel* pane, bool on)
{
    pane->setText(on ? pane->property("indicatorName").toString() : QString());
}

#ifdef KORVANTA_HAVE_X11
bool IndicatorOn(Display* display, const char* name)
{
    const Atom atom = XInternAtom(display, name, True);
    Bool on = False;
    if (atom == None || !XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) {
        return false;
    }
    return on == True;
}
#endif

}  // namespace

CLockKeyIndicators::CLockKeyIndicators(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("lockKeyIndicators"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    caps_ = MakePane(QStringLiteral("CAP"), this);
    num_ = MakePane(QStringLiteral("NUM"), this);
    scroll_ = MakePane(QStringLiteral("SCRL"), this);
    for (QLabel* pane : {caps_, num_, scroll_}) {
        row->addWidget(pane);
    }
#ifdef KORVANTA_HAVE_X11
    if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
        display_ = XOpenDisplay(nullptr);
    }
#endif
    if (display_ != nullptr) {
        connect(&poll_, &QTimer::timeout, this, &CLockKeyIndicators::Poll);
        poll_.start(kPollMs);
        Poll();
    }
}

CLockKeyIndicators::~CLockKeyIndicators()
{
#ifdef KORVANTA_HAVE_X11
    if (display_ != nullptr) {
        XCloseDisplay(static_cast<Display*>(display_));
    }
#endif
}

void CLockKeyIndicators::Show(const LockKeys& keys)
{
    shown_ = keys;
    SetPane(caps_, keys.caps);
    SetPane(num_, keys.num);
    SetPane(scroll_, keys.scroll);
}

void CLockKeyIndicators::Poll()
{
#ifdef KORVANTA_HAVE_X11
    auto* display = static_cast<Display*>(display_);
    LockKeys keys;
    keys.caps = IndicatorOn(display, "Caps Lock");
    keys.num = IndicatorOn(display, "Num Lock");
    keys.scroll = IndicatorOn(display, "Scroll Lock");
    Show(keys);
#endif
}

}  // namespace korvanta::gui
