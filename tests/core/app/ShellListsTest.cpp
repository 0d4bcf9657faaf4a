#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/AppSettingsValues.h"
#include "core/app/NaturalOrder.h"
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

TEST(NaturalOrder, NumbersByValueLettersWithoutCase)
{
    struct Case {
        const char* a;
        const char* b;
        bool less;
    };
    const Case cases[] = {
        {"COM2", "COM10", true},
        {"COM10", "COM2", false},
        {"/dev/ttyUSB2", "/dev/ttyUSB10", true},
        {"/dev/ttyS9", "/dev/ttyUSB0", true},  // 'S' before 'U' whatever the numbers
        {"COM9", "COM9", false},
        {"com3", "COM4", true},
        {"COM", "COM1", true},
        {"COM02", "COM3", true},
        {"COM3", "COM03", false},  // equal value: byte order decides, so the order stays total
        {"COM03", "COM3", true},
        {"COM255", "COM1000000000000000000000", true},  // beyond any integer type
        {"", "A", true},
        {"A", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NaturalLess(c.a, c.b), c.less) << c.a << " < " << c.b;
    }
    // The menu sorts what the machine found; the named ports keep their place after them.
    const PortMenuList ports({"COM10", "COM2", "COM1", "/dev/ttyUSB10", "/dev/ttyUSB2"}, {"/dev/pts/9", "/dev/pts/10"});
    EXPECT_EQ(ports.Names(),
              (Names{"/dev/ttyUSB2", "/dev/ttyUSB10", "COM1", "COM2", "COM10", "/dev/pts/9", "/dev/pts/10", "SIM"}));
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
