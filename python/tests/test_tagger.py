"""The quillon.Tagger API, checked against the `quillon tag` command of the same build:
the same options give the same tags, lemmas, output bytes and messages."""

import ast
import pathlib
import pickle
import pydoc
import shutil
import threading
import time
import warnings

import pytest

import quillon
from conftest import BIN_DIR, MORE, SAMPLE, cli_switches, run_quillon

# Option sets that cover each switch of `quillon tag` at least once, the splitter with
# each tokenizer.
OPTION_SETS = [
    ({}, False),
    ({}, True),
    ({"lemma": True}, False),
    ({"tokenizer": "classic"}, True),
    ({"tokenizer": "spaces", "lemma": True}, True),
    ({"lexicon": 1, "contextual": 2}, False),
    ({"lexicon": 2, "contextual": 1, "separator": "/"}, False),
    ({"multiword": True}, True),
    ({"tokenizer": "classic", "lemma": True, "encoding": "windows-1252"}, False),
]

# Bytes a file may hold beyond the sample: CR LF and lone CR line ends, a byte that is not
# UTF-8, Windows smart quotes.
FILE_BYTES = (
    SAMPLE.encode()
    + b"Line ended by CR LF.\r\nAnd a lone CR.\rCaf\xe9 \x93quoted\x94 text.\n"
)


def line_of(sentence, separator, lemma):
    """A sentence written as `quillon tag` writes its line."""
    parts = []
    for token in sentence:
        part = token.word + separator + token.tag
        if lemma:
            part += separator + token.lemma
        parts.append(part)
    return " ".join(parts)


@pytest.mark.parametrize(
    "options, split", OPTION_SETS,
    ids=[",".join(f"{k}={v}" for k, v in o.items()) + (" split" if s else "")
         for o, s in OPTION_SETS])
def test_same_results_as_the_command_line(tmp_path, tagger_for, options, split):
    tagger = tagger_for(**options)
    source = tmp_path / "news.txt"
    source.write_bytes(FILE_BYTES)
    split_switch = ["--split"] if split else []

    # tag_file: the bytes of the command's output file.
    (tmp_path / "cli").mkdir()
    cli = run_quillon("tag", "-q", *cli_switches(options), *split_switch, "-o", tmp_path / "cli",
                      source)
    assert cli.returncode == 0, cli.stderr.decode()
    expected = (tmp_path / "cli" / "news_tag.txt").read_bytes()
    counts = tagger.tag_file(source, tmp_path / "mine.txt", split=split)
    assert (tmp_path / "mine.txt").read_bytes() == expected
    assert counts.sentences == expected.count(b"\r\n")
    assert counts.tokens == len([w for w in expected.replace(b"\r\n", b" ").split(b" ") if w])

    # tag: the same lines, from the same bytes.
    if options.get("multiword") or options.get("encoding"):
        return  # marks are only written; an encoding applies to files
    separator = options.get("separator", "_")
    lines = [line_of(s, separator, options.get("lemma")).encode("utf-8", "surrogateescape")
             for s in tagger.tag(FILE_BYTES, split=split)]
    assert lines == expected.split(b"\r\n")[:-1]


# Inputs cut into tokens already: one token a line (a byte that is not UTF-8, a second
# column), and CoNLL-U with a line that is not a word line.
VERTICAL = b"The\nc\xffat\nsat\n.\n\nDogs\tx\nbark\n\n\nLoudly\n"
CONLLU = (
    b"# sent_id = 1\n# text = The cat sat.\n"
    b"1\tThe\t_\t_\t_\t_\t2\tdet\t_\t_\n2\tcat\t_\t_\t_\t_\t3\tnsubj\t_\t_\n"
    b"not a word line\n3\tsat\t_\t_\t_\t_\t0\troot\t_\tSpaceAfter=No\n"
    b"4\t.\t_\t_\t_\t_\t3\tpunct\t_\t_\n\n"
)

FORMAT_CASES = [
    ("tsv", "text", FILE_BYTES),
    ("conllu", "text", FILE_BYTES),
    ("json", "text", FILE_BYTES),
    ("xml", "text", FILE_BYTES),
    (None, "vertical", VERTICAL),
    ("xml", "vertical", VERTICAL),
    (None, "conllu", CONLLU),
    ("json", "conllu", CONLLU),
]


@pytest.mark.parametrize("format, input, data", FORMAT_CASES,
                         ids=[f"{f}-{i}" for f, i, _ in FORMAT_CASES])
