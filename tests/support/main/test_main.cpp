// The main of every test executable. It takes the locale from the environment, as the
// program a user starts does (its window library and the C runtime of a front end may), so a
// run of the suites under a comma-decimal locale shows any number text that follows it.
#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <stdexcept>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    // Streams made from now on take the global C++ locale: set it too, or a stream that
    // writes numbers would escape the check. A locale the system lacks leaves "C".
    try {
        std::locale::global(std::locale(""));
    } catch (const std::runtime_error&) {
        std::setlocale(LC_ALL, "C");
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
