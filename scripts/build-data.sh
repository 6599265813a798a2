#!/bin/sh
# Rebuilds the shipped resource files from the tagged corpora and WordNet with
# `quillon train`, then measures them with `quillon eval`. Every step is deterministic
# (fixed seeds, sorted output), so a second run writes the same bytes.
# Usage: scripts/build-data.sh [OUT_DIR]     (default: Q_data)
# Environment: CORPUS (default /work/shared/corpus, or ../shared/corpus beside the
# checkout), WORDNET (default /usr/share/wordnet), QUILLON (the binary), MEASURE=0 to skip
# the measurements; the knobs below (WITH_DEV, NO_PRUNE, DEFAULT_ONLY, LOOKUP_FORMS,
# LEXICAL_OPTIONS and CONTEXTUAL_OPTIONS (options added to those learners, e.g. --seed),
# GUESSED_ORDER ...)
# build the variants compared in Q_data/README.md.
#
# What is built (Q_data/README.md says why, and what each file scores):
# The training corpora are EWT train, GUM-CC train and (WITH_DEV, the default) EWT dev.
#   tagset                        the 45 tags of the training corpora with their descriptions
#   LEXICON.BROWN.AND.WSJ         the corpus words, then WordNet's and MASC's words and tags
#                                 (the tags of words only they know ordered by the
#                                 unknown-word rules' guesses)
#   LEXICON.WSJ                   the corpus words only
#   LEXICON.BROWN                 the corpus words seen at least twice with each tag
#   LEXICALRULEFILE.WSJ           unknown-word rules learned over five folds with the
#                                 word lists, as the default lexicon will be used: every
#                                 rule of score 2
#   CONTEXTUALRULEFILE.WSJ        rules over ten folds start-tagged with the default lexicon
#   CONTEXTUALRULEFILE.BROWN      the same learned without the word lists
#   CONTEXTUALRULEFILE.WSJ.NOLEX  learned without the lexicon licence
# e_lemma.txt, Multiword.dat and ignore.dat come from scripts/build-lists.sh when it is
# there; otherwise the files already in OUT_DIR stay.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$here/Q_data}
if [ -z "${CORPUS:-}" ]; then
  CORPUS=/work/shared/corpus
  [ -d "$CORPUS" ] || CORPUS=$here/../shared/corpus
fi
corpus=$CORPUS
wordnet=${WORDNET:-/usr/share/wordnet}
quillon=${QUILLON:-$here/build/bin/quillon}
# Training corpora (gold Penn tags) and the development corpora that prune and tune.
# GUM's dev and test sets, and EWT test, never train anything.
train="$corpus/ewt/train.conllu $corpus/gum-cc/train.conllu"
dev="$corpus/ewt/dev.conllu $corpus/gum/dev.conllu"
# The shipped files are trained on EWT dev as well, once the settings were chosen on the
# dev sets (WITH_DEV=0 keeps it out, for comparing variants); GUM dev, whose licence allows
# no training of shipped data, then alone prunes the contextual rules.
if [ "${WITH_DEV:-1}" = 1 ]; then
  train="$train $corpus/ewt/dev.conllu"
  dev="$corpus/gum/dev.conllu"
fi
# Knobs, fixed for the shipped files. NO_PRUNE=1 keeps every contextual rule (to compare
# variants fairly on dev); DEFAULT_ONLY=1 builds only the files of the default slots.
lexical_rules=${LEXICAL_RULES:-1000}  # every rule of score 2 (about 340)
lexical_min_score=${LEXICAL_MIN_SCORE:-2}
contextual_rules=${CONTEXTUAL_RULES:-6000}
contextual_min_score=${CONTEXTUAL_MIN_SCORE:-2}
lexical_folds=${LEXICAL_FOLDS:-5}
contextual_folds=${CONTEXTUAL_FOLDS:-10}

# shellcheck disable=SC2086 # the corpus paths hold no spaces
prune=""
for f in $dev; do prune="$prune --heldout $f"; done
[ "${NO_PRUNE:-0}" = 1 ] && prune="--no-prune"
for f in $train $dev "$quillon"; do
  [ -e "$f" ] || { echo "build-data.sh: $f is missing" >&2; exit 1; }
done
mkdir -p "$out"
if [ -n "${KEEP_WORK:-}" ]; then
  work=$KEEP_WORK  # keep the word lists for experiments
  mkdir -p "$work"
else
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi
q() { nice "$quillon" "$@"; }

q train tagset $train -q -o "$out/tagset"
q train wordnet "$wordnet" -o "$work/wordnet.list"
wl="--wordlist $work/wordnet.list"


# MASC (MASC=0 leaves it out): its tags are largely automatic. `-f masc` maps its odd tags
# onto the classic set (PP -> PRP, LRB -> (, dashes and ellipses -> :, a lone ' or " -> ''),
# and --skip-malformed leaves out a sentence with any other tag outside the set. Its words
# only extend the lexicon: a word list of the words with their MASC tags, after the corpus
# tags. The files are given in a fixed order, so nothing depends on the file system.
if [ "${MASC:-1}" = 1 ]; then
  # shellcheck disable=SC2046 # the MASC paths hold no spaces
  q train lexicon $(find "$corpus/masc" -name '*.txt' ! -name categories.txt | LC_ALL=C sort) \
    -f masc --skip-malformed -q -o "$work/masc.list"
  # After the WordNet tags: MASC's are largely automatic, WordNet's ordered by sense counts
  # (on the dev sets, 0.3 to 0.4 points better on words EWT train lacks than MASC first).
  wl="$wl --wordlist $work/masc.list"
