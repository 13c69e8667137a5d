// Raw-text access to one section of an INI file, for carrying a section the
// game owns from an old file into a regenerated one without reformatting it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace assetgen {

// Returns the section's text exactly as it appears in iniText: its header line
// and every following line up to the next section header, each ending in a
// newline, with trailing blank lines dropped. Header names match exactly,
// ignoring spaces around the brackets. nullopt when there is no such section.
std::optional<std::string> findIniSection(std::string_view iniText, std::string_view name);

} // namespace assetgen
