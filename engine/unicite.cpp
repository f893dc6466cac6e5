// Les techniques qui ne valent que sur une grille à une seule solution (comptée à part) :
// elles écartent ce qui en donnerait une seconde.
#include <algorithm>

#include "engine/etat.h"

namespace raisonnement {

// Rectangle unique, type 1 : quatre cases vides sur deux lignes, deux colonnes et deux
// régions ; trois n'ont que a et b, la quatrième les a avec d'autres. Si elle était a ou b,
// on pourrait échanger a et b dans les quatre coins : deux solutions. Elle n'a donc ni a ni b.
bool ChercherRectangleUnique(const Etat& s, Etape& e)
{
    if (!s.unique) return false;
    // Deux coins n'ont que a et b : on part de deux cases à deux chiffres égaux sur une même
    // ligne (ou colonne), et l'on cherche les deux autres coins sur chaque autre ligne (ou colonne).
    for (int p = 0; p < 81; ++p) {
        const uint16_t ab = s.cand[p];
        if (Compte(ab) != 2) continue;
        for (int sens = 0; sens < 2; ++sens) {
            const int pas = sens == 0 ? 1 : 9;  // le long de la ligne, ou de la colonne
            for (int q = p + pas; q < 81 && (sens == 1 || q / 9 == p / 9); q += pas) {
                if (s.cand[q] != ab) continue;
                for (int decalage = -8; decalage <= 8; ++decalage) {
                    const int ecart = decalage * (sens == 0 ? 9 : 1);  // vers l'autre ligne (ou colonne)
                    const int r = p + ecart, t = q + ecart;
                    if (decalage == 0 || r < 0 || r >= 81 || t < 0 || t >= 81) continue;
                    if (sens == 1 && r / 9 != p / 9) continue;
                    // Deux régions en tout, pas quatre ni une.
                    const std::array<int, 4> coins{p, q, r, t};
                    if ((T.unitesDe[p][2] == T.unitesDe[q][2]) == (T.unitesDe[p][2] == T.unitesDe[r][2])) continue;
                    int autre = -1;
                    if (s.cand[r] == ab && (s.cand[t] & ab) == ab && Compte(s.cand[t]) > 2) autre = t;
                    if (s.cand[t] == ab && (s.cand[r] & ab) == ab && Compte(s.cand[r]) > 2) autre = r;
                    if (autre < 0) continue;
                    e = Nouvelle(Technique::RectangleUnique);
                    std::array<int, 4> tries = coins;
                    std::sort(tries.begin(), tries.end());
                    for (const int i : tries)
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
