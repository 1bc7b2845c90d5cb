#pragma once
// The text form of component streams ("object Name: TClass ... end") and its conversion to and from
// the binary form. The conversion is syntactic: it needs no registered classes and keeps every
// value's marker and bytes, except where the text form cannot tell markers apart:
//   - integers take the smallest marker that holds them (vaInt8..vaInt64), child positions and
//     collection item indexes too; vaQWord values up to 2^63-1 become signed;
//   - vaLString of up to 255 bytes becomes vaString; vaUTF8String becomes vaString/vaLString
//     with the same bytes; vaUString becomes vaWString;
//   - a wide string (vaWString, vaUString) whose characters are all below U+0100 becomes an 8-bit
//     string holding those codes as bytes (its Latin-1 form);
//   - vaIdent holding nil, False, True or Null (in any case) becomes that marker;
//   - a component prefix without flags or with the unused flag 0x08 is dropped (unless the
//     class name is 240 bytes or longer, where it is needed), and one with both ffInherited and
//     ffInline keeps ffInherited only.
// Values the text form cannot spell at all raise EReadError: infinities, NaNs and non-canonical
// 80-bit values, and names or identifiers that are not identifiers.
//
// Strings in the text: 8-bit strings that are valid UTF-8 are written as they are ('Größe'),
// other 8-bit strings with #nnn codes for their bytes above 127; wide strings with #nnn codes
// for their UTF-16 units above 127. Reading, a string all of whose #nnn codes are below 256 is
// an 8-bit string (vaString, or vaLString above 255 bytes), else a wide string (vaWString).
// Floats carry a suffix for their kind: 1.5s (vaSingle), 45000.25d (vaDate), 12.34c
// (vaCurrency, the decimal value); without one they are vaExtended.

#include <string_view>

namespace dravik {

class TStream;

// Reads a binary component stream ("TPF0") and writes its text form. EReadError on bad input.
void ObjectBinaryToText(TStream& input, TStream& output);
// The same from bytes in memory, read in place.
void ObjectBinaryToText(std::string_view input, TStream& output);
// Reads the text form of one component and writes the binary stream. EParserError on bad input.
// The input stream is left at the first token after the component's "end".
void ObjectTextToBinary(TStream& input, TStream& output);

// The same with a resource header before the binary stream (either layout of ResourceFile.h);
// the resource written is named after the root's class in upper case, as form resources are.
void ObjectResourceToText(TStream& input, TStream& output);
void ObjectTextToResource(TStream& input, TStream& output);

}  // namespace dravik
