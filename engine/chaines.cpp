// Les chaînes : gratte-ciel et cerf-volant (chaînes X de deux liens forts), coloriage, paires
// distantes, chaînes X, XY et alternées. Une chaîne va d'un nœud supposé faux à un nœud qui
// serait alors vrai, par des liens forts (l'un des deux nœuds est vrai) et faibles (ils ne le
// sont pas tous deux) alternés : l'un de ses deux bouts est vrai, et un candidat qui contredit
// les deux est faux. On cherche la plus courte, en largeur.
#include <algorithm>
#include <optional>

#include "engine/etat.h"

namespace raisonnement {

Etape EtapeChaine(Technique technique, const Etat& s, std::vector<Noeud> noeuds, std::vector<Lien> liens,
                  std::vector<CaseChiffre> retraits)
{
    Etape e = Nouvelle(technique);
    for (const Noeud& n : noeuds) {
        e.chiffres |= Bit(n.chiffre);
        for (const Coordonnees& c : n.cases)
            if (std::find(e.cases.begin(), e.cases.end(), c) == e.cases.end()) AjouterCase(e, s, Indice(c));
    }
    TrierRetraits(retraits);
    e.noeuds = std::move(noeuds);
    e.liens = std::move(liens);
    e.retraits = std::move(retraits);
    return e;
}

namespace {

// Les deux places du chiffre d dans l'unité u, qui n'en a que deux.
std::pair<int, int> DeuxPlaces(const Etat& s, int u, int d)
{
    const uint32_t places = s.places[u][d];
    return {T.cellules[u][std::countr_zero(places)], T.cellules[u][31 - std::countl_zero(places)]};
}

std::vector<CaseChiffre> RetraitsDu(const Cases81& cases, int d)
{
    std::vector<CaseChiffre> retraits;
    cases.PourChaque([&](int j) { retraits.push_back(Pose(j, d)); });
    return retraits;
}

}  // namespace

// Deux lignes (ou colonnes) où le chiffre n'a que deux places chacune, une de chaque du même
// côté (même colonne) : elles ne sont pas vraies toutes deux, donc l'une des deux autres l'est.
bool ChercherGratteCiel(const Etat& s, Etape& e)
{
    const auto& voisines = VoisinesDe();
    for (int d = 1; d <= 9; ++d) {
        const Cases81& avec = s.CasesDu(d);
        for (int sens = 0; sens < 2; ++sens) {
            for (int l1 = 0; l1 < 9; ++l1) {
                const int u1 = sens * 9 + l1;
                if (Compte(s.places[u1][d]) != 2) continue;
                for (int l2 = l1 + 1; l2 < 9; ++l2) {
                    const int u2 = sens * 9 + l2;
                    const uint16_t communs = s.places[u1][d] & s.places[u2][d];
                    if (Compte(s.places[u2][d]) != 2 || Compte(communs) != 1) continue;
                    const int x = std::countr_zero(static_cast<uint32_t>(communs));
                    const int a1 = T.cellules[u1][x], a2 = T.cellules[u2][x];
                    const int b1 = T.cellules[u1][std::countr_zero(static_cast<uint32_t>(s.places[u1][d] & ~communs))];
                    const int b2 = T.cellules[u2][std::countr_zero(static_cast<uint32_t>(s.places[u2][d] & ~communs))];
                    const Cases81 communes = voisines[b1] & voisines[b2] & avec;
                    if (communes.Vide()) continue;
                    e = EtapeChaine(Technique::GratteCiel, s,
                                    {NoeudSimple(b1, d), NoeudSimple(a1, d), NoeudSimple(a2, d), NoeudSimple(b2, d)},
                                    {LienFort(u1), LienFaible((1 - sens) * 9 + x), LienFort(u2)}, RetraitsDu(communes, d));
                    return true;
                }
            }
        }
    }
    return false;
}

// Une ligne et une colonne où le chiffre n'a que deux places chacune, une de chaque dans une
// même région : elles ne sont pas vraies toutes deux, donc l'une des deux autres l'est.
bool ChercherCerfVolant(const Etat& s, Etape& e)
{
    const auto& voisines = VoisinesDe();
    for (int d = 1; d <= 9; ++d) {
        const Cases81& avec = s.CasesDu(d);
        for (int ligne = 0; ligne < 9; ++ligne) {
            if (Compte(s.places[ligne][d]) != 2) continue;
            const auto [l1, l2] = DeuxPlaces(s, ligne, d);
            for (int colonne = 9; colonne < 18; ++colonne) {
                if (Compte(s.places[colonne][d]) != 2) continue;
                const auto [c1, c2] = DeuxPlaces(s, colonne, d);
                for (const auto& [a, b] : {std::pair{l1, l2}, std::pair{l2, l1}}) {
                    for (const auto& [p, q] : {std::pair{c1, c2}, std::pair{c2, c1}}) {
                        const int region = T.unitesDe[a][2];
                        if (a == p || T.unitesDe[p][2] != region || DansUnite(region, b) || DansUnite(region, q)) continue;
                        const Cases81 communes = voisines[b] & voisines[q] & avec;
                        if (communes.Vide()) continue;
                        e = EtapeChaine(Technique::CerfVolant, s,
                                        {NoeudSimple(b, d), NoeudSimple(a, d), NoeudSimple(p, d), NoeudSimple(q, d)},
                                        {LienFort(ligne), LienFaible(region), LienFort(colonne)}, RetraitsDu(communes, d));
                        return true;
                    }
                }
            }
        }
    }
    return false;
}

// Les paires de places d'un chiffre (les deux seules d'une unité) relient des cases de
// proche en proche ; deux couleurs alternent sur ces cases, et toutes celles d'une couleur ont
// le chiffre. Deux cases d'une même couleur qui se voient : cette couleur est fausse. Sinon
// une case qui voit les deux couleurs ne l'a pas.
bool ChercherColoriage(const Etat& s, Etape& e)
{
    const auto& voisines = VoisinesDe();
    for (int d = 1; d <= 9; ++d) {
        const Cases81& avec = s.CasesDu(d);
        std::array<std::vector<std::pair<int, int>>, 81> paires{};  // (autre case, unité)
        for (int u = 0; u < 27; ++u) {
            if (Compte(s.places[u][d]) != 2) continue;
            const auto [a, b] = DeuxPlaces(s, u, d);
            paires[a].push_back({b, u});
            paires[b].push_back({a, u});
        }
        std::array<int8_t, 81> couleur;
        couleur.fill(-1);
        for (int depart = 0; depart < 81; ++depart) {
            if (paires[depart].empty() || couleur[depart] >= 0) continue;
            std::vector<int> cases{depart};
            std::vector<Paire> arbre;
            couleur[depart] = 0;
            bool impaire = false;
            for (std::size_t k = 0; k < cases.size(); ++k) {
                const int i = cases[k];
                for (const auto& [j, u] : paires[i]) {
                    if (couleur[j] < 0) {
                        couleur[j] = static_cast<int8_t>(1 - couleur[i]);
                        cases.push_back(j);
                        arbre.push_back({Coord(i), Coord(j), UniteNo(u)});
                    } else if (couleur[j] == couleur[i]) {
                        impaire = true;  // la position n'a pas de solution : d'autres le diront
                    }
                }
            }
            if (impaire || arbre.size() < 2) continue;
            std::array<Cases81, 2> teinte{}, vues{};
            for (const int i : cases) teinte[couleur[i]].Mettre(i), vues[couleur[i]] = vues[couleur[i]] | voisines[i];
            std::vector<Coordonnees> conflit;
            Cases81 otees;
            for (int c = 0; c < 2 && conflit.empty(); ++c) {
                const Cases81 seVoient = teinte[c] & vues[c];
                if (seVoient.Vide()) continue;
                // La première case de cette couleur qui en voit une autre, et la première qu'elle voit.
                int x = -1;
                seVoient.PourChaque([&](int i) { x = x < 0 ? i : x; });
                int y = -1;
                (teinte[c] & voisines[x]).PourChaque([&](int i) { y = y < 0 ? i : y; });
                conflit = {Coord(std::min(x, y)), Coord(std::max(x, y))};
                otees = teinte[c];
            }
            if (conflit.empty()) otees = (vues[0] & vues[1] & avec).Sauf(teinte[0] | teinte[1]);
            if (otees.Vide()) continue;
            e = Nouvelle(Technique::Coloriage);
            for (int c = 0; c < 2; ++c)
                for (const int i : cases)
                    if (couleur[i] == c) AjouterCase(e, s, i);
            e.chiffres = Bit(d);
            e.paires = std::move(arbre);
            e.conflit = std::move(conflit);
            e.retraits = RetraitsDu(otees, d);
            return true;
        }
    }
    return false;
}

// Des cases aux deux mêmes chiffres {a,b}, chacune voyant la suivante : elles sont tour à
// tour a et b. Deux d'entre elles séparées par un nombre impair de pas ont l'une a, l'autre
// b : une case qui voit les deux n'a ni a ni b. La plus courte de ces chaînes (trois pas au
// moins : un seul pas, c'est une paire nue).
bool ChercherPairesDistantes(const Etat& s, Etape& e)
{
    const auto& voisines = VoisinesDe();
    std::optional<std::vector<int>> meilleure;
    Cases81 meilleuresOtees;
    for (int depart = 0; depart < 81; ++depart) {
        const uint16_t ab = s.cand[depart];
        if (Compte(ab) != 2) continue;
        const Cases81 avec = s.CasesDu(PlusPetit(ab)) | s.CasesDu(PlusPetit(static_cast<uint16_t>(ab & (ab - 1))));
        std::array<int8_t, 81> parent;
        parent.fill(-1);
        std::array<int8_t, 81> distance{};
        std::vector<int> file{depart};
        parent[depart] = static_cast<int8_t>(depart);
        for (std::size_t k = 0; k < file.size(); ++k) {
            const int i = file[k];
            if (meilleure && distance[i] + 1 >= static_cast<int>(meilleure->size()) - 1) break;
            for (const int j : T.voisins[i]) {
                if (s.cand[j] != ab || parent[j] >= 0) continue;
                parent[j] = static_cast<int8_t>(i);
                distance[j] = static_cast<int8_t>(distance[i] + 1);
                file.push_back(j);
                if (distance[j] < 3 || distance[j] % 2 == 0) continue;
                const Cases81 otees = voisines[depart] & voisines[j] & avec;
                if (otees.Vide()) continue;
                std::vector<int> chemin;
                for (int c = j; c != depart; c = parent[c]) chemin.push_back(c);
                chemin.push_back(depart);
                std::reverse(chemin.begin(), chemin.end());
                meilleure = std::move(chemin);
                meilleuresOtees = otees;
                break;
            }
        }
    }
    if (!meilleure) return false;
    const std::vector<int>& chemin = *meilleure;
    const uint16_t ab = s.cand[chemin.front()];
    const int a = PlusPetit(ab), b = PlusPetit(static_cast<uint16_t>(ab & (ab - 1)));
    std::vector<Noeud> noeuds;
    std::vector<Lien> liens;
    for (std::size_t m = 0; m < chemin.size(); ++m) {
        const bool pair = m % 2 == 0;
        if (m > 0) liens.push_back(LienFaible(UniteCommune(chemin[m - 1], chemin[m])));
        noeuds.push_back(NoeudSimple(chemin[m], pair ? a : b));
        liens.push_back(LienDansCase(true));
        noeuds.push_back(NoeudSimple(chemin[m], pair ? b : a));
    }
    std::vector<CaseChiffre> retraits;
    meilleuresOtees.PourChaque([&](int j) {
        for (const int d : {a, b})
            if (s.cand[j] & Bit(d)) retraits.push_back(Pose(j, d));
    });
    e = EtapeChaine(Technique::PairesDistantes, s, std::move(noeuds), std::move(liens), std::move(retraits));
    return true;
}

namespace {

// Les tables de liens : pour chaque nœud, ceux où mène un lien fort (de lui faux à eux
// vrais) ou faible (de lui vrai à eux faux).
enum Table { FortsCase, FortsTous, FaiblesTous, NombreTables };
// Les nœuds d'une chaîne : les candidats du chiffre du départ, ceux des cases à deux
// chiffres, ou tous les nœuds.
enum class Noeuds { DuChiffre, Bivalues, Tous };

// Les chaînes cherchées sur le graphe : quels liens suivre, entre quels nœuds.
struct Genre {
    Technique technique;
    Table forts;       // la table des liens forts suivie (les faibles : tous, entre ces nœuds)
    Noeuds noeuds;
    bool memeChiffre;  // le même chiffre aux deux bouts
    int fortsMax;      // liens forts d'une chaîne, au plus
};

// Chaîne X : les places d'un chiffre, liées par les unités ; chaîne XY : les cases à deux
// chiffres, liées dans chaque case, entre elles par un chiffre (un lien faible dans une case
// à deux chiffres n'y mène qu'au chiffre d'où l'on vient) ; chaîne alternée : tout, groupes
// compris.
constexpr Genre GenresDeChaines[] = {
    {Technique::ChaineX, FortsTous, Noeuds::DuChiffre, true, 6},
    {Technique::ChaineXY, FortsCase, Noeuds::Bivalues, true, 8},
    {Technique::ChaineAlternee, FortsTous, Noeuds::Tous, false, 6},
};

// Le graphe des chaînes en ensembles de bits : les candidats et les groupes (les places d'un
// chiffre, au moins deux, à la croisée d'une région et d'une ligne ou d'une colonne).
class Graphe {
public:
    explicit Graphe(const Etat& s) : s(s)
    {
        const auto& voisines = VoisinesDe();
        parCandidat.fill(-1);
        noeuds.reserve(400);
        for (int i = 0; i < 81; ++i) {
            for (uint32_t m = s.cand[i]; m != 0; m &= m - 1) {
                const int d = std::countr_zero(m) + 1;
                parCandidat[i * 9 + d - 1] = static_cast<int16_t>(noeuds.size());
                Cases81 c;
                c.Mettre(i);
                noeuds.push_back({d, c, voisines[i], i, true});
            }
        }
        simples = static_cast<int>(noeuds.size());
        groupesDe.fill(-1);
        AjouterGroupes();
        n = static_cast<int>(noeuds.size());
        w = (n + 63) / 64;
        for (auto& t : lignes) t.assign(static_cast<std::size_t>(n) * w, 0);
        masques.assign(static_cast<std::size_t>(11) * w, 0);
        for (int x = 0; x < n; ++x) {
            const uint64_t bit = uint64_t{1} << (x % 64);
            masques[x / 64] |= bit;
            if (x >= simples) continue;
            masques[noeuds[x].chiffre * w + x / 64] |= bit;
            if (Compte(s.cand[noeuds[x].premiere]) == 2) masques[10 * w + x / 64] |= bit;
        }
        LierForts();
        LierFaibles();
    }

