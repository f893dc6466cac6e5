// Les techniques qui ne valent que sur une grille à une seule solution (comptée à part) :
// elles écartent ce qui en donnerait une seconde.
#include "engine/etat.h"

namespace raisonnement {

// Rectangle unique, type 1 : quatre cases vides sur deux lignes, deux colonnes et deux
// régions ; trois n'ont que a et b, la quatrième les a avec d'autres. Si elle était a ou b,
// on pourrait échanger a et b dans les quatre coins : deux solutions. Elle n'a donc ni a ni b.
bool ChercherRectangleUnique(const Etat& s, Etape& e)
{
    if (!s.unique) return false;
    for (int l1 = 0; l1 < 9; ++l1) {
        for (int l2 = l1 + 1; l2 < 9; ++l2) {
            for (int c1 = 0; c1 < 9; ++c1) {
                for (int c2 = c1 + 1; c2 < 9; ++c2) {
                    // Deux régions : les lignes dans une même bande ou les colonnes dans une même pile, pas les deux.
                    if ((l1 / 3 == l2 / 3) == (c1 / 3 == c2 / 3)) continue;
                    const std::array<int, 4> coins{l1 * 9 + c1, l1 * 9 + c2, l2 * 9 + c1, l2 * 9 + c2};
                    int autre = -1, paires = 0;
                    uint16_t ab = 0;
                    for (const int i : coins) {
                        if (Compte(s.cand[i]) == 2 && (ab == 0 || s.cand[i] == ab)) {
                            ab = s.cand[i], ++paires;
                        } else {
                            autre = i;
                        }
                    }
                    if (paires != 3 || autre < 0 || (s.cand[autre] & ab) != ab || Compte(s.cand[autre]) < 3) continue;
                    e = Nouvelle(Technique::RectangleUnique);
                    for (const int i : coins)
                        if (i != autre) AjouterCase(e, s, i);
                    AjouterCase(e, s, autre);
                    e.chiffres = ab;
                    for (uint32_t m = ab; m != 0; m &= m - 1) e.retraits.push_back(Pose(autre, std::countr_zero(m) + 1));
                    return true;
                }
            }
        }
    }
    return false;
}

// BUG+1 : toutes les cases vides ont deux chiffres sauf une, qui en a trois ; sans celui de
// ses chiffres qui paraît trois fois dans ses unités, chaque chiffre aurait zéro ou deux
// places dans chaque unité, et une telle position n'a jamais une seule solution. Ce chiffre
// est donc le sien.
bool ChercherBugPlus1(const Etat& s, Etape& e)
{
    if (!s.unique) return false;
    int trois = -1;
    for (int i = 0; i < 81; ++i) {
        const int n = Compte(s.cand[i]);
        if (s.valeur[i] != 0 || n == 2) continue;
        if (n != 3 || trois >= 0) return false;
        trois = i;
    }
    if (trois < 0) return false;
    for (uint32_t m = s.cand[trois]; m != 0; m &= m - 1) {
        const int x = std::countr_zero(m) + 1;
        // Sans x dans cette case, chaque chiffre a-t-il zéro ou deux places dans chaque unité ?
        bool bug = true;
        for (int u = 0; u < 27 && bug; ++u) {
            for (int d = 1; d <= 9 && bug; ++d) {
                const int places = Compte(s.places[u][d]) - (d == x && DansUnite(u, trois) ? 1 : 0);
                bug = places == 0 || places == 2;
            }
        }
        if (!bug) continue;
        e = Nouvelle(Technique::BugPlus1);
        AjouterCase(e, s, trois);
        for (int i = 0; i < 81; ++i)
            if (s.valeur[i] == 0 && i != trois) AjouterCase(e, s, i);
        e.chiffres = Bit(x);
        e.poses = {Pose(trois, x)};
        return true;
    }
    return false;
}

}  // namespace raisonnement
