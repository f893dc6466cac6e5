// Le raisonnement par techniques : l'état des candidats, la recherche de chaque technique, la
// pile des hypothèses, et les dépendances entre étapes pour « Pourquoi ? ».
//
// Une technique de plus : sa valeur dans Technique (à sa place dans l'ordre de recherche), sa
// ligne dans Regles (note, fondement), son chercheur dans ChercheursDeRetraits, et ses mots
// dans game/explicationtechnique.cpp.
#include "engine/raisonnement.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "engine/compteur.h"
#include "engine/etat.h"

namespace raisonnement {

Etat EtatDepuis(const Position& position)
{
    Etat s;
    s.cand.fill(Tous);
    for (int i = 0; i < 81; ++i) {
        if (position[i] < 1 || position[i] > 9) continue;
        s.valeur[i] = static_cast<int8_t>(position[i]);
        --s.vides;
    }
    for (int i = 0; i < 81; ++i) {
        if (s.valeur[i] == 0) continue;
        s.cand[i] = 0;
        for (const int u : T.unitesDe[i]) s.poses[u] |= Bit(s.valeur[i]);
        for (const int j : T.voisins[i]) s.cand[j] &= static_cast<uint16_t>(~Bit(s.valeur[i]));
    }
    for (int i = 0; i < 81; ++i) {
        for (uint32_t m = s.cand[i]; m != 0; m &= m - 1) {
            const int d = std::countr_zero(m) + 1;
            for (int k = 0; k < 3; ++k) s.places[T.unitesDe[i][k]][d] |= static_cast<uint16_t>(1u << T.rangs[i][k]);
            s.casesDu[d].Mettre(i);
        }
    }
    return s;
}

// --- Les étapes : une fabrique par genre d'étape ---

// Une pose du chiffre d dans la case i (seul candidat, seule place, hypothèse).
Etape EtapePose(const Etat& s, Technique technique, int i, int d, uint16_t chiffres)
{
    Etape e = Nouvelle(technique);
    AjouterCase(e, s, i);
    e.chiffres = chiffres;
    e.poses = {Pose(i, d)};
    return e;
}

// La case i n'a plus qu'un candidat.
Etape EtapeSeulCandidat(const Etat& s, int i)
{
    return EtapePose(s, Technique::SeulCandidat, i, PlusPetit(s.cand[i]), s.cand[i]);
}

// Le chiffre d n'a plus qu'une place dans l'unité u.
Etape EtapeSeulePlace(const Etat& s, int u, int d)
{
    const int i = T.cellules[u][std::countr_zero(static_cast<uint32_t>(s.places[u][d]))];
    const auto technique = static_cast<Technique>(static_cast<int>(Technique::SeulePlaceLigne) + u / 9);
    Etape e = EtapePose(s, technique, i, d, Bit(d));
    e.unites = {UniteNo(u)};
    return e;
}

// La case aux moins de candidats, la première en lecture (la grille n'est pas pleine).
int CaseHypothese(const Etat& s)
{
    int meilleure = -1, moins = 10;
    for (int i = 0; i < 81; ++i) {
        if (s.valeur[i] != 0) continue;
        const int c = Compte(s.cand[i]);
        if (c < moins) meilleure = i, moins = c;
    }
    return meilleure;
}

// L'hypothèse du niveau `niveau` : le plus petit candidat de cette case.
Etape EtapeHypothese(const Etat& s, int niveau)
{
    const int i = CaseHypothese(s);
    const int d = PlusPetit(s.cand[i]);
    Etape e = EtapePose(s, Technique::Hypothese, i, d, Bit(d));
    e.niveau = niveau;
    e.unique = s.unique;
    return e;
}

Etape EtapeContradiction(GenreContradiction genre)
{
    Etape e = Nouvelle(Technique::Contradiction);
    e.contradiction = genre;
    return e;
}

void TrierRetraits(std::vector<CaseChiffre>& retraits)
{
    std::sort(retraits.begin(), retraits.end(), [](const CaseChiffre& a, const CaseChiffre& b) {
        return Indice(a) * 9 + a.chiffre < Indice(b) * 9 + b.chiffre;
    });
}

void Appliquer(Etat& s, const Etape& e)
{
    for (const CaseChiffre& p : e.poses) s.Poser(Indice(p), p.chiffre);
    for (const CaseChiffre& r : e.retraits) s.Oter(Indice(r), r.chiffre);
}

// --- Contradictions ---

// Vrai si l'état bute sur une case vide sans candidat ou un chiffre sans place : le test
// rapide de « Pourquoi ? » après chaque retrait (un chiffre répété ne peut venir que des
// chiffres posés, vus au départ).
bool Bute(const Etat& s)
{
    for (int i = 0; i < 81; ++i)
        if (s.valeur[i] == 0 && s.cand[i] == 0) return true;
    for (int u = 0; u < 27; ++u)
        if ((s.poses[u] | LirePlaces(s, u).une) != Tous) return true;
    return false;
}

bool ChercherContradiction(const Etat& s, Etape& e)
{
    for (int i = 0; i < 81; ++i) {
        if (s.valeur[i] == 0 && s.cand[i] == 0) {
            e = EtapeContradiction(GenreContradiction::CaseSansChiffre);
            AjouterCase(e, s, i);
            return true;
        }
    }
    for (int u = 0; u < 27; ++u) {
        uint16_t poses = 0;
        for (const int i : T.cellules[u]) {
            const int v = s.valeur[i];
            if (v == 0) continue;
            if (poses & Bit(v)) {
                e = EtapeContradiction(GenreContradiction::ChiffreRepete);
                e.unites = {UniteNo(u)};
                e.chiffres = Bit(v);
                for (const int j : T.cellules[u])
                    if (s.valeur[j] == v) AjouterCase(e, s, j);
                return true;
            }
            poses |= Bit(v);
        }
        if (const auto manque = static_cast<uint16_t>(Tous & ~poses & ~LirePlaces(s, u).une)) {
            e = EtapeContradiction(GenreContradiction::ChiffreSansPlace);
            e.unites = {UniteNo(u)};
            e.chiffres = Bit(PlusPetit(manque));
            return true;
        }
    }
    return false;
}

// --- Les techniques : chacune remplit `e` et dit vrai quand elle pose ou ôte quelque chose ---

bool ChercherSeulCandidat(const Etat& s, Etape& e)
{
    for (int i = 0; i < 81; ++i) {
        if (s.valeur[i] != 0 || Compte(s.cand[i]) != 1) continue;
        e = EtapeSeulCandidat(s, i);
        return true;
    }
    return false;
}

bool ChercherSeulePlace(const Etat& s, Etape& e)
{
    for (int u = 0; u < 27; ++u) {
        if (const uint16_t seuls = LirePlaces(s, u).seuls) {
            e = EtapeSeulePlace(s, u, PlusPetit(seuls));
            return true;
        }
    }
    return false;
}

// Le chiffre d tient, dans l'unité `source`, dans l'unité `cible` : on l'ôte du reste de `cible`.
bool Verrouiller(const Etat& s, Etape& e, Technique technique, int source, int cible, int d)
{
    std::vector<CaseChiffre> retraits;
    for (const int i : T.cellules[cible])
        if ((s.cand[i] & Bit(d)) && !DansUnite(source, i)) retraits.push_back(Pose(i, d));
    if (retraits.empty()) return false;
    e = Nouvelle(technique);
    e.unites = {UniteNo(source), UniteNo(cible)};
    for (const int i : T.cellules[source])
        if (s.cand[i] & Bit(d)) AjouterCase(e, s, i);
    e.chiffres = Bit(d);
    e.retraits = std::move(retraits);
    return true;
}

// Les tiers (rangs 0-2, 3-5, 6-8) d'un masque de places : bit t si le tiers t en a une.
uint32_t Tiers(uint32_t q) { return (q & 0x7 ? 1u : 0u) | (q & 0x38 ? 2u : 0u) | (q & 0x1C0 ? 4u : 0u); }

bool ChercherVerrouilles(const Etat& s, Etape& e)
{
    const Places& p = s.places;
    // Le test d'un retrait possible se lit sur les places de la cible : hors des trois cases
    // qu'elle partage avec la source, le chiffre a-t-il encore une place ?
    for (int r = 0; r < 9; ++r) {
        if (!s.Changee(18 + r)) continue;
        for (int d = 1; d <= 9; ++d) {
            const uint32_t q = p[18 + r][d];
            if (q == 0) continue;
            const uint32_t lignes = Tiers(q);
            const uint32_t colonnes = (q & 0x49 ? 1u : 0u) | (q & 0x92 ? 2u : 0u) | (q & 0x124 ? 4u : 0u);
            if (Compte(lignes) == 1) {
                const int ligne = (r / 3) * 3 + std::countr_zero(lignes);
                if ((p[ligne][d] & ~(0x7u << (3 * (r % 3)))) &&
                    Verrouiller(s, e, Technique::VerrouilleRegion, 18 + r, ligne, d))
                    return true;
            }
            if (Compte(colonnes) == 1) {
                const int colonne = (r % 3) * 3 + std::countr_zero(colonnes);
                if ((p[9 + colonne][d] & ~(0x7u << (3 * (r / 3)))) &&
                    Verrouiller(s, e, Technique::VerrouilleRegion, 18 + r, 9 + colonne, d))
                    return true;
            }
        }
    }
    for (int u = 0; u < 18; ++u) {
        if (!s.Changee(u)) continue;
        for (int d = 1; d <= 9; ++d) {
            const uint32_t bandes = Tiers(p[u][d]);
            if (Compte(bandes) != 1) continue;
            const int b = std::countr_zero(bandes);
            const int region = u < 9 ? (u / 3) * 3 + b : b * 3 + (u - 9) / 3;
            const uint32_t partagees = u < 9 ? 0x7u << (3 * (u % 3)) : 0x49u << ((u - 9) % 3);
            if (!(p[18 + region][d] & ~partagees)) continue;
            const Technique t = u < 9 ? Technique::VerrouilleLigne : Technique::VerrouilleColonne;
            if (Verrouiller(s, e, t, u, 18 + region, d)) return true;
        }
    }
    return false;
}

// Le motif des sous-ensembles et des poissons, lu dans une table de 9 × 9 (bit x de vus[y]) :
// k lignes y qui, à elles toutes, n'occupent que k colonnes x ; les autres lignes perdent ces
// colonnes. Pour les sous-ensembles nus, les lignes sont les cases d'une unité et les colonnes
// leurs chiffres ; cachés, les chiffres et leurs places dans l'unité ; pour les poissons, les
// lignes (ou colonnes) de la grille et les places d'un chiffre. `oter(y, x)` dit le retrait de
// la case (y, x) ; `faire(ys, xs, retraits)` fait l'étape. Les retraits vont x croissant, puis
// y croissant. Un début de choix qui occupe déjà plus de k colonnes est abandonné.
template <class Oter, class Faire>
bool ChercherMotif(const std::array<uint16_t, 9>& vus, int k, Oter&& oter, Faire&& faire)
{
    std::array<uint16_t, 9> masques{};
    std::array<int, 9> lignes{};
    int n = 0;
    for (int y = 0; y < 9; ++y) {
        const int c = Compte(vus[y]);
        if (c >= 2 && c <= k) masques[n] = vus[y], lignes[n++] = y;
    }
    auto essayer = [&](std::initializer_list<int> choix, uint16_t xs) {
        uint16_t ys = 0;
        for (const int m : choix) ys |= static_cast<uint16_t>(1u << lignes[m]);
        std::vector<CaseChiffre> retraits;
        for (uint32_t bx = xs; bx != 0; bx &= bx - 1) {
            const int x = std::countr_zero(bx);
            for (int y = 0; y < 9; ++y)
                if (!(ys & (1u << y)) && (vus[y] & (1u << x))) retraits.push_back(oter(y, x));
        }
        if (retraits.empty()) return false;
        faire(ys, xs, std::move(retraits));
        return true;
    };
    for (int a = 0; a < n; ++a) {
        for (int b = a + 1; b < n; ++b) {
            const auto ab = static_cast<uint16_t>(masques[a] | masques[b]);
            if (Compte(ab) > k) continue;
            if (k == 2) {
                if (essayer({a, b}, ab)) return true;
                continue;
            }
            for (int c = b + 1; c < n; ++c) {
                const auto abc = static_cast<uint16_t>(ab | masques[c]);
                if (Compte(abc) == 3 && essayer({a, b, c}, abc)) return true;
            }
        }
    }
    return false;
}

// k cases d'une unité n'ont à elles toutes que k chiffres (nu) : ces chiffres n'iront pas
// ailleurs ; ou k chiffres n'y ont à eux tous que k places (caché) : ces cases n'auront rien
// d'autre.
template <int k, bool cache>
bool ChercherSousEnsemble(const Etat& s, Etape& e)
{
    constexpr Technique technique = cache ? (k == 2 ? Technique::PaireCachee : Technique::TripletCache)
                                          : (k == 2 ? Technique::PaireNue : Technique::TripletNu);
    for (int u = 0; u < 27; ++u) {
        if (!s.Changee(u)) continue;
        // Nu : vus[rang] = les chiffres de la case ; caché : vus[chiffre - 1] = ses places.
        std::array<uint16_t, 9> vus{};
        for (int y = 0; y < 9; ++y) vus[y] = cache ? s.places[u][y + 1] : s.cand[T.cellules[u][y]];
        const auto oter = [&](int y, int x) {
            return cache ? Pose(T.cellules[u][x], y + 1) : Pose(T.cellules[u][y], x + 1);
        };
        const auto faire = [&](uint16_t ys, uint16_t xs, std::vector<CaseChiffre> retraits) {
            e = Nouvelle(technique);
            e.unites = {UniteNo(u)};
            for (uint32_t rangs = cache ? xs : ys; rangs != 0; rangs &= rangs - 1)
                AjouterCase(e, s, T.cellules[u][std::countr_zero(rangs)]);
            e.chiffres = cache ? ys : xs;
            e.retraits = std::move(retraits);
        };
        if (ChercherMotif(vus, k, oter, faire)) return true;
    }
    return false;
}

// Dans k lignes (ou colonnes), le chiffre ne tient que dans k colonnes (ou lignes) : il sera
// dans ces k-là pour ces lignes, et nulle part ailleurs dans ces colonnes.
template <int k>
bool ChercherPoisson(const Etat& s, Etape& e)
{
    for (int d = 1; d <= 9; ++d) {
        if (!(s.chiffresChanges & Bit(d))) continue;
        for (int sens = 0; sens < 2; ++sens) {
            const int base0 = sens == 0 ? 0 : 9;
            const int couverture0 = sens == 0 ? 9 : 0;
            std::array<uint16_t, 9> vus{};
            for (int y = 0; y < 9; ++y) vus[y] = s.places[base0 + y][d];
            const auto oter = [&](int y, int x) { return Pose(T.cellules[base0 + y][x], d); };
            const auto faire = [&](uint16_t ys, uint16_t xs, std::vector<CaseChiffre> retraits) {
                e = Nouvelle(k == 2 ? Technique::XWing : Technique::Swordfish);
                std::vector<int> cases;
                for (uint32_t b = ys; b != 0; b &= b - 1) {
                    const int base = base0 + std::countr_zero(b);
                    e.unites.push_back(UniteNo(base));
                    for (const int i : T.cellules[base])
                        if (s.cand[i] & Bit(d)) cases.push_back(i);
                }
                for (uint32_t c = xs; c != 0; c &= c - 1) e.unites.push_back(UniteNo(couverture0 + std::countr_zero(c)));
                std::sort(cases.begin(), cases.end());
                for (const int i : cases) AjouterCase(e, s, i);
                e.chiffres = Bit(d);
                e.retraits = std::move(retraits);
            };
            if (ChercherMotif(vus, k, oter, faire)) return true;
        }
    }
    return false;
}

// Un pivot {x,y} voit une pince {x,z} et une pince {y,z} : l'une des deux pinces vaut z,
// donc z n'est pas dans les cases qui voient les deux.
bool ChercherXYWing(const Etat& s, Etape& e)
{
    for (int p = 0; p < 81; ++p) {
        const uint16_t xy = s.cand[p];
        if (Compte(xy) != 2) continue;
        // Les pinces partagent chacune une unité avec le pivot : si rien n'a changé dans les
        // trois unités du pivot, ni lui ni ses pinces n'ont changé.
        if (!s.Changee(T.unitesDe[p][0]) && !s.Changee(T.unitesDe[p][1]) && !s.Changee(T.unitesDe[p][2])) continue;
        std::array<int, 20> pinces{};
        int n = 0;
        for (const int a : T.voisins[p])
            if (Compte(s.cand[a]) == 2 && Compte(s.cand[a] & xy) == 1) pinces[n++] = a;
        for (int ia = 0; ia < n; ++ia) {
            const int a = pinces[ia];
            const uint16_t xz = s.cand[a];
            const auto yz = static_cast<uint16_t>(xy ^ xz);
            const auto z = static_cast<uint16_t>(xz & ~xy);
            for (int ib = 0; ib < n; ++ib) {
                const int b = pinces[ib];
                if (s.cand[b] != yz) continue;
                std::vector<CaseChiffre> retraits;
                for (const int j : T.voisins[a])
                    if (j != b && (s.cand[j] & z) && Voisines(j, b)) retraits.push_back(Pose(j, PlusPetit(z)));
                if (retraits.empty()) continue;
                std::sort(retraits.begin(), retraits.end(),
                          [](const CaseChiffre& u, const CaseChiffre& v) { return Indice(u) < Indice(v); });
                e = Nouvelle(Technique::XYWing);
                AjouterCase(e, s, p);
                AjouterCase(e, s, a);
                AjouterCase(e, s, b);
                e.chiffres = static_cast<uint16_t>(xy | xz);
                e.retraits = std::move(retraits);
                return true;
            }
        }
    }
    return false;
}

// Les techniques qui ôtent des candidats (ou, pour BUG+1, posent un chiffre), dans l'ordre où
// on les cherche (de la plus simple à la plus dure). Les premières ne fouillent que ce qui a
// changé depuis qu'elles n'ont rien trouvé ; les chaînes regardent toute la grille.
using Chercheur = bool (*)(const Etat&, Etape&);
constexpr Chercheur ChercheursFouilles[] = {
    ChercherVerrouilles,             // candidats verrouillés
    ChercherSousEnsemble<2, false>,  // paire nue
    ChercherSousEnsemble<2, true>,   // paire cachée
    ChercherSousEnsemble<3, false>,  // triplet nu
    ChercherSousEnsemble<3, true>,   // triplet caché
    ChercherPoisson<2>,              // X-wing
    ChercherPoisson<3>,              // swordfish
    ChercherXYWing,
};
constexpr Chercheur ChercheursDeChaines[] = {
    ChercherXYZWing,         ChercherWWing,    ChercherPairesDistantes, ChercherGratteCiel, ChercherCerfVolant,
    ChercherRectangleUnique, ChercherBugPlus1, ChercherColoriage,       ChercherChaines,
};

// Tout ce qui ôte des candidats, jusqu'à la preuve par l'absurde.
bool ChercherRetrait(Etat& s, Etape& e)
{
    for (const Chercheur chercher : ChercheursFouilles)
        if (chercher(s, e)) return true;
    // Rien de neuf là où l'on a fouillé : seul ce qui changera d'ici la prochaine fois sera revu.
    s.MarquerFouille();
    for (const Chercheur chercher : ChercheursDeChaines)
        if (chercher(s, e)) return true;
    return ChercherPreuve(s, e);
}

bool ChercherTechnique(Etat& s, Etape& e)
{
    return ChercherSeulCandidat(s, e) || ChercherSeulePlace(s, e) || ChercherRetrait(s, e);
}

// Ce que donne l'examen qui suit chaque étape ; `AExaminer` : rien n'est encore examiné.
enum class Simple { AExaminer, Rien, Bute, Pose };

// En un seul passage, ce que l'on regarde après chaque étape : l'état bute-t-il (Bute), sinon
// le premier seul candidat, sinon la première seule place. Même résultat que Bute puis
// ChercherSeulCandidat puis ChercherSeulePlace, pour moins cher.
Simple ExaminerSimple(Etat& s, Etape& e)
{
    // Seules les cases et les unités qui ont changé sont revues ; une case ou une unité qui
    // donne une pose reste à revoir tant que la pose n'est pas faite.
    int seul = -1;
    for (int mot = 0; mot < 2; ++mot) {
        for (uint64_t bits = s.casesAExaminer[mot]; bits != 0; bits &= bits - 1) {
            const int i = mot * 64 + std::countr_zero(bits);
            const uint16_t m = s.cand[i];
            if (s.valeur[i] == 0 && m == 0) return Simple::Bute;
            if (s.valeur[i] == 0 && (m & (m - 1)) == 0) {
                if (seul < 0) seul = i;
            } else {
                s.casesAExaminer[mot] &= ~(uint64_t{1} << (i & 63));
            }
        }
    }
    int uniteSeule = -1;
    uint16_t seuls = 0;
    for (uint32_t bits = s.unitesAExaminer; bits != 0; bits &= bits - 1) {
        const int u = std::countr_zero(bits);
        const PlacesUnite places = LirePlaces(s, u);
        if ((places.une | s.poses[u]) != Tous) return Simple::Bute;
        if (places.seuls) {
            if (uniteSeule < 0) uniteSeule = u, seuls = places.seuls;
        } else {
            s.unitesAExaminer &= ~(1u << u);
        }
    }
    if (seul >= 0) {
        e = EtapeSeulCandidat(s, seul);
        return Simple::Pose;
    }
    if (uniteSeule < 0) return Simple::Rien;
    e = EtapeSeulePlace(s, uniteSeule, PlusPetit(seuls));
    return Simple::Pose;
}

// Déroule l'explication depuis `depart` ; `noter` reçoit chaque étape dans l'ordre, avec
// `direFin`, l'étape qui clôt une grille remplie sous hypothèses. Renvoie la solution quand la
// grille finit pleine.
// Le niveau d'une étape, et celui des implications d'une preuve, dites sous les mêmes hypothèses.
void FixerNiveau(Etape& e, int32_t niveau)
{
    e.niveau = niveau;
    for (Etape& x : e.implications) FixerNiveau(x, niveau);
}

template <class Noter>
std::optional<Position> Derouler(const Position& depart, Noter&& noter, bool direFin, bool& unique)
{
    struct Niveau {
        Etat avant;
        CaseChiffre essai;
    };
    Etat s = EtatDepuis(depart);
    // Compté à part, avant tout : les techniques d'unicité n'ont cours que sur une grille unique.
    s.unique = unique = CompterSolutions(depart, 2).solutions == 1;
    std::vector<Niveau> pile;
    Etape e;
    for (Simple simple = Simple::AExaminer;; simple = ExaminerSimple(s, e)) {
        if ((simple == Simple::AExaminer || simple == Simple::Bute) && ChercherContradiction(s, e)) {
            if (pile.empty()) {
                e.niveau = 0;
                noter(std::move(e));
                return std::nullopt;
            }
            // Le chiffre essayé au niveau le plus haut est faux sous les niveaux d'en dessous.
            // L'ôter n'y bute jamais : la case de l'hypothèse avait au moins deux candidats et
            // ce chiffre au moins deux places dans chaque unité (sinon une pose simple l'aurait
            // précédée), si bien qu'on n'abandonne qu'un niveau à la fois.
            const Niveau haut = pile.back();
            pile.pop_back();
            s = haut.avant;
            s.Oter(Indice(haut.essai), haut.essai.chiffre);
            e.faux = haut.essai;
            e.niveau = static_cast<int32_t>(pile.size());
            e.retraits = {haut.essai};
            noter(std::move(e));
            continue;
        }
        if (s.vides == 0) break;
        // Sans examen fait (au début) : toutes les techniques ; sinon l'examen a déjà cherché
        // les poses simples.
        const bool trouvee =
            simple == Simple::Pose || (simple == Simple::Rien ? ChercherRetrait(s, e) : ChercherTechnique(s, e));
        if (trouvee) {
            FixerNiveau(e, static_cast<int32_t>(pile.size()));
            Appliquer(s, e);
            noter(std::move(e));
            continue;
        }
        s.MarquerFouille();
        e = EtapeHypothese(s, static_cast<int32_t>(pile.size()) + 1);
        pile.push_back({s, e.poses.front()});
        Appliquer(s, e);
        noter(std::move(e));
    }
    if (direFin && !pile.empty()) {
        // Trouvée sous des hypothèses, cette solution peut ne pas être la seule : le compteur,
        // à part, le dit.
        e = Nouvelle(Technique::Solution);
        e.niveau = static_cast<int32_t>(pile.size());
        e.unique = s.unique;
        noter(std::move(e));
    }
    Position solution{};
    for (int i = 0; i < 81; ++i) solution[i] = s.valeur[i];
    return solution;
}

// --- Ce que chaque technique vaut, et sur quoi elle repose ---

// Les absences de candidats sur lesquelles repose une étape : « Pourquoi ? » remonte d'une
// pose aux étapes qui les ont faites.
enum class Fondement {
    Aucun,              // hypothèse
    ChiffresDesCases,   // les cases de `cases` n'ont pas d'autre chiffre que ceux de `chiffres`
    CandidatsDesCases,  // chaque case de `cases` n'a pas d'autre chiffre que les siens (`candidatsCases`)
    PlacesDansLUnite,   // les chiffres de `chiffres` n'ont pas de place dans `unites[0]` hors de `cases`
    Couverture,         // dans chaque unité de base (la première moitié de `unites`), le chiffre
                        // n'a pas de place hors des unités couvrantes (l'autre moitié)
    Liens,              // les liens forts de la chaîne (`liens`) ou du coloriage (`paires`)
    Rectangle,          // les trois premiers coins n'ont que les deux chiffres du rectangle
    Preuve,             // ce sur quoi reposent les implications de la preuve
    Contradiction,      // la case sans chiffre n'en a aucun, le chiffre sans place n'en a pas
};

// Ce que vaut chaque technique et sur quoi elle repose, une ligne par technique.
struct Regle {
    Technique technique;
    double note;
    Fondement fondement;
};
constexpr std::array<Regle, NombreTechniques> Regles{{
    {Technique::SeulCandidat, 1.0, Fondement::ChiffresDesCases},
    {Technique::SeulePlaceLigne, 1.5, Fondement::PlacesDansLUnite},
    {Technique::SeulePlaceColonne, 1.5, Fondement::PlacesDansLUnite},
    {Technique::SeulePlaceRegion, 1.5, Fondement::PlacesDansLUnite},
    {Technique::VerrouilleRegion, 2.0, Fondement::Couverture},
    {Technique::VerrouilleLigne, 2.0, Fondement::Couverture},
    {Technique::VerrouilleColonne, 2.0, Fondement::Couverture},
    {Technique::PaireNue, 3.0, Fondement::ChiffresDesCases},
    {Technique::PaireCachee, 3.4, Fondement::PlacesDansLUnite},
    {Technique::TripletNu, 3.6, Fondement::ChiffresDesCases},
    {Technique::TripletCache, 4.0, Fondement::PlacesDansLUnite},
    {Technique::XWing, 4.2, Fondement::Couverture},
    {Technique::Swordfish, 4.6, Fondement::Couverture},
    {Technique::XYWing, 5.0, Fondement::CandidatsDesCases},
    {Technique::XYZWing, 5.2, Fondement::CandidatsDesCases},
    {Technique::WWing, 5.3, Fondement::Liens},
    {Technique::PairesDistantes, 5.4, Fondement::Liens},
    {Technique::GratteCiel, 5.5, Fondement::Liens},
    {Technique::CerfVolant, 5.6, Fondement::Liens},
    {Technique::RectangleUnique, 5.7, Fondement::Rectangle},
    {Technique::BugPlus1, 5.8, Fondement::CandidatsDesCases},
    {Technique::Coloriage, 5.9, Fondement::Liens},
    {Technique::ChaineX, 6.2, Fondement::Liens},
    {Technique::ChaineXY, 6.4, Fondement::Liens},
    {Technique::ChaineAlternee, 6.6, Fondement::Liens},
    {Technique::PreuveParLAbsurde, 6.8, Fondement::Preuve},
    {Technique::Hypothese, 7.0, Fondement::Aucun},
    {Technique::Contradiction, 0.0, Fondement::Contradiction},
    {Technique::Solution, 0.0, Fondement::Aucun},
}};
static_assert(UneLigneParTechnique(Regles));

const Regle& RegleDe(Technique technique) { return Regles[static_cast<std::size_t>(technique)]; }

// Les (case, chiffre) dont l'absence fonde l'étape, codés case * 9 + chiffre - 1.
void Premisses(const Etape& e, std::vector<int>& sortie)
{
    auto absents = [&](int i, uint32_t chiffres) {
        for (int c = 1; c <= 9; ++c)
            if (chiffres & Bit(c)) sortie.push_back(i * 9 + c - 1);
    };
    const auto dansCases = [&](int i) {
        return std::any_of(e.cases.begin(), e.cases.end(), [&](const Coordonnees& k) { return Indice(k) == i; });
    };
    // Le chiffre d n'a pas de place dans l'unité u hors des cases `hors`.
    const auto seulesPlaces = [&](int u, int d, const auto& hors) {
        for (const int i : T.cellules[u])
            if (!hors(i)) absents(i, Bit(d));
    };
    Fondement fondement = RegleDe(e.technique).fondement;
    if (fondement == Fondement::Contradiction) {
        if (e.contradiction == GenreContradiction::CaseSansChiffre) absents(Indice(e.cases.front()), Tous);
        if (e.contradiction == GenreContradiction::ChiffreSansPlace) fondement = Fondement::PlacesDansLUnite;
    }
    switch (fondement) {
    case Fondement::Aucun:
    case Fondement::Contradiction:
        break;
    case Fondement::ChiffresDesCases:
    case Fondement::CandidatsDesCases:
    case Fondement::Rectangle: {
        const std::size_t n = fondement == Fondement::Rectangle ? 3 : e.cases.size();
        for (std::size_t m = 0; m < n; ++m) {
            const uint16_t garde = fondement == Fondement::CandidatsDesCases ? e.candidatsCases[m] : e.chiffres;
            absents(Indice(e.cases[m]), ~garde & Tous);
        }
        break;
    }
    case Fondement::PlacesDansLUnite:
        for (const int i : T.cellules[NumeroUnite(e.unites.front())])
            if (!dansCases(i)) absents(i, e.chiffres);
        break;
    case Fondement::Couverture: {
        const std::size_t k = e.unites.size() / 2;
        for (std::size_t b = 0; b < k; ++b) {
            for (const int i : T.cellules[NumeroUnite(e.unites[b])]) {
                const bool couverte = std::any_of(e.unites.begin() + static_cast<std::ptrdiff_t>(k), e.unites.end(),
                                                  [&](const Unite& c) { return DansUnite(NumeroUnite(c), i); });
                if (!couverte) absents(i, e.chiffres);
            }
        }
        break;
    }
    case Fondement::Liens:
        for (std::size_t k = 0; k < e.liens.size(); ++k) {
            const Lien& l = e.liens[k];
            if (!l.fort) continue;
            const Noeud &a = e.noeuds[k], &b = e.noeuds[k + 1];
            if (l.parCase) {
                absents(Indice(a.cases.front()), ~(Bit(a.chiffre) | Bit(b.chiffre)) & Tous);
                continue;
            }
            seulesPlaces(NumeroUnite(l.unite), a.chiffre, [&](int i) {
                const auto dans = [i](const Noeud& n) {
                    return std::any_of(n.cases.begin(), n.cases.end(), [i](const Coordonnees& c) { return Indice(c) == i; });
                };
                return dans(a) || dans(b);
            });
        }
        for (const Paire& p : e.paires) {
            seulesPlaces(NumeroUnite(p.unite), PlusPetit(e.chiffres),
                         [&](int i) { return i == Indice(p.a) || i == Indice(p.b); });
        }
        break;
    case Fondement::Preuve:
        // Les absences que l'essai a faites lui-même ne sont jamais ôtées par une étape : celui
        // qui remonte les premisses ne les trouve pas.
        for (const Etape& x : e.implications) Premisses(x, sortie);
        break;
    }
}

// Toutes les poses simples de l'état : seuls candidats, puis seules places.
void ListerPoses(const Etat& s, std::vector<Etape>& poses)
{
    poses.clear();
    for (int i = 0; i < 81; ++i)
        if (s.valeur[i] == 0 && Compte(s.cand[i]) == 1) poses.push_back(EtapeSeulCandidat(s, i));
    for (int u = 0; u < 27; ++u)
        for (uint32_t seuls = LirePlaces(s, u).seuls; seuls != 0; seuls &= seuls - 1)
            poses.push_back(EtapeSeulePlace(s, u, std::countr_zero(seuls) + 1));
}

// Ce que note le bilan, étape par étape : le chemin de la solution. Chaque hypothèse garde le
// bilan d'avant elle ; la contradiction qui l'abandonne y revient, puis compte pour elle-même,
// avec le niveau abandonné.
struct CompteBilan {
    Bilan bilan;
    std::vector<Bilan> avantHypotheses;
    void operator()(const Etape& e)
    {
        if (e.technique == Technique::Solution) return;
        if (e.technique == Technique::Hypothese) avantHypotheses.push_back(bilan);
        if (e.faux && !avantHypotheses.empty()) {
            bilan = avantHypotheses.back();
            avantHypotheses.pop_back();
        }
        ++bilan.compte[static_cast<int>(e.technique)];
        bilan.niveauMax = std::max(bilan.niveauMax, e.faux ? e.niveau + 1 : e.niveau);
        const Technique t = e.faux ? Technique::Hypothese : e.technique;
        if (t == Technique::Contradiction) return;
        if (!bilan.plusDifficile || NoteTechnique(t) > NoteTechnique(*bilan.plusDifficile)) bilan.plusDifficile = t;
    }
    Bilan Finir(bool resolue)
    {
        bilan.resolue = resolue;
        if (!resolue) bilan.note = 0.0;
        else if (bilan.plusDifficile == Technique::Hypothese) bilan.note = 6.0 + bilan.niveauMax;
        else if (bilan.plusDifficile) bilan.note = NoteTechnique(*bilan.plusDifficile);
        return bilan;
    }
};

}  // namespace raisonnement

