// Les ailes au-delà du XY-wing : XYZ-wing et W-wing.
#include <algorithm>

#include "engine/etat.h"

namespace raisonnement {

// Un pivot {x,y,z} voit une pince {x,z} et une pince {y,z} : l'une des trois cases vaut z,
// donc z n'est pas dans les cases qui voient les trois.
bool ChercherXYZWing(const Etat& s, Etape& e)
{
    const auto& voisines = VoisinesDe();
    for (int p = 0; p < 81; ++p) {
        const uint16_t xyz = s.cand[p];
        if (Compte(xyz) != 3) continue;
        std::array<int, 20> pinces{};
        int n = 0;
        for (const int a : T.voisins[p])
            if (Compte(s.cand[a]) == 2 && (s.cand[a] & ~xyz) == 0) pinces[n++] = a;
        std::sort(pinces.begin(), pinces.begin() + n);
        for (int ia = 0; ia < n; ++ia) {
            for (int ib = ia + 1; ib < n; ++ib) {
                const int a = pinces[ia], b = pinces[ib];
                const auto z = static_cast<uint16_t>(s.cand[a] & s.cand[b]);
                if (Compte(z) != 1 || (s.cand[a] | s.cand[b]) != xyz) continue;
                const Cases81 communes = voisines[p] & voisines[a] & voisines[b] & s.CasesDu(PlusPetit(z));
                if (communes.Vide()) continue;
                e = Nouvelle(Technique::XYZWing);
                AjouterCase(e, s, p);
                AjouterCase(e, s, a);
                AjouterCase(e, s, b);
                e.chiffres = xyz;
                communes.PourChaque([&](int j) { e.retraits.push_back(Pose(j, PlusPetit(z))); });
                return true;
            }
        }
    }
    return false;
}

// Deux cases P et Q qui ne se voient pas n'ont que x et y ; le x n'a que deux places A et B
// dans une unité, A voit P, B voit Q. Si P n'était pas y, ce serait x, donc pas A, donc B,
// donc Q ne serait pas x : ce serait y. L'une des deux est un y, qu'on ôte des cases qui
// voient les deux.
bool ChercherWWing(const Etat& s, Etape& e)
{
    const auto& voisines = VoisinesDe();
    for (int p = 0; p < 81; ++p) {
        const uint16_t xy = s.cand[p];
        if (Compte(xy) != 2) continue;
        for (int q = p + 1; q < 81; ++q) {
            if (s.cand[q] != xy || voisines[p].Contient(q)) continue;
            for (uint32_t m = xy; m != 0; m &= m - 1) {
                const int x = std::countr_zero(m) + 1;
                const int y = PlusPetit(static_cast<uint16_t>(xy & ~Bit(x)));
                const Cases81 communes = voisines[p] & voisines[q] & s.CasesDu(y);
                if (communes.Vide()) continue;
                for (int u = 0; u < 27; ++u) {
                    const uint16_t places = s.places[u][x];
                    if (Compte(places) != 2) continue;
                    int a = T.cellules[u][std::countr_zero(static_cast<uint32_t>(places))];
                    int b = T.cellules[u][15 - std::countl_zero(static_cast<uint16_t>(places))];
                    if (a == p || a == q || b == p || b == q) continue;
                    if (!(voisines[p].Contient(a) && voisines[q].Contient(b))) std::swap(a, b);
                    if (!(voisines[p].Contient(a) && voisines[q].Contient(b))) continue;
                    std::vector<CaseChiffre> retraits;
                    communes.PourChaque([&](int j) { retraits.push_back(Pose(j, y)); });
                    e = EtapeChaine(Technique::WWing, s,
                                    {NoeudSimple(p, y), NoeudSimple(p, x), NoeudSimple(a, x), NoeudSimple(b, x),
                                     NoeudSimple(q, x), NoeudSimple(q, y)},
                                    {LienDansCase(true), LienFaible(UniteCommune(p, a)), LienFort(u),
                                     LienFaible(UniteCommune(b, q)), LienDansCase(true)},
                                    std::move(retraits));
                    return true;
                }
            }
        }
    }
    return false;
}

}  // namespace raisonnement
