#pragma once

#include <memory>
#include <vector>

#include "core/app/LinkStatusPane.h"
#include "core/document/DocumentHints.h"
#include "core/host/IViewHost.h"
#include "core/view/TwoStationViewModel.h"
#include "sim/TwoStationRecording.h"
#include "tests/core/document/DocumentTestSupport.h"

namespace korvanta::viewtest {

// The main frame as the view sees it, recording what it was asked.
class RecordingHost final : public IViewHost {
public:
    void EnableAllMenus(bool enable) override { menus.push_back(enable); }
    void SetCommAvailable() override { ++commAvailable; }
    void ClearCommAvailable() override { ++commCleared; }
    int GetRadioMode() const override { return radioMode; }
    void EnableVelocityCommand(bool enable) override { velocity.push_back(enable); }
    void SetUnitSystem(UnitSystem units) override { storedUnits.push_back(units); }
    void SetTimeUnit(TimeUnit time) override { storedTimes.push_back(time); }
    bool SaveModifiedMeasurement() override
    {
        ++saveAsked;
        return saveAnswer;
    }
    // The status pane's text as the frame would show it on a link that is up.
    void ShowLinkActivity(LinkActivity activity, unsigned blockPairs) override
    {
        pane.SetActivity(activity);
        pane.SetBlockPairs(blockPairs);
        statuses.push_back(pane.Text(true));
    }

    std::vector<bool> menus;
    std::vector<bool> velocity;
    std::vector<UnitSystem> storedUnits;
    std::vector<TimeUnit> storedTimes;
    int commAvailable = 0;
    int commCleared = 0;
    int radioMode = 3;
    int saveAsked = 0;
    bool saveAnswer = true;
    LinkStatusPane pane;
    std::vector<std::string> statuses;
};

// Hands the document's hints to the model, as the window does.
class HintForwarder final : public IDocumentObserver {
public:
    explicit HintForwarder(TwoStationViewModel& model) : model_(model) {}
    void OnDocumentUpdate(uint32_t hint) override { model_.OnDocumentUpdate(hint); }

private:
    TwoStationViewModel& model_;
};

// 200 m of pipe at 1000 m/s with the leak 75 m from the red sensor: red hears it 0.05 s first.
inline constexpr double kLeakDelay = -0.05;

// A document with its played comms, the view's model on it, and the units of the kit present.
struct ViewRig {
    ViewRig()
    {
        model = std::make_unique<TwoStationViewModel>(*doc.document, doc.link, host, doc.messages, doc.comms);
        forwarder = std::make_unique<HintForwarder>(*model);
        doc.document->AddObserver(forwarder.get());
        doc.link.UpdateUnitPresence(15, 15, 15);
        model->InitialUpdate();
        // The first poll sees the link come up; the tests start from the steady state after it.
        model->Control().StatusPoll();
        host = RecordingHost{};
    }

    CKorvantaDoc& Doc() { return *doc.document; }
    const CorrelationDisplay& Display() const { return model->Display(); }
    MeasurementControl& Control() { return model->Control(); }

    void LayPipe(float length = 200.0f, int material = 2)
    {
        PipeSections pipe{};
        pipe[0] = doctest::Section(material, length, 1000.0f);
        doc.document->Edit().ApplyPipeData(pipe);
    }

    void Deliver(const DataBlockRecord& block)
    {
        doc.link.StoreDataBlock(block);
        doc.link.SetDataBlockReady(true);
        doc.document->OnBlockReady();
    }

    static std::vector<DataBlockRecord> Blocks(int pairs, double delay = kLeakDelay, double snrDb = 6.0)
    {
        sim::TwoStationScenario scenario;
        scenario.delaySeconds = delay;
        scenario.blockPairs = pairs;
        scenario.snrDb = snrDb;
        scenario.seed = 5;
        return sim::SimulateTwoStationMeasurement(scenario);
    }

    // START, `pairs` block pairs, STOP.
    void Measure(int pairs = 6, double snrDb = 6.0)
    {
        Control().StartStop();
        for (const DataBlockRecord& block : Blocks(pairs, kLeakDelay, snrDb)) {
            Deliver(block);
        }
        Control().StartStop();
    }

    doctest::DocumentRig doc;
    RecordingHost host;
    std::unique_ptr<TwoStationViewModel> model;
    std::unique_ptr<HintForwarder> forwarder;
};

}  // namespace korvanta::viewtest
