# Finding a package the build needs: when it is missing, the message names the Debian package
# that holds it and the script that installs every package, instead of CMake's own message
# about package configuration files.
macro(kavo_find_package name debian_package)
    find_package(${name} ${ARGN} QUIET)
    if(NOT ${name}_FOUND)
        message(FATAL_ERROR
                "${name} was not found. Install the Debian package ${debian_package}: "
                "scripts/install-deps.sh installs every package Kavo's build and tests need "
                "(as root; otherwise it prints the apt-get command).")
    endif()
endmacro()
