#pragma once
// Disque plein simulé : la taille maximale d'un fichier du processus (RLIMIT_FSIZE) tombe à
// quelques octets, toute écriture au-delà échoue (EFBIG) comme sur un disque plein. Rendue à
// la destruction. Le signal SIGXFSZ, qui tuerait le processus, est ignoré.
#include <csignal>
#include <sys/resource.h>

class DisquePlein
{
public:
    explicit DisquePlein(rlim_t octetsPermis = 0)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_avant);
        rlimit limite = m_avant;
        limite.rlim_cur = octetsPermis;
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~DisquePlein() { setrlimit(RLIMIT_FSIZE, &m_avant); }
    DisquePlein(const DisquePlein&) = delete;
    DisquePlein& operator=(const DisquePlein&) = delete;

private:
    rlimit m_avant{};
};
