// Whatever an Exec line holds, the address is its command's last argument, whole.
#include "FuzzInput.h"
#include "net/DesktopEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const QString exec = QString::fromStdString(input.Text());
    const QString url = QString::fromStdString(input.Text());
    const std::optional<QStringList> command = DesktopEntry::CommandFor(exec, url);
    if (command) {
        FUZZ_CHECK(command->size() >= 2 && !command->first().isEmpty());
        FUZZ_CHECK(command->last() == url);
    }
    return 0;
}
