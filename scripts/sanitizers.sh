# Run-time options of the sanitizer build (build-asan/, configured with clang and -DVGX_SANITIZE=ON)
# and of its fuzz targets (build-asan/fuzz/).
# Source it and call vgx_sanitizer_env before running tests or vgxhost from that tree, e.g.
#   . scripts/sanitizers.sh && vgx_sanitizer_env && build-asan/bin/vgxhost --headless --quit

vgx_sanitizer_env() {
  # check_initialization_order/strict_init_order: the plug-in builds its definitions and function
  # objects in static initialisers, so an initialiser that reads another file's not-yet-built global
  # must fail here rather than work by link order.
  # detect_leaks=0: the GUI stack and fontconfig keep allocations until exit by design.
  export ASAN_OPTIONS="${ASAN_OPTIONS:-check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:detect_leaks=0}"
  # The build already stops at the first finding (-fno-sanitize-recover); the stack says where.
  local here
  here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
  export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1:suppressions=$here/ubsan.supp}"
}
