// The INI reader and writer with the classic profile rules.
#include "platform/file_system.h"
#include "platform/profile.h"

#include <gtest/gtest.h>

namespace zr {
namespace {

TEST(Profile, IntegersTakeLeadingDigitsWithSign) {
    struct Case {
        const char* text;
        int32_t value;
    };
    const Case cases[] = {{"42", 42}, {"-7", -7}, {"+3", 3}, {"12abc", 12}, {"abc", 0},
                          {"  9", 9}, {"", 0},    {"4294967297", 1}};
    for (const Case& c : cases) EXPECT_EQ(parseProfileInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(Profile, LookupsAreCaseInsensitiveWithDefaults) {
    Profile profile;
    profile.loadText("; comment\n[Game Data]\r\ncars = 3 \nLevel=\"./a/b\"\n[Other]\nCars=9\n");
    EXPECT_EQ(profile.getInt("game data", "CARS", 0), 3);
    EXPECT_EQ(profile.getString("Game Data", "level", ""), "./a/b");
    EXPECT_EQ(profile.getInt("Game Data", "Missing", 17), 17);
    EXPECT_EQ(profile.getString("Nowhere", "Cars", "x"), "x");
}

TEST(Profile, StringsAreCutTo255Characters) {
    Profile profile;
    profile.loadText("[S]\nK=" + std::string(300, 'x') + "\n");
    EXPECT_EQ(profile.getString("S", "K", "").size(), 255u);
}

TEST(Profile, WritingKeepsEveryOtherLine) {
    Profile profile;
    profile.loadText("[Application Data]\nVideoModeWidth=640\nCustom=keep me\n\n[Game Data]\nCars=3\n");
    profile.set("application data", "VideoModeWidth", "1024");
    profile.set("Application Data", "TextureHigh", "1");
    profile.set("New", "Key", "v");
    EXPECT_EQ(profile.text(),
              "[Application Data]\nVideoModeWidth=1024\nCustom=keep me\nTextureHigh=1\n\n"
              "[Game Data]\nCars=3\n\n[New]\nKey=v\n");
}

TEST(FileSystem, WildcardsMatchCaseInsensitively) {
    EXPECT_TRUE(fs::wildcardMatch("3*.*", "3 select.png"));
    EXPECT_TRUE(fs::wildcardMatch("*.TXT", "coaster.txt"));
    EXPECT_TRUE(fs::wildcardMatch("a?c", "abc"));
    EXPECT_FALSE(fs::wildcardMatch("3*.*", "13 select.png"));
    EXPECT_FALSE(fs::wildcardMatch("*.txt", "coaster.txt.bak"));
}

}  // namespace
}  // namespace zr
