// Géométrie des clics : chaque borne des zones, les trous entre elles.
#include <gtest/gtest.h>

#include "disposition/disposition.h"

using disposition::Zone;
using disposition::ZoneClic;

namespace {

// Point cliqué et zone attendue : 'c' case (a = ligne, b = colonne), 'p' palette (a = entrée),
// '-' aucune.
struct CasClic {
    int x, y;
    char type;
    int a = -1, b = -1;
};

TEST(ZoneClic, ChaqueBorne)
{
    const CasClic cas[] = {
        // Coins de la grille et juste à côté.
        {86, 14, 'c', 0, 0}, {85, 14, '-'}, {86, 13, '-'}, {382, 298, 'c', 8, 8}, {383, 298, '-'}, {382, 299, '-'},
        // Passages d'une colonne à l'autre : 118/119, et la dernière 350..382.
        {118, 100, 'c', 2, 0}, {119, 100, 'c', 2, 1}, {349, 100, 'c', 2, 7}, {350, 100, 'c', 2, 8},
        // Passages d'une ligne à l'autre : 45/46, et la dernière 270..298 (raccourcie).
        {200, 45, 'c', 0, 3}, {200, 46, 'c', 1, 3}, {200, 269, 'c', 7, 3}, {200, 270, 'c', 8, 3},
        // Sous la grille (299 à 301), entre la grille et la palette (383 à 419) : rien.
        {100, 299, '-'}, {100, 300, '-'}, {382, 301, '-'}, {383, 100, '-'}, {400, 100, '-'}, {419, 100, '-'},
        // Palette : bornes en x et en y, passages entre entrées.
        {420, 32, 'p', 0}, {440, 32, 'p', 0}, {441, 32, '-'}, {430, 31, '-'}, {430, 54, 'p', 0}, {430, 55, 'p', 1},
        {430, 238, 'p', 8}, {430, 239, 'p', 9}, {430, 261, 'p', 9}, {430, 262, 'p', 10}, {430, 284, 'p', 10},
        {430, 285, '-'},
        // Ailleurs : menu de la zone client, ligne d'état, bords.
        {0, 0, '-'}, {50, 330, '-'}, {479, 340, '-'}};
    for (const CasClic& c : cas) {
        SCOPED_TRACE(testing::Message() << "(" << c.x << ", " << c.y << ")");
        const Zone z = ZoneClic(c.x, c.y);
        EXPECT_EQ(z.type, c.type == 'c' ? Zone::Case : c.type == 'p' ? Zone::Palette : Zone::Aucune);
        if (c.type == 'c') {
            EXPECT_EQ(z.ligne, c.a);
            EXPECT_EQ(z.colonne, c.b);
        }
        if (c.type == 'p') {
            EXPECT_EQ(z.entree, c.a);
        }
    }
}

// Toute la grille : chaque pixel tombe dans exactement une case, et les cases se suivent
// sans trou (la ligne et la colonne ne décroissent jamais et n'avancent que d'un cran).
TEST(ZoneClic, GrilleCouverteSansTrou)
{
    for (int y = disposition::GrilleYMin; y <= disposition::GrilleYMax; ++y) {
        int colonnePrecedente = 0;
        for (int x = disposition::GrilleXMin; x <= disposition::GrilleXMax; ++x) {
            const Zone z = ZoneClic(x, y);
            ASSERT_EQ(z.type, Zone::Case);
            ASSERT_GE(z.colonne, colonnePrecedente);
            ASSERT_LE(z.colonne, colonnePrecedente + 1);
            ASSERT_LE(z.ligne, 8);
            ASSERT_EQ(z.ligne, ZoneClic(disposition::GrilleXMin, y).ligne);
            colonnePrecedente = z.colonne;
        }
        EXPECT_EQ(colonnePrecedente, 8);
    }
}

}  // namespace
