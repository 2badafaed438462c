#include "TodoCell.h"

#include "engine/Signs.h"
#include "foundation/Bundle.h"
#include "uikit/UIGraphics.h"
#include "uikit/UIStringDrawing.h"

std::shared_ptr<UIImage> TodoCell::priority1Image;
std::shared_ptr<UIImage> TodoCell::itemImage;

namespace {
constexpr CGFloat kDateMaxWidth = 240;
constexpr CGSize kSignImageSize{20, 21};
} // namespace

void TodoCell::initialize()
{
    static const bool done = [] {
        itemImage = UIImage::imageNamed("aries.png");
        priority1Image = UIImage::imageNamed("contact.png");
        return true;
    }();
    (void)done;
}

CGSize TodoCell::photoSize()
{
    initialize();
    return priority1Image ? priority1Image->size() : CGSize{};
}

std::shared_ptr<UILabel> TodoCell::newLabelWithPrimaryColor_selectedColor_fontSize_bold(
    const UIColor& primaryColor, const UIColor& selectedColor, CGFloat fontSize, bool bold)
{
    auto label = std::make_shared<UILabel>(CGRectZero);
    label->setBackgroundColor(UIColor::whiteColor());
    label->setOpaque(true);
    label->setTextColor(primaryColor);
    label->setHighlightedTextColor(selectedColor);
    label->setFont(bold ? UIFont::boldSystemFontOfSize(fontSize)
                        : UIFont::systemFontOfSize(fontSize));
    return label;
}

TodoCell::TodoCell(CGRect frame, std::string reuseIdentifier)
    : UITableViewCell(frame, std::move(reuseIdentifier))
{
    initialize();
    UIView* content = contentView();
    auto background = std::make_shared<UIImageView>(CGRectMake(0, 0, 320, 68));
    background->setImage(UIImage::imageNamed("cellbg.png"));
    content->addSubview(background);

    todoPriorityImageView = std::make_shared<UIImageView>(priority1Image);
    content->addSubview(todoPriorityImageView);

    const UIColor white = UIColor::whiteColor();
    const auto add = [&](std::shared_ptr<UILabel>& field, const UIColor& colour, CGFloat size,
                         bool bold, UITextAlignment alignment) {
        field = newLabelWithPrimaryColor_selectedColor_fontSize_bold(colour, white, size, bold);
        field->setTextAlignment(alignment);
        content->addSubview(field);
    };
    add(todoTextLabel, UIColor(0, 0, 0.35f, 1), 16, true, UITextAlignmentLeft);
    add(todoTextItem, UIColor::blackColor(), 12, false, UITextAlignmentLeft);
    add(todoPriorityLabel, UIColor::blackColor(), 12, false, UITextAlignmentRight);
    add(todoAgeLabel, UIColor::darkGrayColor(), 12, true, UITextAlignmentRight);
    add(todoTimeLabel, UIColor::darkGrayColor(), 11, false, UITextAlignmentRight);

    todoItemImageView = std::make_shared<UIImageView>(itemImage);
    content->addSubview(todoItemImageView);

    content->bringSubviewToFront(todoPriorityImageView.get());
    content->bringSubviewToFront(todoItemImageView.get());
}

void TodoCell::setImageContact(std::shared_ptr<UIImage> image)
{
    todoPriorityImageView->setImage(std::move(image));
}

void TodoCell::setTodo(std::string name) { todoTextLabel->setText(std::move(name)); }

void TodoCell::setDateCall(std::string date)
{
    todoPriorityLabel->setText(std::move(date));
    setNeedsDisplay();
    // The date label takes the width of its text at the next layout.
    setNeedsLayout();
}

void TodoCell::setSigno(int sign)
{
    itemImage = UIImage::imageNamed(engine::signImageName(sign));
    const char* nameKey = engine::signNameKey(sign);
    todoTextItem->setText(*nameKey ? NSBundle::mainBundle().localizedStringForKey(nameKey, "", "")
                                   : std::string());
    UIGraphicsBeginImageContext(kSignImageSize);
    if (itemImage)
        itemImage->drawInRect({{0, 0}, kSignImageSize});
    itemImage = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    todoItemImageView->setImage(itemImage);
}

void TodoCell::setAge(std::string age) { todoAgeLabel->setText(std::move(age)); }

void TodoCell::setAlertColor(const UIColor& color) { todoTimeLabel->setTextColor(color); }

void TodoCell::setTimeAge(std::string countdown) { todoTimeLabel->setText(std::move(countdown)); }

void TodoCell::layoutSubviews()
{
    UITableViewCell::layoutSubviews();
    const CGFloat left = contentView()->bounds().origin.x;
    const CGSize photo = todoPriorityImageView->frame().size;
    const CGSize icon = todoItemImageView->frame().size;
    const CGSize date =
        sizeWithFont_forWidth_lineBreakMode(todoPriorityLabel->text(), todoPriorityLabel->font(),
                                            kDateMaxWidth, UILineBreakModeTailTruncation);

    todoTextLabel->setFrame(CGRectMake(left + 72, 5, 240, 19));
    todoPriorityImageView->setFrame(CGRectMake(left + 6, 3, photo.width, photo.height));
    todoPriorityLabel->setFrame(
        CGRectMake(CGRectGetMaxX(todoPriorityImageView->frame()) + 8, 25, date.width, date.height));
    todoItemImageView->setFrame(CGRectMake(72, 41, icon.width, icon.height));
    todoTextItem->setFrame(CGRectMake(95, 41, 100, icon.height));
    todoAgeLabel->setFrame(CGRectMake(left + 72, 19, 220, 17));
    todoTimeLabel->setFrame(CGRectMake(left + 72, 35, 220, 17));
}

void TodoCell::setSelected_animated(bool selected, bool animated)
{
    UITableViewCell::setSelected_animated(selected, animated);
    for (UILabel* label : {todoTextLabel.get(), todoPriorityLabel.get(), todoTextItem.get(),
                           todoAgeLabel.get(), todoTimeLabel.get()}) {
        label->setBackgroundColor(UIColor::clearColor());
        label->setHighlighted(selected);
        label->setOpaque(!selected);
    }
}
