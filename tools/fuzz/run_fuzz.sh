#!/usr/bin/env bash
# Runs one fuzz target for a while on a fresh corpus in WORK: its kept failing inputs as they are,
# then its seed files, each behind PREFIX (hex bytes, may be empty). Fails when the target finds
# a crash, a leak, a time-out or undefined behaviour; the input is left in WORK/artifacts.
# Usage: run_fuzz.sh TARGET WORK SECONDS MAX_LEN PREFIX REGRESSIONS_DIR [SEED...]
set -euo pipefail
target=$1 work=$2 seconds=$3 max_len=$4 prefix=$5 regressions=$6
shift 6
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
if [ -d "$regressions" ]; then
  cp "$regressions"/* "$work/corpus/" 2>/dev/null || true
fi
prefix_bytes=$(printf '%s' "$prefix" | sed 's/../\\x&/g')
for seed in "$@"; do
  { printf "$prefix_bytes"; cat "$seed"; } > "$work/corpus/seed-$(basename "$seed")"
done
exec "$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$work/artifacts/" -print_final_stats=1 "$work/corpus"
