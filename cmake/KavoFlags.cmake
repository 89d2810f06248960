# One place for the compiler flags of every target: strict warnings, no contraction of
# floating-point operations (output files must not change with the machine), and the
# sanitizers when KAVO_SANITIZE is on, and libFuzzer's coverage instrumentation when KAVO_FUZZ
# is on (clang only).
function(kavo_target_flags target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -Wfloat-conversion
                                             -ffp-contract=off)
    # GCC 12 reports false -Wrestrict overlaps inside std::string at -O2 and above
    # (a known fault of that release), which -Werror would turn into a failed build.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    if(KAVO_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined
                               -fsanitize=float-cast-overflow -fno-sanitize-recover=all
                               -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
    if(KAVO_FUZZ)
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
endfunction()
