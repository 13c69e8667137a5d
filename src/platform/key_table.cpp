// Builds the 256-entry key table once. Note keypad 7 shares Home's code
// (143) and no key maps to 153; the game has always behaved this way.
#include "platform/key_table.h"

#include <array>
#include <cstring>

namespace zr {
namespace {

struct Range {
    int32_t firstScan;
    const char* characters;
};

struct Entry {
    int32_t scanCode;
    int32_t keyCode;
};

constexpr Range kPrintable[] = {
    {2, "1234567890-="}, {16, "qwertyuiop[]"}, {30, "asdfghjkl;'`"},
    {43, "#"},           {44, "zxcvbnm,./"},   {57, " "},
    {86, "\\"},
};

constexpr Entry kSpecial[] = {
    {1, 128},
    {87, 139},
    {88, 140},
    {kExtendedKey + 82, 141},
    {kExtendedKey + 83, 142},
    {kExtendedKey + 71, 143},
    {kExtendedKey + 79, 144},
    {kExtendedKey + 73, 145},
    {kExtendedKey + 81, 146},
    {kExtendedKey + 72, 147},
    {kExtendedKey + 80, 148},
    {kExtendedKey + 75, 149},
    {kExtendedKey + 77, 150},
    {82, 151},
    {83, 152},
    {79, 154},
    {73, 155},
    {81, 156},
    {72, 157},
    {80, 158},
    {75, 159},
    {77, 160},
    {71, 143},
    {69, 161},
    {kExtendedKey + 69, 161},
    {kExtendedKey + 53, 162},
    {55, 163},
    {74, 164},
    {78, 165},
    {kExtendedKey + 28, 166},
    {76, 167},
    {14, 168},
    {15, 169},
    {58, 170},
    {28, 171},
    {42, 172},
    {54, 173},
    {29, 174},
    {kExtendedKey + 29, 175},
    {56, 176},
    {kExtendedKey + 56, 177},
};

std::array<uint8_t, 256> buildTable() {
    std::array<uint8_t, 256> table{};
    table.fill(static_cast<uint8_t>(kKeyNone));
    for (const Range& range : kPrintable) {
        const size_t count = std::strlen(range.characters);
        for (size_t i = 0; i < count; ++i) {
            table[range.firstScan + i] = static_cast<uint8_t>(range.characters[i]);
        }
    }
    // F1-F10 are consecutive.
    for (int32_t i = 0; i < 10; ++i) {
        table[59 + i] = static_cast<uint8_t>(129 + i);
    }
    for (const Entry& entry : kSpecial) {
        table[entry.scanCode] = static_cast<uint8_t>(entry.keyCode);
    }
    return table;
}

}  // namespace

int32_t gameKeyCode(int32_t scanCode) {
    static const std::array<uint8_t, 256> kTable = buildTable();
    if (scanCode < 0 || scanCode > 255) {
        return kKeyNone;
    }
    return kTable[scanCode];
}

}  // namespace zr
