# Sourced by the scripts: `step NAME LOG COMMAND...` runs COMMAND with its output in LOG and prints
# one line, or the end of LOG when it fails.
step() {
    local name=$1 log=$2
    shift 2
    mkdir -p "$(dirname "$log")"
    local start=$SECONDS
    if "$@" >"$log" 2>&1; then
        echo "$name: ok ($((SECONDS - start)) s)"
    else
        echo "$name: FAILED, the end of $log:" >&2
        tail -n 40 "$log" >&2
        exit 1
    fi
}
