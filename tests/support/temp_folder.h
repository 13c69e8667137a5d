// A fresh folder under the system's temporary folder, removed afterwards;
// optionally the working directory while it lives.
#pragma once

#include <filesystem>
#include <string>

namespace zr::test {

class TempFolder {
public:
    explicit TempFolder(bool enter = false) {
        std::string pattern = (std::filesystem::temp_directory_path() / "zephyrail-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : std::string();
        if (enter) {
            previous_ = std::filesystem::current_path();
            std::filesystem::current_path(path_);
        }
    }
    ~TempFolder() {
        std::error_code error;
        if (!previous_.empty()) std::filesystem::current_path(previous_, error);
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
    std::filesystem::path previous_;
};

}  // namespace zr::test
