#!/bin/sh
# "reg import" of an export by Wine's own reg.exe, in a Wine prefix made for it alone, and a check
# that the prefix's registry then holds every key and value of the file.
#   reg_import.sh WINE_RUNNER TEST_PROGRAM
set -e
run="$1"
tests="$2"
work="$(cd "$(dirname "$tests")/.." && pwd)/reg-import"
rm -rf "$work"
mkdir -p "$work"
sample="Z:$(printf '%s' "$work/sample.reg" | tr / '\\')"
VELMORA_REG_SAMPLE="$sample" "$run" "$tests" --gtest_filter=RegImportSample.Write --gtest_brief=1
export WINEPREFIX="$work/prefix"
trap '"$run" --stop "$work"; rm -rf "$work"' EXIT
# The prefix is made first, and its start-up allowed to end, so that the import is not mixed
# with the prefix's own first writes.
"$run" cmd /c exit >/dev/null 2>&1 || true
wineserver -w 2>/dev/null || true
"$run" reg import "$sample" || { echo "reg import failed ($?)" >&2; exit 1; }
VELMORA_REG_SAMPLE="$sample" "$run" "$tests" --gtest_filter=RegImportSample.Check --gtest_brief=1
