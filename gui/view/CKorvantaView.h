#pragma once

#include <QHash>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

#include "core/document/IDocumentObserver.h"
#include "core/view/TwoStationViewModel.h"
#include "gui/forms/CTemplateLayout.h"
#include "gui/forms/ICommandTarget.h"

class QComboBox;
class QPrinter;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;
class QToolButton;

namespace korvanta {
class CKorvantaDoc;
class CLinkState;
class IClock;
class IMessageSink;
class IViewHost;
}  // namespace korvanta

namespace korvanta::gui {

class CImagePicture;
class CResultOutput;
class CUnitStatusPictures;
class CViewGraphs;

// The two-station form (template 101): START/STOP and the unit status above, the correlation
// graph with its cursor, zoom and delimitation, the distances, the pipe strip and the filter
// fields. Every decision is the view model's; this class creates the controls, hands the user's
// actions and the timer ticks to the model and shows what the model holds afterwards. The graph
// and the strip are painted into images when something changed, never in a paint event.
class CKorvantaView final : public QWidget, public ICommandTarget, public IDocumentObserver {
    Q_OBJECT

public:
    static constexpr int kStatusPollMs = 2000;
    static constexpr int kElapsedMs = 1000;
    static constexpr int kBatteryWarningMs = 600000;

    // Everything must outlive the view. The view observes the document until it is destroyed.
    CKorvantaView(CKorvantaDoc& document, CLinkState& link, IViewHost& host, IMessageSink& messages, IClock& clock,
                  QPrinter& printer, QWidget* parent = nullptr);
    ~CKorvantaView() override;

    // Lays the form out, starts the status poll and shows the document's state.
    void InitialUpdate();

    bool OnCommand(uint32_t id) override;
    void OnUpdateCommand(uint32_t id, CommandUi& ui) override;
    void OnDocumentUpdate(uint32_t hint) override;

    const TwoStationViewModel& Model() const { return *model_; }
    // Printing, the clipboard and the GIS export of what the form shows.
    CResultOutput& Output() { return *output_; }
    const QImage& GraphImage() const;
    const QImage& LayoutImage() const;
    // The timers' work, for the timers and for tests that drive time themselves.
    void StatusPollTick();
    void ElapsedTick();
    void BatteryWarningTick();
    bool IsTimerActive(int timer) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void Connect();
    void OnGraphClicked(QPoint point);
    void OnPresetChosen(int index);
    void OnStartStop();
    void Act(bool changed);

    void Sync();
    void SyncTexts();
    void SyncVerdict();
    void SyncButtons();
    void SyncPresetList();

    CKorvantaDoc& document_;
    std::unique_ptr<TwoStationViewModel> model_;
    std::unique_ptr<CResultOutput> output_;
    CTemplateLayout layout_;
    QTimer statusTimer_;
    QTimer elapsedTimer_;
    QTimer batteryTimer_;
    std::vector<uint32_t> presetTexts_;
    bool syncing_ = false;
    bool settling_ = false;

    CImagePicture* graph_ = nullptr;
    CImagePicture* layoutStrip_ = nullptr;
    QSlider* slider_ = nullptr;
    QLabel* distance1_ = nullptr;
    QLabel* distance2_ = nullptr;
    QLabel* verdict_ = nullptr;
    QToolButton* leftLimit_ = nullptr;
    QToolButton* stepLeft_ = nullptr;
    QToolButton* toPeak_ = nullptr;
    QToolButton* stepRight_ = nullptr;
    QToolButton* rightLimit_ = nullptr;
    QToolButton* zoomOut_ = nullptr;
    QToolButton* zoomIn_ = nullptr;
    QPushButton* setPoint_ = nullptr;
    QPushButton* remove_ = nullptr;
    QLabel* delay_ = nullptr;
    QLabel* delayUnit_ = nullptr;
    QLabel* blockCount_ = nullptr;
    QLabel* elapsed_ = nullptr;
    QProgressBar* activity_ = nullptr;
    QLabel* lowCutoff_ = nullptr;
    QLabel* highCutoff_ = nullptr;
    QLabel* material_ = nullptr;
    QComboBox* presets_ = nullptr;
    QLabel* fileName_ = nullptr;
    QPushButton* startStop_ = nullptr;
    std::unique_ptr<CUnitStatusPictures> statusPictures_;
    std::unique_ptr<CViewGraphs> graphs_;
};

}  // namespace korvanta::gui
