// The three-station form's decisions without a window: the sensor selection it posts, START with
// the set-up wizard, the pairs and the combined result, a measurement that must end, kv3 files.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "core/document/DocumentHints.h"
#include "core/text/StringIds.h"
#include "core/threestation/Kv3File.h"
#include "core/threestation/ThreeStationIcons.h"
#include "core/view/ThreeStationViewModel.h"
#include "tests/core/document/MeasurementBlocks.h"

namespace korvanta {
namespace {

using doctest::DocumentRig;

// The frame and the wizard as the model sees them, recording what they were asked.
class RecordingThreeStationHost final : public IThreeStationHost {
public:
    void EnableAllMenus(bool enable) override { menus.push_back(enable); }
    void EnableFiltersCommand(bool enable) override { filters.push_back(enable); }
    int GetRadioMode() const override { return kRadioModeHigh; }
    std::optional<ThreeStationSetup> RunSetup() override
    {
        ++wizardRuns;
        return setup;
    }
    void SetupApplied(float redBlue, float blueYellow) override { applied.emplace_back(redBlue, blueYellow); }

    std::optional<ThreeStationSetup> setup;
    int wizardRuns = 0;
    std::vector<bool> menus;
    std::vector<bool> filters;
    std::vector<std::pair<float, float>> applied;
};

class ModelForwarder final : public IDocumentObserver {
public:
    explicit ModelForwarder(ThreeStationViewModel& model) : model_(model) {}
    void OnDocumentUpdate(uint32_t hint) override { model_.OnDocumentUpdate(hint); }

private:
    ThreeStationViewModel& model_;
};

// Red 0 m, blue 100 m, yellow 300 m as the document's block helpers lay them, 1000 m/s.
ThreeStationSetup HundredAndTwoHundred(const CMaterialDatabase& materials)
{
    ThreeStationSetup setup;
    setup.SetRedBlue(100.0f);
    setup.SetBlueYellow(200.0f);
    setup.Finish(materials, ThreeStationSetup::kNoMaterial, {});
    return setup;
}

struct ThreeStationRig {
    explicit ThreeStationRig(int maskBefore = 6)
    {
        doc.document->EnterThreeStationMode();
        model = std::make_unique<ThreeStationViewModel>(*doc.document, doc.link, host, doc.messages, doc.comms,
                                                        UnitSystem::Metric, TimeUnit::Seconds, maskBefore);
        forwarder = std::make_unique<ModelForwarder>(*model);
        doc.document->AddObserver(forwarder.get());
        model->InitialUpdate();
    }
    ~ThreeStationRig()
    {
        if (model) {
            doc.document->RemoveObserver(forwarder.get());
        }
    }

    void UnitsPresent()
    {
        doc.link.UpdateUnitPresence(15, 15, 15);
        model->StatusPoll();
    }
    void Measure(int sets, double snrDb = 6.0)
    {
        for (const DataBlockRecord& block : doctest::blocks::ThreeStationBlocks(sets, snrDb)) {
            doctest::blocks::Deliver(doc, block, true);
        }
    }
    // The sensor masks the model posted.
    std::vector<int> SelectedMasks()
    {
        doc.comms.TakeCommands();
        std::vector<int> masks;
        for (const LinkCommand& command : doc.comms.Taken()) {
            if (command.code == TM_SELECT_SENSORS) {
                masks.push_back(command.sensorMask);
            }
        }
        return masks;
    }

