// Le compteur tient, pour chaque chiffre, les cases où il peut encore aller, en trois bandes
// de 27 bits (trois lignes de 9 cases) : une ligne, une colonne ou une région s'y lit d'un
// masque, et toutes les cases d'une bande se traitent d'un coup. Un chiffre posé garde son
// bit dans sa case et le perd partout ailleurs autour ; les cases encore libres ont leur
// propre masque. On propage seuls candidats, candidats verrouillés et seules places jusqu'à
// ce que rien ne bouge, puis on essaie chaque chiffre d'une case aux moins de candidats.
#include "engine/compteur.h"

#include <bit>

namespace {

constexpr uint32_t Ligne0 = 0x1FF;       // la première ligne d'une bande
constexpr uint32_t Colonne0 = 0x40201;   // la colonne 0 dans une bande : bits 0, 9, 18
constexpr uint32_t Region0 = 0x1C0E07;   // la première région d'une bande
constexpr uint32_t Bande = 0x7FFFFFF;

struct CaseBande {
    int32_t bande = 0;
    uint32_t bit = 0;
    uint32_t voisins = 0;  // ligne, colonne et région de la case dans sa bande, elle exclue
    uint32_t colonne = 0;  // sa colonne dans une bande
};

constexpr std::array<CaseBande, 81> ConstruireCases()
{
    std::array<CaseBande, 81> t{};
    for (int i = 0; i < 81; ++i) {
        const int l = i / 9, c = i % 9;
        t[i].bande = l / 3;
        t[i].bit = 1u << (i % 27);
        t[i].colonne = Colonne0 << c;
        t[i].voisins = ((Ligne0 << (9 * (l % 3))) | (Region0 << (3 * (c / 3))) | t[i].colonne) & ~t[i].bit;
    }
    return t;
}
constexpr std::array<CaseBande, 81> Cases = ConstruireCases();

int Rang(uint32_t bits) { return std::countr_zero(bits); }
bool UnSeul(uint32_t bits) { return (bits & (bits - 1)) == 0; }

// Dans une bande, les trois lignes et les trois régions d'un chiffre se répondent une à une :
// chaque ligne le tient dans une seule région et chaque région dans une seule ligne. Les
// « triades » (trois cases d'une ligne dans une région) où il peut aller forment une matrice
// 3 × 3 (bit 3 × ligne + région), et ne restent possibles que celles d'une permutation qui
// tient dans la matrice : ce sont les candidats verrouillés, et un peu plus. De même dans une
// pile, pour les bandes et les colonnes.
constexpr std::array<uint16_t, 512> ConstruirePermutations()
{
    constexpr int Perms[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    std::array<uint16_t, 512> t{};
    for (int m = 0; m < 512; ++m) {
        for (const auto& p : Perms) {
            const int q = (1 << p[0]) | (1 << (3 + p[1])) | (1 << (6 + p[2]));
            if ((q & ~m) == 0) t[m] = static_cast<uint16_t>(t[m] | q);
        }
    }
    return t;
}
constexpr std::array<uint16_t, 512> Permutations = ConstruirePermutations();

// Les régions (bits 0 à 2) qu'occupe une ligne de 9 bits, et les cases des régions d'un tel ensemble.
uint32_t RegionsDe(uint32_t ligne) { return (ligne & 0x7 ? 1u : 0u) | (ligne & 0x38 ? 2u : 0u) | (ligne & 0x1C0 ? 4u : 0u); }
constexpr std::array<uint32_t, 8> CasesDesRegions{0x0, 0x7, 0x38, 0x3F, 0x1C0, 0x1C7, 0x1F8, 0x1FF};

struct Plateau {
    std::array<std::array<uint32_t, 3>, 9> places{};  // places[d-1][bande]
    std::array<uint32_t, 3> libres{Bande, Bande, Bande};
    uint32_t changes = 0x1FF;  // chiffres dont les places ont changé depuis leur dernier examen

    Plateau()
    {
        for (auto& p : places) p = {Bande, Bande, Bande};
    }

    // Pose d dans la case i ; faux si d n'y est plus possible.
    bool Poser(int i, int d)
    {
        const CaseBande& k = Cases[i];
        std::array<uint32_t, 3>& p = places[d - 1];
        if (!(p[k.bande] & k.bit)) return false;
        for (int e = 0; e < 9; ++e) {
            if (places[e][k.bande] & k.bit) changes |= 1u << e;
            places[e][k.bande] &= ~k.bit;
        }
        p[k.bande] = (p[k.bande] & ~k.voisins) | k.bit;
        for (int b = 0; b < 3; ++b)
            if (b != k.bande) p[b] &= ~k.colonne;
        libres[k.bande] &= ~k.bit;
        return true;
    }

    // Seuls candidats : chaque case libre qui n'a plus qu'un chiffre le reçoit. Faux si une
    // case n'en a plus aucun.
    bool SeulsCandidats()
    {
        for (int b = 0; b < 3; ++b) {
            uint32_t un = 0, deux = 0;
            for (const auto& p : places) {
                deux |= un & p[b];
                un |= p[b];
            }
            if (libres[b] & ~un) return false;
            for (uint32_t seuls = libres[b] & ~deux; seuls != 0; seuls &= seuls - 1) {
                const uint32_t bit = seuls & (0u - seuls);
                int d = 1;
                while (d <= 9 && !(places[d - 1][b] & bit)) ++d;
                // Une pose faite plus haut dans la boucle a pu lui ôter son dernier chiffre.
                if (d > 9 || !Poser(b * 27 + Rang(bit), d)) return false;
            }
        }
        return true;
    }

    // Les places du chiffre d resserrées par les permutations des bandes et des piles, puis
    // ses seules places : une ligne, une colonne ou une région où il n'a plus qu'une case
    // libre. Faux si une unité n'a plus de place pour lui.
    bool Resserrer(int d)
    {
        std::array<uint32_t, 3>& p = places[d - 1];
        std::array<uint32_t, 3> colonnes{};  // les colonnes où il peut aller, dans chaque bande
        for (int b = 0; b < 3; ++b) {
            uint32_t triades = 0;
            for (int l = 0; l < 3; ++l) triades |= RegionsDe(p[b] >> (9 * l) & Ligne0) << (3 * l);
            const uint32_t gardees = Permutations[triades];
            if (gardees == 0) return false;
            if (gardees != triades) {
                uint32_t masque = 0;
                for (int l = 0; l < 3; ++l) masque |= CasesDesRegions[(gardees >> (3 * l)) & 7] << (9 * l);
                p[b] &= masque;
            }
            colonnes[b] = (p[b] | p[b] >> 9 | p[b] >> 18) & Ligne0;
        }
        for (int pile = 0; pile < 3; ++pile) {
            uint32_t triades = 0;
            for (int b = 0; b < 3; ++b) triades |= ((colonnes[b] >> (3 * pile)) & 7) << (3 * b);
            const uint32_t gardees = Permutations[triades];
            if (gardees == 0) return false;
            if (gardees == triades) continue;
            for (int b = 0; b < 3; ++b) p[b] &= ~((((triades & ~gardees) >> (3 * b)) & 7) * Colonne0 << (3 * pile));
        }
        for (int b = 0; b < 3; ++b) {
            for (int k = 0; k < 3; ++k) {
                for (const uint32_t unite : {Ligne0 << (9 * k), Region0 << (3 * k)}) {
                    const uint32_t f = p[b] & unite;  // relu : une pose a pu le changer
                    if (f == 0) return false;
                    if (UnSeul(f) && (f & libres[b])) Poser(b * 27 + Rang(f), d);
                }
            }
        }
        // Les colonnes : combien de fois chaque colonne paraît parmi les neuf lignes.
        uint32_t un = 0, deux = 0;
        for (int b = 0; b < 3; ++b) {
            for (int k = 0; k < 3; ++k) {
                const uint32_t f = (p[b] >> (9 * k)) & Ligne0;
                deux |= un & f;
                un |= f;
            }
        }
        if (un != Ligne0) return false;
        for (uint32_t seules = un & ~deux; seules != 0; seules &= seules - 1) {
            const uint32_t colonne = Colonne0 << Rang(seules);
            for (int b = 0; b < 3; ++b) {
                if (const uint32_t f = p[b] & colonne) {
                    if (f & libres[b]) Poser(b * 27 + Rang(f), d);
                    break;
                }
            }
        }
        return true;
    }

    bool Propager()
    {
        for (;;) {
            if (!SeulsCandidats()) return false;
            if (changes == 0) return true;
            const int d = Rang(changes) + 1;
            changes &= changes - 1;
            if (!Resserrer(d)) return false;
        }
    }

    bool Pleine() const { return (libres[0] | libres[1] | libres[2]) == 0; }

    // La case libre aux moins de candidats, la première en lecture : une case à deux
    // candidats se lit sur les compteurs en tranches de bits, les autres se comptent.
    int CaseAEssayer() const
    {
        int meilleure = -1, moins = 10;
        for (int b = 0; b < 3; ++b) {
            uint32_t un = 0, deux = 0, trois = 0;
            for (const auto& p : places) {
                trois |= deux & p[b];
                deux |= un & p[b];
                un |= p[b];
            }
            if (const uint32_t paires = libres[b] & deux & ~trois) return b * 27 + Rang(paires);
            if (moins <= 3) continue;
            for (uint32_t l = libres[b]; l != 0; l &= l - 1) {
                const int i = b * 27 + Rang(l);
                int n = 0;
                for (const auto& p : places) n += (p[b] >> (i % 27)) & 1;
                if (n < moins) meilleure = i, moins = n;
            }
        }
        return meilleure;
    }

    std::array<int32_t, 81> Chiffres() const
    {
        std::array<int32_t, 81> g{};
        for (int i = 0; i < 81; ++i)
            for (int d = 1; d <= 9; ++d)
                if (places[d - 1][Cases[i].bande] & Cases[i].bit) g[i] = d;
        return g;
    }
};

struct Recherche {
    int32_t limite = 2;
    Comptage comptage;
};

// `p` est propagé, sans contradiction.
void Explorer(const Plateau& p, Recherche& r)
{
    if (p.Pleine()) {
        if (r.comptage.solutions++ == 0) r.comptage.premiere = p.Chiffres();
        return;
    }
    const int i = p.CaseAEssayer();
    const CaseBande& k = Cases[i];
    for (int d = 1; d <= 9 && r.comptage.solutions < r.limite; ++d) {
        if (!(p.places[d - 1][k.bande] & k.bit)) continue;
        Plateau essai = p;
        if (essai.Poser(i, d) && essai.Propager()) Explorer(essai, r);
    }
}

}  // namespace

Comptage CompterSolutions(const std::array<int32_t, 81>& position, int32_t limite)
{
    Recherche r;
    r.limite = limite < 1 ? 1 : limite;
    Plateau p;
    for (int i = 0; i < 81; ++i)
        if (position[i] >= 1 && position[i] <= 9 && !p.Poser(i, position[i])) return r.comptage;
    if (p.Propager()) Explorer(p, r);
    return r.comptage;
}
