// Vitesse du raisonnement par techniques (engine/raisonnement.h) : pour chaque liste du
// dossier des grilles de référence, l'explication entière de sa grille la plus lente (cible :
// moins de 20 ms), et la note de toutes les grilles de top1465 (cible : moins de 10 s).
// Temps processeur du fil, pour que la charge des autres programmes pèse peu ; le rapport
// final dit si les cibles tiennent.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "engine/raisonnement.h"
#include "files/listegrilles.h"

namespace {

constexpr double CibleExplicationMs = 20.0;
constexpr double CibleNoteS = 10.0;
constexpr const char* ListeNotee = "top1465.txt";

double MsProcesseur()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Liste {
    std::string nom;
    std::vector<Position> grilles;
    int pire = -1;         // rang de la grille la plus lente à expliquer
    double pireMs = 0.0;   // médiane des mesures de cette grille
};

std::vector<Liste>& Listes()
{
    static std::vector<Liste> listes = [] {
        std::vector<Liste> l;
        std::error_code erreur;
        for (const auto& entree : std::filesystem::directory_iterator(NOVEMIA_GRILLES, erreur)) {
            if (entree.path().extension() != ".txt") continue;
            Liste liste{entree.path().filename().string(), {}, -1, 0.0};
            std::ifstream fichier(entree.path(), std::ios::binary);
            for (LigneDeGrilles lue; LireLigneDeGrilles(fichier, lue);) {
                if (lue.grille.empty()) continue;
                Position p{};
                for (int i = 0; i < 81; ++i) p[i] = lue.grille[i] >= '1' && lue.grille[i] <= '9' ? lue.grille[i] - '0' : 0;
                liste.grilles.push_back(p);
            }
            if (!liste.grilles.empty()) l.push_back(std::move(liste));
        }
        std::sort(l.begin(), l.end(), [](const Liste& a, const Liste& b) { return a.nom < b.nom; });
        return l;
    }();
    return listes;
}

double NoteS = -1.0;

// La grille la plus lente de la liste (chaque grille mesurée trois fois, la plus courte
// gardée), puis son explication mesurée à chaque tour.
void Explication_PireGrille(benchmark::State& etat, Liste* liste)
{
    if (liste->pire < 0) {
        double pire = -1.0;
        for (std::size_t g = 0; g < liste->grilles.size(); ++g) {
            double ms = 1e9;
            for (int essai = 0; essai < 3; ++essai) {
                const double debut = MsProcesseur();
                benchmark::DoNotOptimize(Expliquer(liste->grilles[g]));
                ms = std::min(ms, MsProcesseur() - debut);
            }
            if (ms > pire) pire = ms, liste->pire = static_cast<int>(g);
        }
    }
    std::vector<double> durees;
    for (auto _ : etat) {
        const double debut = MsProcesseur();
        const Explication x = Expliquer(liste->grilles[liste->pire]);
        durees.push_back(MsProcesseur() - debut);
        if (!x.solution) {
            etat.SkipWithError("grille sans solution");
            return;
        }
    }
    std::sort(durees.begin(), durees.end());
    liste->pireMs = durees[durees.size() / 2];
    etat.counters["pire_ms"] = liste->pireMs;
    etat.counters["rang"] = liste->pire + 1;
    etat.SetLabel(liste->nom);
}

void Note_Liste(benchmark::State& etat, const Liste* liste)
{
    double meilleure = 1e18;
    for (auto _ : etat) {
        const double debut = MsProcesseur();
        int resolues = 0;
        for (const Position& p : liste->grilles) resolues += Noter(p).resolue ? 1 : 0;
        meilleure = std::min(meilleure, (MsProcesseur() - debut) / 1e3);
        if (resolues != static_cast<int>(liste->grilles.size())) {
            etat.SkipWithError("grille non notée");
            return;
        }
    }
    NoteS = meilleure;
    etat.counters["total_s"] = meilleure;
    etat.SetLabel(liste->nom);
}

void Explication_Rapport(benchmark::State& etat)
{
    for (auto _ : etat) {
    }
    std::printf("\nRaisonnement par techniques, temps processeur (médiane des tours)\n");
    std::printf("%-26s %8s %6s %12s  %s\n", "liste", "grilles", "rang", "pire (ms)", "cible 20 ms");
    for (const Liste& liste : Listes()) {
        if (liste.pire < 0 || liste.pireMs <= 0.0) continue;  // filtrée
        std::printf("%-26s %8zu %6d %12.2f  %s\n", liste.nom.c_str(), liste.grilles.size(), liste.pire + 1,
                    liste.pireMs, liste.pireMs < CibleExplicationMs ? "tenue" : "manquée");
    }
    if (NoteS >= 0.0) {
        std::printf("note de toutes les grilles de %s : %.2f s (cible %.0f s) : %s\n", ListeNotee, NoteS, CibleNoteS,
                    NoteS < CibleNoteS ? "tenue" : "manquée");
    }
    std::printf("\n");
}

// Enregistrées avant main(), comme les mesures déclarées par BENCHMARK, le rapport en dernier.
const bool enregistrees = [] {
    for (Liste& liste : Listes()) {
        benchmark::RegisterBenchmark(("Explication/pire/" + liste.nom).c_str(), Explication_PireGrille, &liste)
            ->Iterations(15)
            ->Unit(benchmark::kMillisecond);
    }
    for (const Liste& liste : Listes()) {
        if (liste.nom == ListeNotee) {
            benchmark::RegisterBenchmark(("Explication/note/" + liste.nom).c_str(), Note_Liste, &liste)
                ->Iterations(3)
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::RegisterBenchmark("Explication/rapport", Explication_Rapport)->Iterations(1);
    return true;
}();

}  // namespace
