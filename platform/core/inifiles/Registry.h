#pragma once
// The registry, kept in one file in the REGEDIT4 text layout (RegistryText.h) with the root keys
// of the original. The file is the one DRAVIK_REGISTRY names, else registry.reg in the folder
// "dravik" of the user's configuration folder ($XDG_CONFIG_HOME, else ~/.config).
//
// Changes reach the file as an INI file's do (IniFile.h): at once or at EndUpdate, under the
// file's lock, made again on the file as it is then, and renamed into place.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/inifiles/ChangeBatch.h"
#include "platform/core/inifiles/DamagedFile.h"
#include "platform/core/inifiles/RegistryText.h"
#include "platform/core/system/Exceptions.h"

namespace dravik {

class TStrings;

using HKEY = uint32_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr HKEY HKEY_USERS = 0x80000003;
inline constexpr HKEY HKEY_PERFORMANCE_DATA = 0x80000004;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005;
inline constexpr HKEY HKEY_DYN_DATA = 0x80000006;

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

using ERegistryException = ExceptionClass<"ERegistryException", Exception>;

class TRegistry {
 public:
  // The file the environment names (DefaultFileName).
  TRegistry();
  // A missing file is an empty registry. A damaged file is refused with ERegistryException "File
  // NAME is damaged at line N: reason", or repaired; EFOpenError when it cannot be read.
  explicit TRegistry(std::string fileName, TDamagedFile damaged = TDamagedFile::Refuse);

  static std::string DefaultFileName();
  const std::string& FileName() const { return fFileName; }

  // HKEY_CURRENT_USER at first; setting it closes the current key. ERegistryException for a
  // handle that is no root key.
  HKEY RootKey() const { return fRootKey; }
  void SetRootKey(HKEY root);
  // The open key below the root ("" for the root itself).
  const std::string& CurrentPath() const { return fCurrentPath; }

  // A key beginning with "\" is taken from the root, another one from the current key. False
  // when the key does not exist and may not be made.
  bool OpenKey(const std::string& key, bool canCreate);
  // Writes through this key then raise ERegistryException.
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  bool CreateKey(const std::string& key);
  bool DeleteKey(const std::string& key);
  bool KeyExists(const std::string& key) const;
  void GetKeyNames(TStrings& strings) const;

  // Values of the current key.
  bool ValueExists(const std::string& name) const;
  TRegDataType GetDataType(const std::string& name) const;
  void GetValueNames(TStrings& strings) const;
  bool DeleteValue(const std::string& name);
  // Missing text reads as empty; a value of another type raises ERegistryException "Invalid
  // data type for 'NAME'", as does ReadInteger of a missing value.
  std::string ReadString(const std::string& name) const;
  void WriteString(const std::string& name, const std::string& value);
  int32_t ReadInteger(const std::string& name) const;
  void WriteInteger(const std::string& name, int32_t value);
  std::string ReadBinaryData(const std::string& name) const;
  void WriteBinaryData(const std::string& name, const std::string& bytes);

  // Holds the changes until EndUpdate writes them in one step. Brackets nest.
  void BeginUpdate();
  void EndUpdate();

 private:
  using TChange = TChangeBatch<TRegistryText>::TChange;
  std::string FullPath(const std::string& key) const;
  std::string CurrentFullPath() const;
  void WriteValue(const char* operation, TRegValue value);
  void Change(TChange change);
  void WriteChanges(const std::vector<TChange>& changes);

  std::string fFileName;
  TRegistryText fText;
  HKEY fRootKey = HKEY_CURRENT_USER;
  std::string fCurrentPath;
  bool fReadOnly = false;
  TChangeBatch<TRegistryText> fChanges;
};

}  // namespace dravik
