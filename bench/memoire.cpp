// Mémoire d'une longue session : 10 000 générations (les quatre niveaux tour à tour) puis
// 10 000 résolutions dans un même processus. Rapporte le tas occupé et la
// mémoire résidente avant et après la boucle : une fuite s'y verrait en Mio.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "engine/grille.h"
#include "engine/hasard.h"
#include "game/generateur.h"

namespace {

constexpr int Repetitions = 10000;

long ResidentKio()
{
    long pages = 0, residentes = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &residentes) != 2) residentes = 0;
        std::fclose(f);
    }
    return residentes * (sysconf(_SC_PAGESIZE) / 1024);
}

// Octets du tas en usage (allocateur de la glibc).
double TasOctets() { return static_cast<double>(mallinfo2().uordblks); }

struct Releve {
    double tas = 0;
    long resident = 0;
    static Releve Maintenant()
    {
        // La mémoire résidente d'abord : la première lecture de /proc alloue pour de bon
        // quelques octets de la bibliothèque C, qui ne doivent pas passer pour une fuite.
        const long resident = ResidentKio();
        return {TasOctets(), resident};
    }
};

void Rapporter(benchmark::State& etat, const Releve& avant, const Releve& apres)
{
    etat.counters["tas_avant_kio"] = avant.tas / 1024;
    etat.counters["tas_croissance_o"] = apres.tas - avant.tas;
    etat.counters["rss_avant_kio"] = static_cast<double>(avant.resident);
    etat.counters["rss_croissance_kio"] = static_cast<double>(apres.resident - avant.resident);
}

// Une génération comme la commande du menu : la grille, puis sa solution gardée. Faux si la
// grille n'a pas de solution (la session aurait échoué).
bool Generer(CGenerateur& generateur, CGrille& grille, int i)
{
    generateur.ConstruireGrille(static_cast<NiveauGrille>(i % 4));
    return grille.ResoudreEtMemoriser() == FinResolution::Resolue;
}

void BM_Memoire_Generations(benchmark::State& etat)
{
    CGrille grille;
    CHasard hasard;
    CGenerateur generateur(grille, hasard);
    hasard.Semer(1);
    bool reussie = true;
    // Échauffement : les tampons de la bibliothèque sont en place.
    for (int i = 0; i < 100; ++i) reussie = Generer(generateur, grille, i) && reussie;
    Releve avant;
    for (auto _ : etat) {
        // Relevé pris dans la boucle : ce que la mesure elle-même alloue n'y compte pas.
        avant = Releve::Maintenant();
        for (int i = 0; i < Repetitions; ++i) reussie = Generer(generateur, grille, i) && reussie;
    }
    const Releve apres = Releve::Maintenant();
    if (!reussie) etat.SkipWithError(MessageSansSolution.data());
    Rapporter(etat, avant, apres);
}
BENCHMARK(BM_Memoire_Generations)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_Memoire_Resolutions(benchmark::State& etat)
{
    CGrille grille;
    CHasard hasard;
    CGenerateur generateur(grille, hasard);
    hasard.Semer(2);
    // Cent grilles diaboliques, gardées par leurs indices, à résoudre tour à tour.
    std::vector<CGrille> grilles;
    for (int i = 0; i < 100; ++i) {
        generateur.ConstruireGrille(Diabolique);
        grille.RemettreGrille();
        grilles.push_back(grille);
    }
    bool reussie = true;
    for (int i = 0; i < 100; ++i) {
        grille = grilles[i];
        reussie = grille.ResoudreEtMemoriser() == FinResolution::Resolue && reussie;
    }
    Releve avant;
    for (auto _ : etat) {
        // Relevé pris dans la boucle : ce que la mesure elle-même alloue n'y compte pas.
        avant = Releve::Maintenant();
        for (int i = 0; i < Repetitions; ++i) {
            grille = grilles[i % grilles.size()];
            reussie = grille.ResoudreEtMemoriser() == FinResolution::Resolue && reussie;
        }
    }
    const Releve apres = Releve::Maintenant();
    if (!reussie) etat.SkipWithError(MessageSansSolution.data());
    Rapporter(etat, avant, apres);
}
BENCHMARK(BM_Memoire_Resolutions)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
