// gettext's PO files: written here, read by gettext's own parser library, so that every file
// gettext accepts is read as gettext reads it.

#include <gettext-po.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <csetjmp>
#include <cstring>
#include <memory>

#include "platform/core/filer/StreamFormatEncoding.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/system/SysUtils.h"
#include "runtime/TranslationFormats.h"

namespace dravik {

namespace {

std::string PoQuoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += c;
    }
  }
  return out + "\"";
}

// The lines of text, without the line break after the last.
std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

// The plural rule gettext's tools expect of a language; empty when it is not known here.
std::string PluralFormsOf(const std::string& code) {
  const std::string primary = code.substr(0, code.find('-'));
  static const struct {
    const char* Codes;  // primary subtags, each followed by a space
    const char* Rule;
  } kRules[] = {
      {"af bg ca da de el en es et eu fi fo he hu id is it nl no pt sq sv tr ",
       "nplurals=2; plural=(n != 1);"},
      {"fa fr ", "nplurals=2; plural=(n > 1);"},
      {"ja ko th vi zh ", "nplurals=1; plural=0;"},
      {"be hr ru uk ",
       "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || "
       "n%100>=20) ? 1 : 2);"},
      {"cs sk ", "nplurals=3; plural=(n==1) ? 0 : (n>=2 && n<=4) ? 1 : 2;"},
      {"pl ",
       "nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);"},
      {"lv ", "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n != 0 ? 1 : 2);"},
      {"lt ",
       "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && (n%100<10 || n%100>=20) ? 1 : "
       "2);"},
      {"ro ", "nplurals=3; plural=(n==1 ? 0 : (n==0 || (n%100 > 0 && n%100 < 20)) ? 1 : 2);"},
      {"sl ", "nplurals=4; plural=(n%100==1 ? 0 : n%100==2 ? 1 : n%100==3 || n%100==4 ? 2 : 3);"},
      {"ar ",
       "nplurals=6; plural=(n==0 ? 0 : n==1 ? 1 : n==2 ? 2 : n%100>=3 && n%100<=10 ? 3 : "
       "n%100>=11 ? 4 : 5);"},
  };
  if (primary.empty()) return "";
  for (const auto& rule : kRules)
    if ((" " + std::string(rule.Codes)).find(" " + primary + " ") != std::string::npos)
      return rule.Rule;
  return "";
}

// The present time as PO headers write it: "2026-03-01 14:05+0100".
std::string RevisionDate() {
  return LocalTimeText("%Y-%m-%d %H:%M%z");
}

// --- reading --------------------------------------------------------------------------------

// The first problem gettext's parser reports; its fatal errors end the reading by a jump back
// into ReadGuarded, as the library demands (an exception must not cross its C frames).
thread_local std::string* tFirstError;
thread_local const std::string* tFileName;
thread_local std::jmp_buf* tFatal;

void Note(int severity, const char* fileName, std::size_t line, const char* text) {
  if (severity == PO_SEVERITY_WARNING || !tFirstError->empty()) return;
  *tFirstError = *tFileName;
  if (fileName && line != std::size_t(-1)) *tFirstError += ":" + std::to_string(line);
  *tFirstError += ": ";
  *tFirstError += text ? TrimRight(text) : "unreadable";
}

void OnError(int severity, po_message_t, const char* fileName, std::size_t line, std::size_t, int,
             const char* text) {
  Note(severity, fileName, line, text);
  if (severity == PO_SEVERITY_FATAL_ERROR) std::longjmp(*tFatal, 1);
}

void OnError2(int severity, po_message_t, const char* fileName, std::size_t line, std::size_t, int,
              const char* text, po_message_t, const char*, std::size_t, std::size_t, int,
              const char*) {
  OnError(severity, nullptr, fileName, line, 0, 0, text);
}

// Only trivial objects live in this frame, which a fatal error jumps back into.
po_file_t ReadGuarded(const char* path) {
  static const po_xerror_handler kHandler{OnError, OnError2};
  std::jmp_buf fatal;
  tFatal = &fatal;
  if (setjmp(fatal) != 0) return nullptr;
  return po_file_read(path, &kHandler);
}

struct TPoFileFree {
  void operator()(po_file_t file) const { po_file_free(file); }
};

// The PO text as a file gettext's parser can open, kept in memory.
class TMemoryFile {
 public:
  explicit TMemoryFile(std::string_view text) : fHandle(memfd_create("po", MFD_CLOEXEC)) {
    if (fHandle < 0) Fail();
    for (std::size_t at = 0; at < text.size();) {
      const ssize_t written = write(fHandle, text.data() + at, text.size() - at);
      if (written < 0) Fail();
      at += std::size_t(written);
    }
  }
  ~TMemoryFile() { close(fHandle); }
  TMemoryFile(const TMemoryFile&) = delete;
  TMemoryFile& operator=(const TMemoryFile&) = delete;
  std::string Path() const { return "/dev/fd/" + std::to_string(fHandle); }

