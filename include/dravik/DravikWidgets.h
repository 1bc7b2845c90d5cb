#pragma once
// The visual library in one include, with the non-visual one: the application, forms made of
// form files, the standard controls, menus and dialogs, the language combo box and the message
// dialog. Link Dravik::Widgets (pkg-config: dravik-widgets).

#include "dravik/Dravik.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiApplication.h"
#include "runtime/ui/LangComboBox.h"
#include "widgets/MsgDlg.h"
