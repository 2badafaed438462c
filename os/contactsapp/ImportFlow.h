#pragma once
// Importing a vCard file into the address book from the Contacts application: "Import…" with
// the desktop's file chooser, or a file the desktop hands over (opened from a file manager).
// The outcome shows as an alert in the words of the contacts tool ("added 12, updated 3,
// unchanged 197"). A file with cards in error imports nothing at first: the alert names the
// first of those cards and asks whether to import the others. Main thread only.
#include "addressbook/AddressBook.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace contactsapp {

// Called after the import changed the book (a person added or updated), before its alert shows.
using BookChanged = std::function<void()>;

// Opens the file chooser for vCard files, then imports the file chosen; a cancel does nothing.
void chooseAndImport(std::shared_ptr<ab::AddressBook> book, BookChanged changed);

// Imports the file, asking first when cards have errors. The book is kept until the user has
// answered.
void importFile(const std::filesystem::path& file, std::shared_ptr<ab::AddressBook> book,
                BookChanged changed);

} // namespace contactsapp
