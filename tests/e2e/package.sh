#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: cpack builds it in a temporary folder; lintian finds no error and no warning
# that packaging/lintian-overrides does not accept; its AppStream metadata validates; it holds every
# file the program reads (the build's data, byte for byte, and its modules), icons at every size,
# the manual and the desktop entry; unpacked into a throw-away root with dpkg -x (never installed on
# this machine), its program starts from that root with that root's data and modules and reaches
# the menu.
BUILD=${1:?usage: package.sh BUILD-DIR VERSION}
VERSION=${2:?usage: package.sh BUILD-DIR VERSION}
. "$(dirname "$0")/lib.sh"
e2e_need_display
for tool in cpack lintian appstreamcli dpkg-deb dpkg-shlibdeps identify; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Build the package.
deb=$WORK/quillmoor_${VERSION}_$(dpkg --print-architecture).deb
cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK" >"$E2E_ARTIFACTS/cpack.log" 2>&1 \
    || { tail -20 "$E2E_ARTIFACTS/cpack.log"; e2e_fail "cpack failed"; }
[ -f "$deb" ] || e2e_fail "no $(basename "$deb"): $(ls "$WORK")"

# Lint the package and its metadata.
lintian --fail-on error,warning "$deb" >"$E2E_ARTIFACTS/lintian.log" 2>&1 \
    || { cat "$E2E_ARTIFACTS/lintian.log"; e2e_fail "lintian"; }
root=$WORK/root
dpkg-deb -x "$deb" "$root" || e2e_fail "dpkg-deb -x"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.quillmoor.Quillmoor.metainfo.xml" \
    >"$E2E_ARTIFACTS/appstream.log" 2>&1 || { cat "$E2E_ARTIFACTS/appstream.log"; e2e_fail "appstreamcli validate"; }

# The unpacked data is the build's, byte for byte; the contents list holds every module of the build.
dpkg-deb -c "$deb" | awk '{ $1=$2=$3=$4=$5=""; sub(/^ +/, ""); print }' | sed 's|^\./|/|' | LC_ALL=C sort >"$WORK/contents"
diff -r "$BUILD/share/quillmoor" "$root/usr/share/quillmoor" >/dev/null || e2e_fail "the packaged data differs from the build's"
for f in "$BUILD"/lib/quillmoor/*.so; do
    grep -qx "/usr/lib/quillmoor/${f##*/}" "$WORK/contents" || e2e_fail "the package lacks the module ${f##*/}"
done
for f in /usr/bin/quillmoor /usr/share/applications/quillmoor.desktop /usr/share/man/man6/quillmoor.6.gz \
         /usr/share/doc/quillmoor/copyright; do
    grep -qx "$f" "$WORK/contents" || e2e_fail "the package lacks $f"
done
for s in 16 24 32 48 64 128 256; do
    icon=$root/usr/share/icons/hicolor/${s}x${s}/apps/quillmoor.png
    [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${s}x${s}" ] || e2e_fail "icon $s px: $(identify "$icon" 2>&1)"
done

# What the package tells its users: dependencies, the manual, the version on the Acknowledgments page.
control=$(dpkg-deb -f "$deb" Depends Recommends)
for p in libqt6widgets6 libqt6multimedia6 libqt6sql6-sqlite libqt6charts6 'Recommends:.*fonts-liberation2' 'Recommends:.*fonts-wine' 'Recommends:.*libqt6sql6-psql'; do
    grep -q "$p" <<<"$control" || e2e_fail "control lacks $p: $control"
done
# Only the speech module links flite: its presence shows the modules were read too.
if [ -e "$BUILD/lib/quillmoor/libquillmoor-speech.so" ]; then
    grep -q 'Depends:.*libflite1' <<<"$control" || e2e_fail "the speech module's library is not a dependency"
fi
zcat "$root/usr/share/man/man6/quillmoor.6.gz" | grep -q 'quillmoor/multiple/' || e2e_fail "the manual does not say where worksheets are"
grep -q "version $VERSION\." "$root/usr/share/quillmoor/wmf/acknowledgments.txt" || e2e_fail "no version $VERSION on the Acknowledgments page"

# The unpacked program runs from its own root: title screen, "OK", the menu; the sound module it
# loads is the root's.
# (In a subshell: e2e_start sets a trap of its own.)
(
    BIN=$root/usr/bin/quillmoor
    e2e_start_to_menu package
    e2e_shot package-menu
    grep -q "$root/usr/lib/quillmoor/libquillmoor-sound.so" "/proc/$APP_PID/maps" \
        || e2e_fail "the program did not load the packaged sound module"
    if grep -q "$BUILD/" "/proc/$APP_PID/maps"; then e2e_fail "the program loaded files from the build"; fi
) || exit 1
echo "package: $(basename "$deb") $(stat -c %s "$deb") bytes, $(wc -l <"$WORK/contents") entries"
