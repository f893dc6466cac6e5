// « Pourquoi ? » sur une grille sans solution cherche le coup depuis lequel elle n'en a plus :
// sur un long historique (surtout des notes, des chiffres posés, effacés, reposés, un seul faux),
// le temps de PremierCoupSansSolution, à côté de celui qu'il faudrait pour résoudre la grille
// une fois par coup (le calcul d'avant), mesuré sur le premier millier de coups et porté à
// tout l'historique.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "outils.h"
#include "engine/grille.h"
#include "files/textegrille.h"
#include "game/historique.h"

namespace {

constexpr std::size_t NombreCoups = 100'000;
constexpr std::size_t CoupsRejoues = 1'000;

struct Historique {
    CGrille grille;  // après tous les coups
    std::vector<Coup> coups;
    std::size_t chiffres = 0;  // coups qui changent une case
};

// Une grille publique ; ses cases vides reçoivent leur chiffre, sont effacées, le reçoivent de
// nouveau, entre des coups de notes ; à mi-chemin, une case reçoit un chiffre faux mais permis.
Historique Construire()
{
    Historique h;
    const auto grilles = ChargerGrilles("qqwing-simple-200.txt");
    for (int i = 0; i < 81; ++i) h.grille.PoserIndice(i / 9, i % 9, grilles.at(0)[i]);
    CGrille resolue = h.grille;
    resolue.ResoudreEtMemoriser();
    std::vector<int> vides;
    for (int i = 0; i < 81; ++i) {
        if (grilles[0][i] == 0) vides.push_back(i);
    }
    const int fautive = vides.front();
    const auto jouer = [&h](int i, int32_t chiffre) {
        const Case avant = h.grille.LireCase(i / 9, i % 9);
        const OrigineCase origine = chiffre == 0 ? Vide : CoupJoueur;
        h.coups.push_back({i / 9, i % 9, avant.chiffre, avant.origine, chiffre, origine, {}});
        h.grille.ChangerCase(i / 9, i % 9, chiffre, origine);
        ++h.chiffres;
    };
    for (std::size_t k = 0; h.coups.size() < NombreCoups; ++k) {
        if (k % 50 != 0) {
            const int i = vides[k % vides.size()];
            const auto note = static_cast<uint16_t>(1u << (k % 9));
            h.coups.push_back({-1, -1, 0, Vide, 0, Vide, {{i, 0, note}}});
            continue;
        }
        const int i = vides[1 + (k / 50) % (vides.size() - 1)];
        const bool efface = h.grille.LireCase(i / 9, i % 9).chiffre != 0;
        jouer(i, efface ? 0 : resolue.LireCase(i / 9, i % 9).chiffre);
        if (h.coups.size() >= NombreCoups / 2 && h.grille.LireCase(fautive / 9, fautive % 9).chiffre == 0) {
            for (int32_t faux = 1; faux <= 9; ++faux) {
                CGrille essai = h.grille;
                essai.ChangerCase(fautive / 9, fautive % 9, faux, CoupJoueur);
                if (faux != resolue.LireCase(fautive / 9, fautive % 9).chiffre && essai.GrilleValide()) {
                    jouer(fautive, faux);
                    break;
                }
            }
        }
    }
    return h;
}

const Historique& LeHistorique()
{
    static const Historique h = Construire();
    return h;
}

double MsDichotomie = -1.0, MsParCoupRejoue = -1.0;

void Historique_PremierCoupSansSolution(benchmark::State& etat)
{
    const Historique& h = LeHistorique();
    if (h.grille.MeneAUneSolution()) {
        etat.SkipWithError("l'historique mène encore à une solution");
        return;
    }
    double meilleure = 1e18;
    for (auto _ : etat) {
        const double debut = MsProcesseur();
        const std::optional<Coup> coup = PremierCoupSansSolution(h.grille, h.coups);
        meilleure = std::min(meilleure, MsProcesseur() - debut);
        if (!coup) {
            etat.SkipWithError("aucun coup nommé");
            return;
        }
    }
    MsDichotomie = meilleure;
}

// Le calcul d'avant : chaque coup rejoué depuis le début, la grille résolue après chacun.
void Historique_UneResolutionParCoup(benchmark::State& etat)
{
    const Historique& h = LeHistorique();
    CGrille depart = h.grille;
    for (auto coup = h.coups.rbegin(); coup != h.coups.rend(); ++coup) {
        if (coup->ligne >= 0) depart.ChangerCase(coup->ligne, coup->colonne, coup->chiffreAvant, coup->origineAvant);
    }
    double meilleure = 1e18;
    for (auto _ : etat) {
        CGrille essai = depart;
        const double debut = MsProcesseur();
        for (std::size_t k = 0; k < CoupsRejoues; ++k) {
            const Coup& coup = h.coups[k];
            if (coup.ligne >= 0) essai.ChangerCase(coup.ligne, coup.colonne, coup.chiffreApres, coup.origineApres);
            benchmark::DoNotOptimize(essai.MeneAUneSolution());
        }
        meilleure = std::min(meilleure, MsProcesseur() - debut);
    }
    MsParCoupRejoue = meilleure / CoupsRejoues;
}

void Historique_Rapport(benchmark::State& etat)
{
    for (auto _ : etat) {
    }
    if (MsDichotomie < 0 || MsParCoupRejoue < 0) return;
    const Historique& h = LeHistorique();
    std::printf("\n« Pourquoi ? » sans solution, temps processeur (le meilleur des tours)\n");
    std::printf("%10s %10s %18s %22s\n", "coups", "chiffres", "dichotomie (ms)", "un par coup (ms, est.)");
    std::printf("%10zu %10zu %18.2f %22.0f\n\n", h.coups.size(), h.chiffres, MsDichotomie,
                MsParCoupRejoue * static_cast<double>(h.coups.size()));
}

BENCHMARK(Historique_PremierCoupSansSolution)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(Historique_UneResolutionParCoup)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(Historique_Rapport)->Iterations(1);

}  // namespace
