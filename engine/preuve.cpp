// La preuve par l'absurde : pour chaque candidat, un essai qui pose le candidat puis, en
// largeur (les conséquences les plus proches d'abord), chaque seul candidat et chaque seule
// place qui apparaît, jusqu'à une contradiction. Chaque retrait de candidat garde la pose qui
// l'a fait, chaque pose les retraits dont elle dépend : la chaîne dite ne garde que les poses
// dont la contradiction dépend.
#include "engine/preuve.h"

#include <bit>

#include "engine/unites.h"

namespace {

constexpr uint16_t Tous = 0x1FF;
constexpr uint16_t Bit(int d) { return static_cast<uint16_t>(1u << (d - 1)); }
bool UnSeul(uint16_t m) { return m != 0 && (m & (m - 1)) == 0; }
int Chiffre(uint16_t m) { return std::countr_zero(static_cast<uint32_t>(m)) + 1; }

constexpr const TablesUnites& T = Unites;

Unite UniteNo(int u) { return {static_cast<GenreUnite>(u / 9), u % 9}; }

struct Base {
    std::array<int8_t, 81> valeur{};
    Candidats cand{};
    std::array<uint16_t, 27> poses{};  // chiffres posés dans chaque unité
};

// Un essai : l'état sous le candidat supposé, et pour chaque retrait la pose qui l'a fait.
class Essai {
public:
    explicit Essai(const Base& base) : base(base), valeur(base.valeur), cand(base.cand), poses(base.poses)
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
    Preuve Elaguer() const
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
        Preuve p;
        p.essai = {pas[0].cellule / 9, pas[0].cellule % 9, pas[0].chiffre};
        for (std::size_t k = 1; k < pas.size(); ++k) {
            if (!garde[k]) continue;
            const Pas& x = pas[k];
            Implication m;
            m.pose = {x.cellule / 9, x.cellule % 9, x.chiffre};
            if (x.unite >= 0) {
                m.technique = static_cast<Technique>(static_cast<int>(Technique::SeulePlaceLigne) + x.unite / 9);
                m.unite = UniteNo(x.unite);
            }
            p.chaine.push_back(m);
        }
        p.contradiction = genre;
        p.caseVide = {caseVide / 9, caseVide % 9};
        p.unite = UniteNo(uniteVide);
        p.chiffre = chiffreVide;
        return p;
    }

private:
    struct Pas {
        int cellule, chiffre, unite;  // unite : -1 pour l'essai ou un seul candidat
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
        else if (UnSeul(cand[k])) attente.push_back({k, Chiffre(cand[k]), -1});
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
        pas.push_back({i, d, unite, debut, fin});
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

    const Base& base;
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

std::optional<Preuve> ChercherPreuve(const Position& position, const Candidats& candidats, int32_t longueurMax)
{
    Base base;
    for (int i = 0; i < 81; ++i) {
        base.valeur[i] = static_cast<int8_t>(position[i] >= 1 && position[i] <= 9 ? position[i] : 0);
        base.cand[i] = base.valeur[i] ? 0 : static_cast<uint16_t>(candidats[i] & Tous);
    }
    for (int i = 0; i < 81; ++i) {
        if (base.valeur[i] == 0) continue;
        for (const int u : T.unitesDe[i]) base.poses[u] |= Bit(base.valeur[i]);
        for (const int j : T.voisins[i]) base.cand[j] &= static_cast<uint16_t>(~Bit(base.valeur[i]));
    }
    // Les cases aux moins de candidats d'abord : leurs essais butent le plus vite.
    std::optional<Preuve> meilleure;
    for (int n = 2; n <= 9; ++n) {
        for (int i = 0; i < 81; ++i) {
            if (base.valeur[i] != 0 || std::popcount(static_cast<uint32_t>(base.cand[i])) != n) continue;
            for (uint32_t m = base.cand[i]; m != 0; m &= m - 1) {
                Essai essai(base);
                // Au-delà de quatre fois la longueur permise, la chaîne élaguée serait rarement assez courte.
                if (!essai.Lancer(i, std::countr_zero(m) + 1, 4 * longueurMax + 4)) continue;
                Preuve p = essai.Elaguer();
                if (static_cast<int32_t>(p.chaine.size()) > longueurMax) continue;
                if (!meilleure || p.chaine.size() < meilleure->chaine.size()) meilleure = std::move(p);
                if (meilleure->chaine.empty()) return meilleure;
            }
        }
    }
    return meilleure;
}
