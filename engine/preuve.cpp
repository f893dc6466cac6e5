// La preuve par l'absurde, essayée quand aucune autre technique ne s'applique, avant toute
// hypothèse : on suppose un candidat, on n'en tire que des poses simples (seul candidat, seule
// place), en largeur (les conséquences les plus proches d'abord), et s'il s'ensuit une case
// sans chiffre ou un chiffre sans place, le candidat est faux. Chaque retrait de candidat
// garde la pose qui l'a fait, chaque pose les retraits dont elle dépend : la preuve dite ne
// garde que les poses dont la contradiction dépend, dans leur ordre, chacune vraie au moment
// où on la dit sous l'essai et les précédentes.
#include <algorithm>

#include "engine/etat.h"

namespace raisonnement {

namespace {

// Au-delà, une preuve n'est plus une explication qu'on suit.
constexpr std::size_t LongueurMax = 20;

bool UnSeul(uint16_t m) { return m != 0 && (m & (m - 1)) == 0; }

// Le même essai sans rien retenir de ses causes, en ensembles de cases par chiffre : il dit
// seulement si l'on bute, pour ne refaire en détail que les essais qui butent. Les poses
// simples mènent à une contradiction quel que soit leur ordre : il bute si et seulement si
// l'essai détaillé bute.
class EssaiRapide {
public:
    explicit EssaiRapide(const Etat& base, const std::array<Cases81, 10>& masques)
        : valeur(base.valeur), cand(base.cand), poses(base.poses), masque(masques)
    {
    }

    // Le nombre de poses faites jusqu'à la contradiction, -1 si l'essai ne bute pas.
    int Bute(int i, int d)
    {
        attente[0] = {static_cast<int8_t>(i), static_cast<int8_t>(d)};
        int tete = 0, fin = 1, poses = 0;
        while (tete < fin) {
            const auto [k, c] = attente[tete++];
            if (valeur[k] == c) continue;
            // Une pose simple devenue impossible ne l'est que par une contradiction.
            if (valeur[k] != 0 || !(cand[k] & Bit(c)) || !Placer(k, c, fin)) return poses;
            ++poses;
        }
        return -1;
    }

private:
    // Pose d en i et met en attente les poses simples qui s'ensuivent ; faux si l'on bute.
    bool Placer(int i, int d, int& fin)
    {
        const auto& voisines = VoisinesDe();
        const auto& unites = CasesDesUnites();
        const uint16_t avant = cand[i];
        valeur[i] = static_cast<int8_t>(d);
        cand[i] = 0;
        for (uint32_t m = avant; m != 0; m &= m - 1) masque[std::countr_zero(m) + 1].mots[i >> 6] &= ~(uint64_t{1} << (i & 63));
        for (const int u : T.unitesDe[i]) poses[u] |= Bit(d);
        const Cases81 otees = masque[d] & voisines[i];
        masque[d] = masque[d].Sauf(voisines[i]);
        bool bute = false;
        otees.PourChaque([&](int j) {
            cand[j] &= static_cast<uint16_t>(~Bit(d));
            if (cand[j] == 0) bute = true;
            else if (UnSeul(cand[j]) && fin < 81 * 9) attente[fin++] = {static_cast<int8_t>(j), static_cast<int8_t>(PlusPetit(cand[j]))};
        });
        if (bute) return false;
        // Le chiffre c a-t-il encore une place dans l'unité u, ou une seule ?
        const auto revoir = [&](int u, int c) {
            if (poses[u] & Bit(c)) return true;
            const Cases81 places = masque[c] & unites[u];
            if (places.Vide()) return false;
            const uint64_t m0 = places.mots[0], m1 = places.mots[1];
            if (((m0 & (m0 - 1)) | (m1 & (m1 - 1))) == 0 && (m0 == 0 || m1 == 0) && fin < 81 * 9) {
                const int k = m0 ? std::countr_zero(m0) : 64 + std::countr_zero(m1);
                attente[fin++] = {static_cast<int8_t>(k), static_cast<int8_t>(c)};
            }
            return true;
        };
        for (uint32_t m = avant & ~Bit(d); m != 0; m &= m - 1)
            for (const int u : T.unitesDe[i])
                if (!revoir(u, std::countr_zero(m) + 1)) return false;
        uint32_t vues = 0;
        otees.PourChaque([&](int j) {
            for (const int u : T.unitesDe[j]) {
                if (bute || (vues >> u & 1u)) continue;
                vues |= 1u << u;
                bute = !revoir(u, d);
            }
        });
        return !bute;
    }

