// Refuses a second running instance of the game. The lock is scoped to the
// working directory, so tests that run several games at once, each in its
// own folder, do not trip it.
#pragma once

#include <string>

namespace zr {

class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Returns false when another process holds the lock for this directory.
    bool acquire(const std::string& directory);
    void release();
    const std::string& path() const { return path_; }

private:
    int fd_ = -1;
    std::string path_;
};

}  // namespace zr