    // La plus courte chaîne du genre (en liens forts) qui ôte quelque chose, la première en
    // partant des nœuds dans l'ordre ; faux s'il n'y en a pas.
    bool Chercher(const Genre& genre, Etape& e) const
    {
        int limite = genre.fortsMax, depart = -1, arrivee = -1;
        std::vector<std::vector<uint64_t>> niveaux;
        for (int a = 0; a < n && limite >= 2; ++a) {
            // Un départ sans lien fort vers les nœuds permis ne mène nulle part.
            const uint64_t* masque = Masque(genre, a);
            const uint64_t* forts = lignes[genre.forts].data() + static_cast<std::size_t>(a) * w;
            uint64_t suite = 0;
            for (int m = 0; m < w; ++m) suite |= forts[m] & masque[m];
            if (!((masque[a / 64] >> (a % 64)) & 1u) || suite == 0) continue;
            const int z = Parcourir(genre, a, limite, nullptr);
            if (z < 0) continue;
            depart = a, arrivee = z;
            niveaux.clear();
            Parcourir(genre, a, limite, &niveaux);
            limite = static_cast<int>(niveaux.size() / 2) - 1;
        }
        if (depart < 0) return false;
        // De l'arrivée au départ, chaque nœud par le premier du niveau d'avant qui y mène.
        std::vector<Noeud> chaine{EnNoeud(arrivee)};
        std::vector<Lien> liens;
        for (int y = arrivee, k = static_cast<int>(niveaux.size()) - 1; k > 0; --k) {
            const bool fort = k % 2 == 1;  // niveaux pairs : faux ; impairs : vrais
            const std::vector<uint64_t>& t = lignes[fort ? genre.forts : FaiblesTous];
            int x = -1;
            for (int m = 0; m < w && x < 0; ++m) {
                for (uint64_t bits = niveaux[k - 1][m]; bits != 0 && x < 0; bits &= bits - 1) {
                    const int c = m * 64 + std::countr_zero(bits);
                    if ((t[static_cast<std::size_t>(c) * w + y / 64] >> (y % 64)) & 1u) x = c;
                }
            }
            liens.push_back(LienEntre(x, y, fort));
            chaine.push_back(EnNoeud(x));
            y = x;
        }
        std::reverse(chaine.begin(), chaine.end());
        std::reverse(liens.begin(), liens.end());
        std::vector<CaseChiffre> otes;
        Otes(genre, depart, arrivee, &otes);
        e = EtapeChaine(genre.technique, s, std::move(chaine), std::move(liens), std::move(otes));
        return true;
    }

private:
    struct NoeudG {
        int chiffre;
        Cases81 cases;
        Cases81 voient;  // les cases qui voient toutes les siennes
        int premiere;
        bool seul;       // une seule case
    };

