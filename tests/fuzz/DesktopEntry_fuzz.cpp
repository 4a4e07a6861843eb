// Whatever an Exec line holds, the address is its command's last argument, whole.
#include "FuzzInput.h"
#include "net/DesktopEntry.h"

FUZZ_TARGET(input) {
    const QString exec = QString::fromStdString(input.Text());
    const QString url = QString::fromStdString(input.Text());
    const auto command = DesktopEntry::CommandFor(exec, url);
    if (command) {
        FUZZ_CHECK(command->size() >= 2 && !command->first().isEmpty());
        FUZZ_CHECK(command->last() == url);
    }
}
