// Compteur de solutions rapide, à part du solveur de CGrille (qui reste celui de la trace et
// du générateur) et du raisonnement par techniques : il ne dit rien au joueur, il compte.
// Sert à savoir si une position a une seule solution avant de s'en servir (grilles faites
// pour une technique, techniques qui ne valent que sur une grille unique).
// Sans Qt ni fenêtre, sans état partagé : chaque appel part de la position qu'on lui donne.
#pragma once

#include <array>
#include <cstdint>

struct Comptage {
    int32_t solutions = 0;              // de 0 à la limite demandée
    std::array<int32_t, 81> premiere{};  // la première solution trouvée, si solutions > 0
};

// Les solutions de `position` (81 chiffres lus ligne par ligne, 0 ou tout autre nombre hors
// de 1 à 9 pour une case vide), comptées jusqu'à `limite` (au moins 1) : 2 suffit pour
// savoir si la solution est unique. Des indices qui se répètent donnent 0.
Comptage CompterSolutions(const std::array<int32_t, 81>& position, int32_t limite = 2);