    // Les nœuds que la chaîne peut prendre en partant de `a`.
    const uint64_t* Masque(const Genre& genre, int a) const
    {
        switch (genre.noeuds) {
        case Noeuds::DuChiffre: return masques.data() + noeuds[a].chiffre * w;
        case Noeuds::Bivalues: return masques.data() + 10 * w;
        case Noeuds::Tous: break;
        }
        return masques.data();
    }

    void Mettre(Table t, int x, int y)
    {
        lignes[t][static_cast<std::size_t>(x) * w + y / 64] |= uint64_t{1} << (y % 64);
    }

    // En largeur depuis `a` supposé faux, chaque nœud atteint une seule fois : l'arrivée la
    // plus proche (au plus `limite` liens forts) dont la chaîne ôte quelque chose, la première
    // dans l'ordre des nœuds ; -1 sinon. `niveaux` reçoit les nœuds de chaque niveau, du
    // départ à l'arrivée (faux, vrais, faux…).
    int Parcourir(const Genre& genre, int a, int limite, std::vector<std::vector<uint64_t>>* niveaux) const
    {
        const uint64_t* masque = Masque(genre, a);
        std::vector<uint64_t>&vus = tampons[0], &front = tampons[1], &neufs = tampons[2];
        for (auto& t : tampons) {
            t.resize(w);
            for (uint64_t& m : t) m = 0;
        }
        vus[a / 64] = front[a / 64] = uint64_t{1} << (a % 64);
        if (niveaux) niveaux->push_back(front);
        const auto suivre = [&](const std::vector<uint64_t>& t) {
            for (uint64_t& m : neufs) m = 0;
            for (int m = 0; m < w; ++m) {
                for (uint64_t bits = front[m]; bits != 0; bits &= bits - 1) {
                    const uint64_t* ligne = t.data() + static_cast<std::size_t>(m * 64 + std::countr_zero(bits)) * w;
                    for (int k = 0; k < w; ++k) neufs[k] |= ligne[k];
                }
            }
            uint64_t tous = 0;
            for (int k = 0; k < w; ++k) neufs[k] &= masque[k] & ~vus[k], vus[k] |= neufs[k], tous |= neufs[k];
            return tous != 0;
        };
        for (int p = 1; p <= limite; ++p) {
            if (!suivre(lignes[genre.forts])) return -1;
            for (int m = 0; m < w; ++m) {
                for (uint64_t bits = neufs[m]; bits != 0; bits &= bits - 1) {
                    const int z = m * 64 + std::countr_zero(bits);
                    if (!Otes(genre, a, z, nullptr)) continue;
                    if (niveaux) {
                        std::vector<uint64_t> seule(w);
                        seule[z / 64] = uint64_t{1} << (z % 64);
                        niveaux->push_back(std::move(seule));
                    }
                    return z;
                }
            }
            if (niveaux) niveaux->push_back(neufs);
            if (p == limite) return -1;
            front.swap(neufs);
            if (!suivre(lignes[FaiblesTous])) return -1;
            if (niveaux) niveaux->push_back(neufs);
            front.swap(neufs);
        }
        return -1;
    }

