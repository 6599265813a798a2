#!/bin/sh
# Trains a complete set of resource files from a tagged corpus and measures it: the
# commands a data build runs. Usage:
#   scripts/train-example.sh OUT_DIR [TRAIN [DEV]]
# TRAIN defaults to the EWT training corpus, DEV (used to prune the contextual rules) to
# EWT dev. OUT_DIR receives tagset, the lexicon under its three names, the lexical rule
# file and the contextual rule files (the NOLEX one learned without the lexicon licence),
# plus an empty ignore list when none is there, so that `quillon tag -d OUT_DIR` and
# `quillon eval -d OUT_DIR` can use it at once.
set -eu

out=${1:?usage: scripts/train-example.sh OUT_DIR [TRAIN [DEV]]}
corpus=${CORPUS:-/work/shared/corpus}
train=${2:-$corpus/ewt/train.conllu}
dev=${3:-$corpus/ewt/dev.conllu}
quillon=${QUILLON:-$(dirname "$0")/../build/bin/quillon}

mkdir -p "$out"
[ -e "$out/ignore.dat" ] || : >"$out/ignore.dat"

# The tag set first: the lexical rules are written for it.
"$quillon" train tagset "$train" -o "$out/tagset"

# The lexicon: every word of the corpus with its tags, most frequent first.
"$quillon" train lexicon "$train" -o "$out/LEXICON.BROWN.AND.WSJ"
cp "$out/LEXICON.BROWN.AND.WSJ" "$out/LEXICON.WSJ"
cp "$out/LEXICON.BROWN.AND.WSJ" "$out/LEXICON.BROWN"

# Unknown-word rules, learned from the words each of five folds does not share with the
# lexicon of the other four.
"$quillon" train lexical "$train" --tagset "$out/tagset" --folds 5 --max-rules 200 \
  -o "$out/LEXICALRULEFILE.WSJ"

# Contextual rules over the corpus start-tagged fold by fold (ten folds, each with a lexicon
# of the others), pruned with the real tagger on the dev corpus.
"$quillon" train contextual "$train" -d "$out" --folds 10 --max-rules 300 \
  --heldout "$dev" -o "$out/CONTEXTUALRULEFILE.WSJ"
cp "$out/CONTEXTUALRULEFILE.WSJ" "$out/CONTEXTUALRULEFILE.BROWN"
"$quillon" train contextual "$train" -d "$out" --folds 10 --max-rules 300 --no-licence \
  --heldout "$dev" -o "$out/CONTEXTUALRULEFILE.WSJ.NOLEX"

# What the files are worth on text none of them saw.
for test in "$corpus/ewt/test.conllu" "$corpus/gum/dev.conllu" "$corpus/gum/test.conllu"; do
  [ -e "$test" ] || continue
  echo "== $test"
  "$quillon" eval -d "$out" "$test"
done
