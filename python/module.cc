// The extension module quillon._quillon: the Tagger class over LoadedTagger, the result
// types Token and FileCounts, and the exceptions. Text crosses as UTF-8; bytes that are not
// UTF-8 come back as lone surrogates (Python's "surrogateescape"), so nothing read from a
// file is refused or lost. Loading and tagging run without the interpreter lock, so threads
// with a Tagger each tag in parallel. The package's __init__.py re-exports all of it.
// Tested by python/tests/test_tagger.py.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <filesystem>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "core/formats.h"
#include "core/output_file.h"
#include "core/version.h"
#include "python/loaded_tagger.h"
#include "python/package_data_dir.h"
#include "python/tagger_docs.h"
#include "python/tagger_options.h"

namespace py = pybind11;

namespace quillon {

// The UTF-8 bytes of a str (lone surrogates back to the bytes they stand for), or a bytes
// object as it is; none for anything else.
std::optional<py::bytes> Utf8Bytes(py::handle value) {
  if (PyBytes_Check(value.ptr())) return py::reinterpret_borrow<py::bytes>(value);
  if (!PyUnicode_Check(value.ptr())) return std::nullopt;
  PyObject* bytes = PyUnicode_AsEncodedString(value.ptr(), "utf-8", "surrogateescape");
  if (bytes == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::bytes>(bytes);
}

// A text argument, str or bytes, as its UTF-8 bytes.
struct TextArgument {
  py::bytes bytes;
};

}  // namespace quillon

// Takes str or bytes for a TextArgument, and says so in the signatures help() shows.
template <>
struct pybind11::detail::type_caster<quillon::TextArgument> {
  PYBIND11_TYPE_CASTER(quillon::TextArgument, const_name("Union[str, bytes]"));
  bool load(handle source, bool) {
    std::optional<py::bytes> bytes = quillon::Utf8Bytes(source);
    if (!bytes) return false;
    value.bytes = std::move(*bytes);
    return true;
  }
};

// Results built here as Python objects, under the names of their types in the stubs, so
// that help() shows them.
#define QUILLON_NAMED_RESULT(Type, name)                                    \
  namespace quillon {                                                       \
  struct Type {                                                             \
    py::object value;                                                       \
  };                                                                        \
  }                                                                         \
  template <>                                                               \
  struct pybind11::detail::type_caster<quillon::Type> {                     \
    PYBIND11_TYPE_CASTER(quillon::Type, const_name(name));                  \
    static handle cast(quillon::Type result, return_value_policy, handle) { \
      return result.value.release();                                        \
    }                                                                       \
  };
QUILLON_NAMED_RESULT(Sentences, "list[list[Token]]")
QUILLON_NAMED_RESULT(Tokens, "list[Token]")
QUILLON_NAMED_RESULT(Counts, "FileCounts")
#undef QUILLON_NAMED_RESULT

namespace quillon {
namespace {

PyTypeObject* token_type = nullptr;
PyTypeObject* counts_type = nullptr;
PyObject* quillon_error = nullptr;
PyObject* resource_error = nullptr;
PyObject* quillon_warning = nullptr;

[[noreturn]] void Raise(PyObject* type, const std::string& text) {
  PyErr_SetString(type, text.c_str());
  throw py::error_already_set();
}

// Issues a QuillonWarning with text.
void Warn(const std::string& text) {
  if (PyErr_WarnEx(quillon_warning, text.c_str(), 1) < 0) throw py::error_already_set();
}

// A message of the program as a one-line-per-line text: the lemma list's message joins
// its lines by LF CR for a message box, which in an exception (as on the command line)
// become plain line ends.
std::string MessageText(std::string_view text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    plain += text[i];
    if (text[i] == '\n' && i + 1 < text.size() && text[i + 1] == '\r') ++i;
  }
  return plain;
}

std::string_view View(const py::bytes& bytes) {
  return std::string_view(PyBytes_AS_STRING(bytes.ptr()),
                          static_cast<size_t>(PyBytes_GET_SIZE(bytes.ptr())));
}

py::object Text(std::string_view bytes) {
  PyObject* text =
      PyUnicode_DecodeUTF8(bytes.data(), static_cast<Py_ssize_t>(bytes.size()), "surrogateescape");
  if (text == nullptr) throw py::error_already_set();
  return py::reinterpret_steal<py::object>(text);
}

using OptionalPath = std::optional<std::filesystem::path>;

std::optional<std::string> PathText(const OptionalPath& path) {
  if (!path) return std::nullopt;
  return path->string();
}

py::object OptionalText(const std::optional<std::string>& value) {
  return value ? Text(*value) : py::none();
}

py::object NewStruct(PyTypeObject* type, std::initializer_list<py::object> items) {
  PyObject* value = PyStructSequence_New(type);
  if (value == nullptr) throw py::error_already_set();
  Py_ssize_t i = 0;
  for (const py::object& item : items) PyStructSequence_SetItem(value, i++, item.inc_ref().ptr());
  return py::reinterpret_steal<py::object>(value);
}

// The tagged sentences as lists of Token. Tag names are made into str once each.
py::list SentenceLists(const TaggedText& text) {
  std::unordered_map<const char*, py::object> tags;
  py::list sentences(text.sentence_ends.size());
  size_t i = 0;
  for (size_t s = 0; s < text.sentence_ends.size(); ++s) {
    py::list tokens(text.sentence_ends[s] - i);
    for (size_t t = 0; i < text.sentence_ends[s]; ++i, ++t) {
      py::object& tag = tags[text.tags[i].data()];
      if (!tag) tag = Text(text.tags[i]);
      const py::object lemma = text.lemmas.empty() ? py::none() : Text(text.View(text.lemmas[i]));
      tokens[t] = NewStruct(token_type, {Text(text.View(text.words[i])), tag, lemma});
    }
    sentences[s] = std::move(tokens);
  }
  return sentences;
}

// A Tagger of the module: its options as given, and the loaded tagger.
struct PythonTagger {
  TaggerOptionValues options;
  std::string data_dir;
  std::unique_ptr<LoadedTagger> loaded;
};

std::unique_ptr<PythonTagger> NewTagger(const TaggerOptionValues& options) {
  const RunSettings settings = SettingsFromOptions(options);
  auto tagger = std::make_unique<PythonTagger>();
  tagger->options = options;
  tagger->data_dir = options.data_dir ? *options.data_dir : PackageDataDir();
  LoadFailure failure;
  std::vector<std::string> warnings;
  {
    py::gil_scoped_release release;
    tagger->loaded = LoadedTagger::Load(settings, tagger->data_dir, &failure, &warnings);
  }
  if (!tagger->loaded) Raise(resource_error, MessageText(failure.text));
  for (const std::string& warning : warnings) Warn(warning);
  return tagger;
}

py::dict OptionsDict(const TaggerOptionValues& o) {
  py::dict d;
  d["data_dir"] = OptionalText(o.data_dir);
  d["lexicon"] = o.lexicon;
  d["contextual"] = o.contextual;
  d["tokenizer"] = o.tokenizer;
  d["lemma"] = o.lemma;
  d["user_lexicon"] = OptionalText(o.user_lexicon);
  d["separator"] = o.separator;
  d["multiword"] = o.multiword;
  d["encoding"] = o.encoding ? py::object(py::str(*o.encoding)) : py::none();
  return d;
}

// Options from a dict with some or all of the keys of OptionsDict; the others keep their
// defaults. An unknown key is a TypeError, as it is for a keyword argument.
TaggerOptionValues OptionsFromDict(const py::dict& d) {
  TaggerOptionValues o;
  for (const auto& [key, value] : d) {
    const std::string name = key.cast<std::string>();
    if (name == "data_dir") {
      o.data_dir = PathText(value.cast<OptionalPath>());
    } else if (name == "lexicon") {
      o.lexicon = value.cast<int>();
    } else if (name == "contextual") {
      o.contextual = value.cast<int>();
    } else if (name == "tokenizer") {
      o.tokenizer = value.cast<std::string>();
    } else if (name == "lemma") {
      o.lemma = value.cast<bool>();
    } else if (name == "user_lexicon") {
      o.user_lexicon = PathText(value.cast<OptionalPath>());
    } else if (name == "separator") {
      o.separator = value.cast<std::string>();
    } else if (name == "multiword") {
      o.multiword = value.cast<bool>();
    } else if (name == "encoding") {
      o.encoding = value.cast<std::optional<std::string>>();
    } else {
      throw py::type_error("unknown Tagger option '" + name + "'");
    }
  }
  return o;
}

Sentences Tag(PythonTagger& self, const TextArgument& text, bool split) {
  const py::bytes& bytes = text.bytes;
  TaggedText tagged;
  std::string error;
  bool ok;
  {
    py::gil_scoped_release release;
    ok = self.loaded->TagText(View(bytes), split, &tagged, &error);
  }
  if (!ok) Raise(quillon_error, error);
  return {SentenceLists(tagged)};
}

Tokens TagTokens(PythonTagger& self, const py::iterable& words) {
  if (PyUnicode_Check(words.ptr()) || PyBytes_Check(words.ptr())) {
    throw py::type_error("tag_tokens takes a list of words, not one string; tag() cuts text");
  }
  std::string arena;
  std::vector<size_t> ends;
  for (py::handle word : words) {
    const std::optional<py::bytes> bytes = Utf8Bytes(word);
    if (!bytes) {
      throw py::type_error("word " + std::to_string(ends.size()) + " is a " +
                           Py_TYPE(word.ptr())->tp_name + ", not str or bytes");
    }
    if (View(*bytes).empty()) {
      throw py::value_error("word " + std::to_string(ends.size()) + " is empty");
    }
    arena.append(View(*bytes));
    ends.push_back(arena.size());
  }
  std::vector<std::string_view> views;
  for (size_t i = 0, begin = 0; i < ends.size(); begin = ends[i++]) {
    views.push_back(std::string_view(arena).substr(begin, ends[i] - begin));
  }
  TaggedText tagged;
  {
    py::gil_scoped_release release;
    self.loaded->TagWords(views, &tagged);
  }
  return {SentenceLists(tagged)[0]};
}

// The formats of a file from their names; format none: what `quillon tag` writes for the
// input format. ValueError for a name it does not know, or split with a cut input.
FileFormats Formats(const std::optional<std::string>& format, const std::string& input,
                    bool split) {
  FileFormats formats;
  formats.split = split;
  if (const std::optional<InputFormat> parsed = ParseInputFormat(input)) {
    formats.input = *parsed;
  } else {
    throw py::value_error("input must be 'text', 'vertical' or 'conllu', not '" + input + "'");
  }
  formats.output = DefaultOutputFormat(formats.input);
  if (format) {
    const std::optional<OutputFormat> parsed = ParseOutputFormat(*format);
    if (!parsed) {
      std::string names;
      for (const OutputFormat known : kOutputFormats) {
        names += (names.empty() ? "'" : ", '") + std::string(FormatName(known)) + "'";
      }
      throw py::value_error("format must be one of " + names + ", not '" + *format + "'");
    }
    formats.output = *parsed;
  }
  if (split && formats.input != InputFormat::kText) {
    throw py::value_error("split cuts running text; input '" + input + "' is cut already");
  }
  return formats;
}

// tag_file, and with warn false its quiet twin for quillon.dask, which hands the warnings
// back in the file's outcome instead (the warnings module is not made for threads).
template <bool warn>
Counts TagFile(PythonTagger& self, const std::filesystem::path& path,
               const std::filesystem::path& out_path, const std::optional<std::string>& format,
               const std::string& input, bool split) {
  const FileFormats formats = Formats(format, input, split);
  FileCounts counts;
  Status status;
  {
    py::gil_scoped_release release;
    status = self.loaded->TagFile(path.string(), out_path.string(), formats, &counts);
  }
  if (!status.ok()) Raise(PyExc_OSError, status.message());
  py::tuple warnings(counts.warnings.size());
  for (size_t i = 0; i < counts.warnings.size(); ++i) {
    warnings[i] = Text(counts.warnings[i]);
    if (warn) Warn(counts.warnings[i]);
  }
  return {NewStruct(counts_type, {py::int_(counts.sentences), py::int_(counts.tokens), warnings})};
}

std::string Repr(const PythonTagger& self) {
  const TaggerOptionValues& o = self.options;
  std::string text = "quillon.Tagger(data_dir=" + py::repr(Text(self.data_dir)).cast<std::string>();
  text += ", lexicon=" + std::to_string(o.lexicon);
  text += ", contextual=" + std::to_string(o.contextual);
  text += ", tokenizer='" + o.tokenizer + "'";
  text += std::string(", lemma=") + (o.lemma ? "True" : "False");
  if (o.user_lexicon)
    text += ", user_lexicon=" + py::repr(Text(*o.user_lexicon)).cast<std::string>();
  if (o.separator != "_") text += ", separator='" + o.separator + "'";
  if (o.multiword) text += ", multiword=True";
  if (o.encoding) text += ", encoding='" + *o.encoding + "'";
  return text + ")";
}

// The output path of each input as `quillon tag` names them in one run: NAME_tag.txt in
// out_dir (none: a Tagged folder beside the input), a numbered name for a path that an
// earlier input of the list already took.
std::vector<std::string> OutputPaths(const std::vector<std::filesystem::path>& inputs,
                                     const OptionalPath& out_dir,
                                     const std::optional<std::string>& format,
                                     const std::string& input) {
  const std::string_view extension = FormatExtension(Formats(format, input, false).output);
  RunSettings settings;
  settings.RadioGroup1 = out_dir ? 1 : 0;
  if (out_dir) settings.destination_folder = out_dir->string();
  OutputPathRegistry registry;
  std::vector<std::string> paths;
  for (const std::filesystem::path& input : inputs) {
    const std::string name = input.string();
    paths.push_back(
        registry.Claim(JoinPath(OutputFolder(settings, name), OutputFileName(name, extension))));
  }
  return paths;
}

PyTypeObject* NewStructType(const char* name, const char* doc, PyStructSequence_Field* fields,
                            int count) {
  PyStructSequence_Desc desc{name, doc, fields, count};
  PyTypeObject* type = PyStructSequence_NewType(&desc);
  if (type == nullptr) throw py::error_already_set();
  return type;
}

PyObject* NewException(py::module_& m, const char* name, const char* doc, PyObject* base) {
  PyObject* type =
      PyErr_NewExceptionWithDoc((std::string("quillon.") + name).c_str(), doc, base, nullptr);
  if (type == nullptr) throw py::error_already_set();
  m.add_object(name, py::handle(type));
  return type;
}

void AddTypes(py::module_& m) {
  static PyStructSequence_Field token_fields[] = {
      {"word", "the token as it stands in the text"},
      {"tag", "its part-of-speech tag"},
      {"lemma", "its lemma (lemma=True), otherwise None"},
      {nullptr, nullptr}};
  token_type = NewStructType("quillon.Token", docs::kToken, token_fields, 3);
  m.add_object("Token", py::handle(reinterpret_cast<PyObject*>(token_type)));
  static PyStructSequence_Field counts_fields[] = {
      {"sentences", "sentences written"},
      {"tokens", "tokens written"},
      {"warnings", "what was worked around (bad lines of the input, replaced bytes)"},
      {nullptr, nullptr}};
  counts_type = NewStructType("quillon.FileCounts", docs::kFileCounts, counts_fields, 3);
  m.add_object("FileCounts", py::handle(reinterpret_cast<PyObject*>(counts_type)));
  quillon_error = NewException(m, "QuillonError", docs::kQuillonError, PyExc_Exception);
  resource_error = NewException(m, "ResourceError", docs::kResourceError, quillon_error);
  quillon_warning = NewException(m, "QuillonWarning", docs::kQuillonWarning, PyExc_UserWarning);
}

}  // namespace
}  // namespace quillon

