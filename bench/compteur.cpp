// Vitesse du compteur de solutions (engine/compteur.h), compté jusqu'à 2 comme pour savoir
// si une grille est unique : temps de chaque grille de top1465 et de 17indices-1000 (la plus
// courte de trois mesures), puis la médiane, le 95e centile et la pire (cible : médiane bien
// sous 1 ms sur top1465). Temps processeur du fil, comme les mesures de l'explication.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/compteur.h"
#include "outils.h"

namespace {

constexpr double CibleMedianeUs = 1000.0;
constexpr const char* ListeCible = "top1465.txt";

struct ListeComptee {
    std::string nom;
    std::vector<std::array<int32_t, 81>> grilles;
    double medianeUs = -1.0, centile95Us = 0.0, pireUs = 0.0;
};

std::vector<ListeComptee>& Listes()
{
    static std::vector<ListeComptee> listes{{"top1465.txt", ChargerGrilles("top1465.txt")},
                                            {"17indices-1000.txt", ChargerGrilles("17indices-1000.txt")}};
    return listes;
}

void Compteur_Liste(benchmark::State& etat, ListeComptee* liste)
{
    std::vector<double> durees(liste->grilles.size(), 1e18);
    for (auto _ : etat) {
        for (std::size_t g = 0; g < liste->grilles.size(); ++g) {
            const double debut = MsProcesseur();
            const Comptage c = CompterSolutions(liste->grilles[g], 2);
            durees[g] = std::min(durees[g], (MsProcesseur() - debut) * 1e3);
            if (c.solutions != 1) {
                etat.SkipWithError("grille qui n'a pas une seule solution");
                return;
            }
        }
    }
    if (liste->grilles.empty()) {
        etat.SkipWithError("liste vide");
        return;
    }
    std::sort(durees.begin(), durees.end());
    liste->medianeUs = durees[durees.size() / 2];
    liste->centile95Us = durees[durees.size() * 95 / 100];
    liste->pireUs = durees.back();
    etat.counters["mediane_us"] = liste->medianeUs;
    etat.counters["centile95_us"] = liste->centile95Us;
    etat.counters["pire_us"] = liste->pireUs;
    etat.SetLabel(liste->nom);
}

void Compteur_Rapport(benchmark::State& etat)
{
    for (auto _ : etat) {
    }
    std::printf("\nCompteur de solutions jusqu'à 2, temps processeur par grille (la plus courte de 3 mesures)\n");
    std::printf("%-22s %8s %12s %12s %12s\n", "liste", "grilles", "médiane µs", "95 % µs", "pire µs");
    for (const ListeComptee& l : Listes()) {
        if (l.medianeUs < 0.0) continue;  // filtrée
        std::printf("%-22s %8zu %12.1f %12.1f %12.1f", l.nom.c_str(), l.grilles.size(), l.medianeUs, l.centile95Us,
                    l.pireUs);
        if (l.nom == ListeCible)
            std::printf("  cible %.0f µs : %s", CibleMedianeUs, l.medianeUs < CibleMedianeUs ? "tenue" : "manquée");
        std::printf("\n");
    }
    std::printf("\n");
}

const bool enregistrees = [] {
    for (ListeComptee& liste : Listes()) {
        benchmark::RegisterBenchmark(("Compteur/" + liste.nom).c_str(), Compteur_Liste, &liste)
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("Compteur/rapport", Compteur_Rapport)->Iterations(1);
    return true;
}();

}  // namespace
