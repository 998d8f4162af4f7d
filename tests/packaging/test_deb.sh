#!/usr/bin/env bash
# `cpack -G DEB` builds a package that holds the whole installed tree and names the libraries
# and fonts Horaloom needs at run time.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"

cpack -G DEB --config "$HORALOOM_BUILD_DIR/CPackConfig.cmake" -B "$workdir/out" \
    >"$workdir/cpack.log" 2>&1 || { cat "$workdir/cpack.log"; exit 1; }
debs=("$workdir"/out/*.deb)
check "cpack makes exactly one package" test "${#debs[@]}" -eq 1 -a -f "${debs[0]}"
deb=${debs[0]}
check "the package file is named horaloom_1.0.0_<arch>.deb" \
    test "${deb##*/}" = "horaloom_1.0.0_$(dpkg --print-architecture).deb"

field() { dpkg-deb -f "$deb" "$1"; }
check "the package is called horaloom" test "$(field Package)" = horaloom
check "its version is 1.0.0" test "$(field Version)" = 1.0.0
check "its maintainer is the Horaloom Developers" test "$(field Maintainer)" = "Horaloom Developers"
check "it is built for this machine" test "$(field Architecture)" = "$(dpkg --print-architecture)"
check "it has a description" grep -q 'title of the window in front' <(field Description)

# Depends as a list of package names, versions and alternatives left aside.
depends=$(field Depends | tr ',|' '\n' | sed 's/(.*//; s/[[:space:]]//g' | sort -u)
echo "Depends: $(field Depends)"
depends_on() { grep -qx "$1" <<<"$depends"; }
for package in libqt6widgets6 libqt6gui6 libqt6core6 libsndfile1 libpulse0 libxcb1 libc6 \
    libstdc++6 fonts-liberation; do
    check "it depends on $package" depends_on "$package"
done

dpkg-deb -c "$deb" | awk '{ print $1, $NF }' | sed 's| \./| /|' >"$workdir/contents"
has() { # has MODE-PREFIX PATH
    grep -qx -- "$1[^ ]* $2" "$workdir/contents" || { echo "not in the package: $2"; return 1; }
}
check "it holds the horaloom program" has -rwxr-xr-x /usr/bin/horaloom
check "it holds the launcher" has -rwxr-xr-x /usr/bin/horaloom-launcher
check "it holds the default settings" has -rw-r--r-- /usr/share/horaloom/Horaloom.ini
check "it holds the sound module" \
    grep -qE '^-rw-r--r-- /usr/lib/([^/]+/)?horaloom/libhoraloom_sound\.so$' "$workdir/contents"
check "it holds the desktop entry" has -rw-r--r-- "/usr/share/applications/$HORALOOM_APP_ID.desktop"
check "it holds the AppStream metainfo" has -rw-r--r-- "/usr/share/metainfo/$HORALOOM_APP_ID.metainfo.xml"
check "it holds the scalable icon" has -rw-r--r-- /usr/share/icons/hicolor/scalable/apps/horaloom.svg
for size in "${icon_sizes[@]}"; do
    check "it holds the ${size}px icon" has -rw-r--r-- \
        "/usr/share/icons/hicolor/${size}x${size}/apps/horaloom.png"
done
# Nothing from the build or the tests slips in: only /usr, and only Horaloom's own files.
check "everything in it lies under /usr" \
    test -z "$(grep -v ' /$' "$workdir/contents" | grep -v ' /usr/')"
check "it holds no test programs or static libraries" \
    test -z "$(grep -E 'test|\.a$|\.h$|/lib/' "$workdir/contents" |
        grep -vE ' /usr/lib/(([^/]+/)?horaloom/(libhoraloom_sound\.so)?)?$')"

dpkg-deb -x "$deb" "$workdir/root"
check "the packaged default settings are byte for byte the shipped ones" \
    cmp -- "$default_settings" "$workdir/root/usr/share/horaloom/Horaloom.ini"
check "the packaged program is stripped" \
    grep -q ', stripped' <(file -b "$workdir/root/usr/bin/horaloom")
links_fully() { ! ldd "$1" | grep -q 'not found'; }
check "the packaged program runs against this system's libraries" \
    links_fully "$workdir/root/usr/bin/horaloom"
module=$(find "$workdir/root/usr/lib" -name libhoraloom_sound.so | head -n 1)
check "the packaged sound module links against this system's libraries" links_fully "$module"
# Everything installed, the program and the module alike, is free of Qt Multimedia.
no_multimedia() {
    local file
    while IFS= read -r -d '' file; do
        if file -b "$file" | grep -q ELF && ldd "$file" | grep -qi multimedia; then
            echo "$file links Qt Multimedia"
            return 1
        fi
    done < <(find "$workdir/root" -type f -print0)
}
check "nothing in the package links Qt Multimedia" no_multimedia
check "the sound module links libsndfile and libpulse-simple" \
    eval 'ldd "$module" | grep -q libsndfile && ldd "$module" | grep -q libpulse-simple'
check "Depends names no Qt Multimedia" test -z "$(grep -i multimedia <<<"$depends")"
