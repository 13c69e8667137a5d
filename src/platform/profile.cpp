// The profile-file reader and writer.
#include "platform/profile.h"

#include <cctype>
#include <fstream>
#include <sstream>
#include <strings.h>

namespace zr {
namespace {

std::string trim(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    return text.substr(begin, end - begin);
}

bool equalNoCase(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

// The section name of a "[name]" line, or false.
bool sectionName(const std::string& line, std::string* name) {
    const std::string trimmed = trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[') return false;
    const size_t close = trimmed.find(']');
    if (close == std::string::npos) return false;
    *name = trim(trimmed.substr(1, close - 1));
    return true;
}

bool keyValue(const std::string& line, std::string* key, std::string* value) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return false;
    const std::string trimmedStart = trim(line.substr(0, equals));
    if (trimmedStart.empty() || trimmedStart[0] == ';') return false;
    *key = trimmedStart;
    *value = trim(line.substr(equals + 1));
    return true;
}

}  // namespace

int32_t parseProfileInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    uint32_t value = 0;  // wraps like the 32-bit original on overflow
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

bool Profile::load(const std::string& path) {
    lines_.clear();
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::stringstream buffer;
    buffer << file.rdbuf();
    loadText(buffer.str());
    return true;
}

void Profile::loadText(const std::string& text) {
    lines_.clear();
    std::string line;
    std::istringstream stream(text);
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines_.push_back(line);
    }
}

int Profile::findSection(const char* section) const {
    std::string name;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (sectionName(lines_[i], &name) && equalNoCase(name, section)) return static_cast<int>(i);
    }
    return -1;
}

int Profile::findKey(const char* section, const char* key) const {
    const int start = findSection(section);
    if (start < 0) return -1;
    std::string name;
    std::string value;
    for (size_t i = static_cast<size_t>(start) + 1; i < lines_.size(); ++i) {
        if (sectionName(lines_[i], &name)) break;
        if (keyValue(lines_[i], &name, &value) && equalNoCase(name, key)) return static_cast<int>(i);
    }
    return -1;
}

bool Profile::has(const char* section, const char* key) const { return findKey(section, key) >= 0; }

std::string Profile::getString(const char* section, const char* key, const char* defaultValue) const {
    const int line = findKey(section, key);
    std::string value = defaultValue ? defaultValue : "";
    std::string name;
    if (line >= 0) {
        keyValue(lines_[line], &name, &value);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
    }
    if (value.size() > kProfileStringMax) value.resize(kProfileStringMax);
    return value;
}

int32_t Profile::getInt(const char* section, const char* key, int32_t defaultValue) const {
    if (!has(section, key)) return defaultValue;
    return parseProfileInt(getString(section, key, ""));
}

void Profile::set(const char* section, const char* key, const std::string& value) {
    std::string line(key);
    line.append(1, '=').append(value);
    const int existing = findKey(section, key);
    if (existing >= 0) {
        lines_[existing] = line;
        return;
    }
    int start = findSection(section);
    if (start < 0) {
        if (!lines_.empty() && !trim(lines_.back()).empty()) lines_.emplace_back();
        std::string header(1, '[');  // built by appending: GCC 12 misreports "[" + string
        header.append(section).append(1, ']');
        lines_.push_back(header);
        lines_.push_back(line);
        return;
    }
    // After the section's last key (before blank lines that end it).
    size_t insert = static_cast<size_t>(start) + 1;
    std::string name;
    for (size_t i = insert; i < lines_.size(); ++i) {
        if (sectionName(lines_[i], &name)) break;
        if (!trim(lines_[i]).empty()) insert = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert), line);
}

std::string Profile::text() const {
    std::string out;
    for (const std::string& line : lines_) {
        out += line;
        out += '\n';
    }
    return out;
}

bool Profile::save(const std::string& path) const {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text();
    return static_cast<bool>(file);
}

bool writeProfileString(const std::string& path, const char* section, const char* key, const std::string& value) {
    Profile profile;
    profile.load(path);
    profile.set(section, key, value);
    return profile.save(path);
}

}  // namespace zr
