// A fresh folder under the system's temporary folder, removed afterwards;
// optionally the working directory while it lives.
#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace zr::test {

class TempFolder {
public:
    explicit TempFolder(bool enter = false) {
        // Letters only: the game's name tests look for digits in whole paths.
        std::random_device seed;
        std::mt19937 random(seed());
        std::uniform_int_distribution<int> letter(0, 25);
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            std::string name = "zephyrail-test-";
            for (int i = 0; i < 10; ++i) name += static_cast<char>('a' + letter(random));
            const std::filesystem::path candidate = std::filesystem::temp_directory_path() / name;
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) path_ = candidate.string();
        }
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