def test_formats_write_the_bytes_and_warnings_of_the_command_line(tmp_path, lemma_tagger,
                                                                   format, input, data):
    source = tmp_path / "news.txt"
    source.write_bytes(data)
    (tmp_path / "cli").mkdir()
    switches = ["--format", format] if format else []
    cli = run_quillon("tag", "-q", "--lemma", *switches, "--input", input, "-o",
                      tmp_path / "cli", source)
    assert cli.returncode == 0, cli.stderr.decode()
    [written] = (tmp_path / "cli").iterdir()
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        counts = lemma_tagger.tag_file(source, tmp_path / "mine", format, input=input)
    assert (tmp_path / "mine").read_bytes() == written.read_bytes()
    expected_warnings = cli.stderr.decode().splitlines()
    assert list(counts.warnings) == expected_warnings
    assert [str(w.message) for w in caught] == expected_warnings
    assert all(w.category is quillon.QuillonWarning for w in caught)
    assert counts.tokens > 0


@pytest.mark.parametrize(
    "arguments, words",
    [
        ({"format": "yaml"}, "format must be one of 'text', 'tsv', 'conllu', 'json', 'xml'"),
        ({"input": "csv"}, "input must be 'text', 'vertical' or 'conllu'"),
        ({"input": "vertical", "split": True}, "split cuts running text"),
    ],
)
def test_file_formats_out_of_range_are_value_errors(tmp_path, tagger, arguments, words):
    source = tmp_path / "in.txt"
    source.write_text("The cat sat.\n")
    with pytest.raises(ValueError, match=words):
        tagger.tag_file(source, tmp_path / "out", **arguments)
    assert sorted(p.name for p in tmp_path.iterdir()) == ["in.txt"]


# User lexicons: the words of each tag as the command tags them, the command's warnings
# for what it works around, its message for a file it refuses.
USER_LEXICONS = [
    ("Zorblax\tNNP\nquuxified\tVBD\tVBN\nrock’n’roll\tNN\n", None),
    ("Zorblax\tNNP\nZorblax\tNN\n", "warning"),
    ("Zorblax NNP\nfoo\tBADTAG\n", "error"),
]


@pytest.mark.parametrize("content, outcome", USER_LEXICONS, ids=["plain", "twice", "bad"])
def test_user_lexicon_as_the_command_line_reads_it(tmp_path, content, outcome):
    lexicon = tmp_path / "words.txt"
    lexicon.write_text(content)
    text = (SAMPLE + "Zorblax quuxified rock'n'roll and rock’n’roll.\n").encode()
    cli = run_quillon("tag", "--user-lexicon", lexicon, stdin=text)
    messages = cli.stderr.decode().splitlines()
    if outcome == "error":
        assert cli.returncode == 1
        with pytest.raises(quillon.ResourceError) as error:
            quillon.Tagger(user_lexicon=lexicon)
        assert str(error.value).splitlines() == messages
        return
    assert cli.returncode == 0
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        tagger = quillon.Tagger(user_lexicon=str(lexicon))
    assert [str(w.message) for w in caught] == messages
    assert (len(messages) == 1) == (outcome == "warning")
    assert [line_of(s, "_", False) for s in tagger.tag(text)] == cli.stdout.decode().splitlines()
    assert tagger.options["user_lexicon"] == str(lexicon)


def test_tag_tokens_tags_words_as_the_tokenizer_would_have_cut_them(lemma_tagger):
    for sentence in lemma_tagger.tag(SAMPLE + "\n".join(MORE)):
        assert lemma_tagger.tag_tokens([token.word for token in sentence]) == sentence


def test_tag_tokens_keeps_words_whole(tmp_path):
    # Words with a space or a period inside stay one token each; with the spaces tokenizer
    # the command line gives the same tags for the words joined by spaces.
    tagger = quillon.Tagger(tokenizer="spaces")
    words = ["New York", "is", "big", "."]
    tagged = tagger.tag_tokens(words)
    assert [t.word for t in tagged] == words
    assert all(t.lemma is None for t in tagged)
    plain = ["Prices", "rose", "4.5%", "in", "March", "."]
    stdout = run_quillon("tag", "--tokenizer", "spaces", stdin=" ".join(plain).encode())
    assert line_of(tagger.tag_tokens(plain), "_", False) == stdout.stdout.decode().strip()
    assert tagger.tag_tokens(iter(plain)) == tagger.tag_tokens(plain)
    assert tagger.tag_tokens([]) == []


@pytest.mark.parametrize(
    "words, error",
    [
        ("The cat sat", TypeError),  # one string, not a list of words
        (b"The cat", TypeError),
        (["The", ""], ValueError),
        (["The", 3], TypeError),
        (None, TypeError),
    ],
)
def test_tag_tokens_refuses_what_is_not_a_list_of_words(tagger, words, error):
    with pytest.raises(error):
        tagger.tag_tokens(words)


