#pragma once
// A single line of editable text in a rounded white field, with a grey placeholder while it is
// empty. A tap makes it the first responder: the screen's keys and input methods go to it, with
// the desktop's editing keys (selection, copy, cut, paste, undo). Every change the user makes
// sends UIControlEventEditingChanged; setText from code sends nothing.
#include "uikit/UIControl.h"
#include "uikit/UIFont.h"

#include <memory>
#include <string>
#include <string_view>

class UITextField : public UIControl {
public:
    explicit UITextField(CGRect frame = CGRectZero);
    ~UITextField() override;
    std::string className() const override { return "UITextField"; }

    std::string text() const;
    void setText(std::string_view text);
    const std::string& placeholder() const { return placeholder_; }
    void setPlaceholder(std::string placeholder);
    UIFont font() const { return font_; }
    void setFont(UIFont font);
    // A view at the left end inside the field, vertically centred (a search bar's magnifier); the
    // text starts after it. nullptr: none.
    void setLeftView(std::shared_ptr<UIView> view);

    // The field the screen's keys go to, at most one at a time.
    bool isFirstResponder() const;
    void becomeFirstResponder();
    void resignFirstResponder();

    CGSize sizeThatFits(CGSize size) const override;
    void layoutSubviews() override;
    void touchesEnded(CGPoint point) override;
    // Return or Enter on the focused field: it keeps the keyboard and its cursor.
    bool keyPressed(UIKey key) override;
    void drawRect(CGRect rect) override;
    // Read by its placeholder, its text the value; activating it gives it the keyboard.
    bool isAccessibilityElement() const override { return true; }
    std::string accessibilityValue() const override { return text(); }
    bool accessibilityActivate() override;
    void describe(uikit::DumpRecord& record) const override;

    // The toolkit's editor behind the field (Qt's line editing, never shown).
    struct Editor;
    Editor& editor() const { return *editor_; }

protected:
    std::string defaultAccessibilityLabel() const override { return placeholder(); }
    UIAccessibilityTraits defaultAccessibilityTraits() const override
    {
        return UIAccessibilityTraitTextEntry | UIControl::defaultAccessibilityTraits();
    }

private:
    // Where the text's room begins, in the field's own coordinates.
    CGFloat textLeft() const;

    std::unique_ptr<Editor> editor_;
    std::shared_ptr<UIView> leftView_;
    std::string placeholder_;
    UIFont font_ = UIFont::systemFontOfSize(15);
};
