#!/bin/sh
# Writes a word list for `quillon train lexicon --wordlist` from WordNet 3.0 (Debian
# package wordnet-base): one line per word, "word TAG TAG ...". Lemmas of the noun, verb,
# adjective and adverb indexes give NN, VB, JJ and RB; the irregular forms give NNS
# (plural nouns), JJR/JJS (comparatives, superlatives), VBG (-ing forms) or VBD VBN (other
# verb forms). Multi-word lemmas (with "_") are left out: a lexicon line holds one word.
# Usage: scripts/wordnet-wordlist.sh [WORDNET_DIR] > wordnet.list
set -eu

dir=${1:-/usr/share/wordnet}
for f in index.noun index.verb index.adj index.adv noun.exc verb.exc adj.exc; do
  [ -r "$dir/$f" ] || { echo "wordnet-wordlist.sh: cannot read $dir/$f" >&2; exit 1; }
done

{
  awk '!/^ / { print $1, "NN" }' "$dir/index.noun"
  awk '!/^ / { print $1, "VB" }' "$dir/index.verb"
  awk '!/^ / { print $1, "JJ" }' "$dir/index.adj"
  awk '!/^ / { print $1, "RB" }' "$dir/index.adv"
  awk '{ print $1, "NNS" }' "$dir/noun.exc"
  awk '{ print $1, ($1 ~ /est$/ ? "JJS" : ($1 ~ /er$/ ? "JJR" : "JJ")) }' "$dir/adj.exc"
  awk '{ if ($1 ~ /ing$/) print $1, "VBG"; else { print $1, "VBD"; print $1, "VBN" } }' \
    "$dir/verb.exc"
} | awk '$1 !~ /_/' | LC_ALL=C sort -s -k1,1 | awk '
  $1 != word { if (word != "") print line; word = $1; line = $1; seen = "" }
  index(seen, " " $2 " ") == 0 { line = line " " $2; seen = seen " " $2 " " }
  END { if (word != "") print line }'
