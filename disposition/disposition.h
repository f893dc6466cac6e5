// Disposition de la fenêtre principale, en unités de dialogue,
// et zones de clic en pixels de la zone client. Sans Qt : le programme qui dessine les skins
// au moment de la construction s'en sert aussi, si bien que fond et étiquettes ne peuvent
// pas se décaler.
#pragma once

#include <array>
#include <cmath>

namespace disposition {

// 1,5 px par unité horizontale, 1,625 px par unité verticale.
constexpr double PixelsParUniteX = 1.5;
constexpr double PixelsParUniteY = 1.625;
constexpr int LargeurClient = 480;  // 320 unités
constexpr int HauteurClient = 341;  // 210 unités

struct Rect {
    int x, y, largeur, hauteur;  // en unités de dialogue
};

// Conversion d'unités de dialogue en pixels (arrondi au plus proche).
constexpr int EnPixelsX(int unites) { return static_cast<int>(unites * PixelsParUniteX + 0.5); }
constexpr int EnPixelsY(int unites) { return static_cast<int>(unites * PixelsParUniteY + 0.5); }

// Cases : 22 × 20 unités ; colonne n à x = 56 + 22 n ; lignes aux y du tableau
// (pas de 19 ou 20 : là où il vaut 19 deux lignes voisines se chevauchent d'une unité).
constexpr std::array<int, 9> YLignes{8, 27, 47, 66, 86, 105, 125, 145, 165};
constexpr Rect RectCase(int ligne, int colonne) { return {56 + 22 * colonne, YLignes[ligne], 22, 20}; }

// Palette : 11 étiquettes à x = 279, largeur 16.
constexpr Rect RectPalette(int entree)
{
    return entree < 10 ? Rect{279, 19 + 14 * entree, 16, 15} : Rect{279, 160, 16, 13};
}

// Ligne d'état.
constexpr Rect RectStatut{7, 199, 300, 10};

// Zones de clic, en pixels de la zone client, bornes comprises.
constexpr int GrilleXMin = 86, GrilleXMax = 382, GrilleYMin = 14, GrilleYMax = 298;
constexpr int PaletteXMin = 420, PaletteXMax = 440, PaletteYMin = 32, PaletteYMax = 284;

struct Zone {
    enum Type { Aucune, Case, Palette } type = Aucune;
    int ligne = -1, colonne = -1;  // pour une case
    int entree = -1;               // pour la palette
};

// Rapporte un point de la zone client à une case ou à une entrée de la palette.
constexpr Zone ZoneClic(int x, int y)
{
    if (x >= GrilleXMin && x <= GrilleXMax && y >= GrilleYMin && y <= GrilleYMax)
        return {Zone::Case, (y - GrilleYMin) / 32, (x - GrilleXMin) / 33, -1};
    if (x >= PaletteXMin && x <= PaletteXMax && y >= PaletteYMin && y <= PaletteYMax)
        return {Zone::Palette, -1, -1, (y - PaletteYMin) / 23};
    return {};
}

}  // namespace disposition