    DocumentRig doc;
    RecordingThreeStationHost host;
    std::unique_ptr<ThreeStationViewModel> model;
    std::unique_ptr<ModelForwarder> forwarder;
};

TEST(ThreeStationViewModelTest, AMeasurementShowsThePairsAndTheResultAndTheFileKeepsThem)
{
    ThreeStationRig rig;
    ThreeStationViewModel& model = *rig.model;
    rig.host.setup = HundredAndTwoHundred(rig.doc.document->Materials());
    EXPECT_EQ(rig.SelectedMasks(), std::vector<int>{14});
    EXPECT_EQ(model.DisplayedPair(), 6);
    EXPECT_FALSE(model.StartButtonEnabled()) << "no unit has answered yet";
    EXPECT_EQ(model.UnitIcons()[0].presence, icon::kInterfaceNotConnected);
    rig.UnitsPresent();
    ASSERT_TRUE(model.StartButtonEnabled());
    EXPECT_EQ(model.UnitIcons()[1].presence, icon::kRedUnit);
    EXPECT_EQ(model.UnitIcons()[3].sensor, icon::kYellowSensor);
    EXPECT_EQ(model.UnitIcons()[2].radio, icon::kRadioHigh);
    EXPECT_EQ(model.PairIcons(), std::make_pair(icon::kRedUnit, icon::kBlueUnit));

    model.StartOrStop();
    ASSERT_TRUE(model.IsRunning());
    EXPECT_EQ(rig.host.wizardRuns, 1);
    EXPECT_EQ(rig.host.applied, (std::vector<std::pair<float, float>>{{100.0f, 200.0f}}));
    EXPECT_EQ(rig.host.menus, std::vector<bool>{false});
    EXPECT_EQ(model.StartButtonText(), str::kStop);
    EXPECT_TRUE(model.MeasuringTimerRunning());
    EXPECT_FALSE(model.SaveEnabled());
    EXPECT_FALSE(model.CanLeave());
    EXPECT_EQ(model.Result().Pair(2).distance, 300.0f) << "the result starts from the set-up";
    rig.doc.comms.SleepMs(65 * 1000);
    model.MeasuringTimeTick();
    EXPECT_EQ(model.MeasuringTimeText(), "00:01:05");

    rig.Measure(6);
    EXPECT_TRUE(model.HasResult());
    EXPECT_EQ(model.Progress(), 0) << "six sets: 1..5, then 0 again";
    EXPECT_EQ(model.ChartShown(), ThreeStationViewModel::Chart::PairTrace);
    EXPECT_FALSE(model.DelayText().empty());
    EXPECT_EQ(model.QualityText().back(), '1');

    model.StartOrStop();
    EXPECT_FALSE(model.IsRunning());
    EXPECT_FALSE(model.MeasuringTimerRunning());
    EXPECT_EQ(model.StartButtonText(), str::kStart);
    EXPECT_EQ(rig.host.menus, (std::vector<bool>{false, true}));
    const char* stored = rig.doc.document->ThreeStation().Record(0).measuringTime;
    EXPECT_EQ(std::string(stored, 8), "00:01:05");
    EXPECT_TRUE(model.SaveEnabled());

    // The combined result: no delay or value of a pair, no cut-offs, no filters.
    model.SelectPair(ThreeStationMeasurement::kResultView);
    EXPECT_EQ(model.ChartShown(), ThreeStationViewModel::Chart::Result);
    EXPECT_TRUE(model.DelayText().empty());
    EXPECT_TRUE(model.LowCutoffText().empty());
    EXPECT_EQ(rig.host.filters.back(), false);
    EXPECT_EQ(model.PairIcons(), std::make_pair(0, 0));
    const CThreeStationResult measured = model.Result();
    ASSERT_TRUE(measured.IsValid());
    EXPECT_NEAR(measured.Velocity(), 1000.0f, 20.0f);
    EXPECT_NEAR(measured.RedYellow().fromFirst, doctest::blocks::kRedArrival * 1000.0, 3.0);
    EXPECT_FALSE(model.VelocityText().empty());

    const auto file = ThreeStationViewModel::WithKv3Suffix(rig.doc.folder.Path() / "main");
    ASSERT_TRUE(model.SaveFile(file));
    model.NewResult();
    EXPECT_FALSE(model.HasResult());
    EXPECT_FALSE(model.IsSetUp());
    EXPECT_TRUE(model.VelocityText().empty());
    EXPECT_EQ(model.ChartShown(), ThreeStationViewModel::Chart::Blank);

    ASSERT_TRUE(model.OpenFile(file));
    EXPECT_TRUE(model.IsFileLoaded());
    EXPECT_TRUE(model.IsSetUp());
    EXPECT_EQ(model.Result().Velocity(), measured.Velocity());
    EXPECT_EQ(model.MeasuringTimeText(), "00:01:05");
    EXPECT_EQ(model.ChartShown(), ThreeStationViewModel::Chart::Result);

    // START over a loaded file begins anew with the wizard.
    model.StartOrStop();
    EXPECT_EQ(rig.host.wizardRuns, 2);
    EXPECT_FALSE(model.IsFileLoaded());
    model.StartOrStop();

    rig.doc.document->RemoveObserver(rig.forwarder.get());
    rig.model.reset();
    EXPECT_EQ(rig.SelectedMasks(), (std::vector<int>{14, 6})) << "the sensors of before come back";
}

TEST(ThreeStationViewModelTest, EachPairSaysHowSureItsResultIs)
{
    struct Case {
        double snrDb;
        int sets;
        bool reliable;
    };
    // Leak noise well over the pipe noise against leak noise drowned in it.
    const Case cases[] = {{6.0, 6, true}, {-20.0, 6, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.snrDb);
        ThreeStationRig rig;
        ThreeStationViewModel& model = *rig.model;
        rig.host.setup = HundredAndTwoHundred(rig.doc.document->Materials());
        rig.UnitsPresent();
        model.StartOrStop();
        EXPECT_FALSE(model.PairVerdicts()[0].assessed) << "nothing measured yet";
        rig.Measure(c.sets, c.snrDb);
        model.StartOrStop();
        model.SelectPair(ThreeStationMeasurement::kResultView);
        for (const PairVerdict& pair : model.PairVerdicts()) {
            ASSERT_TRUE(pair.assessed);
            EXPECT_EQ(pair.reliable, c.reliable) << pair.line;
            if (c.reliable) {
                EXPECT_EQ(pair.line.rfind("Pålideligt resultat", 0), 0u) << pair.line;
            } else {
                EXPECT_EQ(pair.line.rfind("Usikkert resultat: ", 0), 0u) << pair.line;
                EXPECT_FALSE(pair.details.empty());
            }
        }
        if (c.reliable) {
            // Blue/yellow hears the leak beyond blue: sure, but it gives no span.
            EXPECT_EQ(model.PairVerdicts()[1].line, "Pålideligt resultat");
            // Red/blue: the leak 40 m from red; the span is measured from the pair's first sensor.
            const std::string& line = model.PairVerdicts()[0].line;
            const std::string number = line.substr(line.find(": ") + 2, line.find(" m") - line.find(": ") - 2);
            EXPECT_NEAR(std::stof(number.substr(0, number.find(','))), 40.0f, 2.0f) << line;
        }
        model.NewResult();
        EXPECT_FALSE(model.PairVerdicts()[2].assessed);
    }
}

TEST(ThreeStationViewModelTest, ACancelledWizardOrARefusedStartLeavesTheFormIdle)
{
    ThreeStationRig rig;
    ThreeStationViewModel& model = *rig.model;
    rig.UnitsPresent();
    model.StartOrStop();  // the wizard is cancelled
    EXPECT_FALSE(model.IsRunning());
    EXPECT_FALSE(model.IsSetUp());
    EXPECT_EQ(rig.host.menus, (std::vector<bool>{false, true}));
    EXPECT_TRUE(rig.host.applied.empty());

    rig.host.setup = HundredAndTwoHundred(rig.doc.document->Materials());
    rig.doc.comms.SetAnswerStarts(false);
    model.StartOrStop();
    EXPECT_FALSE(model.IsRunning());
    EXPECT_TRUE(model.IsSetUp()) << "the set-up is kept for the next START";
    EXPECT_FALSE(model.MeasuringTimerRunning());
    EXPECT_EQ(rig.host.menus, (std::vector<bool>{false, true, false, true}));
    EXPECT_FALSE(model.LowCutoffText().empty()) << "the set-up's band is on show";
}

TEST(ThreeStationViewModelTest, AMeasurementThatMustEndStopsAndSaysWhy)
{
    ThreeStationRig rig;
    ThreeStationViewModel& model = *rig.model;
    rig.host.setup = HundredAndTwoHundred(rig.doc.document->Materials());
    rig.UnitsPresent();
    rig.doc.document->UpdateAllViews(kHintMeasurementEnded);
    EXPECT_TRUE(rig.doc.messages.shown.empty()) << "nothing runs, nothing to end";

    model.StartOrStop();
    rig.Measure(2);
    EXPECT_EQ(model.Progress(), 2);
    rig.doc.document->UpdateAllViews(kHintMeasurementEnded);
    EXPECT_FALSE(model.IsRunning());
    EXPECT_FALSE(rig.doc.document->IsMeasuring());
    EXPECT_EQ(model.Progress(), 0);
    ASSERT_EQ(rig.doc.messages.shown.size(), 1u);
    EXPECT_EQ(rig.doc.messages.shown[0], std::make_pair(str::kMeasurementStopped, uint32_t{kStyleExclamation}));
}

TEST(ThreeStationViewModelTest, AFileThatCannotBeReadLeavesTheResultOnShow)
{
    ThreeStationRig rig;
    ThreeStationViewModel& model = *rig.model;
    const auto path = rig.doc.folder.Path() / "short.kv3";
    std::ofstream(path) << "no";
    EXPECT_FALSE(model.OpenFile(path));
    EXPECT_FALSE(model.HasResult());
    EXPECT_FALSE(model.IsFileLoaded());
    ASSERT_EQ(rig.doc.messages.shown.size(), 1u);
    EXPECT_EQ(rig.doc.messages.shown[0].first, Kv3StatusMessage(Kv3Status::NotKv3));
    EXPECT_FALSE(model.SaveFile(rig.doc.folder.Path() / "no-such-folder" / "x.kv3"));
    EXPECT_EQ(rig.doc.messages.shown.back(), std::make_pair(str::kFileSaveError, uint32_t{kStyleStop}));
}

TEST(ThreeStationViewModelTest, ASaveWithoutAnExtensionGetsKv3)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/m/main", "/m/main.kv3"},   {"/m/main.kv3", "/m/main.kv3"}, {"/m/main.dat", "/m/main.dat"},
        {"/m/main.", "/m/main..kv3"}, {"/m.d/main", "/m.d/main.kv3"},
    };
    for (const auto& [given, saved] : cases) {
        EXPECT_EQ(ThreeStationViewModel::WithKv3Suffix(given), std::filesystem::path(saved)) << given;
    }
}

}  // namespace
}  // namespace korvanta
