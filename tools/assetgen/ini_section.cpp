// Line-based scan for an INI section; see ini_section.h for the contract.
#include "ini_section.h"

#include <vector>

namespace assetgen {
namespace {

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view kSpace = " \t\r";
    const auto first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(kSpace);
    return text.substr(first, last - first + 1);
}

bool isHeader(std::string_view line)
{
    const auto text = trimmed(line);
    return text.size() >= 2 && text.front() == '[' && text.back() == ']';
}

bool isHeaderFor(std::string_view line, std::string_view name)
{
    const auto text = trimmed(line);
    return isHeader(text) && text.substr(1, text.size() - 2) == name;
}

// Splits into lines without their '\n'; a '\r' before it stays with the line.
std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return lines;
}

} // namespace

std::optional<std::string> findIniSection(std::string_view iniText, std::string_view name)
{
    const auto lines = splitLines(iniText);
    std::size_t begin = 0;
    while (begin < lines.size() && !isHeaderFor(lines[begin], name)) {
        ++begin;
    }
    if (begin == lines.size()) {
        return std::nullopt;
    }
    std::size_t end = begin + 1;
    while (end < lines.size() && !isHeader(lines[end])) {
        ++end;
    }
    while (end > begin + 1 && trimmed(lines[end - 1]).empty()) {
        --end;
    }
    std::string section;
    for (std::size_t i = begin; i < end; ++i) {
        section.append(lines[i]);
        section.push_back('\n');
    }
    return section;
}

} // namespace assetgen
