// Les grilles faites pour une technique (« défis ») : un autre chemin que les quatre niveaux
// du générateur, qui ne changent pas. Une grille à une seule solution dont la technique la
// plus dure, selon le raisonnement du jeu (engine/raisonnement.h), est du genre choisi. Tirée
// du seul CHasard, en nombres entiers et en un nombre d'essais borné (jamais une durée) :
// même graine, même grille sur toute machine. Sans Qt ni fenêtre.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/hasard.h"
#include "engine/raisonnement.h"

enum class GenreDefi : int32_t { SousEnsembles, Poissons, Ailes, Chaines };
inline constexpr int32_t NombreGenresDefi = 4;

// "sous-ensembles", "poissons", "ailes", "chaines" (pour la ligne de commande).
std::string_view MotDefi(GenreDefi genre);
// "Sous-ensembles", "Poissons", "Ailes", "Chaînes" (pour le joueur).
std::string_view NomDefi(GenreDefi genre);
std::optional<GenreDefi> LireDefi(std::string_view mot);
// Les techniques d'un genre : paires et triplets nus et cachés ; X-wing et swordfish ;
// XY-wing, XYZ-wing et W-wing ; paires distantes, gratte-ciel, cerf-volant, coloriage,
// chaînes X, XY et alternées.
bool TechniqueDuDefi(GenreDefi genre, Technique technique);

struct Defi {
    Position grille{};    // les indices
    Position solution{};  // la seule solution
    Bilan bilan;          // la note de la grille, sa technique la plus dure
    int32_t essais = 0;   // grilles tirées avant celle-ci comprise
};

// Au plus tant de grilles tirées pour un défi.
inline constexpr int32_t EssaisDefiMax = 5000;

// Un défi du genre demandé, tiré de `hasard` (qui avance d'autant) ; rien si EssaisDefiMax
// grilles n'y suffisent pas.
std::optional<Defi> GenererDefi(GenreDefi genre, CHasard& hasard);
// Le même depuis une graine : GenererDefi(genre, hasard semé de `graine`).
std::optional<Defi> GenererDefi(GenreDefi genre, uint32_t graine);
