#include "testsupport/window/XvfbScreen.hpp"

#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace velk_test {

XvfbScreen::XvfbScreen(const std::string& size)
{
    int ends[2];
    if (pipe(ends) != 0)
        return;
    const std::string screen = size + "x24";
    const pid_t server = fork();
    if (server == 0) {
        // Ends when the test program does; writes the display it picked to fd 3.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(ends[0]);
        dup2(ends[1], 3);
        freopen("/dev/null", "w", stderr);
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-noreset",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ends[1]);
    std::string number;
    pollfd ready{ends[0], POLLIN, 0};
    char c = 0;
    while (server > 0 && poll(&ready, 1, 10000) > 0 && read(ends[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(ends[0]);
    if (number.empty())
        return;
    display = ":" + number;
    setenv("DISPLAY", display.c_str(), 1);
}

} // namespace velk_test
