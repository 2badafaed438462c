#include "platform/AddressBookAccess.h"

namespace platform {

bool AddressBookAccess::visitAllPeople(ab::PersonVisitor& visitor) const {
    const std::vector<ab::PersonSummary> people = copyArrayOfAllPeople();
    visitor.expect(people.size());
    for (const ab::PersonSummary& p : people)
        visitor.visit({p.id, p.first_name, p.last_name, p.birthday, p.has_image});
    return true;
}

} // namespace platform
