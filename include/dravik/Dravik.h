#pragma once
// The non-visual library in one include: components and their type information, string lists,
// form streams and module resources, TDravik with its named strings, the language table and the
// language switch. Link Dravik::Core (pkg-config: dravik).

#include "platform/core/classes/Component.h"
#include "platform/core/classes/Strings.h"
#include "platform/core/resources/ModuleResources.h"
#include "platform/core/system/Exceptions.h"
#include "platform/core/typinfo/ClassBuilder.h"
#include "runtime/Dravik.h"
#include "runtime/DravikFrames.h"
#include "runtime/DravikSystem.h"
#include "runtime/LanguageSwitch.h"
