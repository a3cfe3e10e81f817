#!/usr/bin/env bash
# Measures `orvetta-lookup awards` beside md5sum of the same files, in one
# run: the logs of scripts/make-sample-logs.py (100,000 contacts, ADIF and
# HAMLOG CSV, 26 MB and 10 MB) and both ten times larger (the records
# repeated: 260 MB of ADIF, 100 MB of CSV). Runs alternate between the
# programs; the medians of the elapsed times and of the CPU times (user +
# system, steadier on a loaded machine) are compared, and peak memory
# (maximum resident set, from /usr/bin/time) is taken on every log. With a
# second build (BASELINE, e.g. one of main), it runs in the same rounds, so
# its figures are comparable with these.
# Usage: scripts/measure-awards.sh [BUILD] [RUNS] [BASELINE]   (default build/native, 7, none)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}
runs=${2:-7}
baseline=${3:-}
lookup=$build/cli/orvetta-lookup
[[ -x $lookup ]] || { echo "measure-awards.sh: $lookup is missing: build $build first" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "measure-awards.sh: /usr/bin/time is missing (scripts/install-deps.sh)" >&2; exit 1; }
base_lookup=
if [[ -n $baseline ]]; then
  base_lookup=$baseline/cli/orvetta-lookup
  [[ -x $base_lookup ]] || { echo "measure-awards.sh: $base_lookup is missing" >&2; exit 1; }
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
scripts/make-sample-logs.py "$work"
# Ten times the records: the first file whole, then nine copies of its records.
{
  cat "$work/sample.adi"
  for _ in 1 2 3 4 5 6 7 8 9; do sed '1,/<EOH>/d' "$work/sample.adi"; done
} >"$work/large.adi"
for _ in 0 1 2 3 4 5 6 7 8 9; do cat "$work/sample.csv"; done >"$work/large.csv"

# "elapsed-ms cpu-ms" of one run, output thrown away (status 1, no Japanese
# contact, is a run like any other).
measure() {
  local status=0
  /usr/bin/time -o "$work/time" -f '%e %U %S' "$@" >/dev/null 2>&1 || status=$?
  [[ $status -le 1 ]] || { echo "measure-awards.sh: $* failed ($status)" >&2; exit 1; }
  awk '{printf "%d %d\n", $1 * 1000, ($2 + $3) * 1000}' "$work/time"
}

# Peak resident memory in KB of one run.
peak_kb() {
  /usr/bin/time -o "$work/peak" -f %M "$@" >/dev/null 2>&1 || true
  cat "$work/peak"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : int((a[NR/2]+a[NR/2+1])/2)}'; }
ratio() { awk -v a="$1" -v m="$2" 'BEGIN {printf "%.2f", m ? a / m : 0}'; }

# The awards run (and the baseline's), then md5sum, RUNS rounds.
compare() {  # log
  local log=$1 name
  name=$(basename "$log")
  : >"$work/awards"
  : >"$work/base"
  : >"$work/md5"
  cat "$log" >/dev/null  # all start from a warm page cache
  for _ in $(seq "$runs"); do
    measure "$lookup" --no-update awards "$log" >>"$work/awards"
    [[ -z $base_lookup ]] || measure "$base_lookup" --no-update awards "$log" >>"$work/base"
    measure md5sum "$log" >>"$work/md5"
  done
  local ae ac me mc
  ae=$(cut -d' ' -f1 "$work/awards" | median)
  ac=$(cut -d' ' -f2 "$work/awards" | median)
  me=$(cut -d' ' -f1 "$work/md5" | median)
  mc=$(cut -d' ' -f2 "$work/md5" | median)
  printf '%-11s %4s MB  awards %5s ms (cpu %5s)  md5sum %5s ms (cpu %5s)  ratio %s (cpu %s)' \
    "$name" "$(($(stat -c %s "$log") / 1000000))" "$ae" "$ac" "$me" "$mc" "$(ratio "$ae" "$me")" "$(ratio "$ac" "$mc")"
  if [[ -n $base_lookup ]]; then
    local be bc
    be=$(cut -d' ' -f1 "$work/base" | median)
    bc=$(cut -d' ' -f2 "$work/base" | median)
    printf '   baseline %5s ms (cpu %5s)  ratio %s (cpu %s)' "$be" "$bc" "$(ratio "$be" "$me")" "$(ratio "$bc" "$mc")"
  fi
  printf '\n'
}

echo "runs: $runs each, alternating; medians (goal: awards at most 1.0x md5sum on large.adi and large.csv)"
echo "load average at the start: $(cut -d' ' -f1-3 /proc/loadavg)"
for log in sample.adi sample.csv large.adi large.csv; do compare "$work/$log"; done

for kind in adi csv; do
  small=$(peak_kb "$lookup" --no-update awards "$work/sample.$kind")
  large=$(peak_kb "$lookup" --no-update awards "$work/large.$kind")
  printf 'peak memory %s: sample %s KB, large %s KB, difference %s KB' "$kind" "$small" "$large" "$((large - small))"
  if [[ -n $base_lookup ]]; then
    base_large=$(peak_kb "$base_lookup" --no-update awards "$work/large.$kind")
    printf '; baseline large %s KB (goal: within 1024 KB of it: %s KB)' "$base_large" "$((large - base_large))"
  fi
  printf '; md5sum large %s KB\n' "$(peak_kb md5sum "$work/large.$kind")"
done