    int Simple(int i, int d) const { return parCandidat[i * 9 + d - 1]; }

    Noeud EnNoeud(int x) const
    {
        Noeud noeud;
        noeud.chiffre = noeuds[x].chiffre;
        noeuds[x].cases.PourChaque([&](int i) { noeud.cases.push_back(Coord(i)); });
        return noeud;
    }

    // Le lien de x à y : dans une case, ou dans l'unité qui contient toutes leurs cases (pour
    // un lien fort, celle où le chiffre n'a pas d'autre place).
    Lien LienEntre(int x, int y, bool fort) const
    {
        const NoeudG &nx = noeuds[x], &ny = noeuds[y];
        if (nx.chiffre != ny.chiffre) return LienDansCase(fort);
        const Cases81 toutes = nx.cases | ny.cases;
        int nombre = 0;
        toutes.PourChaque([&](int) { ++nombre; });
        for (int u = 0; u < 27; ++u) {
            bool dedans = true;
            toutes.PourChaque([&](int i) { dedans = dedans && DansUnite(u, i); });
            if (dedans && (!fort || Compte(s.places[u][nx.chiffre]) == nombre)) return fort ? LienFort(u) : LienFaible(u);
        }
        return {};
    }

    // Les places d'un chiffre à la croisée d'une région et d'une ligne (rang 0 à 2) ou d'une
    // colonne (rang 3 à 5), quand elles sont au moins deux.
    void AjouterGroupes()
    {
        const auto& voisines = VoisinesDe();
        for (int d = 1; d <= 9; ++d) {
            for (int r = 0; r < 9; ++r) {
                for (int k = 0; k < 6; ++k) {
                    const uint32_t part = s.places[18 + r][d] & (k < 3 ? 0x7u << (3 * k) : 0x49u << (k - 3));
                    if (Compte(part) < 2) continue;
                    Cases81 c, voient{{~uint64_t{0}, ~uint64_t{0}}};
                    for (uint32_t m = part; m != 0; m &= m - 1) {
                        const int i = T.cellules[18 + r][std::countr_zero(m)];
                        c.Mettre(i);
                        voient = voient & voisines[i];
                    }
                    groupesDe[(d * 9 + r) * 6 + k] = static_cast<int16_t>(noeuds.size());
                    groupesDuChiffre[d][groupesParChiffre[d]++] = static_cast<int16_t>(noeuds.size());
                    noeuds.push_back({d, c, voient, T.cellules[18 + r][std::countr_zero(part)], false});
                }
            }
        }
    }

