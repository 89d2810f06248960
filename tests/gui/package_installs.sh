#!/usr/bin/env bash
# Builds the Debian package from a build tree, unpacks it into a temporary root and runs the
# installed kavo from there; checks that the window, its desktop entry and icon, and the
# example data area are in the package and that the Qt libraries are declared.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Uncompressed: the package is only unpacked again, and compressing debug builds is slow.
(cd "$build" && cpack -G DEB -D CPACK_DEBIAN_COMPRESSION_TYPE=none -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libc6 fonts-dejavu-core; do
    grep -q "$library" <<<"$depends" || { echo "Depends lacks $library: $depends"; exit 1; }
done

dpkg -x "$deb" "$work/root"
version=$("$work/root/usr/bin/kavo" --version)
grep -q '^kavo [0-9]*\.[0-9]*\.[0-9]*$' <<<"$version" || { echo "kavo --version: $version"; exit 1; }
for file in usr/bin/kavo-gui usr/share/applications/kavo-gui.desktop \
            usr/share/icons/hicolor/scalable/apps/kavo.svg \
            usr/share/kavo/Kavo/software/Kavo-Setup.txt; do
    test -e "$work/root/$file" || { echo "the package lacks /$file"; exit 1; }
done
echo "package $(basename "$deb") installs; $version"
