#include "run/action.h"

#include <exception>
#include <iostream>

#include "tools/errors.h"

namespace kavo::run {

int RunAction(Program& program, const std::function<void()>& action) {
    try {
        action();
        return kExitDone;
    } catch (const tools::DataError& error) {
        program.reporter.ReportDataError(error.description(), error.code());
        return kExitDataError;
    } catch (const tools::ProgrammingError& error) {
        std::cerr << "kavo: programming error: " << error.what() << '\n';
        return kExitProgrammingError;
    } catch (const std::exception& error) {
        std::cerr << "kavo: unexpected failure: " << error.what() << '\n';
        return kExitProgrammingError;
    }
}

}  // namespace kavo::run
