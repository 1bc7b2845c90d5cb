#pragma once
// The phases of a language switch and the handler through which a language frame calls its
// members.

#include <string>

#include "platform/core/system/Exceptions.h"
#include "platform/core/typinfo/Method.h"
#include "platform/core/typinfo/TypInfo.h"

namespace dravik {

enum TActionMode { amBeforeChange, amSetLanguage, amChange, amAfterChange };
const TTypeInfo& TypeInfoFor(TActionMode);

// Sender is always the receiving object itself.
using TLanguageNotify =
    TEvent<"TLanguageNotify", TObject* /*Sender*/, const std::string& /*Language*/, TActionMode>;

// A member that does not have the language it is asked to switch to.
using ELanguageNotFound = ExceptionClass<"ELanguageNotFound", Exception>;

}  // namespace dravik
