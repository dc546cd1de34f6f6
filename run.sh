#!/usr/bin/env bash
# Builds and runs Morvane Viewer on FILE, or on the bundled sample database.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here"
./scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)" >/dev/null
file="${1:-$here/samples/sample.fdb}"
cli="$here/build/release/src/morvane-cli"
"$cli" info "$file"
echo
"$cli" pages "$file"
