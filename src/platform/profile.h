// INI files read and written with the rules of the classic profile
// functions: section and key names compare case-insensitively; integers
// take the leading digits with an optional sign (no digits gives 0); string
// values are trimmed, lose one pair of surrounding quotes and are cut to
// 255 characters; writing a key rewrites only that line (or adds it),
// leaving every other line of the file as it was.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zr {

class Profile {
public:
    Profile() = default;
    explicit Profile(const std::string& path) { load(path); }

    // A missing file is an empty profile (every lookup gives its default).
    bool load(const std::string& path);
    void loadText(const std::string& text);

    int32_t getInt(const char* section, const char* key, int32_t defaultValue) const;
    std::string getString(const char* section, const char* key, const char* defaultValue) const;
    bool has(const char* section, const char* key) const;

    // Sets the key, adding the section and key when missing.
    void set(const char* section, const char* key, const std::string& value);
    std::string text() const;
    bool save(const std::string& path) const;

private:
    // Index of the value's line, or -1.
    int findKey(const char* section, const char* key) const;
    int findSection(const char* section) const;

    std::vector<std::string> lines_;
};

constexpr size_t kProfileStringMax = 255;

// Parses an integer as the profile functions do.
int32_t parseProfileInt(const std::string& text);

// One write, as the profile write function does: reads the file, sets the
// key and writes the file back.
bool writeProfileString(const std::string& path, const char* section, const char* key, const std::string& value);

}  // namespace zr
