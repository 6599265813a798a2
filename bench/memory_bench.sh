#!/bin/sh
# Peak memory of `quillon tag` on one big input file, with the splitter off and on.
# Generates the synthetic resource files and a text (bench/tag_throughput --keep), repeats
# the text up to SIZE_MB megabytes, tags it with /usr/bin/time -v and reports the maximum
# resident set size and the wall time. The big files are deleted afterwards.
# Usage: bench/memory_bench.sh BUILD_DIR [SIZE_MB] [WORK_DIR]
set -eu
build=${1:?usage: memory_bench.sh BUILD_DIR [SIZE_MB] [WORK_DIR]}
size_mb=${2:-2048}
work=${3:-/tmp/quillon-memory-bench}
quillon="$build/bin/quillon"

rm -rf "$work"
mkdir -p "$work/out"
trap 'rm -rf "$work"' EXIT
"$build/bin/tag_throughput" --tokens 2000000 --runs 1 --keep "$work" >/dev/null
# Doubling the text reaches the size in a few steps.
cp "$work/text.txt" "$work/big.txt"
while [ "$(stat -c %s "$work/big.txt")" -lt $((size_mb * 1024 * 1024)) ]; do
  cat "$work/big.txt" "$work/big.txt" >"$work/double.txt"
  mv "$work/double.txt" "$work/big.txt"
done
truncate -s "${size_mb}M" "$work/big.txt"
bytes=$(stat -c %s "$work/big.txt")
echo "input: $bytes bytes, $(wc -l <"$work/big.txt") lines"

measure() {
  label=$1
  shift
  /usr/bin/time -v nice "$quillon" tag -q -d "$work/data" -o "$work/out" "$@" "$work/big.txt" \
    2>"$work/time.txt"
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.txt")
  wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time.txt")
  out=$(stat -c %s "$work/out/big_tag.txt")
  echo "$label: peak $((rss / 1024)) MB ($(awk "BEGIN { printf \"%.2f\", $rss * 1024 / $bytes }")x the input), wall $wall, output $out bytes"
  rm -f "$work/out/big_tag.txt"
}
measure "splitter off"
measure "splitter on" --split
