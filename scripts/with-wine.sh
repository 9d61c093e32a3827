#!/usr/bin/env bash
# Runs one command inside a private Wine environment (own Xvfb, own prefix, Japanese
# locale), then stops what it started. For working by hand:
#   scripts/with-wine.sh build/wine-state -- ctest --test-dir build/windows -R launcher
set -uo pipefail
state=$(realpath -m "$1"); shift
[ "${1:-}" = "--" ] && shift
source "$(dirname "$0")/wine-env.sh"
mkdir -p "$state"
trap 'wine_env_stop "$state"' EXIT
wine_env_start "$state" || exit 1
"$@"
