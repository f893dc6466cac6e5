// Raisonnement par techniques, à côté du solveur de CGrille et sans le toucher : on tient les
// candidats de chaque case (les chiffres que ni la ligne, ni la colonne, ni la région
// n'excluent, puis ce que les techniques ont ôté) et l'on avance d'une étape à la fois, la
// technique la plus simple d'abord. Chaque étape ne dit que ce qui est vrai à ce moment-là
// (sous les hypothèses ouvertes, s'il y en a). Sert à « Pourquoi ? », à « novemia-cli
// expliquer » et à la note d'une grille. Sans Qt ni fenêtre ; les mots sont dans game/.
//
// Lignes, colonnes et régions vont de 0 à 8 (régions en lecture), chiffres de 1 à 9.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/grille.h"

// 81 chiffres lus ligne par ligne, 0 pour une case vide.
using Position = std::array<int32_t, 81>;
// Candidats de chaque case, bit d-1 pour le chiffre d.
using Candidats = std::array<uint16_t, 81>;

// Les techniques, de la plus simple à la plus dure : c'est l'ordre où on les cherche.
enum class Technique : int32_t {
    SeulCandidat,       // une case n'a plus qu'un chiffre possible
    SeulePlaceLigne,    // un chiffre n'a plus qu'une place dans une ligne
    SeulePlaceColonne,
    SeulePlaceRegion,
    VerrouilleRegion,   // dans une région, un chiffre tient dans une ligne ou une colonne
    VerrouilleLigne,    // dans une ligne, un chiffre tient dans une région
    VerrouilleColonne,
    PaireNue,
    PaireCachee,
    TripletNu,
    TripletCache,
    XWing,
    Swordfish,
    XYWing,
    XYZWing,          // un pivot à trois chiffres et deux pinces
    WWing,            // deux cases aux deux mêmes chiffres reliées par un chiffre à deux places
    PairesDistantes,  // une chaîne de cases aux deux mêmes chiffres
    GratteCiel,       // chaînes X courtes : deux paires de places parallèles…
    CerfVolant,       // … ou une dans une ligne, l'autre dans une colonne, liées par une région
    RectangleUnique,  // type 1, seulement sur une grille à une seule solution
    BugPlus1,         // de même
    Coloriage,        // les deux couleurs des paires de places d'un chiffre
    ChaineX,          // chaîne d'un seul chiffre
    ChaineXY,         // chaîne de cases à deux chiffres
    ChaineAlternee,   // chaîne de liens forts et faibles, groupes compris
    PreuveParLAbsurde,  // un candidat essayé mène, par des poses simples, à une contradiction
    Hypothese,
    Contradiction,
    Solution,  // la grille est pleine sous des hypothèses ouvertes (jamais cherchée : la fin)
};
inline constexpr int32_t NombreTechniques = static_cast<int32_t>(Technique::Solution) + 1;

// Vrai si une table (des lignes qui commencent par `technique`) a une ligne par technique,
// dans l'ordre de Technique : ce qu'on vérifie à la compilation des tables par technique.
template <class Table>
constexpr bool UneLigneParTechnique(const Table& table)
{
    if (std::size(table) != NombreTechniques) return false;
    for (int32_t t = 0; t < NombreTechniques; ++t)
        if (static_cast<int32_t>(table[t].technique) != t) return false;
    return true;
}

struct Coordonnees {
    int32_t ligne = 0;
    int32_t colonne = 0;
    bool operator==(const Coordonnees&) const = default;
};

// Une case et un chiffre : {ligne, colonne, chiffre}.
struct CaseChiffre : Coordonnees {
    int32_t chiffre = 0;
    bool operator==(const CaseChiffre&) const = default;
};

enum class GenreUnite : int32_t { Ligne, Colonne, Region };
struct Unite {
    GenreUnite genre = GenreUnite::Ligne;
    int32_t numero = 0;
    bool operator==(const Unite&) const = default;
};

// Un nœud de chaîne : un chiffre dans une case, ou dans deux ou trois cases d'une même région
// et d'une même ligne ou colonne (un groupe), vrai quand le chiffre va dans l'une d'elles.
struct Noeud {
    std::vector<Coordonnees> cases;
    int32_t chiffre = 0;
    bool operator==(const Noeud&) const = default;
};

// Un lien entre deux nœuds voisins d'une chaîne. Fort : l'un des deux est vrai (les deux seuls
// chiffres d'une case, ou les deux seules places d'un chiffre dans `unite`). Faible : ils ne
// sont pas vrais tous deux (deux chiffres d'une même case, ou un même chiffre dans `unite`).
struct Lien {
    bool fort = false;
    bool parCase = false;  // dans une case ; sinon dans `unite`
    Unite unite;
    bool operator==(const Lien&) const = default;
};

