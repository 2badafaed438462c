#include "uikit/UITableView.h"

#include "ColorBytes.h"
#include "uikit/KeyboardFocus.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIStringDrawing.h"
#include "uikit/ViewDump.h"

#include <algorithm>
#include <cmath>
#include <set>

using namespace uikit;

namespace {

constexpr CGFloat plainHeaderHeight = 22;
constexpr CGFloat groupedTitleHeight = 36;
constexpr CGFloat groupedGap = 10;
constexpr CGFloat groupInset = 10;
const UIFont plainHeaderFont = UIFont::boldSystemFontOfSize(18);
const UIFont groupedHeaderFont = UIFont::boldSystemFontOfSize(17);

} // namespace

CGFloat UITableViewDelegate::tableView_heightForRowAtIndexPath(UITableView* tableView,
                                                               const NSIndexPath& indexPath)
{
    (void)indexPath;
    return tableView ? tableView->rowHeight() : 44;
}

// A section's title: a grey bar across a plain table, or text above a group.
class UITableView::HeaderView : public UIView {
public:
    HeaderView(std::string title, UITableViewStyle style) : title_(std::move(title)), style_(style)
    {
        setUserInteractionEnabled(false);
    }
    std::string className() const override { return "UITableViewHeader"; }
    bool isAccessibilityElement() const override { return !title_.empty(); }
    std::string defaultAccessibilityLabel() const override { return title_; }
    UIAccessibilityTraits defaultAccessibilityTraits() const override
    {
        return UIAccessibilityTraitHeader;
    }
    const std::string& title() const { return title_; }
    void setTitle(std::string title)
    {
        title_ = std::move(title);
        setNeedsDisplay();
    }

    void drawRect(CGRect rect) override
    {
        if (!UIGraphicsGetCurrentContext())
            return;
        if (style_ == UITableViewStylePlain) {
            UIRectFillWithGradient(rect, CGLinearGradient::vertical(rect, rgb(0xa5, 0xb1, 0xba),
                                                                    rgb(0xb9, 0xc2, 0xc9)));
            UIGraphicsSetFillColor(rgb(0x98, 0xa5, 0xb0));
            UIRectFill(CGRectMake(rect.origin.x, rect.origin.y, rect.size.width, 1));
            UIRectFill(CGRectMake(rect.origin.x, CGRectGetMaxY(rect) - 1, rect.size.width, 1));
            const CGFloat line = plainHeaderFont.lineHeight();
            const CGRect text = CGRectMake(rect.origin.x + 12, CGRectGetMidY(rect) - line / 2,
                                           rect.size.width - 24, line);
            UIGraphicsSetFillColor(UIColor(0.42f, 0.47f, 0.53f, 1));
            drawInRect_withFont_lineBreakMode_alignment(
                title_, CGRectOffset(text, 0, 1), plainHeaderFont, UILineBreakModeTailTruncation,
                UITextAlignmentLeft);
            UIGraphicsSetFillColor(UIColor::whiteColor());
            drawInRect_withFont_lineBreakMode_alignment(
                title_, text, plainHeaderFont, UILineBreakModeTailTruncation, UITextAlignmentLeft);
            return;
        }
        const CGFloat line = groupedHeaderFont.lineHeight();
        const CGRect text = CGRectMake(rect.origin.x + 20, CGRectGetMaxY(rect) - line - 7,
                                       rect.size.width - 40, line);
        UIGraphicsSetFillColor(UIColor::whiteColor());
        drawInRect_withFont_lineBreakMode_alignment(
            title_, CGRectOffset(text, 0, 1), groupedHeaderFont, UILineBreakModeTailTruncation,
            UITextAlignmentLeft);
        UIGraphicsSetFillColor(UIColor(0.3f, 0.34f, 0.42f, 1));
        drawInRect_withFont_lineBreakMode_alignment(
            title_, text, groupedHeaderFont, UILineBreakModeTailTruncation, UITextAlignmentLeft);
    }

