#pragma once
// A device whose address book holds n persons, filled once and kept for the whole run.
#include "addressbook/AddressBook.h"

#include <vector>

using PersonMaker = std::vector<ab::Person> (*)(int n);

// Makes the device with make(n) unless the current one already has n persons; one device at a
// time, since each owns DEVICE_ROOT while it lives.
void useDeviceWith(int n, PersonMaker make);
