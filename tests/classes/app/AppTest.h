#pragma once
// The main screen over an in-memory address book on a fresh device, with today's date fixed,
// the staged application bundle as the main bundle and the list settings off.
#include "People.h"
#include "RootViewController.h"
#include "SectionNames.h"
#include "Settings.h"
#include "SolidPng.h"
#include "TempDevice.h"
#include "addressbook/InMemoryAddressBook.h"
#include "foundation/Bundle.h"
#include "platform/DateServices.h"
#include "platform/ScopedTimeZone.h"
#include "uikit/UIKit.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class AppTest : public ::testing::Test {
protected:
    AppTest()
    {
        NSBundle::setMainBundlePath(TORTAMOS_APP_DIR);
        bHideAge = 0;
        bHideSigno = 0;
    }

    // Today is 10 March 2009 unless a test says otherwise, at local noon.
    void setToday(int year, int month, int day)
    {
        clock.set(platform::Calendar().dateFromParts(year, month, day, 12));
    }

    // The main screen with its view loaded: today's date taken, the book imported, the coming
    // birthdays on display.
    RootViewController& screen()
    {
        if (!screen_) {
            screen_ = std::make_shared<RootViewController>(sharedBook, clock);
            screen_->view();
        }
        return *screen_;
    }

    void chooseTab(int tag)
    {
        for (const auto& item : screen().tabBar->items())
            if (item->tag() == tag) {
                screen().tabBar->userSelectedItem(item.get());
                return;
            }
        FAIL() << "no tab item with tag " << tag;
    }

    // The names of the rows of each section on display.
    std::vector<std::vector<std::string>> sectionNames() { return ::sectionNames(screen()); }

    TempDevice device;
    platform::ScopedTimeZone zone{"America/Sao_Paulo"};
    std::shared_ptr<ab::InMemoryAddressBook> sharedBook =
        std::make_shared<ab::InMemoryAddressBook>();
    ab::InMemoryAddressBook& book = *sharedBook;
    platform::FixedClock clock{platform::Calendar().dateFromParts(2009, 3, 10, 12)};

private:
    std::shared_ptr<RootViewController> screen_;
};