    void describe(DumpRecord& record) const override
    {
        UIView::describe(record);
        record.set("text", title_);
    }

private:
    std::string title_;
    UITableViewStyle style_;
};

// The section index down the right edge: the titles spread evenly over the table's middle. A
// touch anywhere in the column picks the title at its height; dragging picks each title passed.
class UITableView::SectionIndexView : public UIView {
public:
    static constexpr CGFloat width = 20;

    explicit SectionIndexView(UITableView& table) : table_(table) { setOpaque(false); }
    std::string className() const override { return "UITableViewIndex"; }

    bool handlesTouches() const override { return true; }
    void touchesBegan(CGPoint point) override
    {
        touching_ = true;
        picked_ = -1;
        pick(point);
        setNeedsDisplay();
    }
    void touchesMoved(CGPoint point) override { pick(point); }
    void touchesEnded(CGPoint point) override
    {
        (void)point;
        touchesCancelled();
    }
    void touchesCancelled() override
    {
        touching_ = false;
        setNeedsDisplay();
    }

    void drawRect(CGRect rect) override
    {
        if (!UIGraphicsGetCurrentContext())
            return;
        const auto& titles = table_.sectionIndexTitles();
        if (touching_) {
            UIGraphicsSetFillColor(rgb(0, 0, 0, 60));
            UIRoundedRectFill(CGRectInset(rect, 2, 2), 8);
        }
        const CGFloat line = indexFont.lineHeight();
        for (size_t i = 0; i < titles.size(); ++i) {
            const CGRect text = CGRectMake(rect.origin.x, rowTop(int(i)) + (step() - line) / 2,
                                           rect.size.width, line);
            UIGraphicsSetFillColor(UIColor(0.36f, 0.4f, 0.47f, 1));
            drawInRect_withFont_lineBreakMode_alignment(titles[i], text, indexFont,
                                                        UILineBreakModeClip, UITextAlignmentCenter);
        }
    }

    void describe(DumpRecord& record) const override
    {
        UIView::describe(record);
        record.set("titles", DumpRecord::List{});
        for (const auto& title : table_.sectionIndexTitles())
            record.append("titles").set("title", title);
    }

private:
    inline static const UIFont indexFont = UIFont::boldSystemFontOfSize(11);

    CGFloat step() const
    {
        const size_t count = std::max<size_t>(1, table_.sectionIndexTitles().size());
        return std::min(CGFloat(16), (bounds().size.height - 8) / CGFloat(count));
    }
    CGFloat rowTop(int index) const
    {
        const CGFloat all = step() * CGFloat(table_.sectionIndexTitles().size());
        return bounds().origin.y + (bounds().size.height - all) / 2 + step() * CGFloat(index);
    }
    void pick(CGPoint point)
    {
        const int count = int(table_.sectionIndexTitles().size());
        if (count == 0)
            return;
        const int index = std::clamp(int(std::floor((point.y - rowTop(0)) / step())), 0, count - 1);
        if (index == picked_)
            return;
        picked_ = index;
        table_.scrollToSectionIndexTitleAtIndex(index);
    }

    UITableView& table_;
    bool touching_ = false;
    int picked_ = -1;
};

UITableView::UITableView(CGRect frame, UITableViewStyle style) : UIScrollView(frame), style_(style)
{
    setBackgroundColor(style == UITableViewStylePlain ? UIColor::whiteColor()
                                                      : UIColor(0.773f, 0.8f, 0.831f, 1));
}

UITableView::~UITableView() = default;

void UITableView::setDataSource(UITableViewDataSource* dataSource)
{
    dataSource_ = dataSource;
    needsReload_ = true;
    setNeedsLayout();
}

void UITableView::setDelegate(UITableViewDelegate* delegate)
{
    delegate_ = delegate;
    needsReload_ = true;
    setNeedsLayout();
}

