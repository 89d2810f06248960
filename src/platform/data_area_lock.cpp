// The data-area lock on a POSIX system: flock on a lock file.
#include "platform/data_area_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/file_system.h"

namespace kavo::platform {

DataAreaLock::Result DataAreaLock::Acquire(std::string_view systemFolder) {
    Release();
    errorNumber_ = 0;
    holderText_.clear();
    const std::filesystem::path folder = ToRealPath(systemFolder);
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        return Result::NoFolder;
    }
    const std::string path = (folder / kLockFileName).string();
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        errorNumber_ = errno;
        return Result::Failed;
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        errorNumber_ = errno;
        const bool held = errorNumber_ == EWOULDBLOCK;
        if (held) {
            char text[64] = {};
            const ssize_t read = ::pread(descriptor, text, sizeof text - 1, 0);
            holderText_.assign(text, read > 0 ? static_cast<std::size_t>(read) : 0);
        }
        ::close(descriptor);
        return held ? Result::HeldByAnother : Result::Failed;
    }
    // The holder's process number, for the message a second program shows.
    const std::string holder = "process " + std::to_string(::getpid());
    if (::ftruncate(descriptor, 0) == 0) {
        [[maybe_unused]] const ssize_t written =
            ::pwrite(descriptor, holder.data(), holder.size(), 0);
    }
    descriptor_ = descriptor;
    return Result::Locked;
}

void DataAreaLock::Release() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);  // closing the only descriptor lets the lock go
        descriptor_ = -1;
    }
}

}  // namespace kavo::platform
