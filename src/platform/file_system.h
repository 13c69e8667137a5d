// Small file-system helpers the game needs: existence tests, directory
// listings with a wildcard, working directory, folders and files.
#pragma once

#include <string>
#include <vector>

namespace zr::fs {

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);
std::string currentDirectory();
bool changeDirectory(const std::string& path);
bool makeDirectory(const std::string& path);
bool removeDirectory(const std::string& path);
bool removeFile(const std::string& path);
// Names (not paths) in the folder matching a pattern with '*' and '?',
// case-insensitively, sorted alphabetically (case-insensitive).
std::vector<std::string> listDirectory(const std::string& folder, const std::string& pattern);
bool wildcardMatch(const char* pattern, const char* name);
// The game builds some paths with '\'; on Linux every separator is '/'.
std::string nativePath(const char* path);
// The folder holding the running executable, or "" if unknown.
std::string executableDirectory();

}  // namespace zr::fs