    // Les candidats qui contredisent les deux bouts a (faux) et z (vrai alors) : ajoutés à
    // `sortie` s'il y en a une ; vrai s'il y en a.
    bool Otes(const Genre& genre, int a, int z, std::vector<CaseChiffre>* sortie) const
    {
        const NoeudG &na = noeuds[a], &nz = noeuds[z];
        if (na.chiffre == nz.chiffre) {
            const Cases81 otees = na.voient & nz.voient & avec[na.chiffre];
            if (sortie) otees.PourChaque([&](int j) { sortie->push_back(Pose(j, na.chiffre)); });
            return !otees.Vide();
        }
        if (genre.memeChiffre) return false;
        bool ote = false;
        const auto oter = [&](int i, int d) {
            ote = true;
            if (sortie) sortie->push_back(Pose(i, d));
        };
        if (na.seul && nz.seul && na.premiere == nz.premiere) {
            for (uint32_t m = s.cand[na.premiere] & ~(Bit(na.chiffre) | Bit(nz.chiffre)); m != 0; m &= m - 1)
                oter(na.premiere, std::countr_zero(m) + 1);
            return ote;
        }
        if (na.seul && nz.voient.Contient(na.premiere) && (s.cand[na.premiere] & Bit(nz.chiffre)))
            oter(na.premiere, nz.chiffre);
        if (nz.seul && na.voient.Contient(nz.premiere) && (s.cand[nz.premiere] & Bit(na.chiffre)))
            oter(nz.premiere, na.chiffre);
        return ote;
    }

