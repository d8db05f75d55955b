#!/bin/sh
# Builds the Debian package from the build with CPack, as scripts/package.sh does, and
# checks its control fields, its dependencies, its files and its maintainer scripts.
# Usage: check-package.sh BUILD_DIR VERSION WITH_GPHOTO2
set -eu
build=$1
version=$2
with_gphoto2=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack -G DEB"
    exit 1
fi
deb=$(ls "$work"/snapdeck_*.deb)
echo "$deb:"
dpkg-deb -f "$deb"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = snapdeck ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version-1" ] || fail "Version is '$(field Version)', not $version-1"
[ "$(field Section)" = graphics ] || fail "Section is '$(field Section)'"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] ||
    fail "Architecture is '$(field Architecture)'"

# The libraries the program links, found by dpkg-shlibdeps, and adduser for the user.
depends=$(field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
needed="adduser libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libcurl4 libsystemd0"
if [ "$with_gphoto2" = 1 ]; then
    needed="$needed libgphoto2-6 libgphoto2-port12"
fi
for package in $needed; do
    echo "$depends" | grep -qx "$package" || fail "Depends lacks $package"
done
if echo "$depends" | grep -Eq -- '-dev$|^python|^libgtest|^libbenchmark'; then
    fail "Depends names a build or test package: $(field Depends)"
fi

# Everything under /usr, nothing from the build tree.
dpkg-deb -c "$deb" | awk '{ print $6 }' >"$work/files"
for file in ./usr/bin/snapdeck ./usr/share/applications/io.snapdeck.Snapdeck.desktop \
    ./usr/share/metainfo/io.snapdeck.Snapdeck.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/io.snapdeck.Snapdeck.svg \
    ./usr/share/icons/hicolor/48x48/apps/io.snapdeck.Snapdeck.png \
    ./usr/share/man/man1/snapdeck.1.gz ./usr/share/doc/snapdeck/copyright \
    ./usr/share/doc/snapdeck/examples/station.ini.example; do
    grep -qx -- "$file" "$work/files" || fail "the package lacks $file"
done
outside=$(grep -v -e '^\./$' -e '^\./usr/' "$work/files" || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

# The maintainer scripts: executable, and sound shell.
dpkg-deb -e "$deb" "$work/control"
for script in postinst prerm postrm; do
    if [ ! -x "$work/control/$script" ]; then
        fail "the package has no executable $script"
    elif ! sh -n "$work/control/$script"; then
        fail "$script is not valid shell"
    fi
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "the package is complete"