using namespace raisonnement;

double NoteTechnique(Technique technique) { return RegleDe(technique).note; }

bool Voisines(int32_t i, int32_t j)
{
    return i != j && (T.unitesDe[i][0] == T.unitesDe[j][0] || T.unitesDe[i][1] == T.unitesDe[j][1] ||
                      T.unitesDe[i][2] == T.unitesDe[j][2]);
}

Candidats CandidatsDe(const Position& position) { return EtatDepuis(position).cand; }

Position LirePosition(const CGrille& grille)
{
    Position p{};
    for (int i = 0; i < 81; ++i) p[i] = grille.LireCase(i / 9, i % 9).chiffre;
    return p;
}

std::vector<Repetition> IndicesRepetes(const Position& position)
{
    std::vector<Repetition> repetitions;
    for (int u = 0; u < 27; ++u) {
        for (int d = 1; d <= 9; ++d) {
            Repetition r{UniteNo(u), d, {}};
            for (const int i : T.cellules[u])
                if (position[i] == d) r.cases.push_back(Coord(i));
            if (r.cases.size() >= 2) repetitions.push_back(std::move(r));
        }
    }
    return repetitions;
}

Explication Expliquer(const Position& position)
{
    Explication x;
    x.depart = position;
    x.solution = Derouler(position, [&x](Etape&& e) { x.etapes.push_back(std::move(e)); }, true, x.unique);
    return x;
}

