// The two-station view's word on how sure its result is: the line, its colour, the reasons and
// the further peaks' columns, after a measurement, an opened file and with nothing measured.
#include <gtest/gtest.h>

#include <functional>

#include "ViewModelTestSupport.h"

namespace korvanta {
namespace {

using viewtest::ViewRig;

// Measures at `snrDb` on the 200 m pipe, saves, and opens the file in `reader`'s document.
void MeasureSaveAndOpen(ViewRig& rig, ViewRig& reader, double snrDb)
{
    rig.LayPipe();
    rig.Measure(6, snrDb);
    const auto file = rig.doc.folder.Path() / "verdict.kvd";
    ASSERT_TRUE(rig.Doc().Save(file));
    ASSERT_TRUE(reader.Doc().Open(file));
}

struct VerdictCase {
    const char* name;
    std::function<void(ViewRig& rig, ViewRig& reader)> act;  // leaves the result on show in reader
    VerdictTone tone;
    const char* linePrefix;
    bool hasDetails;
};

TEST(ResultVerdictDisplayTest, TheLineItsColourReasonsAndPeaksFollowTheResult)
{
    const VerdictCase cases[] = {
        {"reliable measurement",
         [](ViewRig& rig, ViewRig& reader) {
             reader.LayPipe();
             reader.Measure(6, 6.0);
             (void)rig;
         },
         VerdictTone::Reliable, "P\u00e5lideligt resultat: 75,0 m \u00b1 ", false},
        {"reliable file opened",
         [](ViewRig& rig, ViewRig& reader) { MeasureSaveAndOpen(rig, reader, 6.0); }, VerdictTone::Reliable,
         "P\u00e5lideligt resultat: 75,0 m \u00b1 ", false},
        {"unreliable file opened",
         [](ViewRig& rig, ViewRig& reader) { MeasureSaveAndOpen(rig, reader, -24.0); }, VerdictTone::Unreliable,
         "Usikkert resultat: ", true},
        {"nothing measured", [](ViewRig&, ViewRig&) {}, VerdictTone::None, "", false},
        {"new document after a result",
         [](ViewRig&, ViewRig& reader) {
             reader.LayPipe();
             reader.Measure(6, 6.0);
             reader.Doc().NewDocument();
         },
         VerdictTone::None, "", false},
    };
    for (const VerdictCase& c : cases) {
        SCOPED_TRACE(c.name);
        ViewRig rig;
        ViewRig reader;
        c.act(rig, reader);
        const CorrelationDisplay& display = reader.Display();
        const ResultVerdictDisplay& verdict = display.Verdict();
        EXPECT_EQ(verdict.tone, c.tone);
        EXPECT_EQ(verdict.line.rfind(c.linePrefix, 0), 0u) << verdict.line;
        EXPECT_EQ(verdict.line.empty(), c.tone == VerdictTone::None);
        EXPECT_EQ(!verdict.details.empty(), c.hasDetails) << verdict.details;
        if (c.tone == VerdictTone::None) {
            EXPECT_TRUE(display.CandidateColumns().empty());
        }
        // The markers stand for the other peaks: inside the graph, never on the top peak itself.
        for (int column : display.CandidateColumns()) {
            EXPECT_GE(column, 0);
            EXPECT_LT(column, display.GraphWidth());
            EXPECT_NE(column, display.Cursor().Column());
        }
    }
}

}  // namespace
}  // namespace korvanta
