// Les défis : une grille pleine au hasard, vidée case par case tant qu'elle garde une seule
// solution (comptée par engine/compteur.h), puis notée. Trop dure, elle reçoit un indice de
// plus (une case au hasard, son chiffre de la solution) et est notée de nouveau ; gardée dès
// que sa technique la plus dure est du genre demandé ; trop facile, on en tire une autre.
#include "game/defi.h"

#include <algorithm>
#include <array>

#include "engine/compteur.h"

namespace {

constexpr std::array<std::string_view, NombreGenresDefi> Mots{"sous-ensembles", "poissons", "ailes", "chaines"};
constexpr std::array<std::string_view, NombreGenresDefi> Noms{"Sous-ensembles", "Poissons", "Ailes", "Chaînes"};

// Un entier de 0 à n - 1 (n au plus 32768).
int32_t Tirer(CHasard& hasard, int32_t n) { return hasard.Tirer() % n; }

// Le chiffre d peut-il aller en i parmi ceux déjà posés ?
bool Permis(const Position& p, int32_t i, int32_t d)
{
    for (int32_t j = 0; j < 81; ++j)
        if (p[j] == d && Voisines(i, j)) return false;
    return true;
}

// Une grille pleine : onze chiffres semés au hasard, la première solution que trouve le
// compteur, puis les chiffres renommés au hasard.
Position GrillePleine(CHasard& hasard)
{
    for (;;) {
        Position semis{};
        for (int32_t k = 0; k < 11; ++k) {
            const int32_t i = Tirer(hasard, 81), d = 1 + Tirer(hasard, 9);
            if (semis[i] == 0 && Permis(semis, i, d)) semis[i] = d;
        }
        const Comptage c = CompterSolutions(semis, 1);
        if (c.solutions == 0) continue;
        std::array<int32_t, 10> nom{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        for (int32_t d = 9; d > 1; --d) std::swap(nom[d], nom[1 + Tirer(hasard, d)]);
        Position pleine{};
        for (int32_t i = 0; i < 81; ++i) pleine[i] = nom[c.premiere[i]];
        return pleine;
    }
}

// Les cases vidées dans un ordre tiré au hasard, chacune seulement si la grille garde une
// seule solution et, avec un `plafond`, une note qui ne le dépasse pas.
Position Vider(const Position& pleine, CHasard& hasard, std::optional<double> plafond)
{
    std::array<int32_t, 81> ordre{};
    for (int32_t i = 0; i < 81; ++i) ordre[i] = i;
    for (int32_t k = 80; k > 0; --k) std::swap(ordre[k], ordre[Tirer(hasard, k + 1)]);
    Position grille = pleine;
    for (const int32_t i : ordre) {
        grille[i] = 0;
        if (CompterSolutions(grille, 2).solutions != 1 || (plafond && Noter(grille).note > *plafond)) grille[i] = pleine[i];
    }
    return grille;
}

}  // namespace

std::string_view MotDefi(GenreDefi genre) { return Mots[static_cast<std::size_t>(genre)]; }

std::string_view NomDefi(GenreDefi genre) { return Noms[static_cast<std::size_t>(genre)]; }

std::optional<GenreDefi> LireDefi(std::string_view mot)
{
    for (int32_t g = 0; g < NombreGenresDefi; ++g)
        if (Mots[g] == mot) return static_cast<GenreDefi>(g);
    return std::nullopt;
}

bool TechniqueDuDefi(GenreDefi genre, Technique t)
{
    switch (genre) {
    case GenreDefi::SousEnsembles:
        return t >= Technique::PaireNue && t <= Technique::TripletCache;
    case GenreDefi::Poissons:
        return t == Technique::XWing || t == Technique::Swordfish;
    case GenreDefi::Ailes:
        return t == Technique::XYWing || t == Technique::XYZWing || t == Technique::WWing;
    case GenreDefi::Chaines:
        return (t >= Technique::PairesDistantes && t <= Technique::CerfVolant) ||
               (t >= Technique::Coloriage && t <= Technique::ChaineAlternee);
    }
    return false;
}

std::optional<Defi> GenererDefi(GenreDefi genre, CHasard& hasard)
{
    // Les notes du genre : en dessous, la grille est trop facile ; au-dessus, trop dure.
    double plancher = 100.0, plafond = 0.0;
    for (int32_t t = 0; t < NombreTechniques; ++t) {
        if (!TechniqueDuDefi(genre, static_cast<Technique>(t))) continue;
        plancher = std::min(plancher, NoteTechnique(static_cast<Technique>(t)));
        plafond = std::max(plafond, NoteTechnique(static_cast<Technique>(t)));
    }
    Defi defi;
    for (defi.essais = 1; defi.essais <= EssaisDefiMax; ++defi.essais) {
        defi.solution = GrillePleine(hasard);
        // Une grille vidée au plus court est souvent trop dure : pour les genres les plus
        // simples, on ne vide une case que si la note reste dans le genre.
        defi.grille = Vider(defi.solution, hasard, genre == GenreDefi::Chaines ? std::nullopt : std::optional(plafond));
        for (;;) {
            defi.bilan = Noter(defi.grille);
            if (defi.bilan.plusDifficile && TechniqueDuDefi(genre, *defi.bilan.plusDifficile)) return defi;
            if (defi.bilan.note < plancher) break;
            int32_t vide = Tirer(hasard, 81);
            while (defi.grille[vide] != 0) vide = (vide + 1) % 81;
            defi.grille[vide] = defi.solution[vide];
        }
    }
    return std::nullopt;
}

std::optional<Defi> GenererDefi(GenreDefi genre, uint32_t graine)
{
    CHasard hasard;
    hasard.Semer(graine);
    return GenererDefi(genre, hasard);
}
