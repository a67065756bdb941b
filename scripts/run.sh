#!/usr/bin/env bash
# Installs what is missing, builds the host and the plug-in, and starts vgxhost with the simulated
# boxes. Arguments go to vgxhost unchanged (see vgxhost --help).
set -euo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/build-common.sh"

"$REPO_ROOT/scripts/install-deps.sh"
vgx_configure "$REPO_ROOT/build"
vgx_build "$REPO_ROOT/build"
exec "$REPO_ROOT/build/bin/vgxhost" "$@"
