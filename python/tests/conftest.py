"""Shared pieces of the tests of the Python package: the command line of the same build to
compare against, and sample texts written here (no corpus text is kept in the project)."""

import os
import pathlib
import subprocess

import pytest

import quillon

BIN_DIR = pathlib.Path(os.environ.get("QUILLON_BIN_DIR", ""))

# Running text of several kinds: plain sentences, contractions, typographic quotes and
# dashes, numbers, URLs, abbreviations, an empty line, a tab, words the lexicon does not
# know, non-ASCII letters, a line of nothing but punctuation.
SAMPLE = (
    "The quick brown fox jumps over the lazy dog.\n"
    "Mr. Smith didn't know that the old house on the hill had been sold last year.\n"
    "“Don’t,” she said — it’s $5,000 on Nov. 29 (see http://x.org/a).\n"
    "\n"
    "We can't leave before the meeting ends, but we'll call you tomorrow morning.\n"
    "The U.S. Army met J. Smith there.\tHe smiled. Then he left!\n"
    "Zorblax quuxified the frobnicated widgets at 3:45 p.m. yesterday.\n"
    "Café owners in Zürich don’t serve naïve tourists… or do they?\n"
    "!!! ... ???\n"
    "She reads three books every month, and her brother writes short stories.\n"
)

# More sentences, for files of several sizes.
MORE = [
    "I saw her duck under the table when the lights went out.",
    "Running quickly, the children reached the station before the train left.",
    "Prices rose 4.5% in March, according to figures released on Tuesday.",
    "Can you believe it’s already the end of the year?",
    "The committee's report, which was published late, recommends sweeping changes.",
    "He said: \"Leave it there,\" and walked away without another word.",
]


def quillon_binary():
    binary = BIN_DIR / "quillon"
    if not binary.is_file():
        pytest.skip("QUILLON_BIN_DIR does not name a build with bin/quillon")
    return binary


def run_quillon(*args, stdin=b""):
    """Runs the build's quillon with args; returns the completed process (bytes)."""
    return subprocess.run(
        [str(quillon_binary()), *map(str, args)], input=stdin, capture_output=True, timeout=60
    )


def cli_switches(options):
    """The `quillon tag` switches that mean the same as Tagger options."""
    switches = []
    if "data_dir" in options:
        switches += ["-d", options["data_dir"]]
    switches += ["-l", options.get("lexicon", 0), "-c", options.get("contextual", 0)]
    switches += ["--tokenizer", options.get("tokenizer", "modern")]
    switches += ["-s", options.get("separator", "_")]
    if options.get("lemma"):
        switches.append("--lemma")
    if options.get("multiword"):
        switches.append("--multiword")
    if options.get("encoding"):
        switches += ["--encoding", options["encoding"]]
    return switches


@pytest.fixture(scope="session")
def tagger_for():
    """Taggers by their options, each loaded once for the whole session."""
    taggers = {}

    def get(**options):
        key = tuple(sorted(options.items()))
        if key not in taggers:
            taggers[key] = quillon.Tagger(**options)
        return taggers[key]

    return get


@pytest.fixture(scope="session")
def tagger(tagger_for):
    return tagger_for()


@pytest.fixture(scope="session")
def lemma_tagger(tagger_for):
    return tagger_for(lemma=True)
