// Running one action of the window: its data errors, a stop by the user and a programming
// error each end it in their own way.
#include "run/action.h"

#include <exception>
#include <iostream>
#include <string>

#include "tools/errors.h"

namespace kavo::run {

void StopIfRequested(const Program& program, int soundingsDone) {
    if (program.stopRequested) {
        throw RunStopped{soundingsDone};
    }
}

int RunAction(Program& program, const std::function<void()>& action) {
    try {
        action();
        return kExitDone;
    } catch (const RunStopped& stopped) {
        // Every table finished so far is complete on disk; nothing after the loop was written.
        program.reporter.LogLine(0,
                                 "Run stopped by the user after " +
                                     std::to_string(stopped.soundingsDone) +
                                     " soundings: no zero-load file, no setup file",
                                 reporting::LogKind::Task);
        program.reporter.FlushLog();
        return kExitStopped;
    } catch (const tools::DataError& error) {
        program.reporter.ReportDataError(error.description(), error.code());
        return kExitDataError;
    } catch (const tools::ProgrammingError& error) {
        program.reporter.FlushLog();
        std::cerr << "kavo: programming error: " << error.what() << '\n';
        return kExitProgrammingError;
    } catch (const std::exception& error) {
        program.reporter.FlushLog();
        std::cerr << "kavo: unexpected failure: " << error.what() << '\n';
        return kExitProgrammingError;
    }
}

}  // namespace kavo::run