void UITableView::setRowHeight(CGFloat height)
{
    rowHeight_ = height;
    needsReload_ = true;
    setNeedsLayout();
}

CGFloat UITableView::headerHeightFor(const std::string& title, int section) const
{
    (void)section;
    if (style_ == UITableViewStylePlain)
        return title.empty() ? 0 : plainHeaderHeight;
    return title.empty() ? groupedGap : groupedTitleHeight;
}

void UITableView::reloadData()
{
    needsReload_ = false;
    for (auto& [indexPath, cell] : visible_) {
        cell->removeFromSuperview();
        if (!cell->reuseIdentifier().empty())
            reuseQueue_[cell->reuseIdentifier()].push_back(cell);
    }
    visible_.clear();
    for (auto& [section, header] : headers_)
        header->removeFromSuperview();
    headers_.clear();
    if (selected_) {
        selected_.reset();
    }
    sections_.clear();

    const int count = dataSource_ ? std::max(0, dataSource_->numberOfSectionsInTableView(this)) : 0;
    CGFloat y = 0;
    for (int s = 0; s < count; ++s) {
        Section section;
        section.title = dataSource_->tableView_titleForHeaderInSection(this, s);
        section.top = y;
        section.headerHeight = headerHeightFor(section.title, s);
        section.rowsTop = y + section.headerHeight;
        const int rows = std::max(0, dataSource_->tableView_numberOfRowsInSection(this, s));
        section.rowTops.reserve(size_t(rows) + 1);
        CGFloat rowY = section.rowsTop;
        for (int r = 0; r < rows; ++r) {
            section.rowTops.push_back(rowY);
            const NSIndexPath indexPath = NSIndexPath::indexPathForRow_inSection(r, s);
            rowY += delegate_
                        ? std::max(CGFloat(0),
                                   delegate_->tableView_heightForRowAtIndexPath(this, indexPath))
                        : rowHeight_;
        }
        section.rowTops.push_back(rowY);
        section.footerHeight = style_ == UITableViewStyleGrouped && rows > 0 ? groupedGap : 0;
        y = rowY + section.footerHeight;
        sections_.push_back(std::move(section));
    }
    indexTitles_ = dataSource_ ? dataSource_->sectionIndexTitlesForTableView(this)
                               : std::vector<std::string>{};
    if (indexTitles_.empty() && index_) {
        index_->removeFromSuperview();
        index_.reset();
    } else if (!indexTitles_.empty()) {
        if (!index_)
            index_ = std::make_shared<SectionIndexView>(*this);
        index_->setNeedsDisplay();
    }
    setContentSize({frame().size.width, y});
    setNeedsLayout();
    setNeedsDisplay();
}

std::shared_ptr<UITableViewCell> UITableView::dequeueReusableCellWithIdentifier(
    std::string_view identifier)
{
    auto queue = reuseQueue_.find(identifier);
    if (queue == reuseQueue_.end() || queue->second.empty())
        return nullptr;
    auto cell = std::move(queue->second.back());
    queue->second.pop_back();
    cell->prepareForReuse();
    return cell;
}

int UITableView::numberOfSections() const { return int(sections_.size()); }

int UITableView::numberOfRowsInSection(int section) const
{
    if (section < 0 || section >= int(sections_.size()))
        return 0;
    return int(sections_[size_t(section)].rowTops.size()) - 1;
}

const std::string& UITableView::titleForHeaderInSection(int section) const
{
    static const std::string none;
    if (section < 0 || section >= int(sections_.size()))
        return none;
    return sections_[size_t(section)].title;
}

bool UITableView::validIndexPath(const NSIndexPath& indexPath) const
{
    return indexPath.row() >= 0 && indexPath.row() < numberOfRowsInSection(indexPath.section());
}

