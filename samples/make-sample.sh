#!/usr/bin/env bash
# Rebuilds sample.fdb from sample.sql with the engine in embedded mode (no server).
set -euo pipefail
cd "$(dirname "$0")"
rm -f sample.fdb
isql-fb -q -i sample.sql
chmod 0644 sample.fdb
ls -l sample.fdb
