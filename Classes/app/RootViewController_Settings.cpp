#include "RootViewController.h"

// The tab bar's Settings item; the tag is already remembered by tabBar_didSelectItem.
void RootViewController::presentSettingsScreen() {}
