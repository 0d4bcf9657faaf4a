#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>

#include "core/document/CKorvantaDoc.h"
#include "core/host/IClock.h"
#include "core/host/IMessageSink.h"
#include "core/host/IThreeStationHost.h"
#include "core/link/CLinkState.h"
#include "core/threestation/CThreeStationResult.h"
#include "core/threestation/PairVerdict.h"
#include "core/threestation/ThreeStationSetup.h"
#include "core/values/UnitSystem.h"

namespace korvanta {

// The icons of one unit on the three-station form; 0 shows none (the interface unit has no
// sensor icon).
struct ThreeStationUnitIcons {
    int presence = 0;
    int battery = 0;
    int sensor = 0;
    int radio = 0;
};

// Everything the three-station form decides: the measurement's states (set up, running, a result
// on show, a file loaded), the pair on show, the texts, icons and chart the form shows, the kv3
// files, and the link commands that select the sensors. The form moves these values to its
// widgets after every call; the tests drive the model without a window.
class ThreeStationViewModel {
public:
    // What the chart shows: nothing, the displayed pair's correlation, or the result on the pipe.
    enum class Chart { Blank, PairTrace, Result };

    // `sensorMaskBefore` is selected again when the model goes.
    ThreeStationViewModel(CKorvantaDoc& document, CLinkState& link, IThreeStationHost& host, IMessageSink& messages,
                          IClock& clock, UnitSystem units, TimeUnit time, int sensorMaskBefore);
    ~ThreeStationViewModel();
    ThreeStationViewModel(const ThreeStationViewModel&) = delete;
    ThreeStationViewModel& operator=(const ThreeStationViewModel&) = delete;

    // The form is shown: no data, the three outstations' sensors selected, the pair red/blue.
    void InitialUpdate();
    void OnDocumentUpdate(uint32_t hint);
    // The status poll and the measuring-time tick of the form's timers.
    void StatusPoll();
    void MeasuringTimeTick();

    void SelectPair(int32_t pairCode);
    void StartOrStop();
    // "Ny": forgets the set-up, the data and the result.
    void NewResult();
    // False (and the user told) when the file cannot be read; the result on show stays then.
    bool OpenFile(const std::filesystem::path& path);
    bool SaveFile(const std::filesystem::path& path);
    // The name a save takes: ".kv3" added when the user gave no extension.
    static std::filesystem::path WithKv3Suffix(std::filesystem::path path);

    bool CanLeave() const { return !running_; }
    bool SaveEnabled() const { return resultFlag_ && !running_; }

    bool IsRunning() const { return running_; }
    bool HasResult() const { return resultFlag_; }
    bool IsSetUp() const { return setUp_; }
    bool IsFileLoaded() const { return fileLoaded_; }
    int32_t DisplayedPair() const { return displayed_; }
    const CThreeStationResult& Result() const { return result_; }
    bool MeasuringTimerRunning() const { return running_; }

    // What the form shows.
    uint32_t StartButtonText() const;
    bool StartButtonEnabled() const { return startEnabled_; }
    int Progress() const { return progress_; }
    const std::string& DelayText() const { return delayText_; }
    const std::string& QualityText() const { return qualityText_; }
    const std::string& MeasuringTimeText() const { return measuringTimeText_; }
    const std::string& VelocityText() const { return velocityText_; }
    const std::string& LowCutoffText() const { return lowCutoffText_; }
    const std::string& HighCutoffText() const { return highCutoffText_; }
    // How sure each pair's result is, red/blue, blue/yellow, red/yellow; not assessed before a
    // result.
    const std::array<PairVerdict, kThreeStationPairs>& PairVerdicts() const { return pairVerdicts_; }
    // Units 0 interface, 1 red, 2 blue, 3 yellow.
    const std::array<ThreeStationUnitIcons, 4>& UnitIcons() const { return unitIcons_; }
    std::pair<int, int> PairIcons() const { return pairIcons_; }
    Chart ChartShown() const { return chart_; }
    // Counts every change of the chart, so that the form paints it only when it changed.
    uint64_t ChartRevision() const { return chartRevision_; }

private:
    void Start();
    void Stop();
    void HandleHint(uint32_t hint, bool fromDocument);
    void ShowPairResult();
    void ShowCombinedResult();
    void ShowVelocity();
    void ShowPairVerdicts();
    void ShowCutoffs();
    void ShowChart(Chart chart);
    void ClearResultTexts();
    void PostSensorMask(int mask);

    CKorvantaDoc& doc_;
    CLinkState& link_;
    IThreeStationHost& host_;
    IMessageSink& messages_;
    IClock& clock_;
    UnitSystem units_;
    TimeUnit time_;
    int sensorMaskBefore_;

    CThreeStationResult result_;
    ThreeStationSetup setup_;
    int32_t displayed_ = 6;
    bool setUp_ = false;
    bool resultFlag_ = false;
    bool fileLoaded_ = false;
    bool running_ = false;
    unsigned blockSets_ = 0;  // complete sets of blocks in the running measurement
    int64_t startMs_ = 0;
    std::array<int, 4> batteries_{};  // the last values reported
    std::string measuringTime_;

    bool startEnabled_ = false;
    int progress_ = 0;
    std::string delayText_;
    std::string qualityText_;
    std::string measuringTimeText_;
    std::string velocityText_;
    std::string lowCutoffText_;
    std::string highCutoffText_;
    std::array<PairVerdict, kThreeStationPairs> pairVerdicts_{};
    std::array<ThreeStationUnitIcons, 4> unitIcons_{};
    std::pair<int, int> pairIcons_{};
    Chart chart_ = Chart::Blank;
    uint64_t chartRevision_ = 0;
};

}  // namespace korvanta
