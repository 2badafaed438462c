#pragma once
// A settings screen presented over a main screen in a window, on a temporary device whose
// settings file holds the values a test chooses.
#include "DisplayCell.h"
#include "InfoViewController.h"
#include "Settings.h"
#include "TempDevice.h"

#include "foundation/Bundle.h"

#include <uikit/Automation.h>
#include <uikit/UINavigationController.h>
#include <uikit/UIScreen.h>
#include <uikit/UIWindow.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

// In the order of the settings queries: bBadge, bHideAge, bHideSigno, bSound, bPopup,
// iTimerHour, iTimerMinute, iStandby (bStandby in memory).
using SettingsRow = std::array<int32_t, 8>;

class SettingsScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int32_t* value : memoryValues())
            *value = 0;
        window = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
        mainScreen = std::make_shared<UINavigationController>(std::make_shared<UIViewController>());
        window->addSubview(mainScreen->view());
        window->makeKeyAndVisible();
    }

    void TearDown() override
    {
        if (isOpen())
            mainScreen->dismissModalViewControllerAnimated(false);
        uikit::runPendingWork();
    }

    static std::array<int32_t*, 8> memoryValues()
    {
        return {&bBadge, &bHideAge, &bHideSigno, &bSound, &bPopup, &iTimerHour, &iTimerMinute,
                &bStandby};
    }

    static SettingsRow memory()
    {
        SettingsRow row{};
        for (size_t i = 0; i < row.size(); ++i)
            row[i] = *memoryValues()[i];
        return row;
    }

    std::filesystem::path settingsFile() const { return device.path(settings::kDatabasePath); }

    // A settings file of the current layout, its columns in another order than the queries', so
    // a value that lands in a wrong column shows.
    void store(const SettingsRow& row)
    {
        std::filesystem::create_directories(settingsFile().parent_path());
        std::string sql =
            "CREATE TABLE Settings (iStandby INTEGER, bPopup INTEGER, bSound INTEGER, bBadge "
            "INTEGER, iTimerMinute INTEGER, bHideSigno INTEGER, iTimerHour INTEGER, bHideAge "
            "INTEGER); INSERT INTO Settings (" +
            std::string(kColumns) + ") VALUES (";
        for (size_t i = 0; i < row.size(); ++i)
            sql += (i ? ", " : "") + std::to_string(row[i]);
        sql += ");";
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(settingsFile().c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }

    SettingsRow stored() const
    {
        SettingsRow row{};
        row.fill(-1);
        sqlite3* db = nullptr;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_open_v2(settingsFile().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) ==
                SQLITE_OK &&
            sqlite3_prepare_v2(db, ("SELECT " + std::string(kColumns) + " FROM Settings").c_str(),
                               -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            for (size_t i = 0; i < row.size(); ++i)
                row[i] = sqlite3_column_int(statement, int(i));
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return row;
    }

    // As the main screen does it: a new screen in a navigation controller of its own.
    InfoViewController& open()
    {
        screen = std::make_shared<InfoViewController>("InfoView", &NSBundle::mainBundle());
        screen->setIsViewPushed(false);
        mainScreen->presentModalViewController_animated(
            std::make_shared<UINavigationController>(screen), true);
        uikit::runPendingWork();
        return *screen;
    }

    bool isOpen() const { return mainScreen->modalViewController() != nullptr; }

    void save()
    {
        ASSERT_TRUE(uikit::tap("Save"));
        uikit::runPendingWork();
    }

    // A finger on the control itself.
    static void toggle(UISwitch& control)
    {
        const CGPoint middle{47, 13};
        control.touchesBegan(middle);
        control.touchesEnded(middle);
        uikit::runPendingWork();
    }

    static void tapRow(const char* title)
    {
        ASSERT_TRUE(uikit::tap(title)) << title;
        uikit::runPendingWork();
    }

    static constexpr const char* kColumns =
        "bBadge, bHideAge, bHideSigno, bSound, bPopup, iTimerHour, iTimerMinute, iStandby";

    TempDevice device;
    std::shared_ptr<UIWindow> window;
    std::shared_ptr<UINavigationController> mainScreen;
    std::shared_ptr<InfoViewController> screen;
};