// Les deux seules places d'un chiffre dans une unité (coloriage).
struct Paire {
    Coordonnees a, b;
    Unite unite;
    bool operator==(const Paire&) const = default;
};

enum class GenreContradiction : int32_t {
    Aucune,
    CaseSansChiffre,   // une case vide n'a plus aucun candidat
    ChiffreSansPlace,  // un chiffre n'a plus de place dans une unité
    ChiffreRepete,     // un chiffre deux fois dans une unité
};

// Une étape. Selon la technique :
//  - seul candidat, seule place : `poses` (une), `cases` = la case, `unites` = l'unité où le
//    chiffre est seul (seule place) ;
//  - candidats verrouillés : `unites` = [l'unité où le chiffre est confiné, celle dont on
//    l'ôte], `cases` = ses places dans la première ;
//  - sous-ensembles nus et cachés : `unites` = [l'unité], `cases` = les 2 ou 3 cases,
//    `chiffres` = les 2 ou 3 chiffres ;
//  - X-wing, swordfish : `unites` = les lignes (ou colonnes) de base puis celles qu'elles
//    couvrent, `cases` = les places du chiffre dans les bases ;
//  - XY-wing, XYZ-wing : `cases` = [pivot, pince, pince], le chiffre ôté dans `chiffres` avec
//    les deux autres ;
//  - chaînes (W-wing, gratte-ciel, cerf-volant, paires distantes, chaînes X, XY, alternées) :
//    `noeuds` et `liens` (un de moins), du premier nœud, supposé faux, au dernier, vrai alors :
//    liens forts et faibles alternés, fort en premier et en dernier ; l'un des deux bouts est
//    vrai, et chaque retrait contredit les deux ; `chiffres` = ceux des nœuds, `cases` = leurs
//    cases (paires distantes : les deux chiffres ôtés, l'autre par la même chaîne échangée) ;
//  - coloriage : `paires`, de proche en proche depuis la première case, qui donnent deux
//    couleurs ; `cases` = celles de la première couleur puis de la seconde ; `conflit` = deux
//    cases d'une même couleur qui se voient (cette couleur est fausse), sinon les retraits
//    voient les deux couleurs ;
//  - rectangle unique : `cases` = les quatre coins, celui qui a d'autres chiffres en dernier,
//    `chiffres` = les deux du rectangle ; BUG+1 : `cases` = la case à trois chiffres puis
//    toutes les autres cases vides (à deux chiffres), `poses` = son chiffre ;
//  - preuve par l'absurde : `retraits` = [le candidat essayé], `cases` = sa case,
//    `implications` = ce qui s'ensuivrait (des poses simples), la contradiction en dernier ;
//  - hypothèse : `niveau` = le niveau ouvert, `cases` = la case, `poses` = le chiffre essayé ;
//  - contradiction : ce qui bute (`contradiction`, `cases`, `unites`, `chiffres`) ; si une
//    hypothèse est en cause, `faux` est son chiffre, prouvé faux : son niveau est abandonné,
//    `retraits` ôte `faux` et `niveau` est celui où l'on revient (le niveau abandonné moins un),
//    où ce retrait est vrai ;
//  - solution : la grille est pleine avec les hypothèses des niveaux 1 à `niveau` ; `unique`
//    dit si c'est la seule solution de la grille.
// `candidatsCases` donne les candidats de chaque case de `cases` juste avant l'étape.
struct Etape {
    Technique technique = Technique::SeulCandidat;
    int32_t niveau = 0;  // niveau d'hypothèse où l'étape est vraie (0 : sans hypothèse)
    std::vector<CaseChiffre> poses;
    std::vector<CaseChiffre> retraits;
    std::vector<Coordonnees> cases;
    std::vector<uint16_t> candidatsCases;
    std::vector<Unite> unites;
    uint16_t chiffres = 0;  // bit d-1
    GenreContradiction contradiction = GenreContradiction::Aucune;
    std::optional<CaseChiffre> faux;
    // Solution : la seule de la grille ; hypothèse : la grille n'a qu'une solution (sinon la
    // phrase dit qu'aucun raisonnement ne la finit seul).
    bool unique = false;
    std::vector<Noeud> noeuds;
    std::vector<Lien> liens;
    std::vector<Paire> paires;
    std::vector<Coordonnees> conflit;
    std::vector<Etape> implications;
};

// Les candidats dont se sert l'étape (ceux de ses cases qui portent ses chiffres, ceux de ses
// nœuds, l'essai d'une preuve), sans doublon, en lecture puis par chiffre.
std::vector<CaseChiffre> CandidatsEnJeu(const Etape& etape);

