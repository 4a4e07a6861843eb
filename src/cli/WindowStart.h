#pragma once

// Replaces this process by the window program with the same arguments, so the window's
// toolkit is loaded only when the window starts. The window program is looked for beside this
// program (the build tree), then in the folder an installation keeps it in. Returns only
// when there is no display or no window program could be started, with the exit status after
// an error line on stderr.
int StartWindow(char** argv);
