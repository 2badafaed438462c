#include "Settings.h"

#include "foundation/Log.h"
#include "shared/SettingsFile.h"

#include <array>

int32_t bBadge = 0;
int32_t bHideAge = 0;
int32_t bHideSigno = 0;
int32_t bSound = 0;
int32_t bPopup = 0;
int32_t bStandby = 0;
int32_t iTimerHour = 0;
int32_t iTimerMinute = 0;

namespace settings {
namespace {

using tortamos::settings_file::Column;

// Reads the columns and, for every row, stores them in order into the given variables.
template <size_t N>
bool load(const std::array<Column, N>& columns, const std::array<int32_t*, N>& variables)
{
    return tortamos::settings_file::readRows(columns, [&](std::span<const int32_t> values) {
        for (size_t i = 0; i < N; ++i)
            *variables[i] = values[i];
    });
}

} // namespace

void updateDatabase() { tortamos::settings_file::upgrade(); }

void loadListSettings()
{
    NSLog("initializeDatabase...");
    load(std::array{Column::bBadge, Column::bHideAge, Column::bHideSigno},
         std::array{&bBadge, &bHideAge, &bHideSigno});
}

bool loadAllSettings()
{
    return load(std::array{Column::bBadge, Column::bHideAge, Column::bHideSigno, Column::bSound,
                           Column::bPopup, Column::iTimerHour, Column::iTimerMinute,
                           Column::iStandby},
                std::array{&bBadge, &bHideAge, &bHideSigno, &bSound, &bPopup, &iTimerHour,
                           &iTimerMinute, &bStandby});
}

bool saveAllSettings()
{
    return tortamos::settings_file::writeAll(
        {bBadge, bHideAge, bHideSigno, bSound, bPopup, iTimerHour, iTimerMinute, bStandby});
}

} // namespace settings
