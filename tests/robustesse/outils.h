// Outils des tests de robustesse : mémoire du processus, gros fichiers écrits par blocs,
// lancement d'un programme avec mesure de sa mémoire de pointe.
#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "tests/support/sansroot.h"

// Sous AddressSanitizer la mémoire libérée reste un temps en quarantaine : la taille du
// processus n'y dit rien des fuites, que LeakSanitizer vérifie à sa place.
#if defined(__SANITIZE_ADDRESS__)
#define NOVEMIA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NOVEMIA_ASAN 1
#endif
#endif
#ifndef NOVEMIA_ASAN
#define NOVEMIA_ASAN 0
#endif

// Mémoire de pointe du processus, en kio.
inline long PointeKio()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Mémoire résidente actuelle du processus, en kio.
inline long ResidentKio()
{
    long pages = 0, residentes = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &residentes) != 2) residentes = 0;
        std::fclose(f);
    }
    return residentes * (sysconf(_SC_PAGESIZE) / 1024);
}

inline void EcrireFichier(const std::string& chemin, const std::string& contenu)
{
    std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
    f.write(contenu.data(), static_cast<std::streamsize>(contenu.size()));
}

inline std::string LireFichier(const std::string& chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// Écrit `debut`, `octets` fois le caractère `c` par blocs d'un Mio, puis `fin` : le test
// lui-même ne tient jamais le gros contenu en mémoire.
inline void EcrireGrosFichier(const std::string& chemin, const std::string& debut, char c, uint64_t octets,
                              const std::string& fin)
{
    std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
    f << debut;
    const std::string bloc(1 << 20, c);
    for (; octets > 0; octets -= std::min<uint64_t>(octets, bloc.size()))
        f.write(bloc.data(), static_cast<std::streamsize>(std::min<uint64_t>(octets, bloc.size())));
    f << fin;
}

// Ce qu'un programme lancé a rendu.
struct Execution {
    int statut = -1;          // code de sortie, -1 s'il a été tué
    std::string sortie;       // sortie standard
    std::string erreurs;      // sortie d'erreur
    long pointeKio = 0;       // sa mémoire de pointe
};

// Lance `arguments` (le premier est le programme), sorties dans des fichiers du dossier courant.
inline Execution Lancer(const std::vector<std::string>& arguments)
{
    Execution r;
    const pid_t pid = fork();
    if (pid == 0) {
        const int sortie = ::open("sortie.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int erreurs = ::open("erreurs.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(sortie, 1);
        ::dup2(erreurs, 2);
        std::vector<char*> argv;
        for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int etat = 0;
    rusage u{};
    if (pid > 0 && ::wait4(pid, &etat, 0, &u) == pid) {
        r.statut = WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
        r.pointeKio = u.ru_maxrss;
    }
    r.sortie = LireFichier("sortie.txt");
    r.erreurs = LireFichier("erreurs.txt");
    return r;
}