PYBIND11_MODULE(_quillon, m) {
  using namespace quillon;
  m.doc() = docs::kModule;
  m.attr("__version__") = kVersion;
  AddTypes(m);
  m.def("default_data_dir", &PackageDataDir, docs::kDefaultDataDir);
  // For quillon.dask, which names and checks on the client what its workers then do.
  m.def("_output_paths", &OutputPaths, py::arg("inputs"), py::arg("out_dir"), py::arg("format"),
        py::arg("input"));
  m.def(
      "_check_formats",
      [](const std::optional<std::string>& format, const std::string& input, bool split) {
        Formats(format, input, split);
      },
      py::arg("format"), py::arg("input"), py::arg("split"));
  m.def("_check_options",
        [](const py::dict& options) { SettingsFromOptions(OptionsFromDict(options)); });

  py::class_<PythonTagger>(m, "Tagger", docs::kTagger)
      .def(py::init([](const OptionalPath& data_dir, int lexicon, int contextual,
                       std::string tokenizer, bool lemma, const OptionalPath& user_lexicon,
                       std::string separator, bool multiword, std::optional<std::string> encoding) {
             return NewTagger({PathText(data_dir), lexicon, contextual, std::move(tokenizer), lemma,
                               PathText(user_lexicon), std::move(separator), multiword,
                               std::move(encoding)});
           }),
           py::arg("data_dir") = py::none(), py::arg("lexicon") = 0, py::arg("contextual") = 0,
           py::arg("tokenizer") = "modern", py::arg("lemma") = false,
           py::arg("user_lexicon") = py::none(), py::kw_only(), py::arg("separator") = "_",
           py::arg("multiword") = false, py::arg("encoding") = py::none(), docs::kInit)
      .def("tag", &Tag, py::arg("text"), py::arg("split") = false, docs::kTag)
      .def("tag_tokens", &TagTokens, py::arg("words"), docs::kTagTokens)
      .def("tag_file", &TagFile<true>, py::arg("path"), py::arg("out_path"),
           py::arg("format") = py::none(), py::kw_only(), py::arg("input") = "text",
           py::arg("split") = false, docs::kTagFile)
      .def("_tag_file_quietly", &TagFile<false>, py::arg("path"), py::arg("out_path"),
           py::arg("format") = py::none(), py::kw_only(), py::arg("input") = "text",
           py::arg("split") = false)
      .def_property_readonly(
          "data_dir", [](const PythonTagger& self) { return Text(self.data_dir); }, docs::kDataDir)
      .def_property_readonly(
          "options", [](const PythonTagger& self) { return OptionsDict(self.options); },
          docs::kOptions)
      .def("__repr__", &Repr)
      .def(py::pickle([](const PythonTagger& self) { return OptionsDict(self.options); },
                      [](const py::dict& options) { return NewTagger(OptionsFromDict(options)); }));
}
