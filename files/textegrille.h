// Le texte d'une grille, tel que les listes de grilles, la ligne de commande et les fichiers
// l'écrivent : 81 caractères, une case par caractère, ligne par ligne ("1" à "9" un indice,
// "." ou "0" une case vide), ou les mêmes caractères en neuf lignes de neuf.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/grille.h"

// Un caractère permis dans une grille : "1" à "9" un indice, "." ou "0" une case vide.
bool CaractereDeGrille(char c);

// Rien si `texte` est une grille de 81 caractères permis, sinon le message qui dit pourquoi.
std::optional<std::string> ControlerTexteGrille(std::string_view texte);

// Vide la grille et y pose les indices de `texte`. Faux, grille vidée, si le texte n'est pas
// une grille (voir ControlerTexteGrille).
bool LireTexteGrille(std::string_view texte, CGrille& grille);

// Les indices (origine Init) en 81 caractères, "." ailleurs.
std::string TexteIndices(const CGrille& grille);
// La solution gardée, en 81 chiffres.
std::string TexteSolution(const CGrille& grille);

// Les 81 caractères en neuf lignes de neuf, chacune suivie de `finDeLigne`.
std::string EnNeufLignes(std::string_view texte, std::string_view finDeLigne = "\n");
