#!/usr/bin/env bash
# Installs what is missing, checks the formatting and the host's include structure, builds everything
# and runs every test; then builds a second tree with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the non-GUI tests there.
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
ASAN_DIR="$REPO_ROOT/build-asan"
vgx_configure "$ASAN_DIR" -DVGX_SANITIZE=ON -DVGX_BUILD_BENCH=OFF
vgx_build "$ASAN_DIR"
echo "== testing build-asan (label unit)"
vgx_sanitizer_env
ctest --test-dir "$ASAN_DIR" -L unit --output-on-failure -j "$JOBS" || status=1

if [ "$status" -ne 0 ]; then
  echo "== FAILED: see the test output above" >&2
else
  echo "== all tests passed"
fi
exit "$status"
