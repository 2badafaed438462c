#pragma once
// The real home screen's classes in this process, over a home screen with the application
// "com.Qarvex.Tortamos" installed. Made on first use and kept for the process, like the classes.
#include "HomeScreen.h"
#include "HomeScreenClasses.h"

inline springboard::HomeScreen& running_home_screen()
{
    static springboard::HomeScreen* home = [] {
        springboard::InstalledApplication tortamos;
        tortamos.identifier = "com.Qarvex.Tortamos";
        tortamos.displayName = "Tortamos";
        auto* made = new springboard::HomeScreen({tortamos}, [](const auto&) {});
        springboard::define_home_screen_classes(*made);
        return made;
    }();
    return *home;
}