CGRect UITableView::rectForRowAtIndexPath(const NSIndexPath& indexPath) const
{
    if (!validIndexPath(indexPath))
        return CGRectZero;
    const auto& tops = sections_[size_t(indexPath.section())].rowTops;
    const CGFloat top = tops[size_t(indexPath.row())];
    const CGFloat width = frame().size.width;
    if (style_ == UITableViewStyleGrouped)
        return CGRectMake(groupInset, top, width - 2 * groupInset,
                          tops[size_t(indexPath.row()) + 1] - top);
    return CGRectMake(0, top, width, tops[size_t(indexPath.row()) + 1] - top);
}

std::optional<NSIndexPath> UITableView::indexPathForRowAtPoint(CGPoint point) const
{
    for (size_t s = 0; s < sections_.size(); ++s) {
        const auto& tops = sections_[s].rowTops;
        if (tops.size() < 2 || point.y < tops.front() || point.y >= tops.back())
            continue;
        const auto after = std::upper_bound(tops.begin(), tops.end(), point.y);
        const int row = int(after - tops.begin()) - 1;
        const NSIndexPath indexPath = NSIndexPath::indexPathForRow_inSection(row, int(s));
        if (CGRectContainsPoint(rectForRowAtIndexPath(indexPath), point))
            return indexPath;
        return std::nullopt;
    }
    return std::nullopt;
}

UITableViewCell* UITableView::cellForRowAtIndexPath(const NSIndexPath& indexPath) const
{
    auto found = visible_.find(indexPath);
    return found == visible_.end() ? nullptr : found->second.get();
}

std::vector<UITableViewCell*> UITableView::visibleCells() const
{
    std::vector<UITableViewCell*> cells;
    for (const auto& [indexPath, cell] : visible_)
        cells.push_back(cell.get());
    return cells;
}

std::vector<NSIndexPath> UITableView::indexPathsForVisibleRows() const
{
    std::vector<NSIndexPath> rows;
    for (const auto& [indexPath, cell] : visible_)
        rows.push_back(indexPath);
    return rows;
}

void UITableView::placeCell(UITableViewCell& cell, const NSIndexPath& indexPath)
{
    cell.setFrame(rectForRowAtIndexPath(indexPath));
    if (style_ == UITableViewStyleGrouped) {
        const int rows = numberOfRowsInSection(indexPath.section());
        using P = UITableViewCell::GroupPosition;
        cell.setGroupPosition(rows == 1                     ? P::Single
                              : indexPath.row() == 0        ? P::Top
                              : indexPath.row() == rows - 1 ? P::Bottom
                                                            : P::Middle);
    }
}

void UITableView::recycle(const NSIndexPath& indexPath)
{
    auto found = visible_.find(indexPath);
    if (found == visible_.end())
        return;
    auto cell = std::move(found->second);
    visible_.erase(found);
    cell->removeFromSuperview();
    if (!cell->reuseIdentifier().empty())
        reuseQueue_[cell->reuseIdentifier()].push_back(std::move(cell));
}

void UITableView::setContentOffset(CGPoint offset)
{
    UIScrollView::setContentOffset(offset);
    // The index stays put at the right edge, above the rows and headers that scroll under it.
    if (index_)
        placeIndex();
    setNeedsLayout();
}

void UITableView::setFrame(CGRect frame)
{
    const bool widthChanged = frame.size.width != this->frame().size.width;
    UIScrollView::setFrame(frame);
    if (widthChanged)
        setContentSize({frame.size.width, contentSize().height});
    setNeedsLayout();
}

