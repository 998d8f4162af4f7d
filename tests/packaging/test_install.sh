#!/usr/bin/env bash
# `cmake --install` lays out a tree a desktop can use: the programs, the default settings, a valid
# desktop entry and AppStream file, the icons and the manual pages; and horaloom answers its
# command line without a display.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
usr=$workdir/root/usr
stage "$workdir/root"
desktop=$usr/share/applications/$HORALOOM_APP_ID.desktop
metainfo=$usr/share/metainfo/$HORALOOM_APP_ID.metainfo.xml
icons=$usr/share/icons/hicolor
value() { sed -n "s/^$1=//p" "$desktop" | sed -n 1p; }

check "desktop-file-validate accepts the desktop entry" desktop-file-validate "$desktop"
check "it starts the launcher, a utility and clock, with its icon" \
    test "$(value Exec)|$(value Categories)|$(value StartupNotify)" = "horaloom-launcher|Utility;Clock;|true" \
    -a -f "$icons/scalable/apps/$(value Icon).svg"
check "appstreamcli validates the metainfo" appstreamcli validate --no-net "$metainfo"
check "the metainfo describes that desktop entry" \
    grep -q "<launchable type=\"desktop-id\">$HORALOOM_APP_ID.desktop</launchable>" "$metainfo"
# Each screenshot of the metainfo is one of docs/screenshots at its real size, and each of those is
# shown but for the scaled ones (NAME-1.5x.png) and the Windows program's, which are the README's.
screenshots() {
    local size url count=0 shots=$HORALOOM_SOURCE_DIR/docs/screenshots
    while read -r size url; do
        [[ $(identify -format '%wx%h' "$shots/${url##*/}") == "$size" ]] || { echo "not $size: $url"; return 1; }
        count=$((count + 1))
    done < <(sed -n 's|.*width="\([0-9]*\)" height="\([0-9]*\)">\(.*\)</image>.*|\1x\2 \3|p' "$metainfo")
    ((count == $(find "$shots" -name '*.png' ! -name '*-[0-9]*x.png' ! -name 'windows-*' | wc -l)))
}
check "the metainfo shows docs/screenshots at their sizes" screenshots
# The icon at every size is a PNG of that size showing the clock: a transparent corner, the white
# face below the hub and the black hub in the middle.
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.a)]" info:; }
clock_face() { # clock_face FILE SIZE
    local corner face hub
    corner=$(pixel "$1" 0 0) face=$(pixel "$1" $(($2 / 2)) $(($2 * 3 / 4))) hub=$(pixel "$1" $(($2 / 2)) $(($2 / 2)))
    [[ $(identify -format '%m %wx%h' "$1") == "PNG ${2}x$2" && ${corner#* } == 0 ]] &&
        ((${face% *} > 200 && ${face#* } == 255 && ${hub% *} < 60 && ${hub#* } > 200))
}
for size in 16 22 24 32 48 64 128 256; do
    check "the ${size}px icon shows the clock" clock_face "$icons/${size}x$size/apps/horaloom.png" "$size"
done
check "the scalable icon is well-formed SVG" xmllint --noout "$icons/scalable/apps/horaloom.svg"
for page in horaloom horaloom-launcher; do
    check "the manual page of $page formats cleanly" test -z "$(LC_ALL=C.UTF-8 MANWIDTH=80 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)"
done

# Both programs answer --help and --version with no display, no settings file and nothing made;
# anything else is a usage error, said by the program asked; Qt's own options reach Qt.
mkdir "$workdir/empty"
in_empty() { (cd "$workdir/empty" && env -u DISPLAY -u WAYLAND_DISPLAY HOME="$workdir/empty" "$@"); }
for program in horaloom horaloom-launcher; do
    helps() { in_empty "$usr/bin/$program" --help | grep -- --version >/dev/null; }
    check "$program --help names the options" helps
    check "$program --version prints the version" test "$(in_empty "$usr/bin/$program" --version)" = "Horaloom 1.00"
    for wrong in --frobnicate -x stray-argument -platform; do
        status=0
        in_empty "$usr/bin/$program" "$wrong" 2>"$workdir/err" || status=$?
        check "$program $wrong is a usage error: status 2 (got $status) and one line of its own" \
            test "$status" -eq 2 -a "$(grep -c "^$program: " "$workdir/err")|$(wc -l <"$workdir/err")" = "1|1"
    done
done
check "and nothing is made" test -z "$(ls -A "$workdir/empty")"
cp -- "$default_settings" "$workdir/empty/Horaloom.ini"
status=0
mkdir -m 0700 "$workdir/run" # a lock of its own, whatever else runs beside it
in_empty XDG_RUNTIME_DIR="$workdir/run" timeout --preserve-status -s TERM 5 "$usr/bin/horaloom" \
    -platform offscreen 2>"$workdir/err" || status=$?
# With no window system, other programs' titles cannot be written: said once, and it runs on.
check "-platform offscreen runs there, says once that other programs' titles stay untouched, and ends on SIGTERM with 0 (got $status)" \
    test "$status" -eq 0 -a "$(grep -c "cannot be shown in other programs' titles.*(offscreen)" "$workdir/err")" -eq 1
