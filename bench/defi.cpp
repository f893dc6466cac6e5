// Les défis (game/defi.h) : pour chaque genre, un défi par graine de 1 à 100 ; le temps de
// chacun (médiane, 95e centile, pire ; cible pour les chaînes, le genre le plus dur : moins de
// 2 s en médiane et de 10 s au 95e centile), le nombre de grilles tirées, et la répartition
// des techniques les plus dures. Temps processeur du fil.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "game/defi.h"
#include "game/explicationtechnique.h"
#include "outils.h"

namespace {

constexpr uint32_t Graines = 100;
constexpr double CibleMedianeS = 2.0, CibleCentileS = 10.0;

struct Mesure {
    double medianeS = 0.0, centileS = 0.0, pireS = 0.0;
    double essaisMoyens = 0.0;
    int32_t rates = 0;
    std::map<std::string, int> notes;  // "note technique" → défis
};
std::array<Mesure, NombreGenresDefi> Mesures;
std::array<bool, NombreGenresDefi> Mesures_{};

void Defi_Genre(benchmark::State& etat, GenreDefi genre)
{
    Mesure& m = Mesures[static_cast<std::size_t>(genre)];
    for (auto _ : etat) {
        std::vector<double> durees;
        int64_t essais = 0;
        m = {};
        for (uint32_t graine = 1; graine <= Graines; ++graine) {
            const double debut = MsProcesseur();
            const std::optional<Defi> defi = GenererDefi(genre, graine);
            durees.push_back((MsProcesseur() - debut) / 1e3);
            if (!defi) {
                ++m.rates;
                continue;
            }
            essais += defi->essais;
            ++m.notes[TexteNote(defi->bilan.note) + " " + std::string(NomTechnique(*defi->bilan.plusDifficile))];
        }
        std::sort(durees.begin(), durees.end());
        m.medianeS = durees[durees.size() / 2];
        m.centileS = durees[durees.size() * 95 / 100];
        m.pireS = durees.back();
        m.essaisMoyens = static_cast<double>(essais) / Graines;
    }
    Mesures_[static_cast<std::size_t>(genre)] = true;
    etat.counters["mediane_s"] = m.medianeS;
    etat.counters["centile95_s"] = m.centileS;
    etat.SetLabel(std::string(MotDefi(genre)));
}

void Defi_Rapport(benchmark::State& etat)
{
    for (auto _ : etat) {
    }
    std::printf("\nDéfis, %u graines par genre, temps processeur par défi\n", Graines);
    std::printf("%-16s %11s %14s %9s %15s %7s\n", "genre", "médiane s", "95e centile s", "pire s", "grilles tirées", "ratés");
    for (int32_t g = 0; g < NombreGenresDefi; ++g) {
        if (!Mesures_[g]) continue;
        const Mesure& m = Mesures[g];
        std::printf("%-16s %11.3f %14.3f %9.3f %15.1f %7d\n", std::string(MotDefi(static_cast<GenreDefi>(g))).c_str(),
                    m.medianeS, m.centileS, m.pireS, m.essaisMoyens, m.rates);
    }
    const Mesure& chaines = Mesures[static_cast<std::size_t>(GenreDefi::Chaines)];
    if (Mesures_[static_cast<std::size_t>(GenreDefi::Chaines)]) {
        std::printf("cibles des chaînes : médiane %.0f s, 95e centile %.0f s : %s\n", CibleMedianeS, CibleCentileS,
                    chaines.medianeS < CibleMedianeS && chaines.centileS < CibleCentileS && chaines.rates == 0 ? "tenues"
                                                                                                            : "manquées");
    }
    for (int32_t g = 0; g < NombreGenresDefi; ++g) {
        if (!Mesures_[g]) continue;
        std::printf("notes des défis « %s » :\n", std::string(NomDefi(static_cast<GenreDefi>(g))).c_str());
        for (const auto& [note, nombre] : Mesures[g].notes) std::printf("  %-40s %5d\n", note.c_str(), nombre);
    }
    std::printf("\n");
}

const bool enregistrees = [] {
    for (int32_t g = 0; g < NombreGenresDefi; ++g) {
        const auto genre = static_cast<GenreDefi>(g);
        benchmark::RegisterBenchmark(("Defi/" + std::string(MotDefi(genre))).c_str(), Defi_Genre, genre)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("Defi/rapport", Defi_Rapport)->Iterations(1);
    return true;
}();

}  // namespace
