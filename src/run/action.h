// The one place where an action of the program meets the end of processing: a data error
// is reported and ends the action with status 1, a programming error (or any other
// exception) with status 70.
#pragma once

#include <functional>

#include "run/program.h"

namespace kavo::run {

enum ExitStatus : int {
    kExitDone = 0,
    kExitDataError = 1,
    kExitUsage = 2,
    kExitProgrammingError = 70,
    kExitStopped = 3,  // the user stopped a batch run between two soundings
};

// Thrown by a batch run that stops at a sounding boundary because a stop was requested.
struct RunStopped {
    int soundingsDone = 0;
};

// Throws RunStopped when a stop was requested; called between two soundings.
void StopIfRequested(const Program& program, int soundingsDone);

// Runs an action; returns its exit status.
int RunAction(Program& program, const std::function<void()>& action);

}  // namespace kavo::run
