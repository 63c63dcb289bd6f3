#pragma once

#include <string>

#include "ui/dialogs.h"

// Caption of the text input dialog's buttons.
extern const char kTextInputOkCaption[];
extern const char kTextInputCancelCaption[];

// The modal text input dialog: the title, one edit field holding `args.initialText`, and the buttons
// "确认输入(&O)" and "取消(&C)". True with the field's text on OK, false on Cancel or close.
// A text with line breaks gets a multi-line field, so that no line is lost on the way through.
bool RunTextInputDialog(const AskTextArgs& args, std::string* entered);
