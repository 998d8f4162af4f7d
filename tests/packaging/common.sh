# shellcheck shell=bash disable=SC2034  # the variables are for the scripts that source this
# Shared by the packaging tests: a staged install of the build tree and a tally of checks.
# HORALOOM_SOURCE_DIR, HORALOOM_BUILD_DIR and HORALOOM_APP_ID come from ctest.

set -euo pipefail
: "${HORALOOM_SOURCE_DIR:?}" "${HORALOOM_BUILD_DIR:?}" "${HORALOOM_APP_ID:?}"

source "$(dirname "${BASH_SOURCE[0]}")/../check.sh"
workdir=$(mktemp -d)
default_settings=$HORALOOM_SOURCE_DIR/resources/Horaloom.ini

finish() {
    local status=$?
    rm -rf -- "$workdir"
    report_checks "$status"
}
trap finish EXIT

# Installs the build tree under DIR with prefix /usr, as the package lays it out.
stage() {
    DESTDIR=$1 cmake --install "$HORALOOM_BUILD_DIR" --prefix /usr >"$workdir/install.log"
}
