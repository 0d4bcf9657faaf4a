#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/AppSettingsValues.h"
#include "core/app/PortMenuList.h"
#include "core/app/RecentFileList.h"

namespace korvanta {
namespace {

using Names = std::vector<std::string>;

TEST(PortMenuList, FoundThenNamedThenTheKitWithIdsFromTen)
{
    const PortMenuList ports({"COM1", "COM3", "COM4"}, {"/dev/pts/7"});
    EXPECT_EQ(ports.Names(), (Names{"COM1", "COM3", "COM4", "/dev/pts/7", "SIM"}));
    EXPECT_EQ(ports.IdOf("COM1"), 10u);
    EXPECT_EQ(ports.IdOf("COM4"), 12u);
    EXPECT_EQ(ports.IdOf("SIM"), 14u);
    EXPECT_EQ(ports.NameOf(13), "/dev/pts/7");
    EXPECT_FALSE(ports.NameOf(9).has_value());
    EXPECT_FALSE(ports.NameOf(15).has_value());
    EXPECT_FALSE(ports.IdOf("COM2").has_value());
}

TEST(PortMenuList, NamesOnceAndNeverEmptyOrBeyondTheIdRange)
{
    EXPECT_EQ(PortMenuList({"/dev/ttyS0", ""}, {"/dev/ttyS0", "SIM", ""}).Names(), (Names{"/dev/ttyS0", "SIM"}));
    EXPECT_TRUE(PortMenuList({}, {}, false).Empty());
    Names many;
    for (int i = 0; i < 400; ++i) {
        many.push_back("P" + std::to_string(i));
    }
    const PortMenuList full(many, {});
    EXPECT_EQ(full.Names().size(), 257u);
    EXPECT_EQ(full.IdOf(full.Names().back()), PortMenuList::kLastId);
}

TEST(RecentFileList, NewestFirstEachOnceAtMostFour)
{
    RecentFileList recent;
    for (const char* path : {"a.kvd", "b.kvd", "c.kvd", "d.kvd", "e.kvd"}) {
        recent.Add(path);
    }
    EXPECT_EQ(recent.Paths(), (Names{"e.kvd", "d.kvd", "c.kvd", "b.kvd"}));
    recent.Add("c.kvd");
    EXPECT_EQ(recent.Paths(), (Names{"c.kvd", "e.kvd", "d.kvd", "b.kvd"}));
    recent.Remove("e.kvd");
    recent.Add("");
    EXPECT_EQ(recent.Paths(), (Names{"c.kvd", "d.kvd", "b.kvd"}));
    recent.Assign({"x", "", "y", "x", "z", "w", "v"});
    EXPECT_EQ(recent.Paths(), (Names{"x", "y", "z", "w"}));
}

TEST(AppSettings, MissingWrongOrOutOfRangeValuesTakeTheirDefaults)
{
    const AppSettingsValues first = SanitizeAppSettings({});
    EXPECT_EQ(first.lengthUnit, 0);
    EXPECT_EQ(first.timeUnit, 0);
    EXPECT_EQ(first.sensors, 6);
    EXPECT_EQ(first.comPort, "COM1");

    const AppSettingsValues kept = SanitizeAppSettings({1, 1, 12, std::string("SIM")});
    EXPECT_EQ(kept.lengthUnit, 1);
    EXPECT_EQ(kept.timeUnit, 1);
    EXPECT_EQ(kept.sensors, 12);
    EXPECT_EQ(kept.comPort, "SIM");

    const AppSettingsValues bad = SanitizeAppSettings({2, -1, 7, std::string(300, 'x')});
    EXPECT_EQ(bad.lengthUnit, 0);
    EXPECT_EQ(bad.timeUnit, 0);
    EXPECT_EQ(bad.sensors, 6) << "7 names three units";
    EXPECT_EQ(bad.comPort, "COM1");
    EXPECT_EQ(SanitizeAppSettings({0, 0, 1LL << 40, std::string()}).sensors, 6);
    EXPECT_EQ(SanitizeAppSettings({0, 0, 3, std::string()}).comPort, "COM1");
}

}  // namespace
}  // namespace korvanta
