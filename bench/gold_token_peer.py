#!/usr/bin/python3
"""Gold tokens: NLTK's averaged perceptron trained on the corpora Quillon's data come from.

Trains Debian python3-nltk's PerceptronTagger (5 iterations, tags mapped as the corpus README
says) on the training files given, tags the gold tokens of each test file and prints the
figures `quillon eval` prints for the shipped data: accuracy, and accuracy on the tokens
whose word EWT train never held (--seen). Run it with the training files of the data build
(EWT train, GUM-CC train and EWT dev) to compare like with like:

  /usr/bin/python3 bench/gold_token_peer.py --train ewt/train.conllu gum-cc/train.conllu \
      ewt/dev.conllu --seen ewt/train.conllu ewt/test.conllu gum/test.conllu

Paths are taken relative to --corpus (default /work/shared/corpus). Takes a few minutes.
"""
import argparse
import os

from nltk.tag.perceptron import PerceptronTagger

from raw_text_peer import read_conllu


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--corpus", default="/work/shared/corpus")
    parser.add_argument("--train", nargs="+", required=True)
    parser.add_argument("--seen", default="ewt/train.conllu")
    parser.add_argument("tests", nargs="+")
    args = parser.parse_args()
    path = lambda name: os.path.join(args.corpus, name)

    sentences = []
    for name in args.train:
        sentences += [words for _, words in read_conllu(path(name))]
    tagger = PerceptronTagger(load=False)
    tagger.train(sentences, nr_iter=5)
    seen = {form for _, words in read_conllu(path(args.seen)) for form, _ in words}
    print(f"trained on {sum(len(s) for s in sentences)} tokens: {' '.join(args.train)}")
    for name in args.tests:
        tokens = correct = unseen = unseen_correct = 0
        for _, words in read_conllu(path(name)):
            forms = [form for form, _ in words]
            for (form, gold), (_, tag) in zip(words, tagger.tag(forms)):
                tokens += 1
                correct += tag == gold
                if form not in seen:
                    unseen += 1
                    unseen_correct += tag == gold
        print(f"{name}: accuracy {100 * correct / tokens:.2f}% ({correct}/{tokens}), "
              f"unseen {100 * unseen_correct / max(unseen, 1):.2f}% ({unseen_correct}/{unseen})")


if __name__ == "__main__":
    main()
