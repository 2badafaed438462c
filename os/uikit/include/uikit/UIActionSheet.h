#pragma once
// A modal sheet of buttons that rises from the bottom of the screen over a dimmed screen: an
// optional title, then the buttons in the order they were added. The destructive button is
// drawn red, the cancel button dark and set apart below the others. While shown the screen holds
// the sheet; a tap on a button dismisses it and tells the delegate the button's index. When the
// buttons do not fit on the screen they scroll inside the sheet.
#include "uikit/UIView.h"

#include <memory>
#include <string>
#include <vector>

class UIActionSheet;
class UIScrollView;

enum UIActionSheetStyle {
    UIActionSheetStyleAutomatic = -1,
    UIActionSheetStyleDefault = 0,
    UIActionSheetStyleBlackTranslucent = 2,
    UIActionSheetStyleBlackOpaque = 1,
};

class UIActionSheetDelegate {
public:
    virtual ~UIActionSheetDelegate() = default;
    virtual void actionSheet_clickedButtonAtIndex(UIActionSheet* actionSheet, int buttonIndex)
    {
        (void)actionSheet, (void)buttonIndex;
    }
    virtual void actionSheet_willDismissWithButtonIndex(UIActionSheet* actionSheet, int buttonIndex)
    {
        (void)actionSheet, (void)buttonIndex;
    }
    virtual void actionSheet_didDismissWithButtonIndex(UIActionSheet* actionSheet, int buttonIndex)
    {
        (void)actionSheet, (void)buttonIndex;
    }
};

class UIActionSheet : public UIView {
public:
    UIActionSheet();
    // initWithTitle:delegate:cancelButtonTitle:destructiveButtonTitle:otherButtonTitles: — an
    // empty title means no such button. The buttons come in the platform's order: the
    // destructive one, the others, then the cancel one.
    UIActionSheet(std::string title, UIActionSheetDelegate* delegate, std::string cancelButtonTitle,
                  std::string destructiveButtonTitle,
                  std::vector<std::string> otherButtonTitles = {});
    ~UIActionSheet() override;
    std::string className() const override { return "UIActionSheet"; }

    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    // Not owned.
    UIActionSheetDelegate* delegate() const { return delegate_; }
    void setDelegate(UIActionSheetDelegate* delegate) { delegate_ = delegate; }
    void setActionSheetStyle(UIActionSheetStyle style);

    // Returns the new button's index, counted from 0 in the order of adding.
    int addButtonWithTitle(std::string title);
    int numberOfButtons() const { return int(buttonTitles_.size()); }
    // Empty for an index out of range.
    std::string buttonTitleAtIndex(int index) const;
    // -1 when there is none.
    int cancelButtonIndex() const { return cancelButtonIndex_; }
    void setCancelButtonIndex(int index);
    int destructiveButtonIndex() const { return destructiveButtonIndex_; }
    void setDestructiveButtonIndex(int index);
    // The first button that is neither destructive nor cancel; -1 when there is none.
    int firstOtherButtonIndex() const;

    bool isVisible() const { return visible_; }
    // Shows the sheet on top of everything at the bottom of the screen, whichever view it is
    // shown from; the screen holds it until it is dismissed. A sheet already shown stays as is.
    void showInView(UIView* view);
    // Hides the sheet and tells the delegate: clicked, will dismiss, did dismiss. An index out
    // of range is reported as it is. Does nothing when the sheet is not shown.
    void dismissWithClickedButtonIndex_animated(int buttonIndex, bool animated);

    // The frame the sheet takes on the 320 x 480 screen with its title and buttons.
    CGRect sheetFrame() const;

    void layoutSubviews() override;
    // Escape taps the cancel button, or the only button.
    bool keyPressed(UIKey key) override;
    void drawRect(CGRect rect) override;
    bool accessibilityViewIsModal() const override { return true; }
    void describe(uikit::DumpRecord& record) const override;

protected:
    std::string defaultAccessibilityLabel() const override { return title_; }

private:
    class SheetButton;
    // Adding a button, or moving the cancel or destructive index, touches that button alone
    // and measures nothing, so a sheet of n buttons is made in O(n).
    CGFloat titleHeight() const;
    CGFloat buttonsTop() const;
    // In the scrolling button area.
    CGFloat buttonTop(int index) const;
    CGFloat buttonsHeight() const;
    void addButtonView(int index);
    void updateRole(int index);
    void updateTitle();
    void resize();

    std::string title_;
    UIActionSheetDelegate* delegate_ = nullptr;
    UIActionSheetStyle style_ = UIActionSheetStyleAutomatic;
    std::vector<std::string> buttonTitles_;
    int cancelButtonIndex_ = -1;
    int destructiveButtonIndex_ = -1;
    bool visible_ = false;
    CGFloat titleHeight_ = 0;
    std::shared_ptr<UIView> titleLabel_;
    std::shared_ptr<UIScrollView> buttonArea_;
    std::vector<std::shared_ptr<SheetButton>> buttons_;
};
