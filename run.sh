#!/usr/bin/env bash
# Builds and starts Morvane Viewer on FILE, or on the bundled sample database.
# Without a display it says so and prints the command-line summary of the file instead.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here"
./scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)" >/dev/null
file="${1:-$here/samples/sample.fdb}"
bin="$here/build/release/src"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$bin/morvane" "$file"
fi
echo "No display is available (DISPLAY is not set): showing the command-line summary instead." >&2
echo "To see the window on a machine without a screen: xvfb-run -a $bin/morvane \"$file\"" >&2
echo
"$bin/morvane-cli" info "$file"
echo
"$bin/morvane-cli" pages "$file"
