#!/bin/sh
# Builds the three word lists of the data folder into OUT_DIR with `quillon train`:
#   e_lemma.txt    lemma list: the LEMMA column of EWT train and WordNet 3.0
#   Multiword.dat  multi-word list: fixed expressions and WordNet adverbs found in EWT
#                  train, plus the hand-written entries of scripts/lists/multiwords-extra.txt
#   ignore.dat     abbreviations that keep their period: EWT train and MASC, plus the
#                  common abbreviations of scripts/lists/abbreviations-common.txt
# Usage: scripts/build-lists.sh OUT_DIR
# QUILLON names the binary (default build/bin/quillon), CORPUS the corpus folder (default
# /work/shared/corpus), WORDNET the WordNet folder (default /usr/share/wordnet). The same
# inputs give the same bytes.
set -eu

out=${1:?usage: scripts/build-lists.sh OUT_DIR}
here=$(dirname "$0")
corpus=${CORPUS:-/work/shared/corpus}
wordnet=${WORDNET:-/usr/share/wordnet}
quillon=${QUILLON:-$here/../build/bin/quillon}
train=$corpus/ewt/train.conllu

for f in "$train" "$quillon"; do
  [ -e "$f" ] || { echo "build-lists.sh: $f is missing" >&2; exit 1; }
done
mkdir -p "$out"

# Inflections that are WordNet lemmas themselves (glasses, savings) are listed too: on EWT
# dev that scores a little better than leaving them as their own lemma.
"$quillon" train lemmas "$train" --wordnet "$wordnet" --inflect-lemma-forms \
  -o "$out/e_lemma.txt"

"$quillon" train multiwords "$train" --wordnet "$wordnet" \
  --extra "$here/lists/multiwords-extra.txt" -o "$out/Multiword.dat"

# MASC adds evidence on abbreviations (its odd tags do not matter here); the files are
# given in a fixed order so that the counts, and the list, never depend on the file system.
masc=""
if [ -d "$corpus/masc" ]; then
  masc=$(find "$corpus/masc" -name '*.txt' ! -name categories.txt | LC_ALL=C sort)
fi
# shellcheck disable=SC2086 # the MASC paths hold no spaces
"$quillon" train abbreviations "$train" $masc --skip-malformed --wordnet "$wordnet" \
  --common "$here/lists/abbreviations-common.txt" -o "$out/ignore.dat"
