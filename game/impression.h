// Les grilles sur papier, sans Qt : ce qui s'imprime de chaque grille et où chaque trait,
// chaque chiffre et chaque légende va sur la page. La ligne de commande en fait un PDF, la
// fenêtre peint les mêmes pages sur l'imprimante.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "engine/grille.h"
#include "files/pdf.h"
#include "game/generateur.h"

struct GrilleImprimee {
    std::array<int32_t, 81> chiffres{};  // 0 : case vide
    std::array<bool, 81> indices{};      // les indices en gras et noirs, les autres chiffres en gris
    std::string legende;                 // d'où vient la grille
};

// Grilles par page, au choix.
inline constexpr std::array<int, 4> ParPagePossibles{1, 2, 4, 6};
// Le format A4 de la ligne de commande, en points.
inline constexpr double LargeurA4 = 595.28;
inline constexpr double HauteurA4 = 841.89;

// Les indices de `grille` et, si `avecPoses`, les autres chiffres posés.
GrilleImprimee GrilleAImprimer(const CGrille& grille, bool avecPoses, std::string legende);

// « Niveau moyen, graine 123 » : la graine est l'état du hasard juste avant la grille, si bien
// que `novemia-cli generer moyen --graine 123` la redonne seule.
std::string LegendeGeneree(NiveauGrille niveau, uint32_t graine);

// Les grilles `parPage` par page (1, 2, 4 ou 6 ; 2 et 6 côte à côte sur une page en largeur),
// dans l'ordre, chacune sous sa légende ; chaque page porte son numéro en pied.
DocumentPages MettreEnPages(std::span<const GrilleImprimee> grilles, int parPage, double largeur, double hauteur);
