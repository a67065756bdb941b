#!/usr/bin/env bash
# Prints which host service folder (host/<folder>/) includes which other, as the #include lines say,
# and fails when
#  - the folders include each other in a cycle: a lower folder that needs something of a higher one
#    gets it through an interface or a callback instead, or
#  - util/, the base of every other folder, includes any of them.
# Usage: scripts/check-includes.sh [ROOT]   (ROOT defaults to the repository)
set -euo pipefail

ROOT="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
BASE=util
cd "$ROOT"

# One line per include of another folder: "<from> <to> <file>:<line>".
edges="$(find host -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.cc' \) -print0 | sort -z |
  xargs -0 grep -Hn -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"host/[^/"]+/' |
  sed -E 's|^host/([^/]+)/([^:]*):([0-9]+):[[:space:]]*#[[:space:]]*include[[:space:]]*"host/([^/"]+)/.*$|\1 \4 host/\1/\2:\3|' |
  awk '$1 != $2' || true)"

folders="$(find host -mindepth 1 -maxdepth 1 -type d -printf '%f\n' | sort)"

echo "== host folder graph (folder -> folders it includes)"
for f in $folders; do
  targets="$(printf '%s\n' "$edges" | awk -v f="$f" '$1 == f { print $2 }' | sort -u | tr '\n' ' ')"
  printf '  %-8s -> %s\n' "$f" "${targets:-(none)}"
done

status=0

base_lines="$(printf '%s\n' "$edges" | awk -v b="$BASE" '$1 == b')"
if [ -n "$base_lines" ]; then
  echo "== $BASE/ is the base and must include no other host folder:" >&2
  printf '%s\n' "$base_lines" | awk '{ print "  " $3 " includes host/" $2 "/" }' >&2
  status=1
fi

# An include a -> b closes a cycle when b reaches a again; reachability is the transitive closure of
# the (small) folder graph.
cycle_lines="$(printf '%s\n' "$edges" | awk '
  NF { n++; from[n] = $1; to[n] = $2; where[n] = $3; reach[$1, $2] = 1; node[$1] = 1; node[$2] = 1 }
  END {
    for (k in node) for (i in node) if ((i, k) in reach) for (j in node) if ((k, j) in reach) reach[i, j] = 1
    for (e = 1; e <= n; ++e) if ((to[e], from[e]) in reach) print from[e] " -> " to[e] "  " where[e]
  }')"
if [ -n "$cycle_lines" ]; then
  echo "== include cycle between host folders; the includes that close it:" >&2
  printf '%s\n' "$cycle_lines" | sed 's/^/  /' >&2
  status=1
fi

if [ "$status" -eq 0 ]; then
  echo "== no include cycle; $BASE/ includes only itself"
fi
exit "$status"