std::vector<CaseChiffre> CandidatsEnJeu(const Etape& e)
{
    std::vector<CaseChiffre> enJeu = e.poses;
    for (const Noeud& n : e.noeuds)
        for (const Coordonnees& c : n.cases) enJeu.push_back({c, n.chiffre});
    if (e.technique == Technique::PreuveParLAbsurde) enJeu.insert(enJeu.end(), e.retraits.begin(), e.retraits.end());
    // BUG+1 : la case à trois chiffres seulement, les autres cases ne sont que son décor.
    const std::size_t n = e.technique == Technique::BugPlus1 ? 1 : e.cases.size();
    if (e.noeuds.empty() && e.technique != Technique::PreuveParLAbsurde) {
        for (std::size_t m = 0; m < n && m < e.candidatsCases.size(); ++m) {
            const uint16_t chiffres = e.technique == Technique::BugPlus1 ? e.candidatsCases[m]
                                                                        : static_cast<uint16_t>(e.candidatsCases[m] & e.chiffres);
            for (int d = 1; d <= 9; ++d)
                if (chiffres & Bit(d)) enJeu.push_back({e.cases[m], d});
        }
    }
    TrierRetraits(enJeu);
    enJeu.erase(std::unique(enJeu.begin(), enJeu.end()), enJeu.end());
    return enJeu;
}

