#include "core/commands/DocumentCommands.h"

#include <array>

#include "core/document/CKorvantaDoc.h"
#include "core/document/DocumentHints.h"
#include "core/text/StringIds.h"
#include "core/velocity/VelocityWizardChecks.h"

namespace korvanta {

namespace {

enum SpectrumBuffer { kStationA = 0, kStationB = 1, kThirdStation = 2 };

// Which of the document's spectrum buffers show sensor 1 (lower graph) and sensor 2 (upper) of
// a three-station pair: red/blue draw into A and B, blue/yellow into B and the third, red/yellow
// into A and the third.
struct PairBuffers {
    int lower;
    int upper;
};
constexpr std::array<PairBuffers, ThreeStationMeasurement::kPairs> kPairBuffers = {
    PairBuffers{kStationA, kStationB}, PairBuffers{kStationB, kThirdStation}, PairBuffers{kStationA, kThirdStation}};

}  // namespace

DocumentCommands::DocumentCommands(CKorvantaDoc& document, IDocumentDialogs& dialogs)
    : document_(document), dialogs_(dialogs)
{
}

void DocumentCommands::PipeParameters()
{
    const auto pipe = dialogs_.EditPipe(document_.Record().pipe, document_.Materials(), document_.SensorPairCode());
    if (pipe)
        document_.Edit().ApplyPipeData(*pipe);
}

void DocumentCommands::PipeMaterials()
{
    std::array<Material, kMaxMaterials> materials{};
    document_.Materials().CopyOut(materials);
    const auto edited = dialogs_.EditMaterials(materials, document_.Record().pipe);
    if (!edited)
        return;
    document_.Edit().ReplaceMaterialDatabase(edited->materials);
    // The sections follow materials that removals moved; names on show may have changed too.
    document_.Record().pipe = edited->pipe;
    document_.UpdateAllViews(kHintPipeChanged);
}

void DocumentCommands::RestoreDefaultMaterials()
{
    if (document_.RestoreDefaultMaterials())
        document_.UpdateAllViews(kHintPipeChanged);
}

void DocumentCommands::Filters()
{
    if (!document_.IsThreeStationMode()) {
        const auto settings = dialogs_.EditFilters(document_.Record().filters, document_.SpectrumBuffer(kStationB),
                                                   document_.SpectrumBuffer(kStationA), document_.SensorPairCode(),
                                                   document_.Engine().Coherence());
        if (settings)
            document_.Edit().StoreFilterSettings(*settings);
        return;
    }
    document_.Recompute();
    const int pair = ThreeStationMeasurement::IndexForPair(document_.ThreeStation().SelectedPair());
    const MeasurementRecord& record = document_.ThreeStation().Record(pair);
    const PairBuffers buffers = kPairBuffers[static_cast<size_t>(pair)];
    const auto settings = dialogs_.EditFilters(record.filters, document_.SpectrumBuffer(buffers.upper),
                                               document_.SpectrumBuffer(buffers.lower), record.pairCode,
                                               document_.ThreeStation().Engine(pair).Coherence());
    if (settings)
        document_.Edit().StoreFilterSettings(*settings);
}

void DocumentCommands::FileInformation()
{
    const auto shown = document_.GetFileInformation();
    FileInformationForm form;
    form.title = shown.title;
    form.comments = document_.CommentLines();
    form.userInformation = shown.userInformation;
    form.date = shown.date;
    form.time = shown.time;
    const auto confirmed = dialogs_.EditFileInformation(form);
    if (confirmed)
        document_.Edit().SetFileInformation(confirmed->title, confirmed->comments, confirmed->userInformation);
}

std::optional<uint32_t> DocumentCommands::Correlation()
{
    return MeasurementSetupLoop::Run(*this);
}

void DocumentCommands::SensorCombination()
{
    const auto pairCode = dialogs_.ChooseSensorCombination(document_.SensorPairCode());
    if (pairCode)
        document_.Edit().ApplySensorCombination(static_cast<int>(*pairCode));
}

void DocumentCommands::VelocityCalculation()
{
    IMessageSink& messages = document_.Messages();
    // The delay of the pair on show in the three-station mode.
    const float delay = document_.GetDelay();
    if (const auto refusal = CheckWizardStart(delay, document_.Pipe().SectionCount())) {
        messages.ShowMessage(*refusal, kStyleExclamation);
        return;
    }
    // The engine of the result on show: the two-station one, or the displayed pair's.
    const CCorrelator& engine = document_.IsThreeStationMode()
                                    ? document_.ThreeStation().Engine(ThreeStationMeasurement::IndexForPair(
                                          document_.ThreeStation().SelectedPair()))
                                    : document_.Engine();
    if (const auto refusal = CheckWizardPeak(engine)) {
        messages.ShowText(str::kVelocityUnreliablePeak, *refusal, kStyleExclamation);
        return;
    }
    VelocityWizardSetup setup;
    setup.delay = delay;
    setup.units = document_.Settings().GetUnitSystem();
    setup.time = document_.Settings().GetTimeUnit();
    setup.pairCode = document_.IsThreeStationMode() ? static_cast<uint32_t>(document_.ThreeStation().SelectedPair())
                                                    : document_.SensorPairCode();
    const PipeSection& first = document_.Record().pipe[0];
    setup.length = first.length;
    setup.diameter = first.diameter;
    setup.materialIndex = first.materialIndex;
    document_.Materials().CopyOut(setup.materials);
    if (const auto answer = dialogs_.RunVelocityWizard(setup))
        ApplyVelocityWizardAnswer(document_, *answer, messages);
}

SetupDialogResult DocumentCommands::RunSetupDialog(const SetupDialogState& state)
{
    return dialogs_.RunMeasurementSetup(state);
}

const PipeSections& DocumentCommands::Pipe() const
{
    return document_.Record().pipe;
}

uint32_t DocumentCommands::Range() const
{
    return document_.CorrelationRange();
}

void DocumentCommands::SetupClosed(std::optional<uint32_t> range)
{
    document_.Edit().MeasurementSetupClosed(range);
}

}  // namespace korvanta
