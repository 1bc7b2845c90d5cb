#pragma once
// A form file opened in the studio: read into components with the real visual controls, the
// classes no loaded package provides as stand-ins, and written back in the kind it was read.

#include <memory>
#include <string>

#include "platform/ide/ProjectHost.h"

namespace dravik {

// Reads the form file; EReadError and the like when it cannot be read. The form's own class
// belongs to the program that owns the form: it is designed as a plain form of that name, so
// that it never reads a layout this program embeds for a class of the same name.
std::unique_ptr<THostedForm> ReadDesignedForm(const std::string& fileName);

}  // namespace dravik
