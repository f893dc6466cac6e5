// Ce que partagent les chercheurs de techniques (raisonnement.cpp, ailes.cpp, chaines.cpp,
// unicite.cpp, preuve.cpp) : les tables des unités (engine/unites.h), l'état des candidats et
// les fabriques d'étapes. Interne au moteur : seuls ses fichiers l'incluent.
//
// Une case est ligne * 9 + colonne ; un candidat, case * 9 + chiffre - 1.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "engine/raisonnement.h"
#include "engine/unites.h"

namespace raisonnement {

constexpr uint16_t Tous = 0x1FF;
constexpr uint16_t Bit(int32_t d) { return static_cast<uint16_t>(1u << (d - 1)); }
// Nombre de bits d'un masque de 9 bits, par table : sans instruction dédiée (construction
// portable), std::popcount passe par une fonction de la bibliothèque et coûte cher ici.
constexpr std::array<int8_t, 512> ConstruireComptes()
{
    std::array<int8_t, 512> t{};
    for (int m = 1; m < 512; ++m) t[m] = static_cast<int8_t>(t[m >> 1] + (m & 1));
    return t;
}
inline constexpr std::array<int8_t, 512> Comptes = ConstruireComptes();
inline int32_t Compte(uint32_t m) { return Comptes[m & 0x1FF]; }
inline int32_t PlusPetit(uint16_t chiffres) { return std::countr_zero(static_cast<uint32_t>(chiffres)) + 1; }

inline constexpr const TablesUnites& T = Unites;

inline Coordonnees Coord(int i) { return {i / 9, i % 9}; }
inline CaseChiffre Pose(int i, int d) { return {{i / 9, i % 9}, d}; }
inline int Indice(const Coordonnees& c) { return c.ligne * 9 + c.colonne; }
inline Unite UniteNo(int u) { return {static_cast<GenreUnite>(u / 9), u % 9}; }
inline int NumeroUnite(const Unite& u) { return static_cast<int>(u.genre) * 9 + u.numero; }
inline bool DansUnite(int u, int i) { return T.unitesDe[i][u / 9] == u; }
// L'unité que partagent deux cases voisines : leur ligne, sinon leur colonne, sinon leur région.
inline int UniteCommune(int i, int j)
{
    for (int k = 0; k < 3; ++k)
        if (T.unitesDe[i][k] == T.unitesDe[j][k]) return T.unitesDe[i][k];
    return -1;
}

// Un ensemble de cases, bit par case.
struct Cases81 {
    std::array<uint64_t, 2> mots{};
    void Mettre(int i) { mots[i >> 6] |= uint64_t{1} << (i & 63); }
    bool Contient(int i) const { return (mots[i >> 6] >> (i & 63)) & 1u; }
    Cases81 operator&(const Cases81& o) const { return {{mots[0] & o.mots[0], mots[1] & o.mots[1]}}; }
    Cases81 operator|(const Cases81& o) const { return {{mots[0] | o.mots[0], mots[1] | o.mots[1]}}; }
    Cases81 Sauf(const Cases81& o) const { return {{mots[0] & ~o.mots[0], mots[1] & ~o.mots[1]}}; }
    bool Vide() const { return (mots[0] | mots[1]) == 0; }
    bool operator==(const Cases81&) const = default;
    // Chaque case, dans l'ordre de lecture.
    template <class F>
    void PourChaque(F&& f) const
    {
        for (int m = 0; m < 2; ++m)
            for (uint64_t b = mots[m]; b != 0; b &= b - 1) f(m * 64 + std::countr_zero(b));
    }
};

// Des listes de cases des tables, en ensembles.
template <std::size_t N, std::size_t M>
std::array<Cases81, N> EnEnsembles(const std::array<std::array<int8_t, M>, N>& listes)
{
    std::array<Cases81, N> ensembles{};
    for (std::size_t k = 0; k < N; ++k)
        for (const int i : listes[k]) ensembles[k].Mettre(i);
    return ensembles;
}

// Les voisines de chaque case, et les cases de chaque unité, en ensembles.
inline const std::array<Cases81, 81>& VoisinesDe()
{
    static const std::array<Cases81, 81> t = EnEnsembles(T.voisins);
    return t;
}
inline const std::array<Cases81, 27>& CasesDesUnites()
{
    static const std::array<Cases81, 27> t = EnEnsembles(T.cellules);
    return t;
}

// Les places de chaque chiffre dans chaque unité (bit = rang de la case dans l'unité).
using Places = std::array<std::array<uint16_t, 10>, 27>;

// Les candidats, et ce qui a changé depuis la dernière fois que les techniques qui ôtent des
// candidats n'ont rien trouvé : une unité dont aucune case n'a changé, un chiffre dont aucun
// candidat n'a changé, ne peuvent rien donner de neuf (les candidats ne font que diminuer, si
// bien que les retraits possibles ne font que fondre) ; on ne les refouille pas.
struct Etat {
    std::array<int8_t, 81> valeur{};
    Candidats cand{};
    Places places{};                   // les mêmes candidats, vus par unité et par chiffre
    std::array<Cases81, 10> casesDu{};  // et par chiffre, en ensembles de cases
    std::array<uint16_t, 27> poses{};  // chiffres posés dans chaque unité
    int32_t vides = 81;
    uint32_t unitesChangees = (1u << 27) - 1;
    uint16_t chiffresChanges = Tous;
    // De même pour l'examen qui suit chaque étape : hors de ces ensembles, une case ou une
    // unité a été vue sans seul candidat, sans seule place ni contradiction, et n'a pas changé.
    std::array<uint64_t, 2> casesAExaminer{~uint64_t{0}, (uint64_t{1} << (81 - 64)) - 1};
    uint32_t unitesAExaminer = (1u << 27) - 1;
    // La grille de départ a une seule solution (comptée à part) : les techniques d'unicité
    // n'ont cours qu'alors.
    bool unique = false;
    // Les candidats dont l'essai a buté lors d'une recherche de preuves (bit case * 9 +
    // chiffre - 1) : moins de candidats ne fait que hâter la contradiction, on les reprend
    // d'abord.
    std::array<uint64_t, 12> preuvesGardees{};

