#pragma once
// The language file of a plain unit (<unit>.lng beside it): a resource file holding one stored
// TDravik under the unit's resource ID, which the unit binds into itself and loads at start-up.

#include <string>

namespace dravik {

class TDravik;

// The unit's file name with the extension ext (".pas", ".lng").
std::string UnitFileWithExtension(const std::string& unitFile, const char* ext);

enum class TFileAccess { Missing, Unavailable, ReadOnly, Writable };
// Whether the file is there and may be changed (its owner's write permission, which holds for
// every user alike); Unavailable when its attributes cannot be read.
TFileAccess LanguageFileAccess(const std::string& fileName);

// Reads the file's component into dravik, with writes by others denied meanwhile; exceptions
// for a file that cannot be opened or read.
void ReadUnitLanguageFile(const std::string& fileName, TDravik& dravik);
// The name of the file's first resource; empty when it cannot be read.
std::string UnitLanguageFileResID(const std::string& fileName);
// Writes dravik as the file's one resource, named resID, through a temporary file renamed into
// place, so a failure leaves the old file as it was.
void WriteUnitLanguageFile(const std::string& fileName, const std::string& resID, TDravik& dravik);

}  // namespace dravik
