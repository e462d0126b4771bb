# Shared by the end-to-end scripts: a failure ends the script, a wait has a bound.
fail() { echo "FAIL: $*"; exit 1; }
wait_for() { # seconds, description, command...
    local seconds=$1 what=$2
    shift 2
    for _ in $(seq $((seconds * 10))); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    fail "timed out waiting for $what"
}
quit_from_menu() { # window id, program pid: the main menu's last entry ends the program
    local window=$1 app_pid=$2
    xdotool mousemove --window "$window" 708 15 click 1
    sleep 0.5
    xdotool key Up Return
    for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$app_pid" 2>/dev/null && { kill "$app_pid"; fail "the program did not quit"; }
    wait "$app_pid" || fail "the program exited with status $?"
    echo "quit cleanly"
}
