// dravik config: what an INI or registry file holds, one value of it, or one value changed.

#include "apps/dravik/Command.h"
#include "apps/dravik/InputFile.h"
#include "apps/dravik/StandardOutput.h"
#include "platform/core/inifiles/IniFile.h"
#include "platform/core/inifiles/IniText.h"
#include "platform/core/inifiles/Registry.h"
#include "platform/core/inifiles/RegistryText.h"
#include "platform/core/inifiles/TextLines.h"
#include "platform/core/streams/FileUpdate.h"
#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

// A registry file begins with its signature line.
bool IsRegistryText(std::string_view bytes) {
  const std::vector<std::string> first = SplitTextLines(bytes.substr(0, 64));
  return !first.empty() && Trim(first.front()) == TRegistryText::kSignature;
}

struct TSetting {
  std::string Section, Key, Value;
};

// Every value in file order, or with get only the one it names (section, key); a damaged file
// fails with its name and line.
std::vector<TSetting> ReadSettings(const std::string& name, std::string_view bytes,
                                   const std::vector<std::string>& get) {
  std::optional<TIniDamage> damage;
  std::vector<TSetting> settings;
  if (IsRegistryText(bytes)) {
    const TRegistryText text = TRegistryText::Parse(bytes, damage);
    if (!get.empty()) {
      if (const TRegValue* value = text.FindValue(get[0], get[1]))
        settings.push_back({get[0], get[1], RegValueToText(*value)});
    } else {
      for (const TRegKey& key : text.Keys())
        for (const TRegValue& value : key.Values)
          settings.push_back({key.Path, value.Name, RegValueToText(value)});
    }
  } else {
    const TIniText text = TIniText::Parse(bytes, damage);
    if (!get.empty()) {
      if (const std::string* value = text.FindValue(get[0], get[1]))
        settings.push_back({get[0], get[1], *value});
    } else {
      for (TIniValue& value : text.Values())
        settings.push_back(
            {std::move(value.Section), std::move(value.Key), std::move(value.Value)});
    }
  }
  if (damage) throw EExit{1, DamageMessage(name, damage->Line, damage->Reason)};
  return settings;
}

// SECTION names a key from its root key, "HKEY_CURRENT_USER\Software\...".
void SetRegistryValue(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& value) {
  const std::size_t slash = section.find('\\');
  const std::string root = section.substr(0, slash);
  const auto& roots = TRegistryText::RootNames();
  std::size_t index = 0;
  while (index < roots.size() && !SameText(roots[index], root)) ++index;
  if (index == roots.size()) throw EExit{1, "'" + root + "' is no root key"};
  TRegistry registry(file);
  // The key made and the value written reach the file together at EndUpdate: a failure before
  // it drops both, so a failed set leaves no empty key behind.
  registry.BeginUpdate();
  registry.SetRootKey(HKEY_CLASSES_ROOT + static_cast<HKEY>(index));
  if (!registry.OpenKey(slash == std::string::npos ? "" : section.substr(slash + 1), true))
    throw EExit{1, "'" + section + "' is no valid key path"};
  if (registry.GetDataType(key) != rdInteger) {
    registry.WriteString(key, value);
  } else {
    int32_t number = 0;
    if (!TryStrToInt(value, number))
      throw EExit{1, "'" + value + "' is no integer, which the dword value " + key + " needs"};
    registry.WriteInteger(key, number);
  }
  registry.EndUpdate();
}

int Run(const std::vector<std::string>& args, TStandardOutput& out) {
  const TCommandLine line(args, {}, {"get", "set"});
  if (line.Has("get") && line.Has("set")) throw EUsage{"--get and --set exclude each other"};
  const std::size_t count = line.Has("set") ? 4 : line.Has("get") ? 3 : 1;
  line.ExpectPositionals(count, count);
  const std::vector<std::string>& arg = line.Positionals();
  const std::string& file = arg[0];
  const std::string name = file == "-" ? "standard input" : file;

  if (line.Has("set")) {
    if (file == "-") throw EUsage{"--set needs a file, not standard input"};
    const std::optional<std::string> bytes = ReadFileIfExists(file);
    if (bytes && IsRegistryText(*bytes)) {
      SetRegistryValue(file, arg[1], arg[2], arg[3]);
    } else {
      TIniFile(file).WriteString(arg[1], arg[2], arg[3]);
    }
    return 0;
  }

  const std::vector<std::string> get =
      line.Has("get") ? std::vector<std::string>{arg[1], arg[2]} : std::vector<std::string>{};
  const std::vector<TSetting> settings = ReadSettings(name, TInputFile(file).ReadAll(), get);
  if (line.Has("get")) {
    if (settings.empty()) throw EExit{1, name + ": no value " + arg[2] + " in " + arg[1]};
    out.Field(settings.front().Value) << '\n';
    return 0;
  }
  for (const TSetting& setting : settings) {
    out.Field(setting.Section) << '\t';
    out.Field(setting.Key) << '\t';
    out.Field(setting.Value) << '\n';
  }
  return 0;
}

}  // namespace

const TCommand ConfigCommand{
    "config", "list, read or change an INI or registry file",
    "Usage: dravik config FILE\n"
    "       dravik config FILE --get SECTION KEY\n"
    "       dravik config FILE --set SECTION KEY VALUE\n"
    "\n"
    "Works on the settings files of the configuration store: INI files and registry files in\n"
    "the REGEDIT4 layout (recognised by their first line \"REGEDIT4\"). In a registry file the\n"
    "SECTION is a key path from its root key (HKEY_CURRENT_USER\\Software\\...) and the KEY a\n"
    "value name; a dword is shown in decimal, binary data as hex pairs.\n"
    "\n"
    "Without an option, prints every value as one tab-separated line: SECTION  KEY  VALUE, in\n"
    "file order (of equal keys in a section, the first, which is the one read). Tabs, line\n"
    "breaks, backslashes and other control characters are written as \\t, \\n, \\r, \\\\ and "
    "\\xNN.\n"
    "\n"
    "Options:\n"
    "  --get SECTION KEY        prints the one value (escaped as above)\n"
    "  --set SECTION KEY VALUE  changes or adds the value; the file is locked, read, changed and\n"
    "                           renamed into place, so a program writing it at the same time\n"
    "                           loses nothing. A missing FILE is made as an INI file; a dword\n"
    "                           value of a registry file takes an integer. A VALUE that begins\n"
    "                           with \"-\" follows \"--\".\n"
    "\n"
    "Arguments:\n"
    "  FILE   the settings file; \"-\" reads standard input (not with --set)\n"
    "\n"
    "Exit codes: 0 success; 1 a damaged or unreadable file, or --get of a value that is not\n"
    "there (one line on stderr); 2 bad usage.\n",
    Run};

}  // namespace dravik
