// flock() on a file in the temporary folder named after the directory's
// canonical path; the kernel drops the lock if the process dies.
#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace zr {

InstanceLock::~InstanceLock() { release(); }

bool InstanceLock::acquire(const std::string& directory) {
    release();
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(directory, error);
    const size_t key = std::hash<std::string>{}(error ? directory : canonical.string());
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::filesystem::path folder =
        runtime && *runtime ? std::filesystem::path(runtime) : std::filesystem::temp_directory_path(error);
    path_ = (folder / ("zephyrail-" + std::to_string(getuid()) + "-" + std::to_string(key) + ".lock")).string();
    fd_ = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        return true;  // Cannot lock at all: better to run than to refuse.
    }
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        close(fd_);
        fd_ = -1;
        return false;
    }
    return true;
}

void InstanceLock::release() {
    if (fd_ >= 0) {
        flock(fd_, LOCK_UN);
        close(fd_);
        fd_ = -1;
    }
}

}  // namespace zr
