// The data-area lock: one holder at a time, and the operating system lets go of a holder
// that dies.
#include "platform/data_area_lock.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "support/temp_dir.h"

namespace kavo::platform {
namespace {

using Result = DataAreaLock::Result;

TEST(DataAreaLock, OneHolderAtATime) {
    testing::TempDir dir;
    DataAreaLock first;
    DataAreaLock second;
    ASSERT_EQ(first.Acquire(dir.text()), Result::Locked);
    EXPECT_TRUE(first.held());
    EXPECT_EQ(second.Acquire(dir.text()), Result::HeldByAnother);
    EXPECT_FALSE(second.held());
    EXPECT_EQ(second.holderText(), "process " + std::to_string(getpid()));
    first.Release();
    EXPECT_EQ(second.Acquire(dir.text()), Result::Locked);
    // Taking it again lets go of the earlier hold first, so a holder never refuses itself.
    EXPECT_EQ(second.Acquire(dir.text()), Result::Locked);
}

TEST(DataAreaLock, AMissingFolderHasNothingToGuard) {
    testing::TempDir dir;
    DataAreaLock lock;
    EXPECT_EQ(lock.Acquire(dir.text() + "/none"), Result::NoFolder);
    EXPECT_FALSE(lock.held());
}

TEST(DataAreaLock, AHolderThatDiesLetsGo) {
    testing::TempDir dir;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        DataAreaLock held;
        const char answer = held.Acquire(dir.text()) == Result::Locked ? 'L' : 'x';
        [[maybe_unused]] const ssize_t written = write(ready[1], &answer, 1);
        pause();  // until it is killed
        _exit(0);
    }
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    EXPECT_EQ(answer, 'L');
    DataAreaLock lock;
    EXPECT_EQ(lock.Acquire(dir.text()), Result::HeldByAnother);
    EXPECT_EQ(lock.holderText(), "process " + std::to_string(child));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(lock.Acquire(dir.text()), Result::Locked);
    close(ready[0]);
    close(ready[1]);
}

}  // namespace
}  // namespace kavo::platform