void UITableView::layoutSubviews()
{
    UIScrollView::layoutSubviews();
    loadIfNeeded();
    const CGRect view = bounds();
    const CGFloat top = view.origin.y, bottom = CGRectGetMaxY(view);

    std::set<NSIndexPath> wanted;
    for (size_t s = 0; s < sections_.size(); ++s) {
        const auto& tops = sections_[s].rowTops;
        if (tops.size() < 2 || tops.back() <= top || tops.front() >= bottom)
            continue;
        auto first = std::upper_bound(tops.begin(), tops.end(), top);
        int row = std::max(0, int(first - tops.begin()) - 1);
        for (; row < int(tops.size()) - 1 && tops[size_t(row)] < bottom; ++row)
            wanted.insert(NSIndexPath::indexPathForRow_inSection(row, int(s)));
    }
    // Cells that left the screen go back to the queue first, so the new rows can reuse them.
    std::vector<NSIndexPath> gone;
    for (const auto& [indexPath, cell] : visible_)
        if (!wanted.count(indexPath))
            gone.push_back(indexPath);
    for (const auto& indexPath : gone)
        recycle(indexPath);

    for (const auto& indexPath : wanted) {
        if (auto found = visible_.find(indexPath); found != visible_.end()) {
            placeCell(*found->second, indexPath);
            continue;
        }
        std::shared_ptr<UITableViewCell> cell =
            dataSource_ ? dataSource_->tableView_cellForRowAtIndexPath(this, indexPath) : nullptr;
        if (!cell)
            cell = std::make_shared<UITableViewCell>(CGRectZero, std::string());
        if (delegate_)
            if (auto accessory =
                    delegate_->tableView_accessoryTypeForRowWithIndexPath(this, indexPath))
                cell->setAccessoryType(*accessory);
        placeCell(*cell, indexPath);
        // Every cell put on screen hears its row's selection state, as on the platform, even
        // when it is unchanged: cells restyle their views there.
        cell->setSelected_animated(selected_ == indexPath, false);
        // Its content may have changed with its new row.
        cell->setNeedsLayout();
        // Cells lie at the back in row order, below the headers.
        const auto position = visible_.emplace(indexPath, cell).first;
        insertSubview_atIndex(std::move(cell), size_t(std::distance(visible_.begin(), position)));
    }
    layoutHeaders();
    if (index_) {
        placeIndex();
        if (index_->superview() != this)
            addSubview(index_);
        else
            bringSubviewToFront(index_.get());
    }
}

void UITableView::placeIndex()
{
    // At once with every scroll, not at the next layout: a finger dragged along the index is
    // followed in its coordinates, which must not move under it.
    const CGRect view = bounds();
    index_->setFrame(CGRectMake(CGRectGetMaxX(view) - SectionIndexView::width, view.origin.y,
                                SectionIndexView::width, view.size.height));
}

void UITableView::layoutHeaders()
{
    const CGRect view = bounds();
    const CGFloat top = view.origin.y, bottom = CGRectGetMaxY(view);
    std::set<int> shown;
    for (size_t s = 0; s < sections_.size(); ++s) {
        const Section& section = sections_[s];
        if (section.title.empty())
            continue;
        const CGFloat sectionBottom = section.rowTops.back();
        CGFloat y = section.top;
        if (style_ == UITableViewStylePlain)
            // The header of the section at the top stays in view until the next one pushes it.
            y = std::max(section.top, std::min(top, sectionBottom - section.headerHeight));
        if (y >= bottom || y + section.headerHeight <= top)
            continue;
        shown.insert(int(s));
        auto& header = headers_[int(s)];
        if (!header)
            header = std::make_shared<HeaderView>(section.title, style_);
        header->setFrame(CGRectMake(0, y, view.size.width, section.headerHeight));
        // Headers stay above the cells, which go in at the back.
        if (header->superview() != this)
            addSubview(header);
    }
    for (auto it = headers_.begin(); it != headers_.end();) {
        if (!shown.count(it->first)) {
            it->second->removeFromSuperview();
            it = headers_.erase(it);
        } else {
            ++it;
        }
    }
}

void UITableView::loadIfNeeded()
{
    if (needsReload_)
        reloadData();
}

