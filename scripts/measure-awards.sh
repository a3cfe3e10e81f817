#!/usr/bin/env bash
# Measures `orvetta-lookup awards` on the synthetic logs beside md5sum of the
# same files, in one run: the logs of scripts/make-sample-logs.py (100,000
# contacts, ADIF and HAMLOG CSV) and an ADIF log ten times larger (the
# records repeated). Runs alternate between the two programs; the medians of
# the elapsed times are compared, and peak memory (maximum resident set, from
# /usr/bin/time) is taken for both ADIF logs.
# Usage: scripts/measure-awards.sh [BUILD] [RUNS]   (default build/native, 7)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}
runs=${2:-7}
lookup=$build/cli/orvetta-lookup
[[ -x $lookup ]] || { echo "measure-awards.sh: $lookup is missing: build $build first" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "measure-awards.sh: /usr/bin/time is missing (scripts/install-deps.sh)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
scripts/make-sample-logs.py "$work"
# Ten times the records: the first file whole, then nine copies of its records.
{
  cat "$work/sample.adi"
  for _ in 1 2 3 4 5 6 7 8 9; do sed '1,/<EOH>/d' "$work/sample.adi"; done
} >"$work/large.adi"

# Elapsed milliseconds of one run, output thrown away.
elapsed_ms() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 || [[ $? -le 1 ]]
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

# Peak resident memory in KB of one run.
peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : int((a[NR/2]+a[NR/2+1])/2)}'; }

# The awards run and md5sum, alternately, RUNS times each.
compare() {  # log
  local log=$1 name
  name=$(basename "$log")
  : >"$work/awards.ms"
  : >"$work/md5.ms"
  cat "$log" >/dev/null  # both start from a warm page cache
  for _ in $(seq "$runs"); do
    elapsed_ms "$lookup" --no-update awards "$log" >>"$work/awards.ms"
    elapsed_ms md5sum "$log" >>"$work/md5.ms"
  done
  local a m
  a=$(median <"$work/awards.ms")
  m=$(median <"$work/md5.ms")
  printf '%-11s %6s MB   awards %5s ms   md5sum %5s ms   ratio %s   (awards: %s; md5sum: %s)\n' \
    "$name" "$(($(stat -c %s "$log") / 1000000))" "$a" "$m" \
    "$(awk -v a="$a" -v m="$m" 'BEGIN {printf "%.2f", m ? a / m : 0}')" \
    "$(tr '\n' ' ' <"$work/awards.ms" | sed 's/ $//')" "$(tr '\n' ' ' <"$work/md5.ms" | sed 's/ $//')"
}

echo "runs: $runs each, alternating; median elapsed time (goal: awards within 4x md5sum)"
compare "$work/sample.adi"
compare "$work/sample.csv"
compare "$work/large.adi"

small=$(peak_kb "$lookup" --no-update awards "$work/sample.adi")
large=$(peak_kb "$lookup" --no-update awards "$work/large.adi")
echo "peak memory: sample.adi ${small} KB, large.adi ${large} KB, difference $((large - small)) KB (goal: at most 5120 KB)"
echo "peak memory of md5sum: sample.adi $(peak_kb md5sum "$work/sample.adi") KB, large.adi $(peak_kb md5sum "$work/large.adi") KB"