    // Le nœud des places `part` (rangs dans l'unité u) du chiffre d : une case, ou un groupe
    // (dans une région et une ligne ou une colonne) ; -1 s'il n'y en a pas.
    int NoeudDe(int u, int d, uint32_t part) const
    {
        const int premiere = T.cellules[u][std::countr_zero(part)];
        if (Compte(part) == 1) return Simple(premiere, d);
        int r = T.unitesDe[premiere][2] - 18, ligne = premiere / 9, colonne = premiere % 9;
        for (uint32_t m = part; m != 0; m &= m - 1) {
            const int i = T.cellules[u][std::countr_zero(m)];
            if (T.unitesDe[i][2] - 18 != r) return -1;
            if (i / 9 != ligne) ligne = -1;
            if (i % 9 != colonne) colonne = -1;
        }
        if (ligne >= 0) return groupesDe[(d * 9 + r) * 6 + ligne % 3];
        if (colonne >= 0) return groupesDe[(d * 9 + r) * 6 + 3 + colonne % 3];
        return -1;
    }

    // Un lien fort, dans les deux sens ; dans une case, aussi dans la table des chaînes XY.
    void Relier(int x, int y, bool dansCase)
    {
        if (x < 0 || y < 0) return;
        for (const Table t : {FortsTous, dansCase ? FortsCase : FortsTous}) {
            Mettre(t, x, y);
            Mettre(t, y, x);
        }
    }

