// La partie gardée d'un lancement à l'autre : ce qu'elle garde, et son format texte dans les
// deux sens. Rien ici ne touche au disque : où et comment le fichier s'écrit, se relit, se met
// de côté ou s'efface, c'est sauvegarde.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "engine/grille.h"
#include "game/historique.h"

// Tout ce qu'il faut pour reprendre une partie telle quelle : la partie (cases, solution gardée,
// notes, coups, temps de jeu et ce qu'en retiendront les statistiques) et ce que l'interface en
// montrait (palette, mode hypothèse, ligne d'état).
struct PartieGardee {
    CGrille grille;  // chiffres et origines ; la solution quand grille.SolutionGardee()
    std::array<uint16_t, 81> notes{};
    CHistorique historique;
    int32_t chiffreSelectionne = -1;
    int32_t modeHypothese = 0;
    std::string statutBase;
    std::string statutResultat;
    int64_t tempsMs = 0;    // 0 dans une partie gardée avant qu'on garde le temps
    std::string categorie;  // vide : la grille n'est pas comptée (statistiques.h)
    bool aidee = false;
    bool finie = false;
};

// Les raisons de ne pas reprendre une partie gardée. Une partie d'une version plus récente, ou
// un fichier qui ne se lit pas maintenant, pourra servir plus tard ; les autres sont abîmées.
inline constexpr std::string_view RaisonEtrangere = "ce n'est pas une partie de Novemia";
inline constexpr std::string_view RaisonVersion = "elle vient d'une version plus récente de Novemia";
inline constexpr std::string_view RaisonAbimee = "le fichier est abîmé";
inline constexpr std::string_view RaisonIllisible = "le fichier ne peut pas être lu";
inline constexpr std::string_view RaisonTropGros = "le fichier est bien trop gros pour être une partie de Novemia";

// Au-delà, un fichier n'est pas même lu : le double du plus long texte qu'EcrirePartieGardee écrit.
extern const std::uintmax_t TailleGardeeMax;

// Le texte versionné d'une partie (partiegardee.cpp dit le format).
std::string EcrirePartieGardee(const PartieGardee& partie);
// Lit tout le flux et le vérifie : rien et `lue` remplie quand la partie peut être reprise, sinon
// la raison (`lue` dans un état quelconque). Seul un état que le jeu peut faire est accepté.
std::optional<std::string> LirePartieGardee(std::istream& entree, PartieGardee& lue);
