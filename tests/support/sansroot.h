// Exécute un essai sans les droits de root (Linux) : root passe outre les droits des fichiers,
// si bien que les cas « fichier protégé » ne se vérifient qu'en utilisateur ordinaire. Sous
// root, l'essai tourne dans un processus fils devenu « nobody » ; rend ce que l'essai a rendu.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

inline bool SansDroitsDeRoot(const std::function<bool()>& essai)
{
    if (::geteuid() != 0) return essai();
    const pid_t pid = fork();
    if (pid == 0) {
        const bool ok = ::setgid(65534) == 0 && ::setuid(65534) == 0 && essai();
        ::_exit(ok ? 0 : 1);
    }
    int etat = 0;
    return pid > 0 && ::waitpid(pid, &etat, 0) == pid && WIFEXITED(etat) && WEXITSTATUS(etat) == 0;
}
