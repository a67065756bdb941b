#pragma once
// A full disk without root: while a FullDisk lives, no file of this process may grow beyond a few
// bytes, so a write fails as it does when the disk runs out (with EFBIG instead of ENOSPC, and
// without the signal that would otherwise end the process). Pipes and sockets are not limited.
#include <csignal>
#include <sys/resource.h>

namespace testsupport {

class FullDisk {
public:
    explicit FullDisk(rlim_t bytes = 64) : m_oldHandler(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit small = m_old;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};

} // namespace testsupport
