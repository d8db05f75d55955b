#!/bin/sh
# Installs the build into a temporary prefix, as the Debian package does into /usr, and
# checks what the desktop, the software centre, man and the station find there.
# Usage: check-installed.sh BUILD_DIR VERSION WITH_STATION_UNIT WITH_TRANSLATIONS
set -eu
build=$1
version=$2
with_unit=$3
with_translations=$4
app=io.snapdeck.Snapdeck

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAIL: cmake --install"
    exit 1
fi

# The layout, and nothing else: a stray file would end up in the package.
expected="bin/snapdeck
share/applications/$app.desktop
share/doc/snapdeck/README.md
share/doc/snapdeck/changelog.Debian.gz
share/doc/snapdeck/copyright
share/doc/snapdeck/examples/station.ini.example
share/icons/hicolor/scalable/apps/$app.svg
share/man/man1/snapdeck.1.gz
share/metainfo/$app.metainfo.xml"
for size in 16 32 48 64 128 256; do
    expected="$expected
share/icons/hicolor/${size}x${size}/apps/$app.png"
done
if [ "$with_unit" = ON ]; then
    expected="$expected
lib/systemd/system/snapdeck-station.service"
fi
echo "$expected" | sort >"$work/expected"
(cd "$prefix" && find . -type f | sed 's|^\./||' | grep -v '^share/snapdeck/translations/[^/]*\.qm$' | sort) \
    >"$work/installed"
missing=$(comm -23 "$work/expected" "$work/installed")
extra=$(comm -13 "$work/expected" "$work/installed")
[ -z "$missing" ] || fail "not installed:
$missing"
[ -z "$extra" ] || fail "installed but not expected:
$extra"
[ -x "$prefix/bin/snapdeck" ] || fail "bin/snapdeck is not executable"
if readelf -d "$prefix/bin/snapdeck" | grep -Eq 'RPATH|RUNPATH'; then
    fail "bin/snapdeck keeps a library path: $(readelf -d "$prefix/bin/snapdeck" | grep -E 'RPATH|RUNPATH')"
fi

if [ "$with_translations" = ON ] &&
    ! ls "$prefix"/share/snapdeck/translations/*.qm >/dev/null 2>&1; then
    fail "no .qm file in share/snapdeck/translations"
fi

# Each PNG icon has the size its folder says (the width and height in its IHDR header).
for size in 16 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$app.png
    [ -f "$png" ] || continue
    set -- $(od -An -tu1 -j16 -N8 "$png")
    width=$(($1 * 16777216 + $2 * 65536 + $3 * 256 + $4))
    height=$(($5 * 16777216 + $6 * 65536 + $7 * 256 + $8))
    [ "$width:$height" = "$size:$size" ] || fail "the ${size}x${size} icon is ${width}x$height"
done

# The validators, as the desktop and the software centre read the files.
desktop=$prefix/share/applications/$app.desktop
metainfo=$prefix/share/metainfo/$app.metainfo.xml
echo "desktop-file-validate:"
if ! command -v desktop-file-validate >/dev/null; then
    fail "desktop-file-validate is missing (desktop-file-utils: scripts/install-deps.sh)"
elif ! desktop-file-validate "$desktop" >"$work/desktop.out" 2>&1 || [ -s "$work/desktop.out" ]; then
    # Hints count too: one says the entry would land in the menu's catch-all section.
    cat "$work/desktop.out"
    fail "desktop-file-validate does not take the desktop entry as it is"
else
    echo "ok"
fi
echo "appstreamcli validate --no-net:"
if ! command -v appstreamcli >/dev/null; then
    fail "appstreamcli is missing (appstream: scripts/install-deps.sh)"
elif ! appstreamcli validate --no-net "$metainfo"; then
    fail "appstreamcli refuses the metainfo"
elif ! appstreamcli validate-tree --no-net "$prefix"; then
    fail "appstreamcli refuses the installed tree (the metainfo with its desktop entry)"
fi

# The menu entry starts the installed program: Exec's command, looked up as the desktop
# does with the prefix's bin first, is that program, and it answers.
exec_line=$(sed -n '/^\[Desktop Entry\]/,/^\[/s/^Exec=//p' "$desktop")
command=${exec_line%% *}
found=$(PATH="$prefix/bin:/usr/local/bin:/usr/bin:/bin" command -v "$command" || true)
if [ "$found" != "$prefix/bin/snapdeck" ]; then
    fail "Exec=$exec_line starts '${found:-nothing}', not the installed bin/snapdeck"
else
    answer=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$found" --version 2>&1 || true)
    [ "$answer" = "snapdeck $version" ] || fail "Exec's program answers --version with '$answer'"
fi
icon=$(sed -n '/^\[Desktop Entry\]/,/^\[/s/^Icon=//p' "$desktop")
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
    fail "Icon=$icon names no installed icon"

# The metainfo names this desktop entry and this version.
grep -q "<id>$app</id>" "$metainfo" || fail "the metainfo's id is not $app"
grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app.desktop"
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$newest" = "$version" ] || fail "the metainfo's newest release is '$newest', the project's $version"

# The manual page reads without a warning and has an entry for every option the program
# knows (an entry: the line after .TP).
gzip -dc "$prefix/share/man/man1/snapdeck.1.gz" >"$work/snapdeck.1"
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
    man --warnings -E UTF-8 -l -Tutf8 -Z "$work/snapdeck.1" 2>&1 >/dev/null || echo "man failed")
[ -z "$warnings" ] || fail "man warns: $warnings"
grep -q "Snapdeck $version" "$work/snapdeck.1" || fail "the manual page does not carry version $version"
options=$(env -u DISPLAY QT_QPA_PLATFORM=offscreen "$prefix/bin/snapdeck" --help |
    grep -o -- '--[a-z][a-z-]*' | sort -u)
awk 'previous == ".TP" { print } { previous = $0 }' "$work/snapdeck.1" >"$work/entries"
for option in $options; do
    escaped=$(echo "$option" | sed 's/-/\\\\-/g')
    grep -q -- "$escaped\([= ]\|\$\)" "$work/entries" ||
        fail "the manual page has no entry for $option"
done

# The station's service runs the installed program.
if [ "$with_unit" = ON ]; then
    grep -Eq '^ExecStart=.*snapdeck .*--station=' "$prefix/lib/systemd/system/snapdeck-station.service" ||
        fail "the station's unit does not start snapdeck --station"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "the installed layout is complete and valid"
