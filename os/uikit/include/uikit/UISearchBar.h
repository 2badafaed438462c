#pragma once
// A search field on a bar: a rounded text field with a magnifier and a grey placeholder, and,
// while the field has the keyboard, a "Cancel" button at its right end. Every change the user
// makes to the text is told to the delegate at once, so a list can filter as the user types.
// Cancel empties the field (telling the delegate of that change), gives the keyboard up, then
// tells the delegate it was tapped. setText from code tells nothing.
#include "uikit/UIView.h"

#include <memory>
#include <string>
#include <string_view>

class UISearchBar;
class UITextField;

class UISearchBarDelegate {
public:
    virtual ~UISearchBarDelegate() = default;
    virtual void searchBar_textDidChange(UISearchBar* searchBar, const std::string& searchText)
    {
        (void)searchBar, (void)searchText;
    }
    virtual void searchBarTextDidBeginEditing(UISearchBar* searchBar) { (void)searchBar; }
    virtual void searchBarTextDidEndEditing(UISearchBar* searchBar) { (void)searchBar; }
    virtual void searchBarCancelButtonClicked(UISearchBar* searchBar) { (void)searchBar; }
};

class UISearchBar : public UIView {
public:
    // The standard bar is 44 points high; a zero frame gets that height.
    explicit UISearchBar(CGRect frame = CGRectZero);
    ~UISearchBar() override;
    std::string className() const override { return "UISearchBar"; }

    std::string text() const;
    void setText(std::string_view text);
    std::string placeholder() const;
    void setPlaceholder(std::string placeholder);
    // Not owned.
    UISearchBarDelegate* delegate() const { return delegate_; }
    void setDelegate(UISearchBarDelegate* delegate) { delegate_ = delegate; }

    // The field has the keyboard, and so the Cancel button shows.
    bool isEditing() const;
    void becomeFirstResponder();
    void resignFirstResponder();

    void layoutSubviews() override;
    void drawRect(CGRect rect) override;
    void describe(uikit::DumpRecord& record) const override;

private:
    class CancelButton;
    void editingChanged();
    void cancel();

    std::shared_ptr<UITextField> field_;
    std::shared_ptr<CancelButton> cancelButton_;
    UISearchBarDelegate* delegate_ = nullptr;
};
