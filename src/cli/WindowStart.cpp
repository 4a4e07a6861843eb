// Handing the process over to the window program, which alone loads the toolkit.
#include "cli/WindowStart.h"

#include "cli/Arguments.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

constexpr const char* WindowProgram = "pixolan-window";

std::string Folder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// Whether the window has somewhere to show: a display in the environment, or a platform
// chosen on the command line.
bool HasDisplay(char** argv) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    for (char** arg = argv + 1; *arg != nullptr; ++arg) {
        const std::string_view name = *arg;
        if (name.starts_with("-platform") || name.starts_with("--platform")) {
            return true;
        }
    }
    return false;
}

} // namespace

int StartWindow(char** argv) {
    // The toolkit would abort with lines about platform plugins; say it in the program's words.
    if (!HasDisplay(argv)) {
        std::fputs("pixolan: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are "
                   "not set); pixolan --help lists the commands that need none\n",
                   stderr);
        return 1;
    }
    char self[PATH_MAX] = {};
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string reason = "cannot find the program itself";
    std::string tried;
    if (length > 0) {
        const std::string folder = Folder(std::string(self, static_cast<std::size_t>(length)));
        for (const std::string& place :
             {folder + "/" + WindowProgram,
              folder + "/" PIXOLAN_WINDOW_RELATIVE "/" + WindowProgram}) {
            execv(place.c_str(), argv);
            reason = std::strerror(errno);
            tried = place;
        }
    }
    std::fprintf(stderr, "pixolan: cannot start the window %s: %s\n", Quoted(tried).c_str(),
                 reason.c_str());
    return 1;
}
