#!/usr/bin/env bash
# Opens the benchmark database in the main window (offscreen) and compares the time from the
# command to a filled page list with morvane-cli info; then times sorting and scrolling the list.
# Usage: bench/gui-bench.sh   (builds bench/work/big.fdb through open-bench.sh when missing)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
db="$here/bench/work/big.fdb"
[ -f "$db" ] || "$here/bench/open-bench.sh" >/dev/null
cmake -S "$here" -B "$here/build/release" -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF -DMORVANE_BENCH=ON >/dev/null
cmake --build "$here/build/release" -j"$(nproc)" --target morvane-cli gui_open_bench >/dev/null
cat "$db" > /dev/null
cli_best=""
for _ in 1 2 3; do
  s=$(date +%s.%N); "$here/build/release/src/morvane-cli" info "$db" >/dev/null; e=$(date +%s.%N)
  t=$(echo "$e - $s" | bc -l)
  if [ -z "$cli_best" ] || (( $(echo "$t < $cli_best" | bc -l) )); then cli_best=$t; fi
done
out=$("$here/build/release/bench/gui_open_bench" "$db")
echo "$out"
open=$(echo "$out" | awk '/^open/ {print $2}')
printf 'morvane-cli info    : %6.3f s\n' "$cli_best"
printf 'ratio open / cli    : %6.2f  (must stay within 1.50)\n' "$(echo "$open / $cli_best" | bc -l)"