    std::array<int8_t, 81> valeur;
    Candidats cand;
    std::array<uint16_t, 27> poses;
    std::array<Cases81, 10> masque;
    std::array<std::pair<int8_t, int8_t>, 81 * 9> attente;  // écrite avant d'être lue
};

// Un essai : l'état sous le candidat supposé, et pour chaque retrait la pose qui l'a fait.
class Essai {
public:
    explicit Essai(const Etat& base) : base(base), valeur(base.valeur), cand(base.cand), poses(base.poses)
    {
        cause.fill(-1);
    }
    // Pose `d` en `i` puis les poses simples qui s'ensuivent, au plus `maxPoses` ; vrai si
    // l'on bute.
    bool Lancer(int i, int d, int maxPoses)
    {
        Placer(i, d, -1, 0, 0);
        for (std::size_t tete = 0; tete < attente.size() && genre == GenreContradiction::Aucune; ++tete) {
            const Attente a = attente[tete];
            if (valeur[a.cellule] != 0 || !(cand[a.cellule] & Bit(a.chiffre))) continue;
            if (static_cast<int>(pas.size()) > maxPoses) return false;
            const auto debut = static_cast<int32_t>(deps.size());
            if (a.unite < 0) {
                NoterCauses(a.cellule, static_cast<uint16_t>(base.cand[a.cellule] & ~Bit(a.chiffre)));
            } else {
                for (const int k : T.cellules[a.unite])
                    if (k != a.cellule) NoterCauses(k, static_cast<uint16_t>(base.cand[k] & Bit(a.chiffre)));
            }
            Placer(a.cellule, a.chiffre, a.unite, debut, static_cast<int32_t>(deps.size()));
        }
        return genre != GenreContradiction::Aucune;
    }

    // La preuve : l'essai, les poses dont la contradiction dépend, la contradiction.
    Etape Elaguer() const
    {
        std::vector<bool> garde(pas.size(), false);
        std::vector<int16_t> aVoir(deps.begin() + debutContradiction, deps.end());
        while (!aVoir.empty()) {
            const int k = aVoir.back();
            aVoir.pop_back();
            if (garde[k]) continue;
            garde[k] = true;
            for (int32_t q = pas[k].debut; q < pas[k].fin; ++q) aVoir.push_back(deps[q]);
        }
        Etape p = Nouvelle(Technique::PreuveParLAbsurde);
        AjouterCase(p, base, pas[0].cellule);
        p.chiffres = Bit(pas[0].chiffre);
        p.retraits = {Pose(pas[0].cellule, pas[0].chiffre)};
        for (std::size_t k = 1; k < pas.size(); ++k) {
            if (!garde[k]) continue;
            const Pas& x = pas[k];
            Etape m = Nouvelle(x.unite < 0 ? Technique::SeulCandidat
                                          : static_cast<Technique>(static_cast<int>(Technique::SeulePlaceLigne) + x.unite / 9));
            m.cases = {Coord(x.cellule)};
            m.candidatsCases = {x.candidats};
            m.chiffres = Bit(x.chiffre);
            m.poses = {Pose(x.cellule, x.chiffre)};
            if (x.unite >= 0) m.unites = {UniteNo(x.unite)};
            p.implications.push_back(std::move(m));
        }
        Etape c = EtapeContradiction(genre);
        if (genre == GenreContradiction::CaseSansChiffre) {
            c.cases = {Coord(caseVide)};
            c.candidatsCases = {0};
        } else {
            c.unites = {UniteNo(uniteVide)};
            c.chiffres = Bit(chiffreVide);
        }
        p.implications.push_back(std::move(c));
        return p;
    }

private:
    struct Pas {
        int cellule, chiffre, unite;  // unite : -1 pour l'essai ou un seul candidat
        uint16_t candidats;           // ceux de la case juste avant la pose
        int32_t debut, fin;           // ses dépendances dans `deps`
    };
    struct Attente {
        int cellule, chiffre, unite;
    };

    // Les poses qui ont ôté les chiffres `otes` de la case i (celles d'avant l'essai n'y sont pas).
    void NoterCauses(int i, uint16_t otes)
    {
        for (uint32_t m = otes; m != 0; m &= m - 1) {
            const int16_t c = cause[i * 9 + std::countr_zero(m)];
            if (c >= 0) deps.push_back(c);
        }
    }

    void Buter(GenreContradiction g, int i, int u, int d)
    {
        if (genre != GenreContradiction::Aucune) return;
        genre = g;
        caseVide = i, uniteVide = u, chiffreVide = d;
        debutContradiction = static_cast<int32_t>(deps.size());
        if (g == GenreContradiction::CaseSansChiffre) {
            NoterCauses(i, base.cand[i]);
        } else {
            for (const int k : T.cellules[u]) NoterCauses(k, static_cast<uint16_t>(base.cand[k] & Bit(d)));
        }
    }