fi


# How the word lists join the corpus words (LEXICON_OPTIONS adds options, for experiments).
# A capitalised list word the corpus lacks but holds in small letters is left out (MASC's
# automatic tags call many heading words names: Amazingly NNP); the tagger reads it in
# small letters at a sentence start. SMALL_LETTERS=0 keeps them, for comparison.
[ "${SMALL_LETTERS:-1}" = 1 ] && LEXICON_OPTIONS="--wordlist-small-letters ${LEXICON_OPTIONS:-}"
wl="$wl ${LEXICON_OPTIONS:-}"
# The default lookup reads typographic spellings by their ASCII forms (GUM-CC's ’s as 's,
# “ as ``): the lexicons count a word under both spellings, and the rules are learned, and
# pruned, on the ASCII forms the tagger will look up (LOOKUP_FORMS=0 learns from the
# spellings as they stand, for comparison).
lf="--lookup-forms"
[ "${LOOKUP_FORMS:-1}" = 1 ] || lf=""

# Unknown-word rules: each fold's words that neither the other folds nor WordNet know,
# each word counted once per fold with each tag, so that a name repeated through one
# document does not outweigh the many words met once (ONCE_PER_WORD=0 counts every token).
[ "${ONCE_PER_WORD:-1}" = 1 ] && LEXICAL_OPTIONS="--once-per-word ${LEXICAL_OPTIONS:-}"
# shellcheck disable=SC2086
q train lexical $train $wl $lf ${LEXICAL_OPTIONS:-} --tagset "$out/tagset" --folds "$lexical_folds" --max-rules "$lexical_rules" \
  --min-score "$lexical_min_score" \
  -q -o "$out/LEXICALRULEFILE.WSJ"

# The word lists joined into one, the tags of the words the corpus lacks ordered by what
# those rules guess for them (a listed guess first; a one-tag entry gets the guess as its
# second tag, as does a corpus word seen at most twice with one tag), so that the start tag
# of a word only the lists know is the one its spelling suggests in the corpora's text.
# GUESSED_ORDER=0 keeps the lists' own order, for comparison.
if [ "${GUESSED_ORDER:-1}" = 1 ]; then
  # shellcheck disable=SC2086
  q train wordlist $train $wl $lf --tagset "$out/tagset" --lexical-rules "$out/LEXICALRULEFILE.WSJ" \
    -q -o "$work/guessed.list"
  wl="--wordlist $work/guessed.list ${LEXICON_OPTIONS:-}"
fi

# Lexicons.
# shellcheck disable=SC2086
q train lexicon $train $wl $lf -q -o "$out/LEXICON.BROWN.AND.WSJ"
q train lexicon $train $lf -q -o "$out/LEXICON.WSJ"
q train lexicon $train $lf --min-tag-count 2 -q -o "$out/LEXICON.BROWN"

# Contextual rules, learned over the corpus start-tagged fold by fold with the lexicon
# each slot's files make, pruned with the real tagger on EWT dev.
ctx() {
  lexicon=$1
  rules=$2
  shift 2
  # shellcheck disable=SC2086
  q train contextual $train --lexicon "$lexicon" --lexical-rules "$out/LEXICALRULEFILE.WSJ" \
    --tagset "$out/tagset" --folds "$contextual_folds" --max-rules "$contextual_rules" \
    --min-score "$contextual_min_score" $prune $lf ${CONTEXTUAL_OPTIONS:-} -q -o "$rules" "$@"
}
# shellcheck disable=SC2086
ctx "$out/LEXICON.BROWN.AND.WSJ" "$out/CONTEXTUALRULEFILE.WSJ" $wl
if [ "${DEFAULT_ONLY:-0}" != 1 ]; then
  ctx "$out/LEXICON.WSJ" "$out/CONTEXTUALRULEFILE.BROWN"
  # shellcheck disable=SC2086
  ctx "$out/LEXICON.BROWN.AND.WSJ" "$out/CONTEXTUALRULEFILE.WSJ.NOLEX" $wl --no-licence
fi

if [ -x "$here/scripts/build-lists.sh" ] && [ "${DEFAULT_ONLY:-0}" != 1 ]; then
  "$here/scripts/build-lists.sh" "$out"
else
  # Keep the lists there are; a new folder gets the shipped ones.
  for f in e_lemma.txt Multiword.dat ignore.dat; do
    [ -e "$out/$f" ] || cp "$here/Q_data/$f" "$out/$f"
  done
fi

# MEASURE=0 skips the measurements; MEASURE=dev scores the development sets only, as
# variants are compared.
case ${MEASURE:-1} in
  0) exit 0 ;;
  dev) tests="ewt/dev gum/dev" ;;
  *) tests="ewt/test gum/dev gum/test" ;;
esac
for test in $tests; do
  [ -e "$corpus/$test.conllu" ] || continue
  echo "== $test"
  q eval -d "$out" --seen "$corpus/ewt/train.conllu" "$corpus/$test.conllu" | head -5
done
