#pragma once
// What a view that takes typed text without being a text field adopts (a date part that takes
// digits): while it has the keyboard's focus, the text of each key typed goes to insertText.
// Main thread only.
#include <string>

class UIKeyInput {
public:
    virtual ~UIKeyInput() = default;
    // One key's text, as typed; false when the view does nothing with it.
    virtual bool insertText(const std::string& text) = 0;
};
