// Settings: defaults, byte and int8 truncation, level and block-set
// matching, level-of-detail arithmetic.
#include "app/config.h"
#include "track/block_set_facts.h"

#include <gtest/gtest.h>

namespace zr {
namespace {

GameSettings settingsFrom(const std::string& text) {
    Profile profile;
    profile.loadText(text);
    return readGameSettings(profile);
}

TEST(Config, MissingFileGivesDefaults) {
    const GameSettings settings = readGameSettings(Profile());
    EXPECT_EQ(settings.lodCount, 0);
    EXPECT_TRUE(settings.levelNames.empty());
    EXPECT_EQ(settings.currentLevel, 0);
    EXPECT_EQ(settings.carCount, 0);
    EXPECT_EQ(settings.background[0], 0);
    EXPECT_EQ(settings.background[3], 255) << "BGa missing is opaque";
    EXPECT_EQ(settings.textureHigh, 0);
}

TEST(Config, BytesAndInt8KeepTheirLowBits) {
    const GameSettings settings = settingsFrom(
        "[Game Data]\nBGr=300\nBGg=255\nBGb=-1\nBGa=256\n"
        "[Level Data]\ntotal=258\n1=./data/levels/one/one.bsp\n2=./data/levels/two/two.bsp\n");
    EXPECT_EQ(settings.background[0], 44);
    EXPECT_EQ(settings.background[1], 255);
    EXPECT_EQ(settings.background[2], 255);
    EXPECT_EQ(settings.background[3], 0);
    ASSERT_EQ(settings.levelNames.size(), 2u) << "total 258 keeps 2";
}

// "Cars" is read into a byte: 255 became -1 and choosing a seat divided by
// zero; 32 or more overflowed the seat number. It is held to a train.
TEST(Config, CarsAreHeldToATrain) {
    const struct {
        const char* value;
        int expected;
    } cases[] = {{"255", kMaxFollowingCars}, {"-1", 0}, {"0", 0}, {"40", kMaxFollowingCars}, {"3", 3}, {"x", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(settingsFrom(std::string("[Game Data]\nCars=") + c.value + "\n").carCount, c.expected) << c.value;
    }
}

TEST(Config, TotalBeyondTheEntriesGivesEmptyNames) {
    const GameSettings settings = settingsFrom("[Block Sets]\ntotal=3\n1=./data/blocksets/timber\n");
    ASSERT_EQ(settings.blockSetNames.size(), 3u);
    EXPECT_EQ(settings.blockSetNames[2], "");
}

TEST(Config, LevelMatchesTheLastEntryContainingItsFolder) {
    const std::string levels =
        "[Level Data]\ntotal=4\n1=./data/levels/meadow/meadow.bsp\n2=./data/levels/canyon/a.bsp\n"
        "3=./data/levels/canyon/b.bsp\n4=./data/levels/alpine/alpine.bsp\n";
    struct Case {
        const char* level;
        int8_t index;
    };
    const Case cases[] = {
        {"./data/levels/canyon/whatever.bsp", 2},
        {"./data/levels/alpine/alpine.bsp", 3},
        {"./data/levels/nowhere/x.bsp", 0},
        {"/x.bsp", 3},  // cut to "": every entry contains it
    };
    for (const Case& c : cases) {
        EXPECT_EQ(settingsFrom(levels + "[Game Data]\nLevel=" + c.level + "\n").currentLevel, c.index) << c.level;
    }
}

TEST(Config, EmptyBlockSetChoosesTheLastSet) {
    const std::string sets = "[Block Sets]\ntotal=3\n1=./data/blocksets/timber\n2=./data/blocksets/steel\n3=./x\n";
    EXPECT_EQ(settingsFrom(sets).currentBlockSet, 2);
    EXPECT_EQ(settingsFrom(sets + "[Game Data]\nBlockSet=steel\n").currentBlockSet, 1);
}

TEST(Config, LodMultiplierAndConstructionDistances) {
    EXPECT_EQ(lodMultiplier(49), 0);
    EXPECT_EQ(lodMultiplier(50), 1) << "single-precision rounding gives exactly 1";
    EXPECT_EQ(lodMultiplier(150), 2);
    const GameSettings settings =
        settingsFrom("[Application Data]\nLOD=150\n[LOD]\ntotal=12\n1=30\n2=80\n3=110\n10=5\n11=7\n");
    EXPECT_EQ(settings.lodDistances[0], 60);
    EXPECT_EQ(settings.lodDistances[2], 220);
    EXPECT_EQ(settings.lodDistances[9], 10);
    EXPECT_EQ(settings.lodCount, 10) << "only ten distances are held";
}

TEST(Config, LevelSetUpDistancesByBlockSet) {
    using D = std::array<int16_t, 3>;
    EXPECT_EQ(levelLodDistances(50, true), (D{29, 79, 109}));
    EXPECT_EQ(levelLodDistances(50, defaultBlockSetFacts(3).wooden), (D{29, 79, 109}));
    EXPECT_EQ(levelLodDistances(50, false), (D{19, 49, 109}));
    EXPECT_EQ(levelLodDistances(0, true), (D{14, 39, 54}));
    EXPECT_EQ(levelLodDistances(0, defaultBlockSetFacts(4).wooden), (D{9, 24, 54}));
}

}  // namespace
}  // namespace zr
