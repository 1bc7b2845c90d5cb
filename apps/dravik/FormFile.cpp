#include "apps/dravik/FormFile.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "apps/dravik/Command.h"
#include "apps/dravik/InputFile.h"
#include "platform/core/filer/ObjectText.h"
#include "platform/core/filer/Reader.h"
#include "platform/core/filer/StandInClasses.h"
#include "platform/core/filer/StreamFormat.h"
#include "platform/core/forms/Application.h"
#include "platform/core/resources/ResourceFile.h"
#include "platform/core/streams/MemoryStream.h"
#include "platform/core/streams/StringStream.h"
#include "platform/core/system/Designing.h"
#include "platform/core/system/Exceptions.h"
#include "runtime/Dravik.h"
#include "runtime/DravikSystem.h"
#include "runtime/LanguageSwitch.h"

namespace dravik {

namespace {

bool HoldsComponentStream(const TResourceEntry& entry) {
  return entry.Type == TResourceId(RT_RCDATA) &&
         std::string_view(entry.Data).substr(0, 4) == std::string_view(FilerSignature, 4);
}

std::string NameList(const std::vector<const TResourceEntry*>& entries) {
  std::string names;
  for (const TResourceEntry* entry : entries)
    names += (names.empty() ? "" : ", ") + entry->Name.ToString();
  return names;
}

// The entry of a resource file's component stream: the one named, or the only one it holds.
TResourceEntry& FindComponentResource(TResourceFile& file, const std::optional<std::string>& name) {
  std::vector<const TResourceEntry*> forms;
  for (const TResourceEntry& entry : file.Entries)
    if (HoldsComponentStream(entry)) forms.push_back(&entry);
  if (name) {
    const TResourceEntry* entry = file.Find(*name);
    if (!entry)
      throw EResNotFound("Resource " + *name + " not found (the file holds: " + NameList(forms) +
                         ")");
    if (!HoldsComponentStream(*entry))
      throw EReadError("Resource " + *name + " holds no component stream");
    return const_cast<TResourceEntry&>(*entry);
  }
  if (forms.empty()) throw EReadError("The resource file holds no component stream");
  if (forms.size() > 1)
    throw EUsage{"the resource file holds " + std::to_string(forms.size()) +
                 " component streams (" + NameList(forms) + "); choose one with --resource NAME"};
  return const_cast<TResourceEntry&>(*forms.front());
}

TResourceFile LoadResourceFile(const std::string& bytes) {
  TStringStream input(bytes);
  TResourceFile file;
  file.LoadFromStream(input);
  return file;
}

int LineOf(std::string_view text, std::size_t offset) {
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

// Puts every TDravik read into a frame of its own, so that none aligns with another. Inside a
// design host the frames hold the host's own windows, which stay; there the start-up language
// does not follow the user's either.
class TFrameIsolation : public TObject {
 public:
  TFrameIsolation() {
    if (!IsDesigning()) {
      FinalizeLanguageFrames();
      DefineStartupLanguage("");
    }
    TDravik::RegisterCreateNotify(Notify());
  }
  ~TFrameIsolation() override { TDravik::UnregisterCreateNotify(Notify()); }

 private:
  TLangNotify Notify() { return TLangNotify::Of<&TFrameIsolation::Isolate>(this); }
  void Isolate(TDravik* dravik) { RegisterLanguageNotify("", true, dravik->Handler()); }
};

// What the components show while they are read (a TDravik that cannot align its languages
// when it is loaded, say) is a failure of the read here: the first one is thrown after it.
class TFailureRecorder {
 public:
  TFailureRecorder() {
    if (!Application) fScope.emplace();
    fSaved = std::exchange(Application->OnException, [this](TObject*, const Exception& e) {
      if (!fFirst) fFirst = e.Message();
    });
  }
  ~TFailureRecorder() { Application->OnException = std::move(fSaved); }
  TFailureRecorder(const TFailureRecorder&) = delete;
  TFailureRecorder& operator=(const TFailureRecorder&) = delete;

  void Rethrow() const {
    if (fFirst) throw EReadError(*fFirst);
  }

 private:
  std::optional<TApplicationScope> fScope;
  TApplication::TExceptionEvent fSaved;
  std::optional<std::string> fFirst;
};

}  // namespace

std::string SelectResource(std::string bytes, const std::optional<std::string>& name) {
  TResourceFile file;
  file.LoadFromBytes(bytes);
  std::string().swap(bytes);  // the file's entries hold the data now
  return std::move(FindComponentResource(file, name).Data);
}

std::string TextToBinary(std::string text) {
  // The binary form is shorter than its text, so a buffer of the text's size never moves while
  // the binary grows in it.
  std::string room;
  room.reserve(text.size());
  TStringStream input(std::move(text)), binary(std::move(room));
  ObjectTextToBinary(input, binary);
  // The parser leaves the input at the first token after the root's "end".
  const std::string& source = input.DataString();
  std::size_t extra =
      source.find_first_not_of(" \t\r\n", static_cast<std::size_t>(input.Position()));
  if (extra != std::string::npos)
    throw EParserError("Text after the end of the root object on line " +
                       std::to_string(LineOf(source, extra)));
  return binary.TakeDataString();
}

TFormFileKind DetectFormFileKind(std::string_view bytes) {
  if (bytes.substr(0, 4) == std::string_view(FilerSignature, 4)) return TFormFileKind::Binary;
  if (DetectResourceLayout(bytes.substr(0, 16))) return TFormFileKind::Resource;
  return TFormFileKind::Text;
}

std::string ReadInput(const std::string& path) {
  TInputFile input(path);
  return input.ReadAll();
}

std::string ComponentStreamOf(std::string bytes, const std::optional<std::string>& resource) {
  switch (DetectFormFileKind(bytes)) {
    case TFormFileKind::Binary:
      return bytes;
    case TFormFileKind::Resource:
      return SelectResource(std::move(bytes), resource);
    case TFormFileKind::Text:
      return TextToBinary(std::move(bytes));
  }
  return bytes;
}

std::string RewriteFormFile(const std::string& bytes, const std::optional<std::string>& resource,
                            const std::function<std::string(const std::string& binary)>& rewrite) {
  switch (DetectFormFileKind(bytes)) {
    case TFormFileKind::Binary:
      return rewrite(bytes);
    case TFormFileKind::Resource: {
      TResourceFile file = LoadResourceFile(bytes);
      TResourceEntry& entry = FindComponentResource(file, resource);
      entry.Data = rewrite(entry.Data);
      TStringStream output;
      file.SaveToStream(output);
      return output.DataString();
    }
    case TFormFileKind::Text: {
      TStringStream binary(rewrite(TextToBinary(bytes))), text;
      ObjectBinaryToText(binary, text);
      // A file of CR LF lines, as the original platform writes them, keeps its line ends.
      std::size_t firstBreak = bytes.find('\n');
      if (firstBreak == std::string::npos || firstBreak == 0 || bytes[firstBreak - 1] != '\r')
        return text.DataString();
      std::string crlf;
      for (char c : text.DataString()) {
        if (c == '\n') crlf += '\r';
        crlf += c;
      }
      return crlf;
    }
  }
  return bytes;
}

TLoadedForm::TLoadedForm(const std::string& binary, TFindClass findClass, TFrames frames)
    : fStandIns(std::make_shared<TStandInClasses>()) {
  std::optional<TFrameIsolation> isolation;
  if (frames == TFrames::Isolated) isolation.emplace();
  TOwnerlessScope ownerless;  // a language file's root is a TDravik of its own
  TStringStream stream(binary);
  TReader reader(stream);
  reader.SetStandIns(fStandIns);
  reader.OnFindComponentClass = std::move(findClass);
  TFailureRecorder failures;
  fRoot.reset(reader.ReadRootComponent(nullptr));
  failures.Rethrow();
}

TLoadedForm::~TLoadedForm() = default;

void TLoadedForm::SwitchLanguage(const std::string& language) {
  const std::vector<TDravik*> all = Dravik();
  if (all.empty()) throw ELanguageNotFound("The form has no TDravik component");
  for (TDravik* dravik : all)
    if (dravik->LanguageManager()->Langs()->IndexOfLanguage(language) < 0)
      throw ELanguageNotFound(
          Format("Language '%s' of form %s not found", {language, dravik->Name()}));
  for (TDravik* dravik : all) {
    // The instance's own step of a switch, without the frame, which would only show a failure.
    dravik->SetLanguageNotify(dravik, language, amSetLanguage);
    if (!CompareLanguages(dravik->GetLanguage(), language))
      throw ELanguageNotFound(
          Format("%s could not switch to language '%s'", {dravik->Name(), language}));
  }
}

std::string TLoadedForm::Binary() const {
  TStringStream output;
  WriteComponent(output, fRoot.get());
  return output.DataString();
}

TDravik& TLoadedForm::FirstDravik() const {
  const std::vector<TDravik*> all = Dravik();
  if (all.empty()) throw EConvertError("The form has no TDravik component");
  return *all.front();
}

std::vector<TDravik*> TLoadedForm::Dravik() const {
  std::vector<TDravik*> found;
  if (auto* root = dynamic_cast<TDravik*>(fRoot.get())) found.push_back(root);
  for (int i = 0; i < fRoot->ComponentCount(); ++i)
    if (auto* dravik = dynamic_cast<TDravik*>(fRoot->Components(i))) found.push_back(dravik);
  return found;
}

}  // namespace dravik
