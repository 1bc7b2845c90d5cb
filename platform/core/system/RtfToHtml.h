#pragma once
// RTF as the read-only rich edit shows it: bold, italic, underline, paragraphs and line breaks,
// \'hh and \uN characters; tables, pictures and the header groups (fonts, colours) are left out.

#include <string>
#include <string_view>

namespace dravik {

std::string RtfToHtml(std::string_view rtf);

}  // namespace dravik
