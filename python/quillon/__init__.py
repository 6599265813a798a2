"""Quillon: English part-of-speech tagging with Penn Treebank tags.

    >>> import quillon
    >>> tagger = quillon.Tagger()
    >>> tagger.tag("The cat sat.")
    [[Token(word='The', tag='DT', lemma=None), Token(word='cat', tag='NN', lemma=None), ...]]

Tagger loads the resource files once and then tags running text (tag), words that are
already cut (tag_tokens) and whole files (tag_file), with the same results as the
`quillon tag` command. quillon.dask tags many files on a Dask cluster.
"""

from quillon._quillon import (
    FileCounts,
    QuillonError,
    QuillonWarning,
    ResourceError,
    Tagger,
    Token,
    __version__,
    default_data_dir,
)

__all__ = [
    "FileCounts",
    "QuillonError",
    "QuillonWarning",
    "ResourceError",
    "Tagger",
    "Token",
    "__version__",
    "default_data_dir",
]
