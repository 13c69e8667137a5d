// What the generator stages report back to main: how many files they wrote,
// short notes worth printing, and the reason for the first failure.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace assetgen {

// Concatenates message pieces; keeps messages readable at the call site.
inline std::string joined(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (const auto part : parts) {
        text.append(part);
    }
    return text;
}

struct AssetLog {
    int filesWritten = 0;
    std::vector<std::string> notes;
    std::string error;

    // Records why a stage stopped; returns false so a stage can `return log.fail(...)`.
    bool fail(std::initializer_list<std::string_view> messageParts)
    {
        error = joined(messageParts);
        return false;
    }
};

// Every stage has this shape: it fills outDir (the data folder) and returns
// false with log.error set when it cannot.
using AssetStage = bool (*)(const std::filesystem::path& outDir, AssetLog& log);

} // namespace assetgen
