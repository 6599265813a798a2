// The texts that a run shows to its user, word for word. Front ends show them as they
// stand (a message box in the window, one line of standard error on the command line);
// tests compare against these constants. The Japanese texts are UTF-8 here.
#ifndef QUILLON_CORE_MESSAGES_H_
#define QUILLON_CORE_MESSAGES_H_

namespace quillon::messages {

inline constexpr char kNoInputFiles[] = "Please select one or more files.";
inline constexpr char kStatusProcessing[] = "Processing Time";
inline constexpr char kStatusSorting[] = "Sorting...";
inline constexpr char kStatusDone[] = "Done!";
inline constexpr char kSplitting[] = "Now Segmenting the Text into Sentences ...";

// Missing resource files, in the order a run checks them.
inline constexpr char kMissingIgnore[] = "ignore.datが見つかりません";
inline constexpr char kMissingLexicon0[] = "Can't open LEXICON.BROWN.AND.WSJ.";
inline constexpr char kMissingLexicon1[] = "Can't open LEXICON.WSJ";
inline constexpr char kMissingLexicon2[] = "Can't open LEXICON.BROWN.";
inline constexpr char kMissingLexicalRules[] = "LEXICALRULEFILE.WSJが見つかりません";
inline constexpr char kMissingTagset[] = "tagsetが見つかりません";
inline constexpr char kMissingContextual0[] = "CONTEXTUALRULEFILE.WSJが見つかりません";
inline constexpr char kMissingContextual1[] = "CONTEXTUALRULEFILE.BROWNが見つかりません";
inline constexpr char kMissingContextual2[] = "CONTEXTUALRULEFILE.WSJ.NOLEXが見つかりません";
inline constexpr char kMissingMultiword[] = "Multiword.datが見つかりません";
// The lemma list message has three lines joined by LF CR; the last says where the list
// that ships with the program can be found again.
inline constexpr char kMissingLemmaList[] =
    "Can't open \"e_lemma.txt\".\n\r"
    "Please download it from \"Orlanthe's Homepage\".\n\r"
    "A copy is in the Q_data folder of the Quillon source release (Q_data/e_lemma.txt).";
inline constexpr char kBadLemmaList[] = "The format of the lemma list is invalid.";
inline constexpr char kNoLexicon[] = "No lexicon is selected.";
// A contextual rule setting outside 0..2 names no file either, and ends the run the same way
// instead of tagging without any contextual rules.
inline constexpr char kNoContextualRules[] = "No contextual rule file is selected.";
inline constexpr char kBadLexicon[] = "LEXICONファイルに不具合がある可能性があります!";

// Output files that cannot be written.
inline constexpr char kCannotCreateDirectory[] = "ディレクトリを作成できません";
inline constexpr char kDirectoryNotFound[] = "ディレクトリが見つかりません！";

// The elapsed-time status: prefix, number, suffix (the spaces are U+3000).
inline constexpr char kElapsedPrefix[] = "Processing Time　";
inline constexpr char kElapsedSuffix[] = "　秒";

}  // namespace quillon::messages

#endif  // QUILLON_CORE_MESSAGES_H_
