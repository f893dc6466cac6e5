// Vitesse du générateur, niveau par niveau (médiane et 99e centile sur 1 000 graines), comparée
// à la génération de la commande qqwing à ses quatre difficultés. Indique aussi, par niveau,
// la part des grilles à solution unique (comptée par la bibliothèque qqwing).
#include <benchmark/benchmark.h>

#include <qqwing.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>

#include <sys/resource.h>
#include <string>
#include <vector>

#include "engine/grille.h"
#include "engine/hasard.h"
#include "files/textegrille.h"
#include "game/generateur.h"

namespace {

constexpr int NombreGraines = 1000;

struct Mesure {
    double medianeMs = 0;  // temps processeur
    double p99Ms = 0;
    double uniques = 0;  // part des grilles à solution unique, en %
    bool faite = false;
};
std::array<Mesure, 4> mesures;

struct MesureQqwing {
    const char* difficulte;
    double msParGrille = 0;
    bool faite = false;
};
// La difficulté de qqwing la plus proche de chaque niveau, dans l'ordre des niveaux.
std::array<MesureQqwing, 4> qqwing{{{"simple"}, {"easy"}, {"intermediate"}, {"expert"}}};

bool SolutionUnique(const CGrille& grille)
{
    std::array<int, 81> cases{};
    const std::string indices = TexteIndices(grille);
    for (int i = 0; i < 81; ++i) cases[i] = indices[i] == '.' ? 0 : indices[i] - '0';
    qqwing::SudokuBoard plateau;
    plateau.setPuzzle(cases.data());
    return plateau.countSolutionsLimited() == 1;
}

// Temps processeur du fil courant, en ms : la charge des autres programmes n'y entre pas.
double MsProcesseur()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Temps processeur des programmes fils terminés (utilisateur + système), en ms.
double MsProcesseurFils()
{
    rusage r{};
    getrusage(RUSAGE_CHILDREN, &r);
    auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
    return ms(r.ru_utime) + ms(r.ru_stime);
}

double Centile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    const size_t rang = std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())));
    return v[rang];
}

void Generation_Novemia(benchmark::State& etat)
{
    const auto niveau = static_cast<NiveauGrille>(etat.range(0));
    CGrille grille;
    CHasard hasard;
    CGenerateur generateur(grille, hasard);
    std::vector<double> durees;
    int uniques = 0;
    uint32_t graine = 1;
    for (auto _ : etat) {
        hasard.Semer(graine++);
        const double debut = MsProcesseur();
        // Le travail de la commande du menu : la grille, puis sa solution gardée.
        generateur.ConstruireGrille(niveau);
        if (grille.ResoudreEtMemoriser() != FinResolution::Resolue) {
            etat.SkipWithError("grille générée sans solution");
            return;
        }
        durees.push_back(MsProcesseur() - debut);
        etat.PauseTiming();
        uniques += SolutionUnique(grille);
        etat.ResumeTiming();
    }
    Mesure& m = mesures[niveau];
    m.medianeMs = Centile(durees, 0.5);
    m.p99Ms = Centile(durees, 0.99);
    m.uniques = 100.0 * uniques / static_cast<double>(durees.size());
    m.faite = true;
    etat.counters["mediane_ms"] = m.medianeMs;
    etat.counters["p99_ms"] = m.p99Ms;
    etat.counters["uniques_%"] = m.uniques;
    etat.SetLabel(std::string(MotNiveau(niveau)));
}

// Temps processeur par grille de `qqwing --generate` : une seule commande pour toutes les
// grilles, pour que le lancement du programme pèse peu.
void Generation_Qqwing(benchmark::State& etat)
{
    MesureQqwing& q = qqwing[etat.range(0)];
    const int grilles = static_cast<int>(etat.range(1));
    const std::string commande =
        "qqwing --generate " + std::to_string(grilles) + " --difficulty " + q.difficulte + " --one-line";
    double total = 0;
    int tours = 0;
    for (auto _ : etat) {
        const double debut = MsProcesseurFils();
        FILE* sortie = popen(commande.c_str(), "r");
        if (sortie == nullptr) {
            etat.SkipWithError("qqwing introuvable");
            return;
        }
        char tampon[256];
        int lignes = 0;
        while (std::fgets(tampon, sizeof tampon, sortie) != nullptr) ++lignes;
        if (pclose(sortie) != 0 || lignes < grilles) {
            etat.SkipWithError("qqwing a échoué");
            return;
        }
        total += MsProcesseurFils() - debut;
        ++tours;
    }
    q.msParGrille = total / (tours * grilles);
    q.faite = true;
    etat.counters["ms_par_grille"] = q.msParGrille;
    etat.SetLabel(q.difficulte);
}

// Le tableau de comparaison, une fois tout mesuré.
void Generation_Rapport(benchmark::State& etat)
{
    for (auto _ : etat) {
    }
    std::printf("\nGénération, temps processeur par grille (%d graines par niveau ; qqwing : commande "
                "--generate, par grille) ; × = qqwing / novemia\n",
                NombreGraines);
    std::printf("%-11s %10s %9s %9s  %-13s %12s %11s %9s\n", "niveau", "médiane ms", "p99 ms",
                "uniques", "qqwing", "qqwing ms", "× médiane", "× p99");
    for (int n = 0; n < 4; ++n) {
        const Mesure& m = mesures[n];
        const MesureQqwing& q = qqwing[n];
        if (!m.faite) continue;
        std::printf("%-11s %10.3f %9.3f %8.1f%%  %-13s", std::string(MotNiveau(static_cast<NiveauGrille>(n))).c_str(),
                    m.medianeMs, m.p99Ms, m.uniques, q.difficulte);
        if (q.faite) {
            std::printf(" %12.2f %11.0f %9.0f\n", q.msParGrille, q.msParGrille / m.medianeMs,
                        q.msParGrille / m.p99Ms);
            etat.counters[std::string("ratio_") + std::string(MotNiveau(static_cast<NiveauGrille>(n)))] =
                q.msParGrille / m.p99Ms;
        } else {
            std::printf(" %12s\n", "-");
        }
    }
    std::printf("\n");
}

}  // namespace

BENCHMARK(Generation_Novemia)
    ->ArgName("niveau")
    ->DenseRange(Facile, Diabolique)
    ->Iterations(NombreGraines)
    ->Unit(benchmark::kMillisecond);
// qqwing « simple » est lent (plus de 200 ms par grille) : moins de grilles.
BENCHMARK(Generation_Qqwing)->Args({0, 8})->Args({1, 30})->Args({2, 20})->Args({3, 30})->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Generation_Rapport)->Iterations(1);
