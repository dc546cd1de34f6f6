#!/usr/bin/env bash
# Times opening a 2 GiB database (morvane-cli info: header check and full page scan)
# against a plain loop of page-size reads over the same file, in the same run.
# Usage: bench/open-bench.sh [SIZE_MIB]   (default 2048)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
size_mib="${1:-2048}"
work="$here/bench/work"
mkdir -p "$work"
db="$work/big.fdb"

cmake -S "$here" -B "$here/build/release" -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
cmake --build "$here/build/release" -j"$(nproc)" --target morvane-cli >/dev/null
cli="$here/build/release/src/morvane-cli"

if [ ! -f "$db" ] || [ "$(stat -c %s "$db")" -ne $((size_mib * 1024 * 1024)) ]; then
  echo "Building a ${size_mib} MiB database file at $db ..."
  python3 - "$db" "$size_mib" <<'PY'
import struct, sys
path, mib = sys.argv[1], int(sys.argv[2])
ps = 4096
header = bytearray(ps); header[0] = 1
struct.pack_into('<HH', header, 16, ps, 0x800C)
# One MiB of pages of every kind, data pages of many relations among them.
chunk = bytearray()
for i in range(1024 * 1024 // ps):
    p = bytearray(ps)
    t = (1, 2, 3, 4, 5, 5, 5, 5, 6, 7, 7, 8, 9, 0)[i % 14]
    p[0] = t if i else 2
    p[1] = i % 3
    if t == 5: struct.pack_into('<IHH', p, 16, i, 128 + i % 40, 0)
    if t == 6: struct.pack_into('<H', p, 16, 128 + i % 40)
    chunk += p
with open(path, 'wb') as f:
    first = bytearray(chunk); first[:ps] = header
    f.write(first)
    for _ in range(mib - 1): f.write(chunk)
PY
fi

cat "$db" > /dev/null   # both runs start from a warm page cache

best() { # best of three wall times, in seconds
  local best=""
  for _ in 1 2 3; do
    local s e t
    s=$(date +%s.%N); "$@" >/dev/null; e=$(date +%s.%N)
    t=$(echo "$e - $s" | bc -l)
    if [ -z "$best" ] || (( $(echo "$t < $best" | bc -l) )); then best=$t; fi
  done
  echo "$best"
}

loop=$(best dd if="$db" of=/dev/null bs=4096 status=none)
open=$(best "$cli" info "$db")
ratio=$(echo "$open / $loop" | bc -l)
mib_s=$(echo "$size_mib / $open" | bc -l)
printf 'page-size read loop : %6.3f s\n' "$loop"
printf 'morvane-cli info    : %6.3f s  (%.0f MiB/s)\n' "$open" "$mib_s"
printf 'ratio               : %6.2f  (must stay within 1.30)\n' "$ratio"
