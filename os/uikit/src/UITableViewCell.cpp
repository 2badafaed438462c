#include "uikit/UITableViewCell.h"

#include "Painting.h"
#include "ReadingText.h"
#include "uikit/UIImageView.h"
#include "uikit/ViewDump.h"

#include <QPainterPath>

using namespace uikit;

namespace {

constexpr CGFloat accessoryWidth = 33;
const QColor separatorColor(0xe0, 0xe0, 0xe0);
const QColor groupBorderColor(0xab, 0xab, 0xab);

// The accessory at the right of the row: a chevron, a check mark or a blue disclosure button.
class AccessoryView : public UIView {
public:
    explicit AccessoryView(UITableViewCell& cell) : cell_(cell)
    {
        setUserInteractionEnabled(false);
    }
    std::string className() const override { return "UITableViewCellAccessory"; }

    void drawRect(CGRect rect) override
    {
        QPainter* painter = currentPainter();
        if (!painter)
            return;
        const QPointF c = toQRect(rect).center();
        const bool light =
            cell_.isSelected() && cell_.selectionStyle() != UITableViewCellSelectionStyleNone;
        painter->save();
        switch (cell_.accessoryType()) {
        case UITableViewCellAccessoryDisclosureIndicator: {
            painter->setPen(QPen(light ? QColor(Qt::white) : QColor(0x80, 0x80, 0x80), 3,
                                 Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            const QPointF points[] = {
                {c.x() - 3, c.y() - 5}, {c.x() + 2, c.y()}, {c.x() - 3, c.y() + 5}};
            painter->drawPolyline(points, 3);
            break;
        }
        case UITableViewCellAccessoryCheckmark: {
            painter->setPen(QPen(light ? QColor(Qt::white) : QColor(0x32, 0x4f, 0x85), 3,
                                 Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            const QPointF points[] = {
                {c.x() - 6, c.y()}, {c.x() - 2, c.y() + 5}, {c.x() + 6, c.y() - 6}};
            painter->drawPolyline(points, 3);
            break;
        }
        case UITableViewCellAccessoryDetailDisclosureButton: {
            painter->setPen(QPen(Qt::white, 2));
            painter->setBrush(QColor(0x23, 0x6e, 0xd8));
            painter->drawEllipse(c, 11, 11);
            painter->setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            const QPointF points[] = {
                {c.x() - 2, c.y() - 5}, {c.x() + 3, c.y()}, {c.x() - 2, c.y() + 5}};
            painter->drawPolyline(points, 3);
            break;
        }
        case UITableViewCellAccessoryNone: break;
        }
        painter->restore();
    }

private:
    UITableViewCell& cell_;
};

void highlightTree(UIView& view, bool highlighted)
{
    for (const auto& subview : view.subviews()) {
        if (auto* label = dynamic_cast<UILabel*>(subview.get()))
            label->setHighlighted(highlighted);
        else if (auto* image = dynamic_cast<UIImageView*>(subview.get()))
            image->setHighlighted(highlighted);
        highlightTree(*subview, highlighted);
    }
}

} // namespace

UITableViewCell::UITableViewCell(CGRect frame, std::string reuseIdentifier)
    : UIView(frame), reuseIdentifier_(std::move(reuseIdentifier))
{
    setBackgroundColor(UIColor::whiteColor());
    contentView_ = std::make_shared<UIView>(bounds());
    contentView_->setBackgroundColor(UIColor::clearColor());
    contentView_->setOpaque(false);
    addSubview(contentView_);
    accessoryView_ = std::make_shared<AccessoryView>(*this);
    accessoryView_->setHidden(true);
    addSubview(accessoryView_);
}

UITableViewCell::~UITableViewCell() = default;

UILabel* UITableViewCell::textLabel()
{
    if (!textLabel_) {
        textLabel_ = std::make_shared<UILabel>();
        textLabel_->setFont(UIFont::boldSystemFontOfSize(20));
        textLabel_->setBackgroundColor(UIColor::clearColor());
        textLabel_->setOpaque(false);
        textLabel_->setHighlightedTextColor(UIColor::whiteColor());
        contentView_->addSubview(textLabel_);
        setNeedsLayout();
    }
    return textLabel_.get();
}

const std::string& UITableViewCell::text() const
{
    static const std::string none;
    return textLabel_ ? textLabel_->text() : none;
}

void UITableViewCell::setText(std::string text) { textLabel()->setText(std::move(text)); }

void UITableViewCell::setAccessoryType(UITableViewCellAccessoryType type)
{
    if (accessoryType_ == type)
        return;
    accessoryType_ = type;
    setNeedsLayout();
    setNeedsDisplay();
}

void UITableViewCell::setSelectionStyle(UITableViewCellSelectionStyle style)
{
    selectionStyle_ = style;
    setNeedsDisplay();
}

void UITableViewCell::setSelected_animated(bool selected, bool animated)
{
    (void)animated;
    selected_ = selected;
    highlightTree(*contentView_, selected && selectionStyle_ != UITableViewCellSelectionStyleNone);
    setNeedsDisplay();
}

void UITableViewCell::setGroupPosition(GroupPosition position)
{
    if (groupPosition_ == position)
        return;
    groupPosition_ = position;
    setBackgroundColor(position == GroupPosition::None ? UIColor::whiteColor()
                                                       : UIColor::clearColor());
    setNeedsLayout();
}

void UITableViewCell::layoutSubviews()
{
    UIView::layoutSubviews();
    const CGRect box = bounds();
    const bool accessory = accessoryType_ != UITableViewCellAccessoryNone;
    // The bottom line of a row is its separator.
    const CGFloat height = std::max(CGFloat(0), box.size.height - 1);
    const CGFloat inset = groupPosition_ == GroupPosition::None ? 0 : 1;
    contentView_->setFrame(CGRectMake(box.origin.x + inset, box.origin.y + inset / 2,
                                      box.size.width - 2 * inset - (accessory ? accessoryWidth : 0),
                                      height - inset / 2));
    accessoryView_->setHidden(!accessory);
    accessoryView_->setFrame(
        CGRectMake(CGRectGetMaxX(box) - accessoryWidth, box.origin.y, accessoryWidth, height));
    if (textLabel_)
        textLabel_->setFrame(CGRectMake(10, 0, contentView_->frame().size.width - 20, height));
}

void UITableViewCell::drawRect(CGRect rect)
{
    QPainter* painter = currentPainter();
    if (!painter)
        return;
    const QRectF box = toQRect(rect);
    const bool showSelection = selected_ && selectionStyle_ != UITableViewCellSelectionStyleNone;
    QColor top = Qt::white, bottom = Qt::white;
    if (showSelection && selectionStyle_ == UITableViewCellSelectionStyleBlue)
        top = QColor(0x05, 0x8c, 0xf5), bottom = QColor(0x01, 0x5e, 0xe6);
    else if (showSelection)
        top = QColor(0xbb, 0xbb, 0xbb), bottom = QColor(0x8e, 0x8e, 0x8e);

    if (groupPosition_ == GroupPosition::None) {
        if (showSelection)
            fillGradient(*painter, box, top, bottom);
        painter->fillRect(QRectF(box.left(), box.bottom() - 1, box.width(), 1), separatorColor);
        return;
    }
    // A part of a rounded group: corners at the group's top and bottom only.
    const qreal radius = 9;
    const QRectF shape = box.adjusted(0.5, 0.5, -0.5, -0.5);
    const bool roundTop =
        groupPosition_ == GroupPosition::Single || groupPosition_ == GroupPosition::Top;
    const bool roundBottom =
        groupPosition_ == GroupPosition::Single || groupPosition_ == GroupPosition::Bottom;
    QPainterPath path;
    path.moveTo(shape.left(), shape.top() + (roundTop ? radius : 0));
    if (roundTop) {
        path.quadTo(shape.topLeft(), QPointF(shape.left() + radius, shape.top()));
        path.lineTo(shape.right() - radius, shape.top());
        path.quadTo(shape.topRight(), QPointF(shape.right(), shape.top() + radius));
    } else {
        path.lineTo(shape.topLeft());
        path.lineTo(shape.topRight());
    }
    if (roundBottom) {
        path.lineTo(shape.right(), shape.bottom() - radius);
        path.quadTo(shape.bottomRight(), QPointF(shape.right() - radius, shape.bottom()));
        path.lineTo(shape.left() + radius, shape.bottom());
        path.quadTo(shape.bottomLeft(), QPointF(shape.left(), shape.bottom() - radius));
    } else {
        path.lineTo(shape.bottomRight());
        path.lineTo(shape.bottomLeft());
    }
    path.closeSubpath();
    painter->fillPath(path, verticalGradient(box, top, bottom));
    painter->save();
    painter->setPen(QPen(groupBorderColor, 1));
    painter->drawPath(path);
    // Rows inside a group meet at a light separator, not at the group's border.
    if (!roundTop) {
        painter->setPen(QPen(top, 1));
        painter->drawLine(QPointF(shape.left() + 1, shape.top()),
                          QPointF(shape.right() - 1, shape.top()));
    }
    if (!roundBottom) {
        painter->setPen(QPen(separatorColor, 1));
        painter->drawLine(QPointF(shape.left() + 1, shape.bottom()),
                          QPointF(shape.right() - 1, shape.bottom()));
    }
    painter->restore();
}

std::string UITableViewCell::defaultAccessibilityLabel() const { return readingText(*this); }

void UITableViewCell::describe(DumpRecord& record) const
{
    UIView::describe(record);
    record.set("selected", selected_);
    if (textLabel_)
        record.set("text", textLabel_->text());
}
