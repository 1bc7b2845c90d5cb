#pragma once
// The phases of a language switch and the handler through which a language frame calls its
// members.

#include <string>

#include "platform/core/Exceptions.h"
#include "platform/core/Method.h"
#include "platform/core/TypInfo.h"

enum TActionMode { amBeforeChange, amSetLanguage, amChange, amAfterChange };
const TTypeInfo& TypeInfoFor(TActionMode);

// Sender is always the receiving object itself.
using TLanguageNotify =
    TEvent<"TLanguageNotify", TObject* /*Sender*/, const std::string& /*Language*/, TActionMode>;

// A member that does not have the language it is asked to switch to.
using ELanguageNotFound = ExceptionClass<"ELanguageNotFound", Exception>;
