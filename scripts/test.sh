#!/usr/bin/env bash
# Installs what is missing, checks the formatting and the host's include structure, builds everything
# and runs every test; then builds a second tree with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, runs the non-GUI tests there and runs each fuzz target for a while.
# Exits non-zero when any build or test fails.
set -euo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/build-common.sh"
. "$REPO_ROOT/scripts/sanitizers.sh"

"$REPO_ROOT/scripts/install-deps.sh"

status=0

# Sources are kept as clang-format writes them (.clang-format in the repository root).
echo "== format check"
if ! git -C "$REPO_ROOT" ls-files -z '*.cpp' '*.h' | (cd "$REPO_ROOT" && xargs -0 clang-format --dry-run -Werror); then
  echo "== clang-format would change the files above (clang-format -i FILE)" >&2
  status=1
fi
# The host's service folders include each other without a cycle; util/ includes none of them.
"$REPO_ROOT/scripts/check-includes.sh" || status=1

vgx_configure "$REPO_ROOT/build"
vgx_build "$REPO_ROOT/build"
echo "== testing build"
ctest --test-dir "$REPO_ROOT/build" --output-on-failure -j "$JOBS" || status=1

# The sanitizer tree runs the tests without GUI: the GUI stack's own leaks and races are not ours.
# It is built with clang, whose libFuzzer drives the fuzz targets of tests/fuzz; a tree configured
# with another compiler is configured afresh.
ASAN_DIR="$REPO_ROOT/build-asan"
ASAN_CXX=/usr/bin/clang++
if [ -f "$ASAN_DIR/CMakeCache.txt" ] && [ "$(vgx_cache_value "$ASAN_DIR" CMAKE_CXX_COMPILER)" != "$ASAN_CXX" ]; then
  echo "== $ASAN_DIR was built with another compiler: starting it again"
  rm -rf "$ASAN_DIR"
fi
asan_start=$SECONDS
vgx_configure "$ASAN_DIR" -DVGX_SANITIZE=ON -DVGX_BUILD_BENCH=OFF -DCMAKE_CXX_COMPILER="$ASAN_CXX"
vgx_build "$ASAN_DIR"
echo "== build-asan built in $((SECONDS - asan_start)) s"
echo "== testing build-asan (label unit)"
vgx_sanitizer_env
ctest --test-dir "$ASAN_DIR" -L unit --output-on-failure -j "$JOBS" || status=1

# Each fuzz target runs a bounded number of inputs from its seeds; new inputs go to a scratch folder.
# A finding fails the run and keeps that folder with the input that made it.
FUZZ_RUNS="${VGX_FUZZ_RUNS:-20000}"
for target in scpi lynx wvtags; do
  work="$(mktemp -d "${TMPDIR:-/tmp}/vgx-fuzz-$target.XXXXXX")"
  echo "== fuzz_$target: $FUZZ_RUNS inputs"
  fuzz_start=$SECONDS
  if "$ASAN_DIR/fuzz/fuzz_$target" -runs="$FUZZ_RUNS" -max_len=4096 -timeout=30 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work" "$REPO_ROOT/tests/fuzz/corpus/$target" >"$work/log" 2>&1; then
    echo "== fuzz_$target: no finding in $((SECONDS - fuzz_start)) s"
    rm -rf "$work"
  else
    tail -n 80 "$work/log" >&2
    echo "== fuzz_$target found a fault; its input and log are in $work" >&2
    status=1
  fi
done

if [ "$status" -ne 0 ]; then
  echo "== FAILED: see the test output above" >&2
else
  echo "== all tests passed"
fi
exit "$status"
