// Géométrie des fonds en pixels, tirée des rectangles en unités de dialogue de la fenêtre :
// où passent les traits de la grille, les cases de la palette et la bande d'état. Le programme
// de dessin y trace le fond ; la fenêtre y pose les teintes des cases, entre les traits.
#pragma once

#include "disposition/disposition.h"

#include <array>

namespace geometrie {

constexpr double EnX(double unites) { return unites * disposition::PixelsParUniteX; }
constexpr double EnY(double unites) { return unites * disposition::PixelsParUniteY; }

// Abscisses des dix traits verticaux (bords du cadre compris) : les colonnes se touchent.
constexpr std::array<double, 10> TraitsVerticaux()
{
    std::array<double, 10> x{};
    for (int k = 0; k < 9; ++k)
        x[k] = EnX(disposition::RectCase(0, k).x);
    const auto derniere = disposition::RectCase(0, 8);
    x[9] = EnX(derniere.x + derniere.largeur);
    return x;
}

// Ordonnées des dix traits horizontaux : entre deux lignes voisines, au milieu de leur
// chevauchement (ou sur leur bord commun quand elles se touchent).
constexpr std::array<double, 10> TraitsHorizontaux()
{
    std::array<double, 10> y{};
    y[0] = EnY(disposition::RectCase(0, 0).y);
    for (int r = 0; r < 8; ++r) {
        const auto haut = disposition::RectCase(r, 0), bas = disposition::RectCase(r + 1, 0);
        y[r + 1] = EnY((haut.y + haut.hauteur + bas.y) / 2.0);
    }
    const auto derniere = disposition::RectCase(8, 0);
    y[9] = EnY(derniere.y + derniere.hauteur);
    return y;
}

// Bornes verticales des onze cases de palette, coupées de la même façon entre voisines.
constexpr std::array<double, 12> BornesPalette()
{
    std::array<double, 12> y{};
    y[0] = EnY(disposition::RectPalette(0).y);
    for (int e = 0; e < 10; ++e) {
        const auto haut = disposition::RectPalette(e), bas = disposition::RectPalette(e + 1);
        y[e + 1] = EnY((haut.y + haut.hauteur + bas.y) / 2.0);
    }
    const auto derniere = disposition::RectPalette(10);
    y[11] = EnY(derniere.y + derniere.hauteur);
    return y;
}

constexpr double PaletteGauche() { return EnX(disposition::RectPalette(0).x); }
constexpr double PaletteDroite()
{
    return EnX(disposition::RectPalette(0).x + disposition::RectPalette(0).largeur);
}

// Rectangle de la ligne d'état en pixels (flottants).
struct RectPixels {
    double gauche, haut, droite, bas;
};
constexpr RectPixels Statut()
{
    const auto s = disposition::RectStatut;
    return {EnX(s.x), EnY(s.y), EnX(s.x + s.largeur), EnY(s.y + s.hauteur)};
}

// Rangée de pixels qui porte un trait passant à la coordonnée c.
constexpr int PixelDuTrait(double c) { return static_cast<int>(c); }

}  // namespace geometrie