 private:
  [[noreturn]] static void Fail() {
    throw EInOutError(std::string("No memory file for a PO text: ") + std::strerror(errno), errno);
  }

  int fHandle;
};

std::string HeaderField(const char* header, const char* field) {
  const std::unique_ptr<char, void (*)(void*)> value(po_header_field(header, field), free);
  return value ? Trim(value.get()) : "";
}

}  // namespace

std::string WritePo(const TTranslationSet& set, const std::string& original) {
  const std::string language = FileLanguage(set.TargetLanguage);
  const std::string plural = PluralFormsOf(language);
  std::string out =
      "msgid \"\"\nmsgstr \"\"\n" + PoQuoted("Project-Id-Version: " + original + "\n") + "\n" +
      PoQuoted("PO-Revision-Date: " + RevisionDate() + "\n") +
      "\n"
      "\"Last-Translator: \\n\"\n"
      "\"Language-Team: \\n\"\n" +
      PoQuoted("Language: " + language + "\n") +
      "\n"
      "\"MIME-Version: 1.0\\n\"\n"
      "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
      "\"Content-Transfer-Encoding: 8bit\\n\"\n" +
      (plural.empty() ? "" : PoQuoted("Plural-Forms: " + plural + "\n") + "\n") +
      PoQuoted("X-Source-Language: " + FileLanguage(set.SourceLanguage) + "\n") + "\n";
  for (const TTranslationUnit& unit : set.Units) {
    out += "\n";
    for (const std::string& comment : unit.Comments)
      for (const std::string& line : LinesOf(comment)) out += "# " + line + "\n";
    if (unit.Fuzzy) out += "#, fuzzy\n";
    out += "msgctxt " + PoQuoted(unit.Key) + "\n";
    out += "msgid " + PoQuoted(unit.Source) + "\n";
    out += "msgstr " + PoQuoted(unit.Target) + "\n";
  }
  return out;
}

TTranslationSet ReadPo(std::string_view text, const std::string& fileName) {
  const TMemoryFile memory(text);
  const std::string path = memory.Path();
  std::string firstError;
  tFirstError = &firstError;
  tFileName = &fileName;
  const std::unique_ptr<po_file, TPoFileFree> file(ReadGuarded(path.c_str()));
  if (!firstError.empty()) throw EParserError(firstError);
  if (!file) throw EParserError(fileName + ": not readable as a PO file");

  TTranslationSet set;
  bool qtContexts = false;  // keys written "CONTEXT|KEY", as Qt's converter does
  // The library hands out a copy of the header, for the caller to free.
  const std::unique_ptr<char, void (*)(void*)> copy(
      const_cast<char*>(po_file_domain_header(file.get(), nullptr)), free);
  if (const char* header = copy.get()) {
    set.TargetLanguage = HeaderField(header, "Language");
    if (set.TargetLanguage.empty()) set.TargetLanguage = HeaderField(header, "X-Language");
    qtContexts = SameText(HeaderField(header, "X-Qt-Contexts"), "true");
    set.SourceLanguage = HeaderField(header, "X-Source-Language");
    const std::string type = HeaderField(header, "Content-Type");
    const std::size_t charset = type.find("charset=");
    const std::string name = charset == std::string::npos ? "" : Trim(type.substr(charset + 8));
    if (!name.empty() && !SameText(name, "UTF-8") && !SameText(name, "ASCII") &&
        !SameText(name, "CHARSET"))
      throw EParserError(fileName + ": the charset " + name +
                         "; only UTF-8 is read (msgconv --to-code=UTF-8 converts it)");
  }
  const std::unique_ptr<struct po_message_iterator, void (*)(po_message_iterator_t)> messages(
      po_message_iterator(file.get(), nullptr), po_message_iterator_free);
  while (po_message_t message = po_next_message(messages.get())) {
    const char* context = po_message_msgctxt(message);
    if (!context && !*po_message_msgid(message)) continue;  // the header
    if (po_message_is_obsolete(message)) {
      ++set.Skipped["obsolete"];
    } else if (po_message_msgid_plural(message)) {
      ++set.Skipped["plural"];
    } else {
      std::string key = context ? context : "";
      if (const std::size_t bar = key.find('|'); qtContexts && bar != std::string::npos)
        key.erase(0, bar + 1);
      TTranslationUnit& unit = set.Units.emplace_back(TTranslationUnit{
          key, po_message_msgid(message), po_message_msgstr(message),
          po_message_is_fuzzy(message) != 0, LinesOf(po_message_comments(message)), ""});
      // gettext takes the bytes as they stand; a form must not.
      if (!IsValidUtf8(unit.Target)) unit.Refused = "its translation is not UTF-8";
    }
  }
  return set;
}

}  // namespace dravik
