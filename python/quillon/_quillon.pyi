# Type stubs of the extension module quillon._quillon (built from python/module.cc).
import os
from typing import Iterable, Literal, NamedTuple, Optional, Union

_Path = Union[str, bytes, os.PathLike[str], os.PathLike[bytes]]
_OutputFormat = Literal["text", "tsv", "conllu", "json", "xml"]
_InputFormat = Literal["text", "vertical", "conllu"]

__version__: str

class Token(NamedTuple):
    """One tagged token: word as in the text, its tag, its lemma (lemma=True) or None."""
    word: str
    tag: str
    lemma: Optional[str]

class FileCounts(NamedTuple):
    """What Tagger.tag_file wrote: sentences, tokens, and the warnings it issued."""
    sentences: int
    tokens: int
    warnings: tuple[str, ...]

class QuillonError(Exception):
    """A failure of Quillon's own; str(error) is its text."""

class ResourceError(QuillonError):
    """A resource file is missing or damaged; the message is the program's own text."""

class QuillonWarning(UserWarning):
    """Something tag_file worked around and went on (a bad input line, replaced bytes)."""

def default_data_dir() -> str:
    """The resource folder a Tagger reads when it is given no data_dir."""

class Tagger:
    """A part-of-speech tagger with its resources loaded once (see help(quillon.Tagger))."""

    def __init__(
        self,
        data_dir: Optional[_Path] = None,
        lexicon: int = 0,
        contextual: int = 0,
        tokenizer: Literal["modern", "classic", "spaces"] = "modern",
        lemma: bool = False,
        user_lexicon: Optional[_Path] = None,
        *,
        separator: Literal["_", "/"] = "_",
        multiword: bool = False,
        encoding: Optional[Literal["utf-8", "windows-1252", "latin-1"]] = None,
    ) -> None: ...
    def tag(self, text: Union[str, bytes], split: bool = False) -> list[list[Token]]:
        """Tags running text: one list of Token per line (per sentence with split=True)."""
    def tag_tokens(self, words: Iterable[Union[str, bytes]]) -> list[Token]:
        """Tags one sentence of words as they are given."""
    def tag_file(
        self,
        path: _Path,
        out_path: _Path,
        format: Optional[_OutputFormat] = None,
        *,
        input: _InputFormat = "text",
        split: bool = False,
    ) -> FileCounts:
        """Tags a file into out_path as `quillon tag` writes it (atomic rename)."""
    @property
    def data_dir(self) -> str:
        """The resource folder this Tagger was loaded from."""
    @property
    def options(self) -> dict[str, object]:
        """The options this Tagger was made with: Tagger(**tagger.options) makes another."""
