#pragma once
// A scrolling list of rows in sections. Only the rows on screen have cells: the table asks its
// data source for the cell of a row when the row comes into view and puts the cell into a reuse
// queue when it leaves, so a table of any length costs a screenful of cells. The section
// layout (row heights, headers) is taken once per reloadData.
#include "uikit/NSIndexPath.h"
#include "uikit/UIScrollView.h"
#include "uikit/UITableViewCell.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class UITableView;

enum UITableViewStyle {
    UITableViewStylePlain = 0,
    UITableViewStyleGrouped = 1,
};

enum UITableViewScrollPosition {
    UITableViewScrollPositionNone = 0,
    UITableViewScrollPositionTop = 1,
    UITableViewScrollPositionMiddle = 2,
    UITableViewScrollPositionBottom = 3,
};

class UITableViewDataSource {
public:
    virtual ~UITableViewDataSource() = default;
    virtual int numberOfSectionsInTableView(UITableView* tableView)
    {
        (void)tableView;
        return 1;
    }
    virtual int tableView_numberOfRowsInSection(UITableView* tableView, int section)
    {
        (void)tableView, (void)section;
        return 0;
    }
    // A cell from dequeueReusableCellWithIdentifier or a new one; nullptr shows an empty row.
    virtual std::shared_ptr<UITableViewCell> tableView_cellForRowAtIndexPath(
        UITableView* tableView, const NSIndexPath& indexPath)
    {
        (void)tableView, (void)indexPath;
        return nullptr;
    }
    // Empty: the section has no header.
    virtual std::string tableView_titleForHeaderInSection(UITableView* tableView, int section)
    {
        (void)tableView, (void)section;
        return {};
    }
    // The index down the right edge of a plain table ("A", "B", ... "#"): a touch on a title,
    // or a finger dragged along them, scrolls its section to the top. Empty: no index.
    virtual std::vector<std::string> sectionIndexTitlesForTableView(UITableView* tableView)
    {
        (void)tableView;
        return {};
    }
    // The section the index's title at `index` stands for; by default the section at that
    // position. A section that does not exist scrolls nowhere.
    virtual int tableView_sectionForSectionIndexTitle_atIndex(UITableView* tableView,
                                                              const std::string& title, int index)
    {
        (void)tableView, (void)title;
        return index;
    }
};

class UITableViewDelegate {
public:
    virtual ~UITableViewDelegate() = default;
    // The table's rowHeight unless answered.
    virtual CGFloat tableView_heightForRowAtIndexPath(UITableView* tableView,
                                                      const NSIndexPath& indexPath);
    // None keeps the cell's own accessory type.
    virtual std::optional<UITableViewCellAccessoryType> tableView_accessoryTypeForRowWithIndexPath(
        UITableView* tableView, const NSIndexPath& indexPath)
    {
        (void)tableView, (void)indexPath;
        return std::nullopt;
    }
    virtual void tableView_didSelectRowAtIndexPath(UITableView* tableView,
                                                   const NSIndexPath& indexPath)
    {
        (void)tableView, (void)indexPath;
    }
    virtual UITableViewCellEditingStyle tableView_editingStyleForRowAtIndexPath(
        UITableView* tableView, const NSIndexPath& indexPath)
    {
        (void)tableView, (void)indexPath;
        return UITableViewCellEditingStyleDelete;
    }
};

class UITableView : public UIScrollView {
public:
    // initWithFrame:style:
    UITableView(CGRect frame, UITableViewStyle style);
    ~UITableView() override;
    std::string className() const override { return "UITableView"; }

    UITableViewStyle style() const { return style_; }
    // Neither is owned.
    UITableViewDataSource* dataSource() const { return dataSource_; }
    void setDataSource(UITableViewDataSource* dataSource);
    UITableViewDelegate* delegate() const { return delegate_; }
    void setDelegate(UITableViewDelegate* delegate);
    // 44 by default.
    CGFloat rowHeight() const { return rowHeight_; }
    void setRowHeight(CGFloat height);

    // Asks the data source and the delegate again for the sections, rows, heights and headers;
    // the cells on screen go back to the reuse queue and the rows in view get cells anew at the
    // next layout. The selection is cleared.
    void reloadData();
    // A cell that left the screen with that identifier, or nullptr.
    std::shared_ptr<UITableViewCell> dequeueReusableCellWithIdentifier(std::string_view identifier);

