#include "LastAlertRecord.h"

#include "AgentEnvironment.h"
#include "DailyCheck.h"
#include "foundation/AtomicFile.h"
#include "foundation/Device.h"
#include "foundation/Log.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace agent {

void keep_last_alert()
{
    if (!lastAlert)
        return;
    const auto file = os::device_path(kLastAlertPath);
    char line[48];
    std::snprintf(line, sizeof line, "%04d-%02d-%02d %02d:%02d\n", lastAlert->year,
                  lastAlert->month, lastAlert->day, lastAlert->hour, lastAlert->minute);
    const auto error = os::write_file_atomically(file, [&](std::ostream& out) { out << line; });
    if (error)
        NSLog("Tortamos: the last alert could not be kept in %s: %s", file.c_str(),
              error.message().c_str());
}

void recall_last_alert()
{
    std::ifstream in(os::device_path(kLastAlertPath));
    std::string line;
    ShownAlert kept{};
    char end = '\0';
    if (std::getline(in, line) &&
        std::sscanf(line.c_str(), "%4d-%2d-%2d %2d:%2d%c", &kept.year, &kept.month, &kept.day,
                    &kept.hour, &kept.minute, &end) == 5)
        lastAlert = kept;
    else
        lastAlert.reset();
    bPlayAlerts = !alertShownOnDayOf(clock_values(environment().clock->now()));
}

} // namespace agent
