#!/usr/bin/env bash
# Builds everything and runs every test: the unit tests (plain and under
# AddressSanitizer/UndefinedBehaviorSanitizer), the golden check of the
# Windows pelorn-cli.exe under Wine, a short fuzzing run, and the end-to-end
# tests of pelorn.exe under Wine. One ctest run at the end executes them all,
# so its summary is the last line printed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh

build() {
    echo "test: building preset $1"
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -- --no-print-directory >"build/$1.log" 2>&1 || { cat "build/$1.log"; exit 1; }
}
mkdir -p build
build linux
build linux-sanitize
build windows
# The ZIP for Windows users; the end-to-end tests start the editor from it.
cmake --build --preset windows --target package -- --no-print-directory >>build/windows.log 2>&1 || { cat build/windows.log; exit 1; }

# The final ctest project: the two unit-test trees plus the checks below.
checks="$root/build/checks"
mkdir -p "$checks"
{
    echo "subdirs(\"$root/build/linux\")"
    echo "subdirs(\"$root/build/linux-sanitize\")"
    if [ -x scripts/check-golden.sh ]; then
        echo "add_test(golden-windows-cli \"$root/scripts/check-golden-windows.sh\" \"$root/build/windows/pelorn-cli.exe\")"
        echo "set_tests_properties(golden-windows-cli PROPERTIES TIMEOUT 600)"
    fi
    if [ -x scripts/run-fuzz.sh ]; then
        echo "add_test(fuzz-short \"$root/scripts/run-fuzz.sh\" 20)"
        echo "set_tests_properties(fuzz-short PROPERTIES TIMEOUT 600)"
    fi
    echo "add_test(e2e-wine \"python3\" \"$root/tests/e2e/run.py\" \"--exe\" \"$root/build/windows/pelorn.exe\" \"--artifacts\" \"$root/build/e2e-artifacts\")"
    # The end-to-end tests drive one virtual display and time their waits: alone.
    echo "set_tests_properties(e2e-wine PROPERTIES RUN_SERIAL ON TIMEOUT 900)"
} >"$checks/CTestTestfile.cmake"

cd "$checks"
set +e
ctest -j2 --output-on-failure 2>&1 | tee "$checks/ctest.log"
status=${PIPESTATUS[0]}
set -e
# ctest lists skipped tests after its summary; repeat the summary so that it
# closes the output.
summary=$(grep -E '^[0-9]+% tests passed' "$checks/ctest.log" | tail -n 1 || true)
if [ -n "$summary" ]; then
    echo
    echo "$summary"
fi
exit "$status"
