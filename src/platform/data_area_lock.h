// The lock that keeps two programs off one data area at once: a lock file in the data area
// held with an exclusive advisory lock, which the operating system releases when the process
// ends, however it ends.
#pragma once

#include <string>
#include <string_view>

namespace kavo::platform {

// The lock file's name: hidden, so the data area's listings never show it.
inline constexpr const char* kLockFileName = ".kavo-run.lock";

class DataAreaLock {
  public:
    enum class Result {
        Locked,         // this program holds the data area now
        HeldByAnother,  // another process holds it; holderText() tells which
        NoFolder,       // the folder does not exist: there is nothing to guard
        Failed,         // the lock file cannot be made or locked; errorNumber() tells why
    };
    DataAreaLock() = default;
    DataAreaLock(const DataAreaLock&) = delete;
    DataAreaLock& operator=(const DataAreaLock&) = delete;
    ~DataAreaLock() { Release(); }

    // Locks the folder (a system path) without waiting; a lock held before is let go first.
    Result Acquire(std::string_view systemFolder);
    void Release();
    bool held() const { return descriptor_ >= 0; }
    int errorNumber() const { return errorNumber_; }
    // What the holder wrote into the lock file (its process number), for the message.
    const std::string& holderText() const { return holderText_; }

  private:
    int descriptor_ = -1;
    int errorNumber_ = 0;
    std::string holderText_;
};

}  // namespace kavo::platform
