#include "platform/core/system/SystemInfo.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/core/system/SysUtils.h"

namespace dravik {

namespace {

struct TLocaleLanguage {
  const char* Code;  // ISO 639 code of the locale name
  uint8_t Primary;
};

// Serbian is left out on purpose: its primary identifier is the one of Croatian.
const TLocaleLanguage kLanguages[] = {
    {"af", 0x36}, {"sq", 0x1C}, {"ar", 0x01}, {"eu", 0x2D}, {"be", 0x23}, {"bg", 0x02},
    {"ca", 0x03}, {"zh", 0x04}, {"hr", 0x1A}, {"cs", 0x05}, {"da", 0x06}, {"nl", 0x13},
    {"en", 0x09}, {"et", 0x25}, {"fo", 0x38}, {"fa", 0x29}, {"fi", 0x0B}, {"fr", 0x0C},
    {"de", 0x07}, {"el", 0x08}, {"he", 0x0D}, {"iw", 0x0D}, {"hu", 0x0E}, {"is", 0x0F},
    {"id", 0x21}, {"in", 0x21}, {"it", 0x10}, {"ja", 0x11}, {"ko", 0x12}, {"lv", 0x26},
    {"lt", 0x27}, {"no", 0x14}, {"nb", 0x14}, {"nn", 0x14}, {"pl", 0x15}, {"pt", 0x16},
    {"ro", 0x18}, {"ru", 0x19}, {"sk", 0x1B}, {"sl", 0x24}, {"es", 0x0A}, {"sv", 0x1D},
    {"th", 0x1E}, {"tr", 0x1F}, {"uk", 0x22}, {"vi", 0x2A}, {"hi", 0x39}, {"ms", 0x3E},
    {"sw", 0x41}, {"mk", 0x2F}, {"ka", 0x37}, {"hy", 0x2B}, {"ga", 0x3C}, {"gl", 0x56},
};

struct TSubLanguage {
  const char* Locale;  // language_COUNTRY
  uint8_t Sub;
};

const TSubLanguage kSubLanguages[] = {
    {"de_CH", 2}, {"de_AT", 3}, {"de_LU", 4}, {"de_LI", 5}, {"en_GB", 2}, {"en_AU", 3},
    {"en_CA", 4}, {"en_NZ", 5}, {"en_IE", 6}, {"fr_BE", 2}, {"fr_CA", 3}, {"fr_CH", 4},
    {"fr_LU", 5}, {"it_CH", 2}, {"nl_BE", 2}, {"pt_PT", 2}, {"es_MX", 2}, {"sv_FI", 2},
    {"zh_CN", 2}, {"zh_HK", 3}, {"zh_SG", 4},
};

}  // namespace

LANGID LangIDFromLocale(std::string_view locale) {
  std::size_t end = locale.find_first_of(".@");
  std::string name(locale.substr(0, end));
  std::string language = LowerCase(name.substr(0, name.find('_')));
  for (const auto& l : kLanguages) {
    if (language != l.Code) continue;
    uint8_t sub = 1;
    for (const auto& s : kSubLanguages)
      if (SameText(name, s.Locale)) sub = s.Sub;
    return static_cast<LANGID>(sub << 10 | l.Primary);
  }
  return 0;
}

LANGID GetUserDefaultLangID() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return LangIDFromLocale(value);
  }
  return 0;
}

std::string GetUserName() {
  if (passwd* entry = getpwuid(getuid()); entry && entry->pw_name) return entry->pw_name;
  const char* user = std::getenv("USER");
  return user ? user : "";
}

std::string GetComputerName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return "";
  return name;
}

std::string GetTempPath() {
  const char* dir = std::getenv("TMPDIR");
  std::string path = dir && *dir ? dir : "/tmp";
  if (path.back() != '/') path += '/';
  return path;
}

}  // namespace dravik
