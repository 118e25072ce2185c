#pragma once

#include <csignal>
#include <sys/resource.h>

// Writes past `octets` fail with EFBIG while it lives, even for root.
class LimiteTailleFichiers
{
public:
    explicit LimiteTailleFichiers(rlim_t octets)
    {
        getrlimit(RLIMIT_FSIZE, &m_avant);
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limite = m_avant;
        limite.rlim_cur = octets;
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteTailleFichiers()
    {
        setrlimit(RLIMIT_FSIZE, &m_avant);
        std::signal(SIGXFSZ, m_signal);
    }

private:
    rlimit m_avant{};
    void (*m_signal)(int) = nullptr;
};