    // As of the last reloadData.
    int numberOfSections() const;
    int numberOfRowsInSection(int section) const;
    const std::string& titleForHeaderInSection(int section) const;
    const std::vector<std::string>& sectionIndexTitles() const { return indexTitles_; }
    // What a touch on the index's title at `index` does: scrolls the section it stands for to
    // the top.
    void scrollToSectionIndexTitleAtIndex(int index);

    // In the table's content coordinates.
    CGRect rectForRowAtIndexPath(const NSIndexPath& indexPath) const;
    std::optional<NSIndexPath> indexPathForRowAtPoint(CGPoint point) const;
    // The cell showing the row, nullptr when the row is not on screen.
    UITableViewCell* cellForRowAtIndexPath(const NSIndexPath& indexPath) const;
    // Top to bottom.
    std::vector<UITableViewCell*> visibleCells() const;
    std::vector<NSIndexPath> indexPathsForVisibleRows() const;

    std::optional<NSIndexPath> indexPathForSelectedRow() const { return selected_; }
    void selectRowAtIndexPath_animated_scrollPosition(const NSIndexPath& indexPath, bool animated,
                                                      UITableViewScrollPosition position);
    void deselectRowAtIndexPath_animated(const NSIndexPath& indexPath, bool animated);
    void scrollToRowAtIndexPath_atScrollPosition_animated(const NSIndexPath& indexPath,
                                                          UITableViewScrollPosition position,
                                                          bool animated);

    // The row the keyboard is on: the one it last moved to, else the selected row, else the
    // first; nullopt when the table has no rows.
    std::optional<NSIndexPath> indexPathForFocusedRow() const;
    // A table with rows takes the focus; the ring goes around its focused row. Up and Down move
    // it to the row above or below, Page Up and Page Down a table's height away, Home and End to
    // the first and last row, each scrolled into view; Return, Enter or Space select it and tell
    // the delegate, as a tap on it does.
    bool canBecomeFocused() const override { return firstRow().has_value(); }
    bool keyPressed(UIKey key) override;
    CGRect focusRingRect() const override;

    void setContentOffset(CGPoint offset) override;
    void setFrame(CGRect frame) override;
    void layoutSubviews() override;
    void drawRect(CGRect rect) override;
    UIAccessibilityContainerType accessibilityContainerType() const override
    {
        return UIAccessibilityContainerTypeList;
    }
    void describe(uikit::DumpRecord& record) const override;

protected:
    void tapped(CGPoint point) override;

private:
    struct Section {
        std::string title;
        CGFloat top = 0; // header top
        CGFloat headerHeight = 0;
        CGFloat rowsTop = 0; // first row's top
        CGFloat footerHeight = 0;
        std::vector<CGFloat> rowTops; // size rows + 1: the last entry is the bottom
    };
    class HeaderView;
    class SectionIndexView;

    // The first reload happens on first need, once the data source is set.
    void loadIfNeeded();
    bool validIndexPath(const NSIndexPath& indexPath) const;
    void recycle(const NSIndexPath& indexPath);
    void placeCell(UITableViewCell& cell, const NSIndexPath& indexPath);
    void layoutHeaders();
    void placeIndex();
    CGFloat headerHeightFor(const std::string& title, int section) const;
    std::optional<NSIndexPath> firstRow() const;
    std::optional<NSIndexPath> lastRow() const;
    // `step` rows on, across sections; the row itself at either end.
    NSIndexPath rowAfter(const NSIndexPath& indexPath, int step) const;
    NSIndexPath rowAtOrAbove(CGFloat y) const;

    UITableViewStyle style_;
    UITableViewDataSource* dataSource_ = nullptr;
    UITableViewDelegate* delegate_ = nullptr;
    CGFloat rowHeight_ = 44;
    bool needsReload_ = true;
    std::vector<Section> sections_;
    std::map<NSIndexPath, std::shared_ptr<UITableViewCell>> visible_;
    std::map<std::string, std::vector<std::shared_ptr<UITableViewCell>>, std::less<>> reuseQueue_;
    std::map<int, std::shared_ptr<HeaderView>> headers_;
    std::vector<std::string> indexTitles_;
    std::shared_ptr<SectionIndexView> index_;
    std::optional<NSIndexPath> selected_;
    std::optional<NSIndexPath> focusedRow_;
};
