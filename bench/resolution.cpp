// Vitesse de la résolution qui répond au joueur (Resoudre(LimiteJoueur) depuis les indices),
// grille par grille, sur chaque liste du dossier des grilles de référence, et dans la même
// exécution celle de solve() de la bibliothèque qqwing sur les mêmes grilles. Chaque mesure
// est répétée ; le résumé final donne les médianes des répétitions (µs par grille) et le
// rapport entre les deux.
//
// Ce fichier porte main() pour tout novemia-bench : les mesures des autres fichiers du
// dossier s'y exécutent aussi.
#include <benchmark/benchmark.h>

#include <qqwing.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "engine/grille.h"
#include "files/listegrilles.h"
#include "files/textegrille.h"

namespace {

constexpr int Repetitions = 5;
constexpr double CibleDixSeptIndicesUs = 60.0;

using Indices = std::array<int, 81>;  // 0 vide, 1 à 9 indice, pour qqwing

struct Liste {
    std::string nom;
    std::vector<std::string> grilles;  // 81 caractères chacune
    std::vector<Indices> indices;      // les mêmes, comme qqwing les prend
};

std::vector<Liste> ChargerListes()
{
    std::vector<Liste> listes;
    std::error_code erreur;
    for (const auto& entree : std::filesystem::directory_iterator(NOVEMIA_GRILLES, erreur)) {
        if (entree.path().extension() != ".txt") continue;
        Liste liste{entree.path().filename().string(), {}, {}};
        std::ifstream fichier(entree.path(), std::ios::binary);
        for (LigneDeGrilles lue; LireLigneDeGrilles(fichier, lue);) {
            if (lue.grille.empty()) continue;
            Indices g{};
            for (int i = 0; i < 81; ++i) g[i] = lue.grille[i] >= '1' && lue.grille[i] <= '9' ? lue.grille[i] - '0' : 0;
            liste.grilles.push_back(lue.grille);
            liste.indices.push_back(g);
        }
        if (!liste.grilles.empty()) listes.push_back(std::move(liste));
    }
    std::sort(listes.begin(), listes.end(), [](const Liste& a, const Liste& b) { return a.nom < b.nom; });
    return listes;
}

// Le compteur « par grille » : temps par grille résolue.
void CompterGrilles(benchmark::State& state, size_t parTour)
{
    state.counters["par_grille"] = benchmark::Counter(static_cast<double>(state.iterations() * parTour),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void Novemia(benchmark::State& state, const Liste* liste)
{
    CGrille grille;
    for (auto _ : state) {
        for (const std::string& g : liste->grilles) {
            LireTexteGrille(g, grille);
            if (grille.Resoudre(LimiteJoueur) != FinResolution::Resolue) {
                state.SkipWithError("grille non résolue");
                return;
            }
            benchmark::DoNotOptimize(grille.LireCase(8, 8));
        }
    }
    CompterGrilles(state, liste->grilles.size());
}

void Qqwing(benchmark::State& state, const Liste* liste)
{
    qqwing::SudokuBoard plateau;
    for (auto _ : state) {
        for (const Indices& g : liste->indices) {
            Indices copie = g;
            plateau.setPuzzle(copie.data());
            if (!plateau.solve()) {
                state.SkipWithError("grille non résolue par qqwing");
                return;
            }
            benchmark::DoNotOptimize(plateau.getSolution());
        }
    }
    CompterGrilles(state, liste->grilles.size());
}

// Passe tout à l'affichage choisi par les options habituelles (--benchmark_format, couleurs…)
// et garde au passage les médianes des répétitions.
class CRapporteur : public benchmark::BenchmarkReporter {
public:
    explicit CRapporteur(benchmark::BenchmarkReporter* affichage) : affichage(affichage) {}

    std::map<std::string, double> medianesUs;  // nom de la mesure -> µs par grille

    bool ReportContext(const Context& contexte) override { return affichage->ReportContext(contexte); }
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const auto compteur = run.counters.find("par_grille");
            if (run.aggregate_name == "median" && compteur != run.counters.end()) {
                medianesUs[run.run_name.function_name] = compteur->second.value * 1e6;
            }
        }
        affichage->ReportRuns(runs);
    }
    void Finalize() override { affichage->Finalize(); }

private:
    benchmark::BenchmarkReporter* affichage;
};

}  // namespace

int main(int argc, char** argv)
{
    static const std::vector<Liste> listes = ChargerListes();
    if (listes.empty()) {
        std::fprintf(stderr, "Aucune liste de grilles dans %s\n", NOVEMIA_GRILLES);
        return 1;
    }
    for (const Liste& liste : listes) {
        benchmark::RegisterBenchmark(("Resolution/novemia/" + liste.nom).c_str(), Novemia, &liste)
            ->Repetitions(Repetitions)
            ->ReportAggregatesOnly(true)
            ->MinTime(0.2)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Resolution/qqwing/" + liste.nom).c_str(), Qqwing, &liste)
            ->Repetitions(Repetitions)
            ->ReportAggregatesOnly(true)
            ->MinTime(0.2)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    CRapporteur rapporteur(benchmark::CreateDefaultDisplayReporter());
    benchmark::RunSpecifiedBenchmarks(&rapporteur);
    benchmark::Shutdown();

    std::printf("\nRésolution, médiane de %d répétitions (µs par grille)\n", Repetitions);
    std::printf("%-26s %8s %12s %12s %8s\n", "liste", "grilles", "novemia", "qqwing", "rapport");
    for (const Liste& liste : listes) {
        const auto n = rapporteur.medianesUs.find("Resolution/novemia/" + liste.nom);
        const auto q = rapporteur.medianesUs.find("Resolution/qqwing/" + liste.nom);
        if (n == rapporteur.medianesUs.end() || q == rapporteur.medianesUs.end()) continue;  // filtrée
        std::printf("%-26s %8zu %12.1f %12.1f %8.2f%s\n", liste.nom.c_str(), liste.grilles.size(), n->second,
                    q->second, n->second / q->second, n->second < q->second ? "" : "  (plus lent que qqwing)");
        if (liste.nom == "17indices-1000.txt") {
            std::printf("%-26s cible %.0f µs par grille : %s\n", "", CibleDixSeptIndicesUs,
                        n->second <= CibleDixSeptIndicesUs ? "tenue" : "manquée");
        }
    }
    return 0;
}
