// Starts a program on the X display of $DISPLAY and prints the milliseconds from just before
// its start to the first window that maps on the root (the window manager's frame around it,
// or the window itself without one), then ends the program. The start is taken before fork,
// so the figure holds all of the program's start: loading, libraries, its first window.
// Usage: pixolan-map-timer program [arguments...]; exit status 1 when no window mapped in 20 s.
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s program [arguments...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "cannot open the display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &events);
    xcb_flush(connection);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    const auto deadline = start + std::chrono::seconds(20);
    bool mapped = false;
    auto end = start;
    pollfd wait{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (!mapped && std::chrono::steady_clock::now() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> held(event,
                                                                                  &std::free);
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && !mapped) {
                end = std::chrono::steady_clock::now();
                mapped = true;
            }
        }
        if (!mapped) {
            poll(&wait, 1, 100);
        }
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(connection);
    if (!mapped) {
        std::fprintf(stderr, "no window mapped\n");
        return 1;
    }
    std::printf("%.2f\n", std::chrono::duration<double, std::milli>(end - start).count());
    return 0;
}
