#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace korvanta::gui {

// Which of the keyboard's lock keys are on.
struct LockKeys {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The status bar's indicator panes CAP, NUM and SCRL: each pane keeps its place and shows its
// name while its lock is on, blank while it is off. The keyboard's lights are read from the
// display's keyboard extension where there is one (X11); elsewhere the panes stay blank.
class CLockKeyIndicators final : public QWidget {
    Q_OBJECT
public:
    explicit CLockKeyIndicators(QWidget* parent = nullptr);
    ~CLockKeyIndicators() override;

    void Show(const LockKeys& keys);
    LockKeys Shown() const { return shown_; }

private:
    void Poll();

    QLabel* caps_ = nullptr;
    QLabel* num_ = nullptr;
    QLabel* scroll_ = nullptr;
    QTimer poll_;
    LockKeys shown_;
    void* display_ = nullptr;  // the X11 connection, when there is one
};

}  // namespace korvanta::gui
