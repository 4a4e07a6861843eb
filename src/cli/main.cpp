// The program people and scripts call.
#include "cli/CommandLine.h"
#include "cli/WindowStart.h"

// The program people and scripts call. Sub-commands run here on the libraries without a
// toolkit; the window is a program of its own that this one hands over to.
int main(int argc, char** argv) {
    if (StartsWindow({argv + 1, argv + argc})) {
        return StartWindow(argv);
    }
    return CommandLineMain(argc, argv);
}
