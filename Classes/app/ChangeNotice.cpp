#include "ChangeNotice.h"

#include "notify/NotifyCenter.h"
#include "shared/DeviceNames.h"

void postChangeNotice()
{
    CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(),
                                         tortamos::kChangeNotice, nullptr, nullptr, true);
}
