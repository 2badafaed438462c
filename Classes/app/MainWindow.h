#pragma once
// The application's main interface: the delegate, connected to a screen-sized window and to a
// navigation controller whose root is the main screen.
#include "TortamoAppDelegate.h"

#include <memory>

std::unique_ptr<TortamoAppDelegate> loadMainWindow();
