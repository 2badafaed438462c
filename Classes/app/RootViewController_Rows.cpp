#include "RootViewController.h"
#include "Settings.h"
#include "TodoCell.h"

namespace {

UIColor countdownColor(engine::CountdownColour colour)
{
    const engine::Rgb rgb = engine::rgb(colour);
    return UIColor(static_cast<CGFloat>(rgb.red), static_cast<CGFloat>(rgb.green),
                   static_cast<CGFloat>(rgb.blue), 1);
}

} // namespace

std::shared_ptr<UITableViewCell> RootViewController::tableView_cellForRowAtIndexPath(
    UITableView* tableView, const NSIndexPath& indexPath)
{
    auto cell = std::dynamic_pointer_cast<TodoCell>(
        tableView->dequeueReusableCellWithIdentifier(kCellIdentifier));
    if (!cell)
        cell = std::make_shared<TodoCell>(CGRectZero, kCellIdentifier);

    const engine::BirthdayRecord* record =
        birthdays_.recordAt(indexPath.section(), indexPath.row());
    if (!record)
        return cell;
    const engine::RowValues row = birthdays_.rowValues(*record, {bHideAge == 1, bHideSigno == 1});
    cell->setImageContact(photos_.photoFor(row.image));
    cell->setTodo(row.name);
    cell->setDateCall(row.dateText);
    cell->setSigno(row.sign);
    cell->setAge(row.ageText);
    cell->setAlertColor(countdownColor(row.countdownColour));
    cell->setTimeAge(row.countdownText);
    return cell;
}
