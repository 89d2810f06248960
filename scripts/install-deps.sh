#!/usr/bin/env bash
# Installs the Debian packages that building and testing Kavo needs. As root it installs what
# is missing with apt-get; otherwise it prints the exact command and stops.
set -euo pipefail

packages=(
    g++ cmake make                      # the compiler and the build
    libcli11-dev                        # the kavo command line
    libgtest-dev libgmock-dev           # the test suites
    libbenchmark-dev                    # the benchmarks
    clang-format                        # formatting is part of the build
    locales                             # the comma-decimal locale rerun of the tests
    qt6-base-dev qt6-svg-dev libqcustomplot-dev  # the pictures and the window
    clang libclang-rt-14-dev            # the fuzz targets (libFuzzer)
    python3                             # the data generators and the status-code table check
)

missing=()
for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "Kavo needs these packages; install them with:" >&2
    echo "    sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}"