void UITableView::selectRowAtIndexPath_animated_scrollPosition(const NSIndexPath& indexPath,
                                                               bool animated,
                                                               UITableViewScrollPosition position)
{
    loadIfNeeded();
    if (!validIndexPath(indexPath))
        return;
    if (selected_ && *selected_ != indexPath)
        deselectRowAtIndexPath_animated(*selected_, animated);
    selected_ = indexPath;
    if (UITableViewCell* cell = cellForRowAtIndexPath(indexPath))
        cell->setSelected_animated(true, animated);
    if (position != UITableViewScrollPositionNone)
        scrollToRowAtIndexPath_atScrollPosition_animated(indexPath, position, animated);
}

void UITableView::deselectRowAtIndexPath_animated(const NSIndexPath& indexPath, bool animated)
{
    if (selected_ == indexPath)
        selected_.reset();
    if (UITableViewCell* cell = cellForRowAtIndexPath(indexPath); cell && cell->isSelected())
        cell->setSelected_animated(false, animated);
}

void UITableView::scrollToRowAtIndexPath_atScrollPosition_animated(
    const NSIndexPath& indexPath, UITableViewScrollPosition position, bool animated)
{
    (void)animated;
    loadIfNeeded();
    if (!validIndexPath(indexPath))
        return;
    const CGRect row = rectForRowAtIndexPath(indexPath);
    const CGFloat height = frame().size.height;
    // Below the section's header, which stays at the top of a plain table.
    const CGFloat cover =
        style_ == UITableViewStylePlain ? sections_[size_t(indexPath.section())].headerHeight : 0;
    CGFloat y = contentOffset().y;
    switch (position) {
    case UITableViewScrollPositionTop: y = row.origin.y - cover; break;
    case UITableViewScrollPositionMiddle: y = CGRectGetMidY(row) - height / 2; break;
    case UITableViewScrollPositionBottom: y = CGRectGetMaxY(row) - height; break;
    case UITableViewScrollPositionNone:
        if (row.origin.y - cover < y)
            y = row.origin.y - cover;
        else if (CGRectGetMaxY(row) > y + height)
            y = CGRectGetMaxY(row) - height;
        break;
    }
    setContentOffset({contentOffset().x, y});
}

void UITableView::scrollToSectionIndexTitleAtIndex(int index)
{
    loadIfNeeded();
    if (index < 0 || index >= int(indexTitles_.size()) || !dataSource_)
        return;
    const int section = dataSource_->tableView_sectionForSectionIndexTitle_atIndex(
        this, indexTitles_[size_t(index)], index);
    if (section < 0 || section >= int(sections_.size()))
        return;
    setContentOffset({contentOffset().x, sections_[size_t(section)].top});
    setNeedsDisplay();
}

void UITableView::tapped(CGPoint point)
{
    const auto indexPath = indexPathForRowAtPoint(point);
    if (!indexPath)
        return;
    auto keepAlive = weak_from_this().lock();
    selectRowAtIndexPath_animated_scrollPosition(*indexPath, false, UITableViewScrollPositionNone);
    if (delegate_)
        delegate_->tableView_didSelectRowAtIndexPath(this, *indexPath);
}

std::optional<NSIndexPath> UITableView::firstRow() const
{
    for (int section = 0; section < numberOfSections(); ++section)
        if (numberOfRowsInSection(section) > 0)
            return NSIndexPath::indexPathForRow_inSection(0, section);
    return std::nullopt;
}

std::optional<NSIndexPath> UITableView::lastRow() const
{
    for (int section = numberOfSections() - 1; section >= 0; --section)
        if (const int rows = numberOfRowsInSection(section); rows > 0)
            return NSIndexPath::indexPathForRow_inSection(rows - 1, section);
    return std::nullopt;
}

NSIndexPath UITableView::rowAfter(const NSIndexPath& indexPath, int step) const
{
    int section = indexPath.section();
    int row = indexPath.row() + step;
    while (row < 0 || row >= numberOfRowsInSection(section)) {
        section += step;
        if (section < 0 || section >= numberOfSections())
            return indexPath;
        row = step > 0 ? 0 : numberOfRowsInSection(section) - 1;
    }
    return NSIndexPath::indexPathForRow_inSection(row, section);
}

