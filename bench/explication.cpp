// Le raisonnement par techniques (engine/raisonnement.h) sur chaque liste du dossier des
// grilles de référence : combien de grilles il explique sans aucune hypothèse, l'explication
// la plus lente (cible : moins de 50 ms), « Pourquoi ? » le plus lent depuis les indices et
// depuis la position qui suit les poses simples du début (cible : moins de 100 ms), la note
// de toutes les grilles de top1465 (cible : moins de 10 s) et la répartition de leurs notes.
// Temps processeur du fil, pour que la charge des autres programmes pèse peu ; une grille
// lente est mesurée cinq fois et garde sa médiane. Le rapport final dit si les cibles tiennent.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "engine/raisonnement.h"
#include "game/explicationtechnique.h"
#include "outils.h"

namespace {

constexpr double CibleExplicationMs = 50.0;
constexpr double CiblePourquoiMs = 100.0;
constexpr double CibleNoteS = 10.0;
constexpr const char* ListeNotee = "top1465.txt";

struct Liste {
    std::string nom;
    std::vector<Position> grilles;
    int sansHypothese = 0;
    double medianeMs = 0.0, pireMs = 0.0, pourquoiMs = 0.0;
    int pire = -1, pirePourquoi = -1;  // rangs des grilles les plus lentes
};

std::vector<Liste>& Listes()
{
    static std::vector<Liste> listes = [] {
        std::vector<Liste> l;
        std::error_code erreur;
        for (const auto& entree : std::filesystem::directory_iterator(NOVEMIA_GRILLES, erreur)) {
            if (entree.path().extension() != ".txt") continue;
            Liste liste{entree.path().filename().string(), ChargerGrilles(entree.path().filename().string())};
            if (!liste.grilles.empty()) l.push_back(std::move(liste));
        }
        std::sort(l.begin(), l.end(), [](const Liste& a, const Liste& b) { return a.nom < b.nom; });
        return l;
    }();
    return listes;
}

// La durée médiane de cinq appels.
template <class F>
double Mediane(F&& f)
{
    std::array<double, 5> durees{};
    for (double& d : durees) {
        const double debut = MsProcesseur();
        f();
        d = MsProcesseur() - debut;
    }
    std::sort(durees.begin(), durees.end());
    return durees[2];
}

// La position où « Pourquoi ? » a le plus à faire : après les poses simples du début.
Position ApresPosesSimples(const Explication& x)
{
    Position p = x.depart;
    for (const Etape& e : x.etapes) {
        if (e.niveau != 0 || !e.retraits.empty() || e.technique == Technique::Hypothese) break;
        for (const CaseChiffre& c : e.poses) p[c.ligne * 9 + c.colonne] = c.chiffre;
    }
    return p;
}

double NoteS = -1.0;
std::map<std::string, int> Notes;  // "note technique" → grilles de top1465

void Explication_Liste(benchmark::State& etat, Liste* liste)
{
    for (auto _ : etat) {
        std::vector<double> durees;
        std::vector<std::pair<double, int>> pourquoi;
        liste->sansHypothese = 0;
        for (std::size_t g = 0; g < liste->grilles.size(); ++g) {
            const double debut = MsProcesseur();
            const Explication x = Expliquer(liste->grilles[g]);
            durees.push_back(MsProcesseur() - debut);
            const Bilan bilan = DresserBilan(x);
            liste->sansHypothese += bilan.resolue && bilan.niveauMax == 0;
            for (const Position& p : {x.depart, ApresPosesSimples(x)}) {
                const double avant = MsProcesseur();
                benchmark::DoNotOptimize(ExpliquerProchainePose(p));
                pourquoi.push_back({MsProcesseur() - avant, static_cast<int>(g)});
            }
        }
        std::vector<double> triees = durees;
        std::sort(triees.begin(), triees.end());
        liste->medianeMs = triees[triees.size() / 2];
        // Les trois plus lentes, remesurées.
        std::vector<int> rangs(durees.size());
        for (std::size_t g = 0; g < rangs.size(); ++g) rangs[g] = static_cast<int>(g);
        std::partial_sort(rangs.begin(), rangs.begin() + std::min<std::size_t>(3, rangs.size()), rangs.end(),
                          [&](int a, int b) { return durees[a] > durees[b]; });
        liste->pireMs = 0.0;
        for (std::size_t k = 0; k < std::min<std::size_t>(3, rangs.size()); ++k) {
            const double ms = Mediane([&] { benchmark::DoNotOptimize(Expliquer(liste->grilles[rangs[k]])); });
            if (ms > liste->pireMs) liste->pireMs = ms, liste->pire = rangs[k];
        }
        std::sort(pourquoi.begin(), pourquoi.end(), std::greater<>());
        liste->pourquoiMs = 0.0;
        for (std::size_t k = 0; k < std::min<std::size_t>(3, pourquoi.size()); ++k) {
            const Explication x = Expliquer(liste->grilles[pourquoi[k].second]);
            for (const Position& p : {x.depart, ApresPosesSimples(x)}) {
                const double ms = Mediane([&] { benchmark::DoNotOptimize(ExpliquerProchainePose(p)); });
                if (ms > liste->pourquoiMs) liste->pourquoiMs = ms, liste->pirePourquoi = pourquoi[k].second;
            }
        }
    }
    etat.counters["sans_hypothese"] = liste->sansHypothese;
    etat.counters["pire_ms"] = liste->pireMs;
    etat.counters["pourquoi_ms"] = liste->pourquoiMs;
    etat.SetLabel(liste->nom);
}

void Note_Liste(benchmark::State& etat, const Liste* liste)
{
    double meilleure = 1e18;
    for (auto _ : etat) {
        const double debut = MsProcesseur();
        std::map<std::string, int> notes;
        for (const Position& p : liste->grilles) {
            const Bilan b = Noter(p);
            const std::string technique = b.plusDifficile ? std::string(NomTechnique(*b.plusDifficile)) : "aucune";
            ++notes[TexteNote(b.note) + " " + (b.plusDifficile == Technique::Hypothese ? "hypothèses" : technique)];
        }
        meilleure = std::min(meilleure, (MsProcesseur() - debut) / 1e3);
        Notes = std::move(notes);
    }
    NoteS = meilleure;
    etat.counters["total_s"] = meilleure;
    etat.SetLabel(liste->nom);
}

void Explication_Rapport(benchmark::State& etat)
{
    for (auto _ : etat) {
    }
    std::printf("\nRaisonnement par techniques, temps processeur\n");
    std::printf("%-24s %8s %15s %11s %11s %6s %14s %6s\n", "liste", "grilles", "sans hypothèse", "médiane ms",
                "pire ms", "rang", "Pourquoi ? ms", "rang");
    bool tenues = true;
    for (const Liste& liste : Listes()) {
        if (liste.pire < 0) continue;  // filtrée
        std::printf("%-24s %8zu %15d %11.2f %11.2f %6d %14.2f %6d\n", liste.nom.c_str(), liste.grilles.size(),
                    liste.sansHypothese, liste.medianeMs, liste.pireMs, liste.pire + 1, liste.pourquoiMs,
                    liste.pirePourquoi + 1);
        tenues = tenues && liste.pireMs < CibleExplicationMs && liste.pourquoiMs < CiblePourquoiMs;
    }
    std::printf("cibles : explication la plus lente %.0f ms, « Pourquoi ? » le plus lent %.0f ms : %s\n",
                CibleExplicationMs, CiblePourquoiMs, tenues ? "tenues" : "manquées");
    if (NoteS >= 0.0) {
        std::printf("note de toutes les grilles de %s : %.2f s (cible %.0f s) : %s\n", ListeNotee, NoteS, CibleNoteS,
                    NoteS < CibleNoteS ? "tenue" : "manquée");
        std::printf("notes de %s (technique la plus dure) :\n", ListeNotee);
        for (const auto& [note, nombre] : Notes) std::printf("  %-40s %5d\n", note.c_str(), nombre);
    }
    std::printf("\n");
}

// Enregistrées avant main(), comme les mesures déclarées par BENCHMARK, le rapport en dernier.
const bool enregistrees = [] {
    for (Liste& liste : Listes()) {
        benchmark::RegisterBenchmark(("Explication/" + liste.nom).c_str(), Explication_Liste, &liste)
            ->Iterations(1)
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
