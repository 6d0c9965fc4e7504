#pragma once

#include <csignal>
#include <sys/resource.h>

// While alive, writes beyond iBytes into any file fail with EFBIG, as on a full disk.
// Works for root too, unlike permission tricks.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t iBytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        struct rlimit limit = m_old;
        limit.rlim_cur = iBytes;
        m_bActive = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool isActive() const { return m_bActive; }

private:
    struct rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_bActive = false;
};
