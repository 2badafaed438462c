// notifyutil: posts a notice to the other processes of the device, or waits for one.
#include "notify/NotifyCenter.h"

#include "DeviceEndpoints.h"

#include <QCoreApplication>
#include <QTimer>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

int usage() {
    std::fputs("usage: notifyutil -p NAME            post NAME to the other processes of the device\n"
               "       notifyutil -w NAME [SECONDS]  wait for NAME (10 s by default); exit 1 on timeout\n",
               stderr);
    return 2;
}

void received(CFNotificationCenterRef, void*, const char* name, const void*, const void*) {
    std::printf("%s\n", name);
    std::fflush(stdout);
    QCoreApplication::exit(0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    if (!os::notify::is_valid_name(argv[2])) {
        std::fprintf(stderr, "notifyutil: a name has 1 to %zu characters and no control characters\n",
                     os::notify::kMaxNameLength);
        return 2;
    }
    const std::string_view mode = argv[1];
    CFNotificationCenterRef center = CFNotificationCenterGetDarwinNotifyCenter();

    if (mode == "-p" && argc == 3) {
        CFNotificationCenterPostNotification(center, argv[2], nullptr, nullptr, true);
        return 0;
    }
    if (mode != "-w" || argc > 4) return usage();

    int seconds = 10;
    if (argc == 4) {
        const char* text = argv[3];
        const char* end = text + std::strlen(text);
        const auto [stop, error] = std::from_chars(text, end, seconds);
        if (error != std::errc{} || stop != end || seconds <= 0 || seconds > 86400) return usage();
    }
    QCoreApplication app(argc, argv);
    CFNotificationCenterAddObserver(center, nullptr, &received, argv[2], nullptr,
                                    CFNotificationSuspensionBehaviorDeliverImmediately);
    std::printf("waiting for %s\n", argv[2]);
    std::fflush(stdout);
    QTimer::singleShot(seconds * 1000, &app, [] { QCoreApplication::exit(1); });
    return app.exec();
}
