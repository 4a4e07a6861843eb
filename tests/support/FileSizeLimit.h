#pragma once

#include <csignal>
#include <sys/resource.h>

// Lowers this process's file size limit for one scope. A write beyond it fails with EFBIG
// (SIGXFSZ ignored), the same way a write fails on a full disk: after QIODevice has
// accepted it into its buffer.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : OldHandler(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &Saved);
        rlimit lowered = Saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &Saved);
        std::signal(SIGXFSZ, OldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit Saved{};
    void (*OldHandler)(int);
};
