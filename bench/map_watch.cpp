// Starts a program and times it to the moment its window is mapped, as an
// outside client of the X server sees it: a MapNotify on the root window for a
// top-level window (not an override-redirect popup). Then lets the program
// settle, reads its peak resident memory and ends it.
//
//   map_watch [--settle MS] PROGRAM [ARGS...]
//   prints: map_ms <milliseconds from fork to MapNotify> peak_kb <VmHWM>
//
// Exit status 0 when a window was mapped, 1 otherwise (the program exited or
// nothing was mapped within 30 s).
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

double Now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// The process's peak resident memory so far (VmHWM), in KiB.
long PeakKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    int settleMs = 500;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--settle") == 0) {
        settleMs = std::atoi(argv[2]);
        first = 3;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: map_watch [--settle MS] PROGRAM [ARGS...]\n");
        return 2;
    }

    int screenNumber = 0;
    xcb_connection_t* x = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "map_watch: no X display\n");
        return 2;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_request_check(x, xcb_change_window_attributes_checked(x, root, XCB_CW_EVENT_MASK, &mask));

    const double start = Now();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[first], argv + first);
        _exit(127);
    }

    double mapped = -1;
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    while (mapped < 0 && Now() - start < 30000) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (map->event == root && !map->override_redirect && mapped < 0)
                    mapped = Now();
            }
            std::free(event);
        }
        if (mapped >= 0)
            break;
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "map_watch: the program ended before it mapped a window\n");
            return 1;
        }
        poll(&fd, 1, 5);
    }
    long peak = -1;
    if (mapped >= 0) {
        usleep(static_cast<useconds_t>(settleMs) * 1000);
        peak = PeakKb(child);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(x);
    if (mapped < 0) {
        std::fprintf(stderr, "map_watch: no window mapped within 30 s\n");
        return 1;
    }
    std::printf("map_ms %.2f peak_kb %ld\n", mapped - start, peak);
    return 0;
}
