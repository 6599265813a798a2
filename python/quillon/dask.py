"""Tagging corpora on a Dask cluster: many files, or a bag of texts, over many machines.

    >>> from dask.distributed import Client
    >>> import quillon.dask
    >>> client = Client("tcp://scheduler:8786")
    >>> outcomes = quillon.dask.tag_files(paths, "tagged/", client=client, lemma=True)
    >>> [o for o in outcomes if not o.ok]          # the files that failed, with their message

tag_files writes each output exactly as `quillon tag -o DIR` names and writes it (the same
bytes, through a temporary file renamed into place). A file that cannot be read or
written fails alone; the others go on. tag_bag tags a dask.bag of texts.

Each worker process loads the resource files once for each set of Tagger options it
meets and keeps them for its later tasks (about 50 MB each, more with lemma=True). A
worker thread tags with a Tagger of its own, so a worker of N threads holds up to N of
them: start workers with --nthreads 1 and as many processes as cores (--nworkers).

The same from a shell, with the options of `quillon tag`:

    python3 -m quillon.dask tcp://scheduler:8786 corpus/*.txt -o tagged/ --lemma
"""

from __future__ import annotations

import argparse
import contextlib
import dataclasses
import os
import sys
import threading
import time
from typing import Any, Iterable, Iterator, Optional, Union

import quillon
from quillon import _quillon

try:
    import distributed
except ImportError as error:  # pragma: no cover - depends on the installed packages
    raise ImportError(
        "quillon.dask needs Dask's distributed scheduler (Debian: python3-distributed)"
    ) from error

_Path = Union[str, "os.PathLike[str]"]

__all__ = ["FileOutcome", "tag_files", "tag_bag", "main"]


@dataclasses.dataclass(frozen=True)
class FileOutcome:
    """What became of one input file of tag_files."""

    path: str  # the input, as given
    output: str  # where its output goes
    sentences: int = 0  # sentences written
    tokens: int = 0  # tokens written
    error: Optional[str] = None  # why it failed (the program's message), or None
    warnings: tuple[str, ...] = ()  # what was worked around (bad input lines, replaced bytes)

    @property
    def ok(self) -> bool:
        """The output was written."""
        return self.error is None


# --- On the workers -------------------------------------------------------------------

# Taggers not in use, by their options. Each task takes one (or loads a new one when all
# are busy, that is when the worker runs several tasks at once) and gives it back, so a
# process loads each set of options as often as it has threads, once in all.
_idle_taggers: dict[tuple, list[quillon.Tagger]] = {}
_idle_lock = threading.Lock()


@contextlib.contextmanager
def _tagger(options: dict[str, Any]) -> Iterator[quillon.Tagger]:
    key = tuple(sorted(options.items()))
    with _idle_lock:
        idle = _idle_taggers.setdefault(key, [])
        tagger = idle.pop() if idle else None
    if tagger is None:
        tagger = quillon.Tagger(**options)  # loads without holding the lock
    try:
        yield tagger
    finally:
        with _idle_lock:
            _idle_taggers[key].append(tagger)


def _tag_file(path: str, output: str, options: dict[str, Any], formats: dict[str, Any]):
    """One task of tag_files: tags path into output, and reports how it went."""
    try:
        folder = os.path.dirname(output)
        if folder:
            os.makedirs(folder, exist_ok=True)
        with _tagger(options) as tagger:
            # The warnings go into the outcome rather than the worker's log.
            counts = tagger._tag_file_quietly(path, output, **formats)
    except (OSError, quillon.QuillonError) as error:
        return FileOutcome(path, output, error=str(error))
    return FileOutcome(path, output, counts.sentences, counts.tokens, warnings=counts.warnings)


def _tag_texts(texts: Iterable[Union[str, bytes]], options: dict[str, Any], split: bool):
    """One partition of tag_bag."""
    with _tagger(options) as tagger:
        return [tagger.tag(text, split=split) for text in texts]


