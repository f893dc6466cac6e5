// Ce que la preuve par l'absurde (engine/preuve.h, pas encore employée par l'explication)
// ajouterait : chaque grille expliquée pas à pas (EtapeSuivante), une preuve d'au plus
// LongueurPreuve poses à la place de chaque hypothèse ; combien de grilles finissent alors
// sans aucune hypothèse, combien sans preuve ni hypothèse, et le temps par grille (médiane,
// pire), temps processeur du fil.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/preuve.h"
#include "outils.h"

namespace {

constexpr int32_t LongueurPreuve = 20;

struct Bilan {
    std::string nom;
    std::size_t grilles = 0;
    int sansHypothese = 0, sansPreuve = 0, preuves = 0, pireLongueur = 0;
    double medianeMs = -1.0, pireMs = 0.0;
};
std::vector<Bilan> bilans;

// Vrai si la grille finit sans hypothèse ; `sansPreuve` dit si elle n'a même pas eu besoin
// d'une preuve.
bool Expliquer(const Position& depart, Bilan& bilan, bool& sansPreuve)
{
    Position p = depart;
    Candidats c;
    c.fill(0x1FF);
    sansPreuve = true;
    for (std::optional<Etape> e; (e = EtapeSuivante(p, c));) {
        if (e->technique == Technique::Contradiction) return false;
        if (e->technique == Technique::Hypothese) {
            const std::optional<Preuve> preuve = ChercherPreuve(p, c, LongueurPreuve);
            if (!preuve) return false;
            sansPreuve = false;
            ++bilan.preuves;
            bilan.pireLongueur = std::max(bilan.pireLongueur, static_cast<int>(preuve->chaine.size()));
            c[preuve->essai.ligne * 9 + preuve->essai.colonne] &= static_cast<uint16_t>(~(1u << (preuve->essai.chiffre - 1)));
            continue;
        }
        for (const CaseChiffre& x : e->poses) p[x.ligne * 9 + x.colonne] = x.chiffre;
        for (const CaseChiffre& x : e->retraits) c[x.ligne * 9 + x.colonne] &= static_cast<uint16_t>(~(1u << (x.chiffre - 1)));
    }
    return true;
}

void Preuve_Liste(benchmark::State& etat, const char* nom)
{
    const auto grilles = ChargerGrilles(nom);
    Bilan bilan{nom, grilles.size()};
    std::vector<double> durees;
    for (auto _ : etat) {
        for (const Position& g : grilles) {
            const double debut = MsProcesseur();
            bool sansPreuve = false;
            const bool resolue = Expliquer(g, bilan, sansPreuve);
            durees.push_back(MsProcesseur() - debut);
            bilan.sansHypothese += resolue;
            bilan.sansPreuve += resolue && sansPreuve;
        }
    }
    if (durees.empty()) {
        etat.SkipWithError("liste vide");
        return;
    }
    std::sort(durees.begin(), durees.end());
    bilan.medianeMs = durees[durees.size() / 2];
    bilan.pireMs = durees.back();
    etat.counters["sans_hypothese"] = bilan.sansHypothese;
    etat.counters["pire_ms"] = bilan.pireMs;
    bilans.push_back(bilan);
}

void Preuve_Rapport(benchmark::State& etat)
{
    for (auto _ : etat) {
    }
    std::printf("\nPreuves par l'absurde d'au plus %d poses à la place des hypothèses (pas encore dans l'explication)\n",
                LongueurPreuve);
    std::printf("%-22s %8s %15s %13s %8s %9s %11s %9s\n", "liste", "grilles", "sans hypothèse", "sans preuve",
                "preuves", "plus longue", "médiane ms", "pire ms");
    for (const Bilan& b : bilans) {
        std::printf("%-22s %8zu %15d %13d %8d %11d %11.2f %9.1f\n", b.nom.c_str(), b.grilles, b.sansHypothese,
                    b.sansPreuve, b.preuves, b.pireLongueur, b.medianeMs, b.pireMs);
    }
    std::printf("\n");
}

const bool enregistrees = [] {
    for (const char* nom : {"top95.txt", "qqwing-expert-200.txt", "17indices-1000.txt", "top1465.txt", "difficiles-375.txt"}) {
        benchmark::RegisterBenchmark((std::string("Preuve/") + nom).c_str(), Preuve_Liste, nom)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("Preuve/rapport", Preuve_Rapport)->Iterations(1);
    return true;
}();

}  // namespace
