// Géométrie des clics : chaque borne des zones, les trous entre elles.
#include <gtest/gtest.h>
#include <ostream>

#include "ui/disposition.h"

using disposition::Zone;
using disposition::ZoneClic;

namespace {

struct CasClic {
    int x, y;
    Zone::Type type;
    int ligne, colonne, entree;
};

// Nom lisible de chaque cas dans la liste des tests : le point cliqué.
void PrintTo(const CasClic& c, std::ostream* sortie) { *sortie << "x" << c.x << "_y" << c.y; }

class ZoneClicTest : public ::testing::TestWithParam<CasClic> {};

TEST_P(ZoneClicTest, PointRapporteALaBonneZone)
{
    const CasClic& c = GetParam();
    const Zone z = ZoneClic(c.x, c.y);
    EXPECT_EQ(z.type, c.type) << "(" << c.x << ", " << c.y << ")";
    if (c.type == Zone::Case) {
        EXPECT_EQ(z.ligne, c.ligne);
        EXPECT_EQ(z.colonne, c.colonne);
    }
    if (c.type == Zone::Palette) {
        EXPECT_EQ(z.entree, c.entree);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bornes, ZoneClicTest,
    ::testing::Values(
        // Coins de la grille et juste à côté.
        CasClic{86, 14, Zone::Case, 0, 0, -1}, CasClic{85, 14, Zone::Aucune, -1, -1, -1},
        CasClic{86, 13, Zone::Aucune, -1, -1, -1}, CasClic{382, 298, Zone::Case, 8, 8, -1},
        CasClic{383, 298, Zone::Aucune, -1, -1, -1}, CasClic{382, 299, Zone::Aucune, -1, -1, -1},
        // Passages d'une colonne à l'autre : 118/119, et la dernière 350..382.
        CasClic{118, 100, Zone::Case, 2, 0, -1}, CasClic{119, 100, Zone::Case, 2, 1, -1},
        CasClic{349, 100, Zone::Case, 2, 7, -1}, CasClic{350, 100, Zone::Case, 2, 8, -1},
        // Passages d'une ligne à l'autre : 45/46, et la dernière 270..298 (raccourcie).
        CasClic{200, 45, Zone::Case, 0, 3, -1}, CasClic{200, 46, Zone::Case, 1, 3, -1},
        CasClic{200, 269, Zone::Case, 7, 3, -1}, CasClic{200, 270, Zone::Case, 8, 3, -1},
        // Sous la grille : 299 à 301 ne font rien.
        CasClic{100, 299, Zone::Aucune, -1, -1, -1}, CasClic{100, 300, Zone::Aucune, -1, -1, -1},
        CasClic{382, 301, Zone::Aucune, -1, -1, -1},
        // Entre la grille et la palette : 383 à 419 ne font rien.
        CasClic{383, 100, Zone::Aucune, -1, -1, -1}, CasClic{400, 100, Zone::Aucune, -1, -1, -1},
        CasClic{419, 100, Zone::Aucune, -1, -1, -1},
        // Palette : bornes en x et en y, passages entre entrées.
        CasClic{420, 32, Zone::Palette, -1, -1, 0}, CasClic{440, 32, Zone::Palette, -1, -1, 0},
        CasClic{441, 32, Zone::Aucune, -1, -1, -1}, CasClic{430, 31, Zone::Aucune, -1, -1, -1},
        CasClic{430, 54, Zone::Palette, -1, -1, 0}, CasClic{430, 55, Zone::Palette, -1, -1, 1},
        CasClic{430, 238, Zone::Palette, -1, -1, 8}, CasClic{430, 239, Zone::Palette, -1, -1, 9},
        CasClic{430, 261, Zone::Palette, -1, -1, 9}, CasClic{430, 262, Zone::Palette, -1, -1, 10},
        CasClic{430, 284, Zone::Palette, -1, -1, 10}, CasClic{430, 285, Zone::Aucune, -1, -1, -1},
        // Ailleurs : menu de la zone client, ligne d'état, bords.
        CasClic{0, 0, Zone::Aucune, -1, -1, -1}, CasClic{50, 330, Zone::Aucune, -1, -1, -1},
        CasClic{479, 340, Zone::Aucune, -1, -1, -1}));

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