def test_lines_and_text_types(tagger):
    # One sentence per line, an empty list for an empty line, none after the last line end.
    assert tagger.tag("") == []
    assert [len(s) for s in tagger.tag("a b\n\nc\r\nd\re\n")] == [2, 0, 1, 1, 1]
    assert tagger.tag("a b\0c d") == tagger.tag("a b")  # NUL ends a text, as it ends a file
    assert tagger.tag(b"The cat sat.") == tagger.tag("The cat sat.")
    # Bytes that are not UTF-8 come back as surrogates and encode back to themselves.
    word = tagger.tag(b"caf\xe9 noir")[0][0].word
    assert word.encode("utf-8", "surrogateescape") == b"caf\xe9"
    token = tagger.tag("Dogs bark.")[0][0]
    assert token == ("Dogs", "NNS", None)
    assert (token.word, token.tag, token.lemma) == tuple(token)
    with pytest.raises(TypeError):
        tagger.tag(42)


def test_split_cuts_sentences_across_lines(tagger):
    text = "The U.S. Army met J. Smith there. He smiled.\nThen he\nleft!"
    assert [" ".join(t.word for t in s) for s in tagger.tag(text, split=True)] == [
        "The U.S. Army met J. Smith there .",
        "He smiled .",
        "Then he left !",
    ]


def copy_of_data(tmp_path):
    data = tmp_path / "Q_data"
    shutil.copytree(quillon.default_data_dir(), data)
    return data


# A change to a copy of the resource folder, the options that make a run read the file,
# and the run's message (which the command line must print too).
RESOURCE_FAULTS = [
    ("ignore.dat", None, {}, "ignore.datが見つかりません"),
    ("tagset", None, {}, "tagsetが見つかりません"),
    ("LEXICON.WSJ", None, {"lexicon": 1}, "Can't open LEXICON.WSJ"),
    ("CONTEXTUALRULEFILE.BROWN", None, {"contextual": 1},
     "CONTEXTUALRULEFILE.BROWNが見つかりません"),
    ("Multiword.dat", None, {"multiword": True}, "Multiword.datが見つかりません"),
    ("e_lemma.txt", b"lemma-without-arrow\n", {"lemma": True},
     "The format of the lemma list is invalid."),
]


@pytest.mark.parametrize("name, damaged, options, message", RESOURCE_FAULTS,
                         ids=[f[0] for f in RESOURCE_FAULTS])
def test_resource_errors_carry_the_program_text(tmp_path, name, damaged, options, message):
    data = copy_of_data(tmp_path)
    if damaged is None:
        (data / name).unlink()
    else:
        (data / name).write_bytes(damaged)
    with pytest.raises(quillon.ResourceError) as error:
        quillon.Tagger(data_dir=data, **options)
    assert str(error.value) == message
    assert isinstance(error.value, quillon.QuillonError)
    cli = run_quillon("tag", "-d", data, *cli_switches(options), stdin=b"text\n")
    assert cli.returncode == 1
    assert cli.stderr.decode() == message + "\n"


def test_missing_lemma_list_message_is_the_programs_whole_text(tmp_path):
    data = copy_of_data(tmp_path)
    (data / "e_lemma.txt").unlink()
    with pytest.raises(quillon.ResourceError) as error:
        quillon.Tagger(data_dir=str(data), lemma=True)
    cli = run_quillon("tag", "-d", data, "--lemma", stdin=b"text\n")
    assert str(error.value) + "\n" == cli.stderr.decode()
    assert str(error.value).startswith("Can't open \"e_lemma.txt\".\nPlease download")


@pytest.mark.parametrize(
    "options, words",
    [
        ({"lexicon": 3}, "lexicon must be 0, 1 or 2"),
        ({"contextual": -1}, "contextual must be 0, 1 or 2"),
        ({"tokenizer": "fancy"}, "tokenizer must be 'modern', 'classic' or 'spaces'"),
        ({"separator": "|"}, "separator must be '_' or '/'"),
        ({"encoding": "ebcdic"}, "encoding must be 'utf-8', 'windows-1252' or 'latin-1'"),
    ],
)
def test_options_out_of_range_are_value_errors(options, words):
    with pytest.raises(ValueError, match=words):
        quillon.Tagger(**options)


def test_tag_file_failures_leave_no_output(tmp_path, tagger):
    source = tmp_path / "in.txt"
    source.write_text("The cat sat.\n")
    old = tmp_path / "old.txt"
    old.write_bytes(b"kept")

    with pytest.raises(OSError) as error:  # an input that is not there
        tagger.tag_file(tmp_path / "missing.txt", old)
    cli = run_quillon("tag", "-q", "-o", tmp_path / "o", tmp_path / "missing.txt")
    # The command line adds its batch summary ("1 of 1 files were not tagged.") after it.
    assert cli.stderr.decode().splitlines()[0] == str(error.value)
    assert old.read_bytes() == b"kept"

    with pytest.raises(OSError, match="Cannot write file"):  # a folder that is not there
        tagger.tag_file(source, tmp_path / "nowhere" / "out.txt")
    assert not (tmp_path / "nowhere").exists()
    with pytest.raises(OSError, match="Cannot write file"):  # a folder in the way
        tagger.tag_file(source, tmp_path)
    with pytest.raises(ValueError, match="format"):
        tagger.tag_file(source, old, format="yaml")
    assert old.read_bytes() == b"kept"
    assert sorted(p.name for p in tmp_path.iterdir()) == ["in.txt", "old.txt"]

    tagger.tag_file(str(source), str(old))  # str paths work as well as Path
    assert old.read_bytes() == b"The_DT cat_NN sat_VBD ._.\r\n"


