#include <string>

#include <gtest/gtest.h>

#include "core/pipe/CMaterialDatabase.h"
#include "core/pipe/CPresetFilters.h"
#include "tests/core/pipe/PipeTestSupport.h"

namespace korvanta {
namespace {

using pipetest::RecordingMessageSink;
using pipetest::TempDir;

constexpr int kNamedMaterials = 11;

bool IsPlastic(int index)
{
    return index == 3 || index == 5 || index == 7 || index == 8;
}

// The shipped defaults, copied into a fresh folder so that the database can write beside them.
class ShippedData : public ::testing::Test {
protected:
    ShippedData() { dir_.AddDefaultDataFiles(); }
    TempDir dir_;
    RecordingMessageSink sink_;
};

TEST_F(ShippedData, DefaultsBuildTheElevenNamedMaterials)
{
    CMaterialDatabase db(dir_.Path(), sink_);
    EXPECT_TRUE(sink_.messages.empty());
    EXPECT_TRUE(db.SaveAtExit());
    EXPECT_EQ(db.MaterialCount(), kNamedMaterials);
    EXPECT_EQ(db.MaterialName(10), "Stål");

    for (int i = 0; i < kNamedMaterials; ++i) {
        SCOPED_TRACE(db.MaterialName(i));
        const Material& m = *db.GetMaterial(i);
        int entries = 0;
        while (entries < kMaxVelocityEntries && m.diameters[entries] > 0.0f)
            ++entries;
        EXPECT_GE(entries, 6);
        for (int k = 1; k < entries; ++k)
            EXPECT_GT(m.diameters[k], m.diameters[k - 1]);
        // Plastic pipes carry a slow wave, stiff pipes one near the speed of sound in water.
        const float low = IsPlastic(i) ? 200.0f : 900.0f;
        const float high = IsPlastic(i) ? 500.0f : 1450.0f;
        EXPECT_GE(db.MinimumVelocity(i), low);
        EXPECT_LE(db.MaximumVelocity(i), high);
        const float proposed = db.GetVelocityForDiameter(i, m.diameters[entries / 2] + 1.0f);
        EXPECT_GE(proposed, low);
        EXPECT_LE(proposed, high);

        // Three bands that move down as the pipe gets longer.
        for (int c = 0; c < kFilterClasses; ++c) {
            EXPECT_GT(m.lowCutoffs[c], 0.0f);
            EXPECT_GT(m.highCutoffs[c], m.lowCutoffs[c]);
            EXPECT_LE(m.highCutoffs[c], 1220.0f);
            if (c > 0) {
                EXPECT_LE(m.lowCutoffs[c], m.lowCutoffs[c - 1]);
                EXPECT_LT(m.highCutoffs[c], m.highCutoffs[c - 1]);
            }
        }
        EXPECT_LE(m.highCutoffs[0], IsPlastic(i) ? 500.0f : 1220.0f);
    }
    EXPECT_EQ(db.GetMaterial(kNamedMaterials)->inUse, 0);
    db.SetSaveAtExit(false);
}

TEST_F(ShippedData, EveryNamedMaterialHasConsecutivePresets)
{
    CPresetFilters presets;
    EXPECT_TRUE(presets.Load(dir_.Path(), sink_));
    EXPECT_TRUE(sink_.messages.empty());
    for (int i = 0; i < kNamedMaterials; ++i) {
        int count = 0;
        while (count < CPresetFilters::kPresetsPerMaterial && presets.PresetExists(i, count))
            ++count;
        EXPECT_GE(count, 3) << i;
        for (int k = count; k < CPresetFilters::kPresetsPerMaterial; ++k)
            EXPECT_FALSE(presets.PresetExists(i, k));
    }
    EXPECT_FALSE(presets.PresetExists(kNamedMaterials, 0));
}

}  // namespace
}  // namespace korvanta
