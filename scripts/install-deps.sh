#!/usr/bin/env bash
# Installs the Debian packages that building and testing Kavo needs. As root it installs what
# is missing with apt-get; otherwise it prints the exact command and stops.
# Usage: scripts/install-deps.sh [kavo|all]
#   kavo  what building the kavo command needs (the main job)
#   all   that, and what the tests, the benchmarks and the checks need (the default), and the
#         comma-decimal locale that the tests are run under once more
set -euo pipefail

kavo_packages=(
    g++ cmake make                      # the compiler and the build
    libcli11-dev                        # the kavo command line
    qt6-base-dev qt6-svg-dev libqcustomplot-dev  # the pictures and the window
)
test_packages=(
    libgtest-dev libgmock-dev           # the test suites
    libbenchmark-dev                    # the benchmarks
    clang-format                        # formatting is part of the build
    locales                             # the comma-decimal locale rerun of the tests
    clang libclang-rt-14-dev            # the fuzz targets (libFuzzer)
    python3                             # the data generators and the status-code table check
)
test_locale=de_DE.UTF-8

group="${1:-all}"
case "$group" in
    kavo) packages=("${kavo_packages[@]}") ;;
    all) packages=("${kavo_packages[@]}" "${test_packages[@]}") ;;
    *)
        echo "usage: $0 [kavo|all]" >&2
        exit 2
        ;;
esac

missing=()
for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
need_locale=false
if [ "$group" = all ] && ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    need_locale=true
fi
if [ ${#missing[@]} -eq 0 ] && [ "$need_locale" = false ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Kavo needs more of this machine; as root, run:" >&2
    if [ ${#missing[@]} -gt 0 ]; then
        echo "    sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    fi
    if [ "$need_locale" = true ]; then
        echo "    sudo sed -i 's/^# *$test_locale UTF-8/$test_locale UTF-8/' /etc/locale.gen" \
             "&& sudo locale-gen" >&2
    fi
    echo "(or run $0 as root, which does this)" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}"
fi
if [ "$need_locale" = true ]; then
    sed -i "s/^# *$test_locale UTF-8/$test_locale UTF-8/" /etc/locale.gen
    grep -q "^$test_locale UTF-8" /etc/locale.gen || echo "$test_locale UTF-8" >>/etc/locale.gen
    locale-gen >/dev/null
fi
