// File-system helpers on std::filesystem; none of them throws.
#include "platform/file_system.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace zr::fs {
namespace stdfs = std::filesystem;

bool fileExists(const std::string& path) {
    std::error_code error;
    return stdfs::is_regular_file(path, error);
}

bool directoryExists(const std::string& path) {
    std::error_code error;
    return stdfs::is_directory(path, error);
}

std::string currentDirectory() {
    std::error_code error;
    const stdfs::path path = stdfs::current_path(error);
    return error ? std::string() : path.string();
}

bool changeDirectory(const std::string& path) {
    std::error_code error;
    stdfs::current_path(path, error);
    return !error;
}

bool makeDirectory(const std::string& path) {
    std::error_code error;
    return stdfs::create_directory(path, error) && !error;
}

bool removeDirectory(const std::string& path) {
    std::error_code error;
    return stdfs::is_directory(path, error) && stdfs::remove(path, error) && !error;
}

bool removeFile(const std::string& path) {
    std::error_code error;
    return stdfs::is_regular_file(path, error) && stdfs::remove(path, error) && !error;
}

bool wildcardMatch(const char* pattern, const char* name) {
    if (*pattern == '\0') {
        return *name == '\0';
    }
    if (*pattern == '*') {
        for (const char* rest = name;; ++rest) {
            if (wildcardMatch(pattern + 1, rest)) {
                return true;
            }
            if (*rest == '\0') {
                return false;
            }
        }
    }
    if (*name == '\0') {
        return false;
    }
    const bool same = *pattern == '?' || std::tolower(static_cast<unsigned char>(*pattern)) ==
                                             std::tolower(static_cast<unsigned char>(*name));
    return same && wildcardMatch(pattern + 1, name + 1);
}

namespace {

std::string lowered(const std::string& text) {
    std::string result = text;
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

}  // namespace

std::vector<std::string> listDirectory(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    std::error_code error;
    for (stdfs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (wildcardMatch(pattern.c_str(), name.c_str())) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = lowered(a);
        const std::string lb = lowered(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

std::string nativePath(const char* path) {
    std::string native = path ? path : "";
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

std::string executableDirectory() {
    std::error_code error;
    const stdfs::path self = stdfs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}

}  // namespace zr::fs
