#pragma once
// What edits a text field's line: a QLineEdit that is never shown. The screen sends it the keys
// and input-method events of the field that is first responder, so selection, the clipboard,
// undo and composing behave as on the desktop; the field draws its state itself. For the
// toolkit's own files only.
#include "uikit/UITextField.h"

#include <QLineEdit>

struct UITextField::Editor {
    QLineEdit line;
    // setText at work: its change is not the user's and sends nothing.
    bool quiet = false;
};