    void LierForts()
    {
        for (int i = 0; i < 81; ++i) {
            if (Compte(s.cand[i]) != 2) continue;
            Relier(Simple(i, PlusPetit(s.cand[i])), Simple(i, PlusPetit(static_cast<uint16_t>(s.cand[i] & (s.cand[i] - 1)))),
                   true);
        }
        static constexpr std::array<uint32_t, 3> Tiers{0x7, 0x38, 0x1C0}, Colonnes{0x49, 0x92, 0x124};
        for (int u = 0; u < 27; ++u) {
            for (int d = 1; d <= 9; ++d) {
                const uint32_t places = s.places[u][d];
                if (Compte(places) < 2) continue;
                if (Compte(places) == 2) {
                    Relier(NoeudDe(u, d, places & (0u - places)), NoeudDe(u, d, places & (places - 1)), false);
                    continue;
                }
                // Les places partagées en deux nœuds : par région dans une ligne ou une
                // colonne (rangs par trois) ; par ligne, puis par colonne, dans une région.
                const auto partager = [&](const std::array<uint32_t, 3>& parts) {
                    std::array<uint32_t, 2> deux{};
                    int k = 0;
                    for (const uint32_t p : parts) {
                        if (!(places & p)) continue;
                        if (k == 2) return;
                        deux[k++] = places & p;
                    }
                    if (k == 2) Relier(NoeudDe(u, d, deux[0]), NoeudDe(u, d, deux[1]), false);
                };
                partager(Tiers);
                if (u >= 18) partager(Colonnes);
            }
        }
    }

    void LierFaibles()
    {
        for (int x = 0; x < n; ++x) {
            const NoeudG& nx = noeuds[x];
            if (nx.seul) {
                for (uint32_t m = s.cand[nx.premiere] & ~Bit(nx.chiffre); m != 0; m &= m - 1)
                    Mettre(FaiblesTous, x, Simple(nx.premiere, std::countr_zero(m) + 1));
            }
            (nx.voient & avec[nx.chiffre]).PourChaque([&](int j) { Mettre(FaiblesTous, x, Simple(j, nx.chiffre)); });
            for (int k = 0; k < groupesParChiffre[nx.chiffre]; ++k) {
                const int y = groupesDuChiffre[nx.chiffre][k];
                if (y != x && noeuds[y].cases.Sauf(nx.voient).Vide()) Mettre(FaiblesTous, x, y);
            }
        }
    }

    const Etat& s;
    const std::array<Cases81, 10>& avec = s.casesDu;
    std::array<int16_t, 729> parCandidat{};
    std::array<int16_t, 10 * 9 * 6> groupesDe{};
    std::array<std::array<int16_t, 9 * 6>, 10> groupesDuChiffre{};
    std::array<int8_t, 10> groupesParChiffre{};
    std::vector<NoeudG> noeuds;
    int n = 0, w = 0, simples = 0;
    std::array<std::vector<uint64_t>, NombreTables> lignes;
    // Par tranche de w mots, 0 : tous les nœuds ; 1 à 9 : les candidats de ce chiffre ; 10 :
    // ceux des cases à deux chiffres.
    std::vector<uint64_t> masques;
    mutable std::array<std::vector<uint64_t>, 3> tampons;  // ceux du parcours, faits une fois
};

}  // namespace

// Chaînes X, puis XY, puis alternées, sur un même graphe.
bool ChercherChaines(const Etat& s, Etape& e)
{
    const Graphe graphe(s);
    for (const Genre& genre : GenresDeChaines)
        if (graphe.Chercher(genre, e)) return true;
    return false;
}

}  // namespace raisonnement
