#pragma once
// A settings screen presented over a main screen in a window, on a temporary device whose
// settings file holds the values a test chooses.
#include "DisplayCell.h"
#include "InfoViewController.h"
#include "Settings.h"
#include "TempDevice.h"
#include "foundation/Bundle.h"
#include "shared/SettingsFile.h"
#include "uikit/Automation.h"
#include "uikit/UINavigationController.h"
#include "uikit/UIScreen.h"
#include "uikit/UIWindow.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

// bBadge, bHideAge, bHideSigno, bSound, bPopup, iTimerHour, iTimerMinute, iStandby (bStandby).
using SettingsRow = std::array<int32_t, 8>;

class SettingsScreenTest : public ::testing::Test {
protected:
    static constexpr const char* kColumns =
        "bBadge, bHideAge, bHideSigno, bSound, bPopup, iTimerHour, iTimerMinute, iStandby";

    void SetUp() override
    {
        bBadge = bHideAge = bHideSigno = bSound = bPopup = iTimerHour = iTimerMinute = bStandby = 0;
        window->addSubview(mainScreen->view());
        window->makeKeyAndVisible();
    }

    void TearDown() override
    {
        if (isOpen())
            mainScreen->dismissModalViewControllerAnimated(false);
        uikit::runPendingWork();
    }

    static SettingsRow memory()
    {
        return {bBadge, bHideAge, bHideSigno, bSound, bPopup, iTimerHour, iTimerMinute, bStandby};
    }

    // The file's columns lie in another order than the queries', so a value that lands in a
    // wrong column shows.
    void store(const SettingsRow& v)
    {
        std::filesystem::create_directories(file().parent_path());
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file().c_str(), &db), SQLITE_OK);
        char sql[512];
        std::snprintf(sql, sizeof sql,
                      "CREATE TABLE Settings (iStandby, bPopup, bSound, bBadge, iTimerMinute, "
                      "bHideSigno, iTimerHour, bHideAge); INSERT INTO Settings (%s) VALUES (%d, "
                      "%d, %d, %d, %d, %d, %d, %d);",
                      kColumns, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
        EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }

    SettingsRow stored() const
    {
        SettingsRow row{-1, -1, -1, -1, -1, -1, -1, -1};
        sqlite3* db = nullptr;
        sqlite3_stmt* query = nullptr;
        sqlite3_open_v2(file().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_prepare_v2(db, ("SELECT " + std::string(kColumns) + " FROM Settings").c_str(), -1,
                           &query, nullptr);
        if (sqlite3_step(query) == SQLITE_ROW)
            for (int i = 0; i < 8; ++i)
                row[size_t(i)] = sqlite3_column_int(query, i);
        sqlite3_finalize(query);
        sqlite3_close(db);
        return row;
    }

    std::filesystem::path file() const { return device.path(tortamos::settings_file::kPath); }

    // As the main screen does it: a new screen in a navigation controller of its own.
    InfoViewController& open()
    {
        screen = std::make_shared<InfoViewController>("InfoView", &NSBundle::mainBundle());
        mainScreen->presentModalViewController_animated(
            std::make_shared<UINavigationController>(screen), true);
        uikit::runPendingWork();
        return *screen;
    }

    bool isOpen() const { return mainScreen->modalViewController() != nullptr; }

    // Taps the view showing the text: a row's name, a bar button, a tab item.
    static void tap(const char* text)
    {
        ASSERT_TRUE(uikit::tap(text)) << text;
        uikit::runPendingWork();
    }

    // A finger on the switch itself.
    static void toggle(UISwitch& control)
    {
        control.touchesBegan({47, 13});
        control.touchesEnded({47, 13});
    }

    TempDevice device;
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    std::shared_ptr<UINavigationController> mainScreen =
        std::make_shared<UINavigationController>(std::make_shared<UIViewController>());
    std::shared_ptr<InfoViewController> screen;
};
