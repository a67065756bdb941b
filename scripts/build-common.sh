# Shared by run.sh and test.sh: configure a build folder only when needed, then build it.
# Source it; it defines functions only.

REPO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="${VGX_JOBS:-2}"

# Value of a cache entry of the build folder, empty when the entry or the cache is missing.
vgx_cache_value() {
  local dir="$1" key="$2"
  [ -f "$dir/CMakeCache.txt" ] || return 0
  sed -n "s/^${key}:[A-Z]*=//p" "$dir/CMakeCache.txt" | head -n 1
}

# vgx_configure DIR [-DKEY=VALUE ...]
# A new folder is configured with Ninja and RelWithDebInfo. An existing one is left as it is (the
# build itself re-runs CMake when a CMakeLists.txt changed) unless one of the given -D values differs
# from its cache; a build type chosen earlier is kept, so developer folders are not rebuilt from
# scratch.
vgx_configure() {
  local dir="$1"
  shift
  local need=0 def key value
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    need=1
  elif [ ! -f "$dir/build.ninja" ] && [ ! -f "$dir/Makefile" ]; then
    need=1 # an earlier configure stopped half-way
  else
    for def in "$@"; do
      def="${def#-D}"
      key="${def%%=*}"
      value="${def#*=}"
      key="${key%%:*}"
      if [ "$(vgx_cache_value "$dir" "$key")" != "$value" ]; then
        need=1
      fi
    done
  fi
  if [ "$need" -eq 0 ]; then
    return 0
  fi
  local args=(-S "$REPO_ROOT" -B "$dir")
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    args+=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
  fi
  echo "== configuring $dir"
  cmake "${args[@]}" "$@"
}

vgx_build() {
  local dir="$1"
  echo "== building $dir"
  cmake --build "$dir" -j "$JOBS"
}
