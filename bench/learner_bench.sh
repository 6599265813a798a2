#!/bin/sh
# Wall time and peak memory of the learners on a real corpus (EWT train, about 200,000
# tokens): 200 lexical rules, and 300 contextual rules both without and with pruning and
# folds. Each command runs under /usr/bin/time -v; the figures go to standard output.
# Usage: bench/learner_bench.sh [BUILD_DIR]   (CORPUS=... to point at another corpus folder)
set -eu

build=${1:-build}
quillon=$build/bin/quillon
corpus=${CORPUS:-/work/shared/corpus}
train=$corpus/ewt/train.conllu
dev=$corpus/ewt/dev.conllu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

measure() {
  label=$1
  shift
  /usr/bin/time -v "$@" >"$work/out" 2>"$work/time"
  wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time")
  user=$(sed -n 's/.*User time (seconds): //p' "$work/time")
  peak=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
  printf '%-46s wall %8s  user %6s s  peak %6d MB\n' "$label" "$wall" "$user" $((peak / 1024))
}

"$quillon" train tagset "$train" -o "$work/tagset" >/dev/null
: >"$work/ignore.dat"
measure "train lexicon" "$quillon" train lexicon "$train" -o "$work/LEXICON.BROWN.AND.WSJ"
measure "train lexical, 200 rules, 1 held-out half" "$quillon" train lexical "$train" \
  --tagset "$work/tagset" --folds 1 --max-rules 200 -o "$work/lexical1" -q
measure "train lexical, 200 rules, 5 folds" "$quillon" train lexical "$train" \
  --tagset "$work/tagset" --folds 5 --max-rules 200 -o "$work/LEXICALRULEFILE.WSJ" -q
measure "train contextual, 300 rules, learning only" "$quillon" train contextual "$train" \
  -d "$work" --max-rules 300 --no-prune -o "$work/ctx1" -q
measure "train contextual, 300 rules, pruned on dev" "$quillon" train contextual "$train" \
  -d "$work" --max-rules 300 --heldout "$dev" -o "$work/ctx2" -q
measure "train contextual, 300 rules, 10 folds, pruned" "$quillon" train contextual "$train" \
  -d "$work" --max-rules 300 --folds 10 --heldout "$dev" -o "$work/CONTEXTUALRULEFILE.WSJ" -q
measure "eval ewt/test" "$quillon" eval -d "$work" "$corpus/ewt/test.conllu"
