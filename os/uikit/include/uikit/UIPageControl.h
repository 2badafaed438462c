#pragma once
// A row of dots, one per page, the current one bright. A tap right of the middle goes to the next
// page, left of it to the previous one, and sends UIControlEventValueChanged when the page changed.
#include "uikit/UIControl.h"

class UIPageControl : public UIControl {
public:
    explicit UIPageControl(CGRect frame = CGRectZero);
    std::string className() const override { return "UIPageControl"; }

    // Negative counts are taken as 0; the current page stays within the pages.
    void setNumberOfPages(int pages);
    int currentPage() const { return currentPage_; }
    void setCurrentPage(int page);

    CGSize sizeThatFits(CGSize size) const override;
    void touchesEnded(CGPoint point) override;
    void drawRect(CGRect rect) override;
    void describe(uikit::DumpRecord& record) const override;

private:
    int numberOfPages_ = 0;
    int currentPage_ = 0;
};
