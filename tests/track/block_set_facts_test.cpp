// The block set's facts: read from the "[Block Set]" section of blocks.ini,
// each missing or unreadable key keeping the original table's value for the
// set's index.
#include "track/block_set_facts.h"
#include "platform/profile.h"

#include <gtest/gtest.h>

namespace zr {
namespace {

BlockSetFacts factsFrom(const std::string& text, int32_t index) {
    Profile profile;
    profile.loadText(text);
    return readBlockSetFacts(profile, index);
}

TEST(BlockSetFacts, KeysGivenReplaceTheTableAndTheRestKeepIt) {
    const BlockSetFacts facts =
        factsFrom("[Block Set]\nWooden=0\nStartIndex=12\nSphere2=1 2 3\nSphere3=not a vector\nCarSpacing=3.25\n", 3);
    const BlockSetFacts table = defaultBlockSetFacts(3);
    EXPECT_FALSE(facts.wooden) << "given";
    EXPECT_EQ(facts.startIndex, 12);
    EXPECT_EQ(facts.spheres[1], glm::vec3(1, 2, 3));
    EXPECT_FLOAT_EQ(facts.carSpacing, 3.25f);
    EXPECT_EQ(facts.spheres[2], table.spheres[2]) << "unreadable: the table's";
    EXPECT_EQ(facts.spheres[0], table.spheres[0]) << "missing: the table's";
    EXPECT_EQ(facts.experience.chainEnd, 880);
    EXPECT_EQ(facts.tracksideAhead, 15);
    EXPECT_EQ(facts.tracksideCatchUp, 10);
}

// A set made elsewhere, without the section, rides as the rules say.
TEST(BlockSetFacts, WithoutTheSectionTheSetIndexDecides) {
    const struct {
        int32_t index;
        bool wooden, suspended;
        int32_t start;
        float spacing;
    } cases[] = {{0, true, false, 20, 2.5f}, {1, false, true, 35, 0.75f}, {2, false, false, 35, 3.5f},
                 {3, true, false, 40, 2.4f}, {4, false, false, 22, 2.6f}, {7, false, false, 20, 2.5f}};
    for (const auto& c : cases) {
        const BlockSetFacts facts = factsFrom("[Blocks]\ntotal=0\n", c.index);
        EXPECT_EQ(facts.wooden, c.wooden) << c.index;
        EXPECT_EQ(facts.suspended, c.suspended) << c.index;
        EXPECT_EQ(facts.startIndex, c.start) << c.index;
        EXPECT_FLOAT_EQ(facts.carSpacing, c.spacing) << c.index;
    }
}

}  // namespace
}  // namespace zr
