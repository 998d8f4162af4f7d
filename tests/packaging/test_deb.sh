#!/usr/bin/env bash
# The Debian package as scripts/package builds it (optimised, hardened, under /usr) holds the
# whole installed tree, names the libraries and fonts Horaloom needs at run time, and passes
# lintian without an error or a warning.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"

# Its own build tree beside the tests' one: the first run builds it all, later ones only what
# changed.
"$HORALOOM_SOURCE_DIR/scripts/package" "$HORALOOM_BUILD_DIR/package-build" "$workdir/out" \
    >"$workdir/package.log" 2>&1 || { cat "$workdir/package.log"; exit 1; }
debs=("$workdir"/out/*.deb)
check "cpack makes exactly one package" test "${#debs[@]}" -eq 1 -a -f "${debs[0]}"
deb=${debs[0]}
check "the package file is named horaloom_1.0.0_<arch>.deb" \
    test "${deb##*/}" = "horaloom_1.0.0_$(dpkg --print-architecture).deb"

field() { dpkg-deb -f "$deb" "$1"; }
check "the package is called horaloom" test "$(field Package)" = horaloom
check "its version is 1.0.0" test "$(field Version)" = 1.0.0
check "its maintainer is the Horaloom Developers, with an address" \
    test "$(field Maintainer)" = "Horaloom Developers <horaloom@users.noreply.github.io>"
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
check "it holds both manual pages" \
    eval 'has -rw-r--r-- /usr/share/man/man1/horaloom.1.gz && has -rw-r--r-- /usr/share/man/man1/horaloom-launcher.1.gz'

# Every tag lintian finds is shown; an error or a warning fails the package. No tag is waived.
check "lintian finds no error and no warning" \
    lintian --info --pedantic --display-experimental --fail-on error,warning "$deb"
dpkg-deb -e "$deb" "$workdir/control"
check "it has no maintainer scripts (no ldconfig for the private module)" \
    test -z "$(find "$workdir/control" -name 'post*' -o -name 'pre*')"

# Nothing from the build or the tests slips in: only /usr, and only Horaloom's own files.
check "everything in it lies under /usr" \
    test -z "$(grep -v ' /$' "$workdir/contents" | grep -v ' /usr/')"
check "it holds no test programs or static libraries" \
    test -z "$(grep -E 'test|\.a$|\.h$|/lib/' "$workdir/contents" |
        grep -vE ' /usr/lib/(([^/]+/)?(horaloom/(libhoraloom_sound\.so)?)?)?$')"

dpkg-deb -x "$deb" "$workdir/root"
check "the packaged default settings are byte for byte the shipped ones" \
    cmp -- "$default_settings" "$workdir/root/usr/share/horaloom/Horaloom.ini"
check "the packaged program is stripped" \
    grep -q ', stripped' <(file -b "$workdir/root/usr/bin/horaloom")
links_fully() { ! ldd "$1" | grep -q 'not found'; }
check "the packaged program runs against this system's libraries" \
    links_fully "$workdir/root/usr/bin/horaloom"
# The hardening dpkg-buildflags asks for: read-only relocations bound at start-up everywhere,
# and in the programs the fortified C library calls (lintian only reports these as notes).
hardened() { # hardened FILE [fortified]
    grep -q GNU_RELRO <(readelf -lW "$1") || { echo "$1: no RELRO"; return 1; }
    grep -q 'FLAGS.*NOW' <(readelf -dW "$1") || { echo "$1: not bound now"; return 1; }
    [[ ${2:-} != fortified ]] || grep -q '_chk@' <(nm -D "$1") || { echo "$1: no fortified calls"; return 1; }
}
check "horaloom is built hardened" hardened "$workdir/root/usr/bin/horaloom" fortified
check "horaloom is built with the stack protector" \
    grep -q ' __stack_chk_fail' <(nm -D "$workdir/root/usr/bin/horaloom")
check "the launcher is built hardened" hardened "$workdir/root/usr/bin/horaloom-launcher" fortified
module=$(find "$workdir/root/usr/lib" -name libhoraloom_sound.so | head -n 1)
check "the packaged sound module links against this system's libraries" links_fully "$module"
check "the sound module is built hardened" hardened "$module"
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
