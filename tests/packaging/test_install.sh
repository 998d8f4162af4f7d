#!/usr/bin/env bash
# `cmake --install` lays out a tree a desktop can use: the programs, the default settings, a
# valid desktop entry and AppStream file that point at things that exist, and the icon theme.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"

root=$workdir/root
stage "$root"
usr=$root/usr
desktop=$usr/share/applications/$HORALOOM_APP_ID.desktop
metainfo=$usr/share/metainfo/$HORALOOM_APP_ID.metainfo.xml
hicolor=$usr/share/icons/hicolor

check "horaloom is installed as a program" test -x "$usr/bin/horaloom" -a -f "$usr/bin/horaloom"
check "the launcher is installed as a program" test -x "$usr/bin/horaloom-launcher"
check "the default settings are installed byte for byte" \
    cmp -- "$default_settings" "$usr/share/horaloom/Horaloom.ini"

check "the desktop entry is installed" test -f "$desktop"
check "desktop-file-validate accepts the desktop entry" desktop-file-validate "$desktop"
exec_program=$(desktop_value "$desktop" Exec)
check "the desktop entry starts the launcher" test "$exec_program" = horaloom-launcher
check "the program it starts is in the same bin directory" test -x "$usr/bin/${exec_program%% *}"
icon=$(desktop_value "$desktop" Icon)
check "the desktop entry's icon is in the scalable hicolor icons" \
    test -f "$hicolor/scalable/apps/$icon.svg"
categories=$(desktop_value "$desktop" Categories)
check "the desktop entry is a utility and a clock" test "$categories" = "Utility;Clock;"
check "the desktop entry asks for startup notification" \
    test "$(desktop_value "$desktop" StartupNotify)" = true

check "the AppStream metainfo is installed" test -f "$metainfo"
check "the metainfo names the desktop entry it describes" \
    grep -q "<launchable type=\"desktop-id\">$HORALOOM_APP_ID.desktop</launchable>" "$metainfo"
check "the metainfo's id is the desktop entry's" grep -q "<id>$HORALOOM_APP_ID</id>" "$metainfo"
check "the metainfo lists release 1.0.0" grep -q '<release version="1.0.0"' "$metainfo"
# Each screenshot named in the metainfo is one of docs/screenshots, at its real size.
shown_screenshots() {
    local url name size count=0
    while read -r size url; do
        name=${url##*/}
        test -f "$HORALOOM_SOURCE_DIR/docs/screenshots/$name" || { echo "no $name"; return 1; }
        test "$(identify -format '%wx%h' "$HORALOOM_SOURCE_DIR/docs/screenshots/$name")" = "$size" ||
            { echo "$name is not $size"; return 1; }
        count=$((count + 1))
    done < <(sed -n 's|.*width="\([0-9]*\)" height="\([0-9]*\)">\(.*\)</image>.*|\1x\2 \3|p' "$metainfo")
    # The shots of the scaled windows (NAME-1.5x.png) and of the Windows program (windows-*.png)
    # are the README's, not this package's catalogue's.
    ((count == $(find "$HORALOOM_SOURCE_DIR/docs/screenshots" -name '*.png' ! -name '*-[0-9]*x.png' \
        ! -name 'windows-*.png' | wc -l)))
}
check "the metainfo shows every screenshot of docs/screenshots" shown_screenshots
if command -v appstreamcli >/dev/null; then
    check "appstreamcli validates the metainfo" appstreamcli validate --no-net "$metainfo"
else
    echo "skipped: appstreamcli is not installed, the metainfo is not validated"
fi

# Every size is a real PNG of that size: transparent in the corner, the white face below the
# hub and the black hub in the middle, as the window icon is drawn.
pixel() { # pixel FILE X Y -> "R G B A" as 0..255
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] \
%[fx:int(255*p{$2,$3}.b+0.5)] %[fx:int(255*p{$2,$3}.a+0.5)]" info:
}
looks_like_clock() { # looks_like_clock FILE SIZE
    local corner face hub r g b a
    corner=$(pixel "$1" 0 0)
    face=$(pixel "$1" $(($2 / 2)) $(($2 * 3 / 4)))
    hub=$(pixel "$1" $(($2 / 2)) $(($2 / 2)))
    read -r _ _ _ a <<<"$corner"
    ((a == 0)) || { echo "corner $corner is not transparent"; return 1; }
    read -r r g b a <<<"$face"
    ((r > 200 && g > 200 && b > 200 && a == 255)) || { echo "face $face is not white"; return 1; }
    read -r r g b a <<<"$hub"
    ((r < 60 && g < 60 && b < 60 && a > 200)) || { echo "hub $hub is not black"; return 1; }
}
for size in "${icon_sizes[@]}"; do
    png=$hicolor/${size}x${size}/apps/$icon.png
    check "the ${size}px icon is a PNG" grep -q 'PNG image data' <(file -b -- "$png")
    check "the ${size}px icon is ${size}x${size} pixels" \
        test "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${size}x${size}"
    check "the ${size}px icon shows the clock" looks_like_clock "$png" "$size"