    void Changer(int i, uint16_t otes)
    {
        cand[i] &= static_cast<uint16_t>(~otes);
        for (uint32_t m = otes; m != 0; m &= m - 1) {
            const int d = std::countr_zero(m) + 1;
            for (int k = 0; k < 3; ++k) places[T.unitesDe[i][k]][d] &= static_cast<uint16_t>(~(1u << T.rangs[i][k]));
            casesDu[d].mots[i >> 6] &= ~(uint64_t{1} << (i & 63));
        }
        for (const int u : T.unitesDe[i]) unitesChangees |= 1u << u;
        chiffresChanges |= otes;
        casesAExaminer[i >> 6] |= uint64_t{1} << (i & 63);
        unitesAExaminer |= (1u << T.unitesDe[i][0]) | (1u << T.unitesDe[i][1]) | (1u << T.unitesDe[i][2]);
    }
    void Oter(int i, int d)
    {
        if (cand[i] & Bit(d)) Changer(i, Bit(d));
    }
    void Poser(int i, int d)
    {
        valeur[i] = static_cast<int8_t>(d);
        Changer(i, cand[i]);
        --vides;
        for (const int u : T.unitesDe[i]) poses[u] |= Bit(d);
        for (const int j : T.voisins[i]) Oter(j, d);
    }
    void MarquerFouille()
    {
        unitesChangees = 0;
        chiffresChanges = 0;
    }
    bool Changee(int u) const { return (unitesChangees >> u) & 1u; }
    // Les cases où le chiffre d est candidat.
    const Cases81& CasesDu(int d) const { return casesDu[d]; }
};

Etat EtatDepuis(const Position& position);

// Les chiffres qui ont au moins une place dans l'unité u (`une`), et ceux qui n'en ont
// qu'une (`seuls`).
struct PlacesUnite {
    uint16_t une = 0;
    uint16_t seuls = 0;
};
inline PlacesUnite LirePlaces(const Etat& s, int u)
{
    uint16_t une = 0, deux = 0;
    for (const int i : T.cellules[u]) {
        deux |= une & s.cand[i];
        une |= s.cand[i];
    }
    return {une, static_cast<uint16_t>(une & ~deux)};
}

// --- Les étapes : une fabrique par genre d'étape ---

inline Etape Nouvelle(Technique technique)
{
    Etape e;
    e.technique = technique;
    return e;
}

inline void AjouterCase(Etape& e, const Etat& s, int i)
{
    e.cases.push_back(Coord(i));
    e.candidatsCases.push_back(s.cand[i]);
}

Etape EtapeSeulCandidat(const Etat& s, int i);
Etape EtapeSeulePlace(const Etat& s, int u, int d);
Etape EtapeContradiction(GenreContradiction genre);
// Trie les retraits en lecture, puis par chiffre.
void TrierRetraits(std::vector<CaseChiffre>& retraits);
// Une étape de chaîne : ses nœuds et ses liens, ses cases (celles des nœuds, sans doublon) et
// ses chiffres ; les retraits triés.
Etape EtapeChaine(Technique technique, const Etat& s, std::vector<Noeud> noeuds, std::vector<Lien> liens,
                  std::vector<CaseChiffre> retraits);
inline Lien LienFort(int u) { return {true, false, UniteNo(u)}; }
inline Lien LienFaible(int u) { return {false, false, UniteNo(u)}; }
inline Lien LienDansCase(bool fort) { return {fort, true, {}}; }
inline Noeud NoeudSimple(int i, int d) { return {{Coord(i)}, d}; }

// Les chercheurs qui ôtent des candidats ou posent un chiffre au-delà des poses simples ;
// chacun remplit `e` et dit vrai quand il trouve. Dans ailes.cpp, chaines.cpp, unicite.cpp,
// preuve.cpp.
bool ChercherXYZWing(const Etat& s, Etape& e);
bool ChercherWWing(const Etat& s, Etape& e);
bool ChercherGratteCiel(const Etat& s, Etape& e);
bool ChercherCerfVolant(const Etat& s, Etape& e);
bool ChercherRectangleUnique(const Etat& s, Etape& e);
bool ChercherBugPlus1(const Etat& s, Etape& e);
bool ChercherColoriage(const Etat& s, Etape& e);
bool ChercherPairesDistantes(const Etat& s, Etape& e);
bool ChercherChaines(const Etat& s, Etape& e);  // chaînes X, XY, puis alternées
bool ChercherPreuve(Etat& s, Etape& e);

}  // namespace raisonnement
