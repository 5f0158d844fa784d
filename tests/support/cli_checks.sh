# Shared by the pelorn-cli test scripts: sourced with the program's path as $1.
# Runs in a fresh working folder removed at the end; `check` runs a command
# and compares its exit status (a status of 2, bad arguments, must come with a
# message on stderr); `expect` tests a condition; `finish` reports and fails
# the script when anything failed.
set -uo pipefail
cli="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

passed=0
failed=0
check() {  # check DESCRIPTION EXPECTED-STATUS COMMAND...
    local what="$1" want="$2"
    shift 2
    "$@" >out.txt 2>err.txt
    local got=$?
    if [[ "$got" == "$want" ]]; then
        passed=$((passed + 1))
    else
        echo "FAIL: $what: exit $got, expected $want" >&2
        cat err.txt >&2
        failed=$((failed + 1))
    fi
    if [[ "$want" == 2 && ! -s err.txt ]]; then
        echo "FAIL: $what: no message on stderr" >&2
        failed=$((failed + 1))
    fi
}
expect() {  # expect DESCRIPTION CONDITION...
    local what="$1"
    shift
    if "$@"; then passed=$((passed + 1)); else echo "FAIL: $what" >&2; failed=$((failed + 1)); fi
}
finish() {  # finish NAME
    echo "$1: $passed passed, $failed failed"
    [[ $failed -eq 0 ]]
}