def test_threads_with_a_tagger_each_get_the_serial_results(tagger_for):
    texts = [SAMPLE + "\n".join(MORE[i:] + MORE[:i]) for i in range(len(MORE))]
    options = [{}, {"lemma": True, "tokenizer": "classic"}]
    serial = [[tagger_for(**o).tag(t) for t in texts] for o in options]
    results = [None] * len(options)

    def work(i):
        tagger = quillon.Tagger(**options[i])
        results[i] = [tagger.tag(t) for t in texts]

    threads = [threading.Thread(target=work, args=(i,)) for i in range(len(options))]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert results == serial


def test_one_tagger_shared_by_threads_gives_each_its_own_results(tagger):
    texts = [m + "\n" + SAMPLE for m in MORE]
    expected = [tagger.tag(t) for t in texts]
    got = {}

    def work(i):
        for _ in range(5):
            got[i] = tagger.tag(texts[i])

    threads = [threading.Thread(target=work, args=(i,)) for i in range(len(texts))]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert [got[i] for i in range(len(texts))] == expected


def test_tagging_lets_other_threads_run(tagger, tmp_path):
    # While one thread is inside a long tag_file() call, this thread keeps running: the
    # call holds no interpreter lock. Held, the lock would stop this loop for the whole call.
    source = tmp_path / "long.txt"
    source.write_text(SAMPLE * 30000)
    inside = threading.Event()
    finished = threading.Event()

    def work():
        inside.set()
        tagger.tag_file(source, tmp_path / "out.txt")
        finished.set()

    thread = threading.Thread(target=work)
    start = time.monotonic()
    thread.start()
    inside.wait()
    last, longest_pause = time.monotonic(), 0.0
    while not finished.is_set():
        now = time.monotonic()
        longest_pause = max(longest_pause, now - last)
        last = now
    thread.join()
    duration = time.monotonic() - start
    assert duration > 0.1, "the text is too short to tell"
    assert longest_pause < duration / 2


def test_pickles_as_its_options(lemma_tagger):
    copy = pickle.loads(pickle.dumps(lemma_tagger))
    assert copy.options == lemma_tagger.options
    assert copy.data_dir == lemma_tagger.data_dir
    assert repr(copy) == repr(lemma_tagger)
    assert quillon.Tagger(**lemma_tagger.options).tag(SAMPLE) == lemma_tagger.tag(SAMPLE)
    token = lemma_tagger.tag("Cats purr.")[0][0]
    assert pickle.loads(pickle.dumps(token)) == token
    assert type(pickle.loads(pickle.dumps(token))) is quillon.Token


def test_default_data_dir_is_the_build_trees():
    assert pathlib.Path(quillon.default_data_dir()) == (BIN_DIR / "Q_data").resolve()
    assert quillon.Tagger().data_dir == quillon.default_data_dir()


def test_help_documents_the_api():
    text = pydoc.render_doc(quillon.Tagger)
    for words in ["user_lexicon", "tag_tokens(", "tag_file(", "split", "Threads",
                  "ResourceError", "'modern'"]:
        assert words in text
    assert quillon.Token.__doc__ and quillon.ResourceError.__doc__
    assert quillon.__version__ == run_quillon("--version").stdout.decode().split()[1]


def test_stubs_name_what_the_module_has():
    stubs = ast.parse((pathlib.Path(quillon.__file__).parent / "_quillon.pyi").read_text())
    classes = {node.name: node for node in stubs.body if isinstance(node, ast.ClassDef)}
    functions = {node.name for node in stubs.body if isinstance(node, ast.FunctionDef)}
    public = {name for name in quillon.__all__ if name != "__version__"}
    assert public == set(classes) | functions
    methods = {node.name for node in classes["Tagger"].body if isinstance(node, ast.FunctionDef)}
    actual = {name for name in dir(quillon.Tagger) if not name.startswith("_")}
    assert methods - {"__init__"} == actual
    init = next(n for n in classes["Tagger"].body if getattr(n, "name", "") == "__init__")
    stub_names = [a.arg for a in init.args.args[1:] + init.args.kwonlyargs]
    assert stub_names == list(quillon.Tagger().options)
