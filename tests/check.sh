# shellcheck shell=bash disable=SC2034
# The tally of the shell tests: `check DESCRIPTION COMMAND...` runs one check, and
# `report_checks STATUS`, called from the EXIT trap with the script's status, prints the closing
# line and gives the script its status. `holds BYTES FILE` is true if the file is those bytes.

passed=0
failed=0

check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok: $what"
    else
        failed=$((failed + 1))
        echo "FAILED: $what"
    fi
}

holds() { [[ $(cat "$2"; echo x) == "${1}x" ]]; }

report_checks() { # report_checks STATUS
    if (($1 != 0)); then
        # A step that failed outside a check stopped the test: that is a failure too.
        echo "FAILED: the test stopped early (status $1)"
        failed=$((failed + 1))
    fi
    echo "$passed passed, $failed failed"
    ((failed == 0))
}
