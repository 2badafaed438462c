#include "vcard/StoreProblemText.h"

namespace contacts {

std::string store_problem_text(const std::optional<ab::StoreProblem>& problem)
{
    if (!problem)
        return "it failed";
    const std::string detail = problem->detail.empty() ? "" : " (" + problem->detail + ")";
    switch (problem->kind) {
    case ab::StoreProblem::kLocked: return "it is locked by another program";
    case ab::StoreProblem::kNotADatabase: return "it is not a database";
    case ab::StoreProblem::kNotAnAddressBook:
        return "it is a database, but not an address book" + detail;
    case ab::StoreProblem::kNoAccess: return "it cannot be opened or written" + detail;
    case ab::StoreProblem::kDamaged: return "it is damaged" + detail;
    case ab::StoreProblem::kFull: return "the disk is full";
    case ab::StoreProblem::kInvalidPerson:
        return problem->detail.empty() ? "the person cannot be stored" : problem->detail;
    }
    return "it failed";
}

} // namespace contacts