    void RevoirCase(int k)
    {
        if (valeur[k] != 0) return;
        if (cand[k] == 0) Buter(GenreContradiction::CaseSansChiffre, k, 0, 0);
        else if (UnSeul(cand[k])) attente.push_back({k, PlusPetit(cand[k]), -1});
    }

    void RevoirUnite(int u, int d)
    {
        if (poses[u] & Bit(d)) return;
        int places = 0, seule = -1;
        for (const int k : T.cellules[u])
            if (cand[k] & Bit(d)) ++places, seule = k;
        if (places == 0) Buter(GenreContradiction::ChiffreSansPlace, 0, u, d);
        else if (places == 1) attente.push_back({seule, d, u});
    }

    void Placer(int i, int d, int unite, int32_t debut, int32_t fin)
    {
        const auto k = static_cast<int16_t>(pas.size());
        pas.push_back({i, d, unite, cand[i], debut, fin});
        valeur[i] = static_cast<int8_t>(d);
        const auto otes = static_cast<uint16_t>(cand[i] & ~Bit(d));
        for (uint32_t m = otes; m != 0; m &= m - 1) cause[i * 9 + std::countr_zero(m)] = k;
        cand[i] = 0;
        for (const int u : T.unitesDe[i]) poses[u] |= Bit(d);
        for (uint32_t m = otes; m != 0; m &= m - 1)
            for (const int u : T.unitesDe[i]) RevoirUnite(u, std::countr_zero(m) + 1);
        for (const int j : T.voisins[i]) {
            if (!(cand[j] & Bit(d))) continue;
            cand[j] &= static_cast<uint16_t>(~Bit(d));
            cause[j * 9 + d - 1] = k;
            RevoirCase(j);
            for (const int u : T.unitesDe[j]) RevoirUnite(u, d);
        }
    }

    const Etat& base;
    std::array<int8_t, 81> valeur;
    Candidats cand;
    std::array<uint16_t, 27> poses;
    std::array<int16_t, 81 * 9> cause{};
    std::vector<Pas> pas;
    std::vector<int16_t> deps;
    std::vector<Attente> attente;
    GenreContradiction genre = GenreContradiction::Aucune;
    int caseVide = 0, uniteVide = 0, chiffreVide = 0;
    int32_t debutContradiction = 0;
};

}  // namespace

// D'abord les candidats dont l'essai a déjà buté (moins de candidats ne fait que hâter la
// contradiction) ; sinon les candidats des cases à deux chiffres, puis à trois, etc., jusqu'à
// ce qu'un essai bute. Parmi ceux qui butent, les essais les plus courts (en poses) d'abord,
// puis le premier en lecture : le premier dont la preuve tient en LongueurMax poses est dit.
bool ChercherPreuve(Etat& s, Etape& e)
{
    const std::array<Cases81, 10>& masques = s.casesDu;
    std::vector<std::pair<int, int>> butent;  // (poses, candidat)
    auto& gardees = s.preuvesGardees;
    const auto essayer = [&](int code) {
        const int poses = EssaiRapide(s, masques).Bute(code / 9, code % 9 + 1);
        if (poses >= 0) butent.push_back({poses, code});
        return poses >= 0;
    };
    // La plus courte preuve parmi les essais qui butent.
    const auto prouver = [&] {
        std::sort(butent.begin(), butent.end());
        for (const auto& [poses, code] : butent) {
            Essai essai(s);
            essai.Lancer(code / 9, code % 9 + 1, 81);
            Etape p = essai.Elaguer();
            if (p.implications.size() > LongueurMax + 1) continue;
            e = std::move(p);
            return true;
        }
        butent.clear();
        return false;
    };
    for (int mot = 0; mot < 12; ++mot) {
        for (uint64_t bits = gardees[mot]; bits != 0; bits &= bits - 1) {
            const int code = mot * 64 + std::countr_zero(bits);
            if (!(s.cand[code / 9] & Bit(code % 9 + 1)) || !essayer(code)) gardees[mot] &= ~(uint64_t{1} << (code & 63));
        }
    }
    if (prouver()) return true;
    for (int n = 2; n <= 9; ++n) {
        for (int i = 0; i < 81; ++i) {
            if (s.valeur[i] != 0 || Compte(s.cand[i]) != n) continue;
            for (uint32_t m = s.cand[i]; m != 0; m &= m - 1) {
                const int code = i * 9 + std::countr_zero(m);
                if (!((gardees[code >> 6] >> (code & 63)) & 1u) && essayer(code)) gardees[code >> 6] |= uint64_t{1} << (code & 63);
            }
        }
        if (prouver()) return true;
    }
    return false;
}

}  // namespace raisonnement
