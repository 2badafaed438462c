#pragma once
// An X display of one test's own (Xvfb, the first free display number), ended by its PID when
// the object goes, for the cases that need the desktop's real windowing rather than Qt's
// offscreen platform (a tray item exists only there).
#include "ChildProcess.h"
#include "PrivateSessionBus.h"

#include <unistd.h>

#include <memory>
#include <string>

class PrivateDisplay {
public:
    PrivateDisplay()
    {
        int out[2];
        if (::pipe(out) != 0)
            return;
        // Xvfb picks a free number and writes it to the descriptor named.
        server_ = std::make_unique<ChildProcess>(
            "/usr/bin/Xvfb",
            std::vector<std::string>{"Xvfb", "-displayfd", "1", "-screen", "0", "800x600x24",
                                     "-nolisten", "tcp"},
            environment_without({}), out[1]);
        ::close(out[1]);
        const std::string number = PrivateSessionBus::read_line(out[0], std::chrono::seconds(10));
        ::close(out[0]);
        if (!number.empty())
            name_ = ":" + number;
    }

    // ":N", empty when the server did not start.
    const std::string& name() const { return name_; }

private:
    std::unique_ptr<ChildProcess> server_;
    std::string name_;
};
