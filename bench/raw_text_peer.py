#!/usr/bin/python3
"""Tokenization and tagging of raw text: Quillon's tokenizers against NLTK's pipeline.

Measures, in one run and with one scorer (`quillon eval --raw`, CoNLL 2018 style spans),
token F1 and tag F1 on the raw sentence texts (the "# text" lines) of the test corpora:
  - Quillon with --tokenizer modern and --tokenizer classic and the data folder given;
  - NLTK from Debian's python3-nltk: its TreebankWordTokenizer (word_tokenize needs the
    punkt data, which Debian does not ship; it is used when present) and its averaged
    perceptron trained here on EWT train (5 iterations, tags mapped as the corpus README
    says), whose output is written as CoNLL-U and scored with `quillon eval --raw --system`.

Usage: /usr/bin/python3 bench/raw_text_peer.py [--quillon build/bin/quillon]
       [--data Q_data] [--corpus /work/shared/corpus] [CORPUS.conllu ...]
Without corpus files it scores ewt/test and gum/test. Takes a few minutes (the perceptron
trains in pure Python).
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile

import nltk
from nltk.tag.perceptron import PerceptronTagger
from nltk.tokenize import TreebankWordTokenizer
from nltk.tokenize.util import align_tokens

# The mapping of the corpus README (UD extensions onto the classic Penn set).
TAG_MAP = {"-LRB-": "(", "-RRB-": ")", "HYPH": ":", "NFP": ":", "ADD": "NN", "AFX": "JJ",
           "GW": "FW", "XX": "FW"}


def map_tag(word, tag):
    tag = TAG_MAP.get(tag, tag)
    if tag == "IN" and word.lower() == "to":
        return "TO"
    return tag


def read_conllu(path):
    """The sentences of a CoNLL-U file as (text, [(form, mapped tag), ...])."""
    sentences, text, words = [], None, []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("# text = "):
                text = line[len("# text = "):]
            elif line.startswith("#"):
                continue
            elif not line.strip():
                if words:
                    sentences.append((text, words))
                text, words = None, []
            else:
                columns = line.split("\t")
                if columns[0].isdigit():
                    words.append((columns[1], map_tag(columns[1], columns[4])))
    if words:
        sentences.append((text, words))
    return sentences


def word_spans(text):
    """NLTK's tokens of text as spans of it. The tokenizers write quotes as `` and '', which
    are put back as the text has them before aligning (as NLTK's span_tokenize does)."""
    try:
        nltk.data.find("tokenizers/punkt")
    except LookupError:
        return list(TreebankWordTokenizer().span_tokenize(text))
    tokens = nltk.word_tokenize(text)
    quotes = re.findall(r"``|'{2}|\"", text)
    tokens = [quotes.pop(0) if t in ('"', "``", "''") and quotes else t for t in tokens]
    return align_tokens(tokens, text)


def train_perceptron(train_path):
    tagger = PerceptronTagger(load=False)
    tagger.train([words for _, words in read_conllu(train_path)], nr_iter=5)
    return tagger


def write_system_output(tagger, gold_path, out):
    """Cuts and tags each gold text with NLTK; a text it cannot align is cut at spaces."""
    unaligned = 0
    for text, _ in read_conllu(gold_path):
        text = text or ""
        try:
            spans = word_spans(text)
        except ValueError:
            unaligned += 1
            spans, at = [], 0
            for piece in text.split():
                at = text.index(piece, at)
                spans.append((at, at + len(piece)))
                at += len(piece)
        forms = [text[a:b] for a, b in spans]
        tags = [tag for _, tag in tagger.tag(forms)] if forms else []
        for i, (form, tag) in enumerate(zip(forms, tags), 1):
            out.write(f"{i}\t{form}\t_\t_\t{tag}\t_\t_\t_\t_\t_\n")
        out.write("\n")
    return unaligned


def quillon_eval(args, extra):
    command = [args.quillon, "eval", "--raw"] + extra
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def figures(report):
    """(token F1, tag F1) from a report of `quillon eval --raw`."""
    token_f1 = tag_f1 = "-"
    for line in report.splitlines():
        if line.startswith("tokens:"):
            token_f1 = line.rsplit("F1 ", 1)[1]
        elif line.startswith("tags:"):
            tag_f1 = line.rsplit("F1 ", 1)[1]
    return token_f1, tag_f1


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--quillon", default="build/bin/quillon")
    parser.add_argument("--data", default="Q_data")
    parser.add_argument("--corpus", default="/work/shared/corpus")
    parser.add_argument("files", nargs="*")
    args = parser.parse_args()
    files = args.files or [os.path.join(args.corpus, name)
                           for name in ("ewt/test.conllu", "gum/test.conllu")]

    print("training NLTK's averaged perceptron on EWT train ...", file=sys.stderr)
    tagger = train_perceptron(os.path.join(args.corpus, "ewt/train.conllu"))
    print("| corpus | system | token F1 | tag F1 |")
    print("|---|---|---|---|")
    for path in files:
        name = os.path.relpath(path, args.corpus) if path.startswith(args.corpus) else path
        for tokenizer in ("modern", "classic"):
            report = quillon_eval(args, ["-d", args.data, "--tokenizer", tokenizer, path])
            print("| %s | Quillon --tokenizer %s | %s | %s |" % ((name, tokenizer) + figures(report)))
        with tempfile.NamedTemporaryFile("w", suffix=".conllu", encoding="utf-8") as out:
            unaligned = write_system_output(tagger, path, out)
            out.flush()
            report = quillon_eval(args, [path, "--system", out.name])
        note = " (%d texts cut at spaces)" % unaligned if unaligned else ""
        print("| %s | NLTK Treebank tokenizer + perceptron%s | %s | %s |"
              % ((name, note) + figures(report)))
        sys.stdout.flush()


if __name__ == "__main__":
    main()
