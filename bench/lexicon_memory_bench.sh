#!/bin/sh
# Memory and CPU time of loading a large lexicon of distinct lines. The lexicon is the
# shipped one copied until it reaches SIZE_MB megabytes, each copy's words suffixed with
# the copy's number ("the" stays in the first copy, then "thex1", "thex2", ...), so that
# no two lines are the same and the short text is tagged as usual; it goes into a copy of the data folder under its usual name. Each binary given
# tags a short text with it under /usr/bin/time -v, one after the other, and the script
# reports CPU time (user + system), the peak resident set and the peak over the file size.
# Several binaries (say, before and after a change) run on the same files.
# Usage: bench/lexicon_memory_bench.sh SIZE_MB WORK_DIR QUILLON [QUILLON ...]
# WORK_DIR is kept (the lexicon takes a while to write); delete it when done.
set -eu
size_mb=${1:?usage: lexicon_memory_bench.sh SIZE_MB WORK_DIR QUILLON [QUILLON ...]}
work=${2:?usage: lexicon_memory_bench.sh SIZE_MB WORK_DIR QUILLON [QUILLON ...]}
shift 2
here=$(cd "$(dirname "$0")/.." && pwd)
lexicon="$work/data/LEXICON.BROWN.AND.WSJ"

if [ ! -f "$work/lexicon.done" ] || [ "$(cat "$work/lexicon.done")" != "$size_mb" ]; then
  rm -rf "$work/data"
  mkdir -p "$work/data"
  cp "$here"/Q_data/* "$work/data/"
  n=1
  while [ "$(stat -c %s "$lexicon")" -lt $((size_mb * 1000 * 1000)) ]; do
    awk -v n="$n" '{ $1 = $1 "x" n; print }' "$here/Q_data/LEXICON.BROWN.AND.WSJ" >>"$lexicon"
    n=$((n + 1))
  done
  echo "$size_mb" >"$work/lexicon.done"
  echo "The cat sat on the mat. It was a sunny day." >"$work/small.txt"
fi
bytes=$(stat -c %s "$lexicon")
echo "lexicon: $bytes bytes, $(wc -l <"$lexicon") distinct lines"

for quillon in "$@"; do
  rm -rf "$work/out"
  mkdir "$work/out"
  /usr/bin/time -v "$quillon" tag -q -d "$work/data" -o "$work/out" "$work/small.txt" \
    2>"$work/time.txt"
  user=$(sed -n 's/.*User time (seconds): //p' "$work/time.txt")
  sys=$(sed -n 's/.*System time (seconds): //p' "$work/time.txt")
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.txt")
  awk -v q="$quillon" -v u="$user" -v s="$sys" -v r="$rss" -v b="$bytes" -v o="$(cat "$work/out/small_tag.txt")" \
    'BEGIN { printf "%s: CPU %.1f s, peak %.0f MB, peak / file %.2f; output: %s\n", q, u + s, r / 1024, r * 1024 / b, o }'
done
