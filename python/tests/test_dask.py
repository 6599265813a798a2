"""quillon.dask on a local cluster of two worker processes: the outputs are the bytes
`quillon tag` writes, a bad file fails alone, bags of texts tag as Tagger.tag does."""

import os
import pathlib
import subprocess
import sys

import pytest

distributed = pytest.importorskip(
    "distributed", reason="Dask's distributed scheduler is not installed (python3-distributed)"
)
dask_bag = pytest.importorskip("dask.bag", reason="dask.bag is not installed (python3-dask)")

import quillon  # noqa: E402
import quillon.dask  # noqa: E402
from conftest import MORE, SAMPLE, run_quillon  # noqa: E402


@pytest.fixture(scope="module")
def client():
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster:
        with distributed.Client(cluster) as client:
            yield client


def write_corpus(folder):
    """Files of several sizes, two of them with the same name in different folders."""
    paths = []
    for i in range(6):
        path = folder / ("b" if i == 5 else "a") / f"doc{min(i, 4)}.txt"
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text((SAMPLE + "\n".join(MORE[i:])) * (i * 7 + 1))
        paths.append(path)
    return paths


def cli_outputs(paths, folder, *switches):
    folder.mkdir()
    cli = run_quillon("tag", "-q", *switches, "-o", folder, *paths)
    assert cli.returncode == 0, cli.stderr.decode()
    return {p.name: p.read_bytes() for p in folder.iterdir()}


def test_outputs_are_the_bytes_of_the_command_line(client, tmp_path):
    paths = write_corpus(tmp_path / "in")
    expected = cli_outputs(paths, tmp_path / "cli", "--lemma", "--split")
    outcomes = quillon.dask.tag_files(paths, tmp_path / "out", client, lemma=True, split=True)
    assert [o.path for o in outcomes] == [str(p) for p in paths]
    assert all(o.ok for o in outcomes), outcomes
    got = {p.name: p.read_bytes() for p in (tmp_path / "out").iterdir()}
    assert got == expected
    assert "doc4_tag(2).txt" in got  # the second doc4.txt, numbered as the command does
    for outcome in outcomes:
        written = got[os.path.basename(outcome.output)]
        assert outcome.sentences == written.count(b"\r\n")
        assert outcome.tokens == len([w for w in written.replace(b"\r\n", b" ").split(b" ") if w])


def test_formats_name_and_write_outputs_as_the_command_does(client, tmp_path):
    paths = write_corpus(tmp_path / "in")[:2]
    conllu = tmp_path / "in" / "ud.conllu"
    conllu.write_bytes(b"1\tDogs\t_\t_\t_\t_\t_\t_\t_\t_\nbad\n2\tbark\t_\t_\t_\t_\t_\t_\t_\t_\n\n")
    expected = cli_outputs(paths, tmp_path / "cli", "--format", "conllu")
    outcomes = quillon.dask.tag_files(paths, tmp_path / "out", client, format="conllu")
    assert {p.name: p.read_bytes() for p in (tmp_path / "out").iterdir()} == expected
    assert sorted(expected) == ["doc0_tag.conllu", "doc1_tag.conllu"]
    assert all(o.ok and o.warnings == () for o in outcomes)

    [outcome] = quillon.dask.tag_files([conllu], tmp_path / "ud", client, input="conllu")
    cli = run_quillon("tag", "-q", "--input", "conllu", "-o", tmp_path, conllu)
    assert outcome.ok and list(outcome.warnings) == cli.stderr.decode().splitlines()
    assert outcome.warnings and outcome.output.endswith("ud_tag.conllu")
    expected = (tmp_path / "ud_tag.conllu").read_bytes()
    assert (tmp_path / "ud" / "ud_tag.conllu").read_bytes() == expected


def test_a_bad_file_fails_alone(client, tmp_path):
    good = write_corpus(tmp_path / "in")[:3]
    missing = tmp_path / "in" / "missing.txt"
    folder = tmp_path / "in" / "a"  # a folder where a file should be
    paths = [good[0], missing, good[1], folder, good[2]]
    outcomes = quillon.dask.tag_files(paths, tmp_path / "out", client)
    assert [o.ok for o in outcomes] == [True, False, True, False, True]
    for bad in (missing, folder):
        outcome = outcomes[paths.index(bad)]
        cli = run_quillon("tag", "-q", "-o", tmp_path, bad)
        assert cli.returncode == 1
        # The command line adds its batch summary after the file's own message.
        assert cli.stderr.decode().splitlines()[0] == outcome.error
        assert not os.path.exists(outcome.output)
    expected = cli_outputs(good, tmp_path / "cli")
    assert {p.name: p.read_bytes() for p in (tmp_path / "out").iterdir()} == expected


def test_missing_resources_fail_every_file_with_their_message(client, tmp_path):
    paths = write_corpus(tmp_path / "in")[:2]
    outcomes = quillon.dask.tag_files(paths, tmp_path / "out", client,
                                      data_dir=tmp_path / "no-data")
    assert [o.error for o in outcomes] == ["ignore.datが見つかりません"] * 2


def test_options_are_checked_before_any_task(client, tmp_path):
    with pytest.raises(ValueError, match="lexicon must be 0, 1 or 2"):
        quillon.dask.tag_files([tmp_path / "x.txt"], tmp_path, client, lexicon=7)
    with pytest.raises(TypeError, match="unknown Tagger option 'lemmas'"):
        quillon.dask.tag_bag(dask_bag.from_sequence(["x"]), lemmas=True)


def test_a_bag_of_texts_tags_as_tagger_tag(client, lemma_tagger):
    texts = [SAMPLE, *MORE, "", "Dogs bark. Cats purr."]
    bag = dask_bag.from_sequence(texts, npartitions=3)
    tagged = quillon.dask.tag_bag(bag, lemma=True, split=True).compute()
    assert tagged == [lemma_tagger.tag(text, split=True) for text in texts]


def test_command_tags_on_a_running_scheduler(client, tmp_path):
    paths = write_corpus(tmp_path / "in")[:3]
    expected = cli_outputs(paths, tmp_path / "cli", "--tokenizer", "classic")
    command = [sys.executable, "-m", "quillon.dask", client.scheduler.address,
               *map(str, paths), "-o", str(tmp_path / "out"), "--tokenizer", "classic"]
    done = subprocess.run(command, capture_output=True, text=True, timeout=120)
    assert done.returncode == 0, done.stderr
    assert done.stderr.startswith("3 of 3 files written, ")
    assert {p.name: p.read_bytes() for p in (tmp_path / "out").iterdir()} == expected

    done = subprocess.run(command + [str(tmp_path / "missing.txt"), "-q"], capture_output=True,
                          text=True, timeout=120)
    assert done.returncode == 1
    assert done.stderr == f'{tmp_path}/missing.txt: Cannot open file "{tmp_path}/missing.txt". ' \
        "No such file or directory\n"


def test_script_starts_a_local_cluster(tmp_path):
    # The installed script, run as a program: its local cluster's worker processes import
    # it again, which must not start another run.
    script = pathlib.Path(quillon.__file__).parent.parent / "quillon-dask"
    source = tmp_path / "a.txt"
    source.write_text(SAMPLE)
    done = subprocess.run([sys.executable, str(script), "local:2", str(source), "-o",
                           str(tmp_path / "out"), "-q"], capture_output=True, text=True,
                          timeout=120)
    assert done.returncode == 0, done.stderr
    assert (tmp_path / "out" / "a_tag.txt").read_bytes() == cli_outputs(
        [source], tmp_path / "cli")["a_tag.txt"]