done

svg=$hicolor/scalable/apps/$icon.svg
check "the scalable icon is well-formed SVG" xmllint --noout "$svg"
# The hand-written SVG must stay the drawn clock: rendered at 256 pixels it differs from the
# drawn PNG only at anti-aliased edges.
if command -v rsvg-convert >/dev/null; then
    rsvg-convert -w 256 -h 256 -o "$workdir/svg256.png" "$svg"
    same_picture() {
        local error
        error=$(compare -metric RMSE "$workdir/svg256.png" "$hicolor/256x256/apps/$icon.png" \
            null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p')
        echo "RMSE $error"
        awk -v e="$error" 'BEGIN { exit !(e != "" && e < 0.03) }'
    }
    check "the SVG icon matches the drawn 256px icon" same_picture
else
    echo "skipped: rsvg-convert is not installed, the SVG is not compared with the drawn icon"
fi

# The manual pages are installed compressed and format without a warning.
for page in horaloom horaloom-launcher; do
    file=$usr/share/man/man1/$page.1.gz
    check "the manual page of $page is installed" test -f "$file"
    check "the manual page of $page formats cleanly" \
        test -z "$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null)"
done
check "horaloom(1) describes the seven lines of the settings file" \
    test "$(zcat "$usr/share/man/man1/horaloom.1.gz" | grep -c '^\.IP [1-7]\.')" -eq 7

# horaloom answers --help and --version with no display and no settings file; anything it does
# not know is a usage error; Qt's own options reach Qt.
mkdir "$workdir/empty"
in_empty() { (cd "$workdir/empty" && env -u DISPLAY -u WAYLAND_DISPLAY "$@"); }
help=$(in_empty "$usr/bin/horaloom" --help) && status=0 || status=$?
check "horaloom --help succeeds without a display (got $status)" test "$status" -eq 0
check "the help names the options" grep -q -- '--version' <<<"$help"
check "horaloom --version prints the version" test "$(in_empty "$usr/bin/horaloom" --version)" = "Horaloom 1.00"
for wrong in --frobnicate -x stray-argument "-platform"; do
    status=0
    in_empty "$usr/bin/horaloom" "$wrong" 2>"$workdir/err" || status=$?
    check "horaloom $wrong ends with status 2 (got $status) and one line" \
        test "$status" -eq 2 -a "$(wc -l <"$workdir/err")" -eq 1
done
cp -- "$default_settings" "$workdir/empty/Horaloom.ini"
status=0
in_empty timeout --preserve-status -s TERM 5 "$usr/bin/horaloom" -platform offscreen -style Fusion 2>"$workdir/err" || status=$?
check "horaloom -platform offscreen ends on SIGTERM with status 0 (got $status)" test "$status" -eq 0
check "and it ran on the offscreen platform" grep -q "(offscreen)" "$workdir/err"