# --- On the client --------------------------------------------------------------------


def _checked_options(options: dict[str, Any]) -> dict[str, Any]:
    """The Tagger options with paths as str, checked here rather than once per task."""
    plain = {k: os.fspath(v) if isinstance(v, os.PathLike) else v for k, v in options.items()}
    _quillon._check_options(plain)
    return plain


@contextlib.contextmanager
def _client_for(client: Optional[distributed.Client]) -> Iterator[distributed.Client]:
    """client, or else the default client, or else a local cluster for this call alone."""
    if client is None:
        try:
            client = distributed.get_client()
        except ValueError:
            client = None
    if client is not None:
        yield client
        return
    with distributed.LocalCluster(threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster:
        with distributed.Client(cluster) as local:
            yield local


def tag_files(
    paths: Iterable[_Path],
    out_dir: Optional[_Path],
    client: Optional[distributed.Client] = None,
    *,
    format: Optional[str] = None,
    input: str = "text",
    split: bool = False,
    **tagger_options: Any,
) -> list[FileOutcome]:
    """Tags files on the workers of client; returns a FileOutcome per file, in input order.

    Outputs are named as `quillon tag -o out_dir` names them (NAME_tag.txt, .conllu, ...;
    a second input with the same name gets a numbered one), or put in a Tagged folder
    beside each input when out_dir is None; out_dir is made when it is missing. The
    workers must see the paths (a shared file system). tagger_options are those of
    quillon.Tagger; format, input and split those of Tagger.tag_file. client None: the
    default client, or else a local cluster of one process per core for this call. A file
    that cannot be read or written fails alone with its message in FileOutcome.error, and
    so does one whose worker died; FileOutcome.warnings holds what was worked around.
    """
    paths = [os.fspath(p) for p in paths]
    options = _checked_options(tagger_options)
    formats = {"format": format, "input": input, "split": split}
    _quillon._check_formats(**formats)
    outputs = _quillon._output_paths(paths, None if out_dir is None else os.fspath(out_dir),
                                     format, input)
    outcomes: list[Optional[FileOutcome]] = [None] * len(paths)
    with _client_for(client) as active:
        futures = active.map(_tag_file, paths, outputs, options=options, formats=formats,
                             pure=False)
        index = {future.key: i for i, future in enumerate(futures)}
        for future in distributed.as_completed(futures):
            i = index[future.key]
            if future.status == "error":
                error = future.exception()
                outcomes[i] = FileOutcome(paths[i], outputs[i],
                                          error=f"{type(error).__name__}: {error}")
            else:
                outcomes[i] = future.result()
            future.release()
    return outcomes  # type: ignore[return-value]


def tag_bag(bag, *, split: bool = False, **tagger_options: Any):
    """Tags a dask.bag of texts (str or bytes); returns a bag of their tagged sentences.

    Each element becomes what Tagger.tag gives for it: a list of sentences, each a list of
    quillon.Token. tagger_options are those of quillon.Tagger; each worker loads them once.
    """
    options = _checked_options(tagger_options)
    return bag.map_partitions(_tag_texts, options=options, split=split)


# --- The command ----------------------------------------------------------------------


def _arguments(argv: Optional[list[str]]) -> argparse.Namespace:
    parser = argparse.ArgumentParser(
        prog="quillon-dask",
        description="Tag text files on a Dask cluster, as `quillon tag -o DIR` tags them.",
        epilog="SCHEDULER is the address of a running `dask scheduler` (tcp://host:8786), or "
        "'local' or 'local:N' for a cluster of this machine's cores or of N processes.",
    )
    parser.add_argument("scheduler", metavar="SCHEDULER")
    parser.add_argument("files", metavar="FILE", nargs="+")
    parser.add_argument("-o", "--output-dir", metavar="DIR",
                        help="write the outputs into DIR (default: Tagged/ beside each input)")
    parser.add_argument("-d", "--data", metavar="DIR",
                        help="resource folder on the workers (default: the installed one)")
    parser.add_argument("--user-lexicon", metavar="FILE",
                        help="lines 'word TAB tag...' ahead of the lexicon (on the workers)")
    parser.add_argument("-l", "--lexicon", type=int, default=0, choices=[0, 1, 2])
    parser.add_argument("-c", "--contextual", type=int, default=0, choices=[0, 1, 2])
    parser.add_argument("-s", "--separator", default="_", choices=["_", "/"])
    parser.add_argument("--split", action="store_true", help="split into sentences first")
    parser.add_argument("--tokenizer", default="modern", choices=["modern", "classic", "spaces"])
    parser.add_argument("--lemma", action="store_true", help="append lemmas")
    parser.add_argument("--multiword", action="store_true", help="append multi-word marks")
    parser.add_argument("--encoding", choices=["utf-8", "windows-1252", "latin-1"])
    parser.add_argument("--format", choices=["text", "tsv", "conllu", "json", "xml"],
                        help="output format (default: text; tsv for --input vertical, "
                        "conllu for --input conllu)")
    parser.add_argument("--input", default="text", choices=["text", "vertical", "conllu"],
                        help="running text (default), one token a line, or CoNLL-U")
    parser.add_argument("-q", "--quiet", action="store_true", help="print failures only")
    return parser.parse_intermixed_args(argv)


@contextlib.contextmanager
def _connect(scheduler: str) -> Iterator[distributed.Client]:
    if scheduler == "local" or scheduler.startswith("local:"):
        workers = int(scheduler[6:]) if scheduler.startswith("local:") else None
        with distributed.LocalCluster(n_workers=workers, threads_per_worker=1, processes=True,
                                      dashboard_address=None) as cluster:
            with distributed.Client(cluster) as client:
                yield client
    else:
        with distributed.Client(scheduler) as client:
            yield client


def main(argv: Optional[list[str]] = None) -> int:
    """quillon-dask SCHEDULER FILE... [-o DIR] [options]; returns the exit status: 0 when
    every output was written, 1 when one was not or the cluster could not be reached."""
    args = _arguments(argv)
    options = {"lexicon": args.lexicon, "contextual": args.contextual,
               "tokenizer": args.tokenizer, "lemma": args.lemma, "separator": args.separator,
               "multiword": args.multiword, "encoding": args.encoding}
    if args.data:
        options["data_dir"] = args.data
    if args.user_lexicon:
        options["user_lexicon"] = args.user_lexicon
    start = time.monotonic()
    try:
        with _connect(args.scheduler) as client:
            outcomes = tag_files(args.files, args.output_dir, client, format=args.format,
                                 input=args.input, split=args.split, **options)
    except (OSError, ValueError) as error:  # no scheduler there, a bad address
        print(f"quillon-dask: cannot use the scheduler {args.scheduler}: {error}",
              file=sys.stderr)
        return 1
    seconds = time.monotonic() - start
    for outcome in outcomes:
        for warning in outcome.warnings:
            print(warning, file=sys.stderr)
        if not outcome.ok:
            print(f"{outcome.path}: {outcome.error}", file=sys.stderr)
    written = [o for o in outcomes if o.ok]
    if not args.quiet:
        tokens = sum(o.tokens for o in written)
        print(f"{len(written)} of {len(outcomes)} files written, "
              f"{sum(o.sentences for o in written)} sentences, {tokens} tokens in "
              f"{seconds:.1f} s ({tokens / max(seconds, 1e-9):,.0f} tokens/s)", file=sys.stderr)
    return 0 if len(written) == len(outcomes) else 1


if __name__ == "__main__":
    # Run through the module's own name, so that the workers find the task functions
    # (and their cache of taggers) by import instead of receiving copies of __main__.
    from quillon.dask import main as _main

    sys.exit(_main())