// Toute l'explication d'une position : les étapes jusqu'à la grille pleine ou la preuve
// qu'elle n'a pas de solution, et la solution trouvée (la seule si la grille est unique). Une
// grille remplie sous des hypothèses finit par une étape `Solution`, qui dit si la grille en a
// d'autres (comptées à part, par engine/compteur.h).
struct Explication {
    Position depart{};
    std::vector<Etape> etapes;
    std::optional<Position> solution;
    bool unique = false;  // la grille de départ a une seule solution
};

// Un chiffre répété dans une unité, avec toutes ses cases.
struct Repetition {
    Unite unite;
    int32_t chiffre = 0;
    std::vector<Coordonnees> cases;
};

// Ce que répond « Pourquoi ? ».
struct ProchainePose {
    enum Issue : int32_t { Pose, Hypothese, Pleine, Impossible };
    Issue issue = Impossible;
    // Pose : les étapes utiles à la pose puis la pose elle-même (la dernière), rien d'autre.
    std::vector<Etape> chaine;
    // Hypothèse : la case aux moins de candidats (la première en lecture) et ses candidats ;
    // `unique` dit si la position n'a qu'une solution (sinon aucun raisonnement ne la finit).
    Coordonnees caseHypothese;
    uint16_t candidats = 0;
    bool unique = false;
    // Les cases à montrer : celles de chaque étape de la chaîne, ou celle de l'hypothèse.
    std::vector<Coordonnees> casesAMontrer;
};

// Le bilan d'une explication : les étapes du chemin qui mène à la solution, sans celles des
// hypothèses abandonnées (une contradiction qui en abandonne une y reste : c'est elle qui ôte
// le chiffre essayé).
//
// Échelle de la note, propre à ce programme : celle de la technique la plus dure dont la grille
// a besoin (les techniques sont cherchées de la plus simple à la plus dure, chacune seulement
// quand les précédentes ne donnent plus rien) :
//   1.0 seul candidat          1.5 seule place          2.0 candidats verrouillés
//   3.0 paire nue              3.4 paire cachée         3.6 triplet nu
//   4.0 triplet caché          4.2 X-wing               4.6 swordfish
//   5.0 XY-wing                5.2 XYZ-wing             5.3 W-wing
//   5.4 paires distantes       5.5 gratte-ciel          5.6 cerf-volant
//   5.7 rectangle unique       5.8 BUG+1                5.9 coloriage
//   6.2 chaîne X               6.4 chaîne XY            6.6 chaîne alternée
//   6.8 preuve par l'absurde
//   6 + n : il faut des hypothèses ; n, le plus grand nombre de niveaux ouverts à la fois sur
//   ce chemin, une contradiction comptant le niveau qu'elle abandonne (7.0 pour un seul).
// Une grille sans solution, ou déjà pleine, a la note 0.
struct Bilan {
    std::array<int32_t, NombreTechniques> compte{};  // étapes par technique, sur le chemin de la solution
    std::optional<Technique> plusDifficile;          // hypothèse si la grille en demande
    int32_t niveauMax = 0;
    double note = 0.0;
    bool resolue = false;
};

double NoteTechnique(Technique technique);

// Les chiffres de la grille (cases vides à 0).
Position LirePosition(const CGrille& grille);

// Deux cases différentes (ligne * 9 + colonne) d'une même ligne, colonne ou région.
bool Voisines(int32_t i, int32_t j);
// Les candidats que laissent les chiffres posés : pour chaque case vide, les chiffres
// qu'aucune de ses voisines ne porte ; rien pour une case pleine.
Candidats CandidatsDe(const Position& position);

// Les indices répétés dans une ligne, une colonne ou une région : lignes, puis colonnes, puis
// régions, chiffres croissants. Vide si aucun.
std::vector<Repetition> IndicesRepetes(const Position& position);

// Toute l'explication depuis `position`.
Explication Expliquer(const Position& position);

// La pose la plus proche depuis la position du joueur, avec la plus courte chaîne d'étapes
// qui y mène parmi celles que trouvent les techniques (sans hypothèse) ; « impossible » dès
// qu'une contradiction paraît, au départ ou en cherchant.
ProchainePose ExpliquerProchainePose(const Position& position);

// La première étape depuis `position` et des candidats donnés (croisés avec ceux que
// permettent les chiffres posés), sans rien appliquer : une contradiction, une technique, ou
// l'hypothèse à faire ; rien si la grille est pleine.
std::optional<Etape> EtapeSuivante(const Position& position, const Candidats& candidats);

Bilan DresserBilan(const Explication& explication);
// Le bilan sans garder les étapes.
Bilan Noter(const Position& position);
