#!/usr/bin/env bash
# The Debian package as scripts/package builds it (optimised, hardened, under /usr): the whole
# installed tree, the run-time dependencies named, lintian without an error or a warning, and
# nothing of the build or the tests slipped in.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
"$HORALOOM_SOURCE_DIR/scripts/package" "$HORALOOM_BUILD_DIR/package-build" "$workdir/out" \
    >"$workdir/package.log" 2>&1 || { cat "$workdir/package.log"; exit 1; }
deb=$workdir/out/horaloom_1.0.0_$(dpkg --print-architecture).deb
check "the package is horaloom_1.0.0_<arch>.deb" test -f "$deb"
field() { dpkg-deb -f "$deb" "$1"; }
depends=$(field Depends | tr ',|' '\n' | sed 's/(.*//; s/[[:space:]]//g' | sort -u)
for package in libqt6widgets6 libsndfile1 libpulse0 libxcb1 fonts-liberation; do
    check "it depends on $package" grep -qx "$package" <<<"$depends"
done
check "and on no Qt Multimedia" test -z "$(grep -i multimedia <<<"$depends")"
dpkg-deb -c "$deb" | awk '{ print $1, $NF }' | sed 's| \./| /|' >"$workdir/contents"
# The files test_install.sh checks, as `cmake --install` lays them out; only the sound module's
# directory differs, the multiarch one in the package.
stage "$workdir/staged"
check "it holds the installed tree, file for file and mode for mode" \
    diff <(grep -v '^d' "$workdir/contents" | sed 's|/usr/lib/[^/]*/horaloom/|/usr/lib/horaloom/|' | sort -k2) \
    <(cd "$workdir/staged" && find . ! -type d -printf '%M /%P\n' | sort -k2)
check "everything in it lies under /usr, and nothing of the tests or the build" \
    test -z "$(grep -v ' /$' "$workdir/contents" | grep -E -v ' /usr/' ; grep -E 'test|\.a$|\.h$' "$workdir/contents")"
check "lintian finds no error and no warning" \
    lintian --info --pedantic --display-experimental --fail-on error,warning "$deb"
dpkg-deb -x "$deb" "$workdir/root"
module=$(find "$workdir/root/usr/lib" -name libhoraloom_sound.so | sed -n 1p)
# The hardening dpkg-buildflags asks for: read-only relocations bound at start-up, and in the
# programs the fortified C library and the stack protector.
# (grep -q on a process substitution: a pipe would end the writer early, and pipefail fail it.)
hardened() { # hardened FILE [program]
    grep -q GNU_RELRO <(readelf -lW "$1") && grep -q 'FLAGS.*NOW' <(readelf -dW "$1") &&
        ! grep -q 'not found' <(ldd "$1") && { [[ -z ${2:-} ]] || grep -q '_chk@' <(nm -D "$1"); }
}
sound_module_ok() { hardened "$module" && grep -q libsndfile <(ldd "$module") && grep -q libpulse-simple <(ldd "$module"); }
check "horaloom is stripped" grep -q ', stripped' <(file -b "$workdir/root/usr/bin/horaloom")
check "horaloom is hardened" hardened "$workdir/root/usr/bin/horaloom" program
check "so is the launcher" hardened "$workdir/root/usr/bin/horaloom-launcher" program
check "and the sound module, which links libsndfile and libpulse-simple" \
    sound_module_ok
