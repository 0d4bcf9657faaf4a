#pragma once

#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <chrono>
#include <functional>
#include <optional>

#include "core/document/CKorvantaDoc.h"
#include "core/document/IDocumentObserver.h"
#include "core/host/IClock.h"
#include "core/host/IMessageSink.h"
#include "core/link/CLinkState.h"
#include "core/threestation/CThreeStationResult.h"
#include "core/threestation/ThreeStationSetup.h"
#include "core/values/UnitSystem.h"
#include "core/view/ThreeStationViewModel.h"
#include "gui/forms/CTemplateLayout.h"
#include "gui/forms/ICommandTarget.h"
#include "gui/forms/IFormFrame.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace korvanta::gui {

// What the three-station form works with. Everything must outlive the form.
struct ThreeStationFormContext {
    CKorvantaDoc* document = nullptr;
    CLinkState* link = nullptr;
    IFormFrame* frame = nullptr;
    IMessageSink* messages = nullptr;
    IClock* clock = nullptr;
    UnitSystem units = UnitSystem::Metric;
    TimeUnit time = TimeUnit::Seconds;
    // The sensor mask selected before the form opened; selected again when it closes.
    int sensorMaskBefore = 6;
    // Runs the setup wizard: the set-up, or nothing on Cancel.
    std::function<std::optional<ThreeStationSetup>()> runSetup;
    // Told the distances red-blue and blue-yellow of a set-up as it is applied.
    std::function<void(float, float)> setupApplied;
    // A kv3 file to open (save false) or to save as (save true); empty when the user cancels.
    std::function<QString(bool save)> askFileName;
    // Leaves the three-station mode (the application puts the two-station view back).
    std::function<void()> leave;
    std::chrono::milliseconds statusInterval{2000};
    std::chrono::milliseconds timeInterval{950};
};

// The form of the three-station mode: the state of the four units, the choice of the pair on
// show or the combined result, START/STOP, the pair's delay, value and cut-offs, the measuring
// time and the velocity, and the chart with the pair's correlation or the result on the pipe.
// What it shows and does is decided by its ThreeStationViewModel; the form moves the model's
// values to its widgets after every call.
class CThreeStationForm final : public QWidget, public ICommandTarget, public IDocumentObserver {
    Q_OBJECT
public:
    explicit CThreeStationForm(ThreeStationFormContext context, QWidget* parent = nullptr);
    ~CThreeStationForm() override;

    bool OnCommand(uint32_t id) override;
    void OnUpdateCommand(uint32_t id, CommandUi& ui) override;
    void OnDocumentUpdate(uint32_t hint) override;

    // What the form's own timers do, for the status poll and the measuring time.
    void RefreshStatus();
    void RefreshMeasuringTime();

    void SelectPair(int32_t pairCode);
    void StartOrStop();
    void NewResult();
    bool OpenFile(const QString& path);
    bool SaveFile(const QString& path);

    ThreeStationViewModel& Model() { return model_; }
    const ThreeStationViewModel& Model() const { return model_; }
    bool IsRunning() const { return model_.IsRunning(); }
    bool HasResult() const { return model_.HasResult(); }
    bool IsSetUp() const { return model_.IsSetUp(); }
    bool IsFileLoaded() const { return model_.IsFileLoaded(); }
    int32_t DisplayedPair() const { return model_.DisplayedPair(); }
    const CThreeStationResult& Result() const { return model_.Result(); }
    const QImage& ChartImage() const { return chartImage_; }
    int Progress() const;

private:
    // The main frame and the context's callbacks as the model sees them.
    class FrameHost final : public IThreeStationHost {
    public:
        explicit FrameHost(const ThreeStationFormContext& context) : context_(context) {}
        void EnableAllMenus(bool enable) override;
        void EnableFiltersCommand(bool enable) override;
        int GetRadioMode() const override;
        std::optional<ThreeStationSetup> RunSetup() override;
        void SetupApplied(float redBlue, float blueYellow) override;
        void ShowLinkActivity(LinkActivity activity, unsigned blockSets) override;

    private:
        const ThreeStationFormContext& context_;
    };

    void BuildControls();
    // Moves the model's values to the widgets.
    void ShowModel();
    void ShowChart();
    void ShowIcon(int control, int iconId);
    void SetText(int control, const QString& text);
    void ShowPairVerdict(int control, const PairVerdict& verdict);
    QLabel* Label(int control) const;
    void OpenFromMenu();
    void SaveFromMenu();

    ThreeStationFormContext context_;
    CKorvantaDoc& doc_;
    FrameHost host_;
    ThreeStationViewModel model_;
    CTemplateLayout layout_;
    QTimer statusTimer_;
    QTimer timeTimer_;
    QPushButton* start_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* chart_ = nullptr;
    std::array<QRadioButton*, 4> pairButtons_{};
    QImage chartImage_;
    uint64_t chartRevisionShown_ = 0;
};

}  // namespace korvanta::gui
