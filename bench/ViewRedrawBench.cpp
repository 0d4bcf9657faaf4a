// What the two-station form does for every accepted data block (hint 100): the view model moves
// the cursor to the peak and works out the texts, the form repaints the graph and the pipe strip
// into their images and sets every text. Run on Qt's offscreen platform with real fonts.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrinter>

#include "core/document/DocumentHints.h"
#include "gui/view/CKorvantaView.h"
#include "tests/core/view/ViewModelTestSupport.h"
#include "tests/gui/OffscreenApplication.h"

namespace korvanta {
namespace {

void BM_ViewHint100Redraw(benchmark::State& state)
{
    doctest::DocumentRig doc;
    viewtest::RecordingHost host;
    doc.link.UpdateUnitPresence(15, 15, 15);
    QPrinter printer(QPrinter::HighResolution);
    gui::CKorvantaView view(*doc.document, doc.link, host, doc.messages, doc.comms, printer);
    view.InitialUpdate();
    PipeSections pipe{};
    pipe[0] = doctest::Section(2, 200.0f, 1000.0f);
    pipe[1] = doctest::Section(8, 50.0f, 400.0f);
    doc.document->Edit().ApplyPipeData(pipe);
    if (!doc.document->StartMeasurement()) {
        state.SkipWithError("the measurement did not start");
        return;
    }
    for (const DataBlockRecord& block : viewtest::ViewRig::Blocks(6)) {
        doc.link.StoreDataBlock(block);
        doc.link.SetDataBlockReady(true);
        doc.document->OnBlockReady();
    }
    for (auto _ : state) {
        view.OnDocumentUpdate(kHintNewResult);
        benchmark::DoNotOptimize(view.GraphImage().constBits());
    }
}
BENCHMARK(BM_ViewHint100Redraw)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvanta

int main(int argc, char** argv)
{
    korvanta::test::OffscreenApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
