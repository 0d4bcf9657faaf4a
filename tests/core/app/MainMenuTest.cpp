#include "core/app/MainMenu.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/app/CommandIds.h"
#include "core/app/CommandPrompt.h"

namespace korvanta {
namespace {

std::vector<std::string> TopLevelCaptions()
{
    std::vector<std::string> captions;
    int depth = 0;
    for (const MenuEntry& entry : MainMenu()) {
        if (entry.kind == MenuEntryKind::PopupBegin && depth++ == 0) {
            captions.emplace_back(entry.caption);
        } else if (entry.kind == MenuEntryKind::PopupEnd) {
            --depth;
        }
    }
    return captions;
}

TEST(MainMenu, TopLevelPopupsInOrderAndBalanced)
{
    EXPECT_EQ(TopLevelCaptions(), (std::vector<std::string>{"&Filer", "&Kopi", "&Vis", "V&alg", "&Indstillinger",
                                                            "&Mode", "&Avanceret", "&Hjælp"}));
    int depth = 0;
    for (const MenuEntry& entry : MainMenu()) {
        depth += entry.kind == MenuEntryKind::PopupBegin ? 1 : entry.kind == MenuEntryKind::PopupEnd ? -1 : 0;
        ASSERT_GE(depth, 0);
        if (entry.kind != MenuEntryKind::PopupBegin && entry.kind != MenuEntryKind::PopupEnd) {
            EXPECT_GT(depth, 0) << "every entry sits inside a popup";
        }
    }
    EXPECT_EQ(depth, 0);
}

TEST(MainMenu, EveryCommandOnceWithItsCaptionAndRule)
{
    std::set<uint32_t> seen;
    for (const MenuEntry& entry : MainMenu()) {
        if (entry.kind == MenuEntryKind::Command) {
            EXPECT_TRUE(seen.insert(entry.id).second) << entry.id;
            ASSERT_NE(entry.caption, nullptr);
            EXPECT_EQ(entry.rule != EnableRule::Flag && entry.rule != EnableRule::FlagAndComm,
                      entry.group == CommandGroup::None)
                << "a flag rule needs a group and only then: " << entry.id;
        }
    }
    EXPECT_EQ(seen.size(), 38u);

    struct Expected {
        uint32_t id;
        const char* caption;
        EnableRule rule;
    };
    const Expected cases[] = {
        {cmd::kFileNew, "Ny\tCtrl+N", EnableRule::Flag},
        {cmd::kFileOpen, "&Åben...\tCtrl+å", EnableRule::Flag},
        {cmd::kFileSave, "&Gem..\tCtrl+S", EnableRule::Flag},
        {cmd::kFileSaveAs, "Gem &Som", EnableRule::Always},
        {cmd::kFilePrintSetup, "P&rint opsætning...", EnableRule::Always},
        {cmd::kSystemStatus, "Systemstatus", EnableRule::FlagAndComm},
        {cmd::kBeaconsOff, "OFF", EnableRule::FlagAndComm},
        {cmd::kRadioModeHigh, "Høj", EnableRule::FlagAndComm},
        {cmd::kPipeParameters, "Parametre", EnableRule::Flag},
        {cmd::kPipeMaterials, "Rørmaterialer", EnableRule::Always},
        {cmd::kCorrelation, "Korrelation", EnableRule::Always},
        {cmd::kSensorCombination, "Sensorkombination", EnableRule::FlagAndComm},
        {cmd::kVelocityCalculation, "Løbehastighedsberegning", EnableRule::Flag},
        {cmd::kUnitsImperial, "Imperial", EnableRule::Form},
        {cmd::kAdcTest, "Test", EnableRule::FlagAndComm},
        {cmd::kRadioSignalStrength, "&Radiosignalstyrke", EnableRule::Always},
        {cmd::kAppAbout, "&Om Korvanta", EnableRule::Always},
    };
    for (const Expected& expected : cases) {
        const MenuEntry* entry = FindMenuCommand(expected.id);
        ASSERT_NE(entry, nullptr) << expected.id;
        EXPECT_STREQ(entry->caption, expected.caption);
        EXPECT_EQ(entry->rule, expected.rule) << expected.id;
    }
    EXPECT_EQ(FindMenuCommand(cmd::kBlockReadyTwoStation), nullptr);
}

TEST(MainMenu, PortListIsTheFirstItemOfTheFifthPopup)
{
    int top = 0;
    int depth = 0;
    bool nextIsFirst = false;
    for (const MenuEntry& entry : MainMenu()) {
        if (entry.kind == MenuEntryKind::PopupBegin && depth++ == 0) {
            ++top;
            nextIsFirst = true;
            continue;
        }
        if (entry.kind == MenuEntryKind::PopupEnd) {
            --depth;
        }
        if (nextIsFirst && top == 5) {
            EXPECT_EQ(entry.kind, MenuEntryKind::PortList);
            EXPECT_STREQ(entry.caption, "COM-Port");
            return;
        }
        nextIsFirst = false;
    }
    FAIL() << "no fifth popup";
}

TEST(MainMenu, ToolbarAndAcceleratorsNameMenuCommands)
{
    const std::vector<uint32_t> expected = {57600, 57601, 57603, 0,     57607, 0,     32857, 32858, 0, 32816,
                                            32808, 0,     32844, 32850, 32849, 0,     32810, 32811, 0, 32847,
                                            32848, 0,     32879, 0,     32898, 32897, 0,     57664};
    EXPECT_EQ(std::vector<uint32_t>(MainToolbar().begin(), MainToolbar().end()), expected);
    for (const Accelerator& accelerator : MainAccelerators()) {
        EXPECT_NE(FindMenuCommand(accelerator.id), nullptr) << accelerator.keys;
    }
    std::set<std::string> keys;
    for (const Accelerator& accelerator : MainAccelerators()) {
        EXPECT_TRUE(keys.insert(accelerator.keys).second) << "one key, one command: " << accelerator.keys;
    }
    EXPECT_TRUE(keys.contains("Ctrl+O")) << "opening keeps its standard key";
}

// Every item of both menus tells the status bar what it does while it is highlighted.
TEST(MainMenu, EveryCommandHasAPromptForTheStatusBar)
{
    for (const std::span<const MenuEntry> table : {MainMenu(), ThreeStationFileMenu()}) {
        for (const MenuEntry& entry : table) {
            if (entry.kind == MenuEntryKind::Command) {
                const std::string prompt = CommandPrompt(entry.id);
                EXPECT_FALSE(prompt.empty()) << entry.caption;
                EXPECT_EQ(prompt.find('\n'), std::string::npos) << entry.caption;
            }
        }
    }
    EXPECT_EQ(CommandPrompt(cmd::kCorrelation), "Viser indstillinger for korrelation");
    EXPECT_EQ(CommandPrompt(cmd::kRadioModeLow), "Lav sendestyrkle") << "the tooltip after the line break is not shown";
    EXPECT_EQ(CommandPrompt(cmd::kPortFirst), "");
}

}  // namespace
}  // namespace korvanta