// The last row starting at or above y, else the first row.
NSIndexPath UITableView::rowAtOrAbove(CGFloat y) const
{
    std::optional<NSIndexPath> found;
    for (size_t s = 0; s < sections_.size(); ++s) {
        const auto& tops = sections_[s].rowTops;
        if (tops.size() < 2)
            continue;
        if (tops.front() > y)
            break;
        const auto after = std::upper_bound(tops.begin(), tops.end() - 1, y);
        found = NSIndexPath::indexPathForRow_inSection(int(after - tops.begin()) - 1, int(s));
    }
    return found ? *found : *firstRow();
}

std::optional<NSIndexPath> UITableView::indexPathForFocusedRow() const
{
    if (focusedRow_ && validIndexPath(*focusedRow_))
        return focusedRow_;
    if (selected_ && validIndexPath(*selected_))
        return selected_;
    return firstRow();
}

bool UITableView::keyPressed(UIKey key)
{
    loadIfNeeded();
    const auto current = indexPathForFocusedRow();
    if (!current)
        return false;
    const CGRect row = rectForRowAtIndexPath(*current);
    const CGFloat page = bounds().size.height;
    NSIndexPath target = *current;
    switch (key) {
    case UIKey::Up: target = rowAfter(*current, -1); break;
    case UIKey::Down: target = rowAfter(*current, 1); break;
    case UIKey::PageUp: target = rowAtOrAbove(CGRectGetMidY(row) - page); break;
    case UIKey::PageDown: target = rowAtOrAbove(CGRectGetMidY(row) + page); break;
    case UIKey::Home: target = *firstRow(); break;
    case UIKey::End: target = *lastRow(); break;
    case UIKey::Activate:
        // The delegate may look for the row's cell, as after a tap on it.
        focusedRow_ = *current;
        scrollToRowAtIndexPath_atScrollPosition_animated(*current, UITableViewScrollPositionNone,
                                                         false);
        layoutIfNeeded();
        tapped({CGRectGetMidX(row), CGRectGetMidY(row)});
        return true;
    default: return false;
    }
    // The ring marks the row; selecting it too would leave a cell drawn as if tapped (white text
    // on a cell that covers the selection's blue with its own background) while it shows.
    focusedRow_ = target;
    scrollToRowAtIndexPath_atScrollPosition_animated(target, UITableViewScrollPositionNone, false);
    return true;
}

CGRect UITableView::focusRingRect() const
{
    const auto row = indexPathForFocusedRow();
    // Inside the row: the table's edges would cut a ring around it.
    return row ? CGRectInset(rectForRowAtIndexPath(*row), 3, 3) : bounds();
}

void UITableView::drawRect(CGRect rect)
{
    if (style_ != UITableViewStyleGrouped)
        return;
    // Fine vertical pinstripes behind the groups.
    UIGraphicsSetFillColor(rgb(0xcb, 0xd2, 0xd8));
    const int first = int(std::floor(rect.origin.x / 7)) * 7;
    for (int x = first; CGFloat(x) < CGRectGetMaxX(rect); x += 7)
        UIRectFill(CGRectMake(CGFloat(x + 4), rect.origin.y, 3, rect.size.height));
}

void UITableView::describe(DumpRecord& record) const
{
    UIScrollView::describe(record);
    record.set("contentOffset", DumpRecord::Numbers{contentOffset().x, contentOffset().y});
    for (size_t s = 0; s < sections_.size(); ++s) {
        DumpRecord& section = record.append("sections");
        section.set("title", sections_[s].title);
        section.set("rows", numberOfRowsInSection(int(s)));
    }
    if (sections_.empty())
        record.set("sections", DumpRecord::List{});
    if (focusedView() == this)
        if (const auto row = indexPathForFocusedRow())
            record.set("focusedRow",
                       DumpRecord::Numbers{double(row->section()), double(row->row())});
}