Bilan DresserBilan(const Explication& explication)
{
    CompteBilan compte;
    for (const Etape& e : explication.etapes) compte(e);
    return compte.Finir(explication.solution.has_value());
}

Bilan Noter(const Position& position)
{
    CompteBilan compte;
    bool unique = false;
    const bool resolue = Derouler(position, [&compte](Etape&& e) { compte(e); }, false, unique).has_value();
    return compte.Finir(resolue);
}

std::optional<Etape> EtapeSuivante(const Position& position, const Candidats& candidats)
{
    Etat s = EtatDepuis(position);
    s.unique = CompterSolutions(position, 2).solutions == 1;
    for (int i = 0; i < 81; ++i) s.Changer(i, static_cast<uint16_t>(s.cand[i] & ~candidats[i]));
    Etape e;
    if (ChercherContradiction(s, e)) return e;
    if (s.vides == 0) return std::nullopt;
    if (ChercherTechnique(s, e)) return e;
    return EtapeHypothese(s, 1);
}

ProchainePose ExpliquerProchainePose(const Position& position)
{
    // On ne pose rien : on ôte des candidats, de la technique la plus simple à la plus dure,
    // et chaque pose simple qui apparaît est gardée avec les étapes dont elle dépend ; la
    // plus courte de ces chaînes l'emporte.
    constexpr std::size_t MaxEtapes = 200;
    ProchainePose reponse;
    Etat s = EtatDepuis(position);
    Etape e;
    if (ChercherContradiction(s, e)) return reponse;
    if (s.vides == 0) {
        reponse.issue = ProchainePose::Pleine;
        return reponse;
    }
    s.unique = CompterSolutions(position, 2).solutions == 1;
    std::vector<Etape> etapes;
    std::array<int16_t, 81 * 9> retirePar{};
    retirePar.fill(-1);
    std::array<bool, 81 * 9> vue{};
    std::vector<Etape> poses;
    std::vector<int> premisses, aVoir;
    std::optional<std::vector<int>> meilleure;
    Etape meilleurePose;
    // Garde la pose si la chaîne des étapes dont elle dépend est la plus courte jusqu'ici.
    const auto retenir = [&](Etape& pose) {
        const CaseChiffre& p = pose.poses.front();
        const int code = Indice(p) * 9 + p.chiffre - 1;
        if (vue[code]) return;
        vue[code] = true;
        // Les étapes dont dépend la pose, de proche en proche ; une étape ne dépend que de
        // retraits faits avant elle (une preuve peut nommer une absence que son essai a faite
        // et qu'une étape ôte plus tard).
        std::vector<bool> dans(etapes.size(), false);
        aVoir.clear();
        auto ajouter = [&](const Etape& x, int rang) {
            premisses.clear();
            Premisses(x, premisses);
            for (const int q : premisses) {
                const int k = retirePar[q];
                if (k >= 0 && k < rang && !dans[k]) dans[k] = true, aVoir.push_back(k);
            }
        };
        ajouter(pose, static_cast<int>(etapes.size()));
        while (!aVoir.empty()) {
            const int k = aVoir.back();
            aVoir.pop_back();
            ajouter(etapes[k], k);
        }
        std::vector<int> chaine;
        for (std::size_t k = 0; k < dans.size(); ++k)
            if (dans[k]) chaine.push_back(static_cast<int>(k));
        if (!meilleure || chaine.size() < meilleure->size()) {
            meilleure = std::move(chaine);
            meilleurePose = std::move(pose);
        }
    };
    for (;;) {
        // Une contradiction trouvée en chemin : la position n'a pas de solution.
        if (Bute(s)) return reponse;
        ListerPoses(s, poses);
        for (Etape& pose : poses) retenir(pose);
        if ((meilleure && meilleure->empty()) || etapes.size() >= MaxEtapes || !ChercherRetrait(s, e)) break;
        // Une technique qui pose (BUG+1) : rien de plus proche ne viendra après elle.
        if (!e.poses.empty()) {
            retenir(e);
            break;
        }
        for (const CaseChiffre& r : e.retraits) {
            int16_t& par = retirePar[Indice(r) * 9 + r.chiffre - 1];
            if (par < 0) par = static_cast<int16_t>(etapes.size());
        }
        Appliquer(s, e);
        etapes.push_back(std::move(e));
    }
    auto montrer = [&reponse](const Coordonnees& c) {
        if (std::find(reponse.casesAMontrer.begin(), reponse.casesAMontrer.end(), c) == reponse.casesAMontrer.end())
            reponse.casesAMontrer.push_back(c);
    };
    if (meilleure) {
        reponse.issue = ProchainePose::Pose;
        for (const int k : *meilleure) reponse.chaine.push_back(etapes[k]);
        reponse.chaine.push_back(std::move(meilleurePose));
        for (const Etape& x : reponse.chaine)
            for (const Coordonnees& c : x.cases) montrer(c);
        return reponse;
    }
    const int i = CaseHypothese(s);
    reponse.issue = ProchainePose::Hypothese;
    reponse.caseHypothese = Coord(i);
    reponse.candidats = s.cand[i];
    reponse.unique = s.unique;
    montrer(reponse.caseHypothese);
    return reponse;
}
