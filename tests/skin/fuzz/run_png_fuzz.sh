#!/usr/bin/env bash
# Runs skin_fuzz_png over inputs 0 .. TOTAL-1 in JOBS processes under Wine's
# heap checks, going on after any crash or hang, and prints the totals.
# Inputs that failed are kept in FOLDER. Run inside the test Wine prefix, e.g.
#   (source tools/wine-env.sh; wine_env_start build; tests/skin/fuzz/run_png_fuzz.sh 100000 4 /tmp/pngfuzz)
set -euo pipefail
total=${1:-100000}
jobs=${2:-4}
folder=${3:-/tmp/pngfuzz}
exe=${FUZZ_EXE:-build/tests/skin/skin_fuzz_png.exe}
mkdir -p "$folder"
win_folder="Z:$(echo "$folder" | tr / '\\')"

run_range() {
  local next=$1 end=$2 log=$3
  : >"$log"
  while [ "$next" -lt "$end" ]; do
    out=$(WINEDEBUG=warn+heap wine "$exe" "$next" $((end - next)) "$win_folder" 2>>"$log.heap" | tr -d "\r" || true)
    echo "$out" >>"$log"
    failed=$(echo "$out" | awk '$1 == "crash" || $1 == "hang" {print $2}' | tail -n 1)
    [ -n "$failed" ] || break
    next=$((failed + 1))
  done
}

share=$(((total + jobs - 1) / jobs))
for j in $(seq 0 $((jobs - 1))); do
  start=$((j * share))
  end=$((start + share > total ? total : start + share))
  run_range "$start" "$end" "$folder/job$j.log" &
done
wait

cat "$folder"/job*.log | awk '
  $1 == "crash" { crashes++ } $1 == "hang" { hangs++ }
  $1 == "done" || $1 == "partial" { decoded += $4; refused += $6; other += $8 }
  END { printf "inputs %d: crashes %d, hangs %d, refused %d (other errors %d), decoded %d\n",
        decoded + refused + other + crashes + hangs, crashes, hangs, refused + other, other, decoded }'
echo "heap warnings: $(cat "$folder"/job*.log.heap | grep -c 'heap' || true)"
