// The docstrings of the module quillon._quillon, which help() shows. Kept apart from the
// binding code so that each reads on its own. Tested by python/tests/test_tagger.py (help).
#ifndef QUILLON_PYTHON_TAGGER_DOCS_H_
#define QUILLON_PYTHON_TAGGER_DOCS_H_

namespace quillon::docs {

inline constexpr char kModule[] =
    "English part-of-speech tagging with Penn Treebank tags (the engine of Quillon).";

inline constexpr char kToken[] =
    "One tagged token: the word as it stands in the text, its Penn Treebank tag and,\n"
    "when the Tagger was made with lemma=True, its lemma (None otherwise).\n"
    "A tuple: word, tag, lemma = token works too.";

inline constexpr char kFileCounts[] =
    "What Tagger.tag_file wrote: the number of sentences and of tokens, and the warnings\n"
    "(each also issued as a QuillonWarning).";

inline constexpr char kQuillonWarning[] =
    "Something tag_file worked around and went on: a line of a vertical or CoNLL-U input\n"
    "that could not be read, bytes a format could not hold. The text is the program's.";

inline constexpr char kQuillonError[] = "A failure of Quillon's own; str(error) is its text.";

inline constexpr char kResourceError[] =
    "A resource file (or the user lexicon) is missing or damaged. The message is the\n"
    "program's own text, the same that `quillon tag` prints for it (for example\n"
    "'ignore.datが見つかりません').";

inline constexpr char kDefaultDataDir[] =
    "The resource folder a Tagger reads when it is given no data_dir: the build tree's\n"
    "bin/Q_data for the module of a build tree, PREFIX/share/quillon/Q_data for an\n"
    "installed one.";

inline constexpr char kTagger[] =
    "A part-of-speech tagger with its resources loaded once.\n"
    "\n"
    "    >>> import quillon\n"
    "    >>> tagger = quillon.Tagger(lemma=True)\n"
    "    >>> tagger.tag('The cats sat.')\n"
    "    [[Token(word='The', tag='DT', lemma='the'), Token(word='cats', tag='NNS', "
    "lemma='cat'),\n"
    "      Token(word='sat', tag='VBD', lemma='sit'), Token(word='.', tag='.', lemma='.')]]\n"
    "\n"
    "The options are those of `quillon tag`, and a Tagger writes the same tags and bytes\n"
    "as the command given the same options. Loading takes a fraction of a second and tens\n"
    "of megabytes, so make a Tagger once and reuse it.\n"
    "\n"
    "Threads: tagging releases the interpreter lock. Calls on one Tagger run one at a\n"
    "time (it is safe to share, but then the threads take turns); give each thread its\n"
    "own Tagger to tag in parallel. A Tagger pickles as its options and loads its\n"
    "resources again where it is unpickled.";

inline constexpr char kInit[] =
    "Loads the resources.\n"
    "\n"
    "data_dir      resource folder (default: quillon.default_data_dir())\n"
    "lexicon       0 LEXICON.BROWN.AND.WSJ, 1 LEXICON.WSJ, 2 LEXICON.BROWN\n"
    "contextual    0 CONTEXTUALRULEFILE.WSJ, 1 ...BROWN, 2 ...WSJ.NOLEX\n"
    "tokenizer     'modern' (UTF-8 text cut as treebanks do), 'classic' (the rule-based\n"
    "              tokenizer of the window, byte for byte) or 'spaces' (cut at spaces only)\n"
    "lemma         give each token its lemma\n"
    "user_lexicon  a file of 'word TAB tag...' lines, most likely tag first: its words\n"
    "              take these tags in front of the lexicon (quillon tag --user-lexicon)\n"
    "separator     '_' or '/' between word and tag in the files tag_file writes\n"
    "multiword     tag_file appends multi-word marks instead of lemmas\n"
    "encoding      how tag_file reads 8-bit files: 'utf-8', 'windows-1252' or 'latin-1'\n"
    "              (default: bytes as they are; UTF-16 with a byte order mark is read anyway)\n"
    "\n"
    "Raises ResourceError, with the program's own message, when a resource file or the\n"
    "user lexicon is missing or damaged, and ValueError for an option out of range; a\n"
    "word the user lexicon lists twice is a QuillonWarning.";

inline constexpr char kTag[] =
    "Tags running text; returns a list of sentences, each a list of Token.\n"
    "\n"
    "Each line of text is one sentence (an empty line an empty list), as in the output\n"
    "files of `quillon tag`; with split=True the lines are joined and cut into sentences\n"
    "first (`quillon tag --split`). text is str or UTF-8 bytes; a NUL character ends\n"
    "it, as it ends a file for `quillon tag`.";

inline constexpr char kTagTokens[] =
    "Tags one sentence of words as they are given (no tokenizer); returns a list of Token.\n"
    "\n"
    "words is a list (any iterable) of non-empty str; use tag() for running text.";

inline constexpr char kTagFile[] =
    "Tags the file at path into out_path exactly as `quillon tag` writes an output file\n"
    "(the same bytes; text lines end in CR LF); returns FileCounts.\n"
    "\n"
    "format   'text' (word_TAG lines), 'tsv', 'conllu', 'json' (JSON Lines) or 'xml';\n"
    "         None: text, or tsv for input 'vertical', conllu for input 'conllu'\n"
    "input    'text' (running text), 'vertical' (one token a line, blank lines between\n"
    "         sentences) or 'conllu' (the FORM column, every other column kept)\n"
    "split    cut running text into sentences first\n"
    "\n"
    "The output goes to a temporary file beside out_path that replaces it only when all\n"
    "of it is written, so a failure never leaves a half-written out_path. Raises OSError,\n"
    "with the program's message, when path cannot be read or out_path cannot be written\n"
    "(its folder must exist).";

inline constexpr char kDataDir[] = "The resource folder this Tagger was loaded from.";

inline constexpr char kOptions[] =
    "The options this Tagger was made with, as a dict: Tagger(**tagger.options) makes\n"
    "another one like it.";

}  // namespace quillon::docs

#endif  // QUILLON_PYTHON_TAGGER_DOCS_H_
