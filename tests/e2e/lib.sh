# Shared by the end-to-end scripts: a failure ends the script, a wait has a bound.
fail() { echo "FAIL: $*"; exit 1; }
wait_for() { # seconds, description, command...
    local seconds=$1 what=$2
    shift 2
    for _ in $(seq $((seconds * 10))); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    fail "timed out waiting for $what"
}
