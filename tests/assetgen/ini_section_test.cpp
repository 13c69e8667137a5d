// Extraction of one INI section as raw text, which is what lets regeneration
// carry the player's display settings over byte for byte.
#include "ini_section.h"

#include <gtest/gtest.h>

namespace {

struct SectionCase {
    const char* label;
    const char* text;
    std::optional<std::string> expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const SectionCase& sectionCase, std::ostream* out)
{
    *out << sectionCase.label;
}

class IniSectionTest : public testing::TestWithParam<SectionCase> {};

TEST_P(IniSectionTest, FindsTheWholeSectionAndNothingElse)
{
    EXPECT_EQ(assetgen::findIniSection(GetParam().text, "Application Data"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniSectionTest,
    testing::Values(
        SectionCase{"MiddleOfFile", "[A]\nx=1\n\n[Application Data]\nW=1024\nLOD=70\n\n\n[B]\ny=2\n",
                    "[Application Data]\nW=1024\nLOD=70\n"},
        SectionCase{"LastWithoutNewline", "[A]\n[Application Data]\nW=640", "[Application Data]\nW=640\n"},
        SectionCase{"PaddedHeaderAndCrlfKeptVerbatim", "  [Application Data] \r\nW=640\r\n[B]\r\n",
                    "  [Application Data] \r\nW=640\r\n"},
        SectionCase{"OnlyExactName", "[Application Data 2]\nW=1\nName=[Application Data]\n", std::nullopt},
        SectionCase{"Empty", "", std::nullopt}),
    [](const testing::TestParamInfo<SectionCase>& info) { return std::string(info.param.label); });

} // namespace
