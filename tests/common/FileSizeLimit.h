#pragma once

#include <csignal>
#include <sys/resource.h>

namespace mirevo::test {

// Makes every write past `bytes` fail with EFBIG while alive, as a full disk would.
// Permission bits cannot stand in for this: the tests run as root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_savedHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        const rlimit limited{bytes, m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;

private:
    void (*m_savedHandler)(int);
    rlimit m_saved{};
};

} // namespace mirevo::test
