#pragma once

#include <QString>

namespace XcbSuite {

// Why the suite cannot run on a real X server; empty when it can.
QString Problem();
// The private server's display, ":N".
QString Display();

} // namespace XcbSuite
