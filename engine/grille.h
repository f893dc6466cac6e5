// Modèle de la grille et moteur de résolution « à la main » :
// deux déductions (élimination, unicité) et des hypothèses en profondeur.
// Aucune dépendance à Qt ni à une fenêtre. Le moteur ne garde aucun lien vers le haut : qui
// veut suivre ses pas (la trace) lui passe un suivi le temps de l'appel, et la résolution rend
// comment elle a fini, l'appelant faisant ce qui s'ensuit. Ce qu'on explique au joueur ne
// vient pas d'ici mais du raisonnement par techniques (engine/raisonnement.h).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Origine du chiffre d'une case ; les valeurs indexent la table des couleurs.
enum OrigineCase : int32_t {
    Vide = 0,
    Init = 1,
    DeduitOrdi = 2,
    DeduitOrdiUnicite = 3,
    HypoOrdi = 4,
    CoupDeMain = 5,
    CoupJoueur = 6,
    HypoJoueur = 7,
};

// Une case. `possibles` n'a de sens que pour une case vide.
struct Case {
    int32_t chiffre = 0;                  // 1 à 9 ; 0 = vide
    uint16_t possibles = 0;               // bit d-1 à 1 tant que le chiffre d est possible
    int32_t niveau = 0;                   // niveau d'hypothèse auquel le solveur a posé le chiffre
    OrigineCase origine = Vide;
};

// Une case de la solution gardée pour les coups de main.
struct CaseSolution {
    int32_t chiffre = 0;
    int32_t marque = 0;  // Init pour un indice, CoupDeMain une fois révélée, 0 sinon
};

// Un niveau d'hypothèse : la case, ses candidats à l'ouverture (fin = -1) et le rang essayé.
struct Hypothese {
    int32_t ligne = 0;
    int32_t colonne = 0;
    std::array<int32_t, 10> chiffres{};
    int32_t indice = 0;
};

// Un pas du solveur, tel que la trace le dit : une pose de l'une des deux déductions ou une
// hypothèse (ouverte, ou reprise avec le chiffre suivant après une contradiction).
struct Pas {
    enum Genre : int32_t { Aucun, Elimination, UniciteLigne, UniciteColonne, UniciteRegion, Hypothese };
    Genre genre = Aucun;
    int32_t ligne = -1;
    int32_t colonne = -1;
    int32_t chiffre = 0;  // posé, ou essayé par l'hypothèse
    int32_t niveau = 0;   // niveau d'hypothèse au moment du pas
};

// Reçoit chaque pas du solveur, dans l'ordre où il les fait (la trace).
class CSuiviSolveur {
public:
    virtual ~CSuiviSolveur() = default;
    virtual void Noter(const Pas& pas) = 0;
};

// Limites d'itérations du pilote : les essais du générateur gardent 100 (leur classement
// lit le niveau où la résolution bornée s'arrête) ; tout ce qui répond au joueur prend 100 000.
constexpr int32_t LimiteGeneration = 100;
constexpr int32_t LimiteJoueur = 100000;

// Comment finit une résolution.
enum class FinResolution : int32_t {
    Resolue,  // la grille est pleine et sans chiffre répété
    Fautive,  // pleine, mais un chiffre s'y répète
    Impasse,  // plus aucun niveau à défaire : l'appelant revient aux indices si une grille est en jeu
    Limite,   // arrêtée par la limite d'itérations, ses niveaux encore ouverts
};

// La grille en jeu (cases, solution gardée, hypothèses ouvertes) et son solveur. Les cases et
// la solution ne s'écrivent que par les opérations ci-dessous, qui tiennent à jour l'état
// dérivé dont se servent les déductions.
class CGrille {
public:
    CGrille();

    // Lecture d'une case (ligne, colonne de 0 à 8) et de la solution gardée.
    const Case& LireCase(int32_t ligne, int32_t colonne) const { return cases[ligne][colonne]; }
    const CaseSolution& LireSolution(int32_t ligne, int32_t colonne) const { return solution[ligne * 9 + colonne]; }
    // La solution gardée est-elle celle des indices en place ? Vrai après un
    // ResoudreEtMemoriser réussi, faux dès qu'un indice change ou que la grille est vidée.
    bool SolutionGardee() const { return solutionGardee; }
    // Le niveau d'hypothèse où la dernière résolution s'est arrêtée (0 hors du solveur), et
    // l'enregistrement d'un niveau de 1 à niveauCourant.
    int32_t NiveauCourant() const { return niveauCourant; }
    const Hypothese& LireHypothese(int32_t niveau) const { return hypotheses[niveau]; }

    // Écritures venues des autres couches (fichier, clics, coups de main, générateur) : le
    // chiffre (0 pour vider) et l'origine, ou l'origine seule ; le niveau ne change pas.
    // Une case ou un chiffre hors de la grille ne change rien.
    void ChangerCase(int32_t ligne, int32_t colonne, int32_t chiffre, OrigineCase origine);
    void PoserIndice(int32_t ligne, int32_t colonne, int32_t chiffre) { ChangerCase(ligne, colonne, chiffre, Init); }
    void ChangerOrigine(int32_t ligne, int32_t colonne, OrigineCase origine);
    void MarquerSolution(int32_t ligne, int32_t colonne, int32_t marque);
    // Remet la solution gardée d'une partie reprise : pleine, sans chiffre répété, égale aux
    // indices et aux chiffres des coups de main en place, et marquée Init sur les indices seuls
    // (CoupDeMain ou 0 ailleurs). Faux, sans rien changer, si elle n'est pas celle de ces cases.
    bool ReprendreSolution(const std::array<CaseSolution, 81>& gardee);

    void ViderGrille();
    void RemettreGrille();
    bool GrillePleine() const { return nbVides == 0; }
    bool GrilleValide() const;
    int32_t CompterOrigine(OrigineCase origine) const;

    void CalculerPossibles(int32_t ligne, int32_t colonne);
    // Les deux déductions ; chaque pose est annoncée à `suivi`, s'il y en a un.
    int32_t DeduireElimination(CSuiviSolveur* suivi = nullptr);  // 0 rien posé, 1 posé, 2 contradiction
    int32_t DeduireUnicite(CSuiviSolveur* suivi = nullptr);      // 0 rien posé, 1 posé

    // Le pilote (limite LimiteJoueur) trouve-t-il une solution depuis la grille telle qu'elle
    // est ? Sans la changer, sans trace ni remise à zéro.
    bool MeneAUneSolution() const;

    // Le pilote ; chacun de ses pas est annoncé à `suivi`, s'il y en a un.
    FinResolution Resoudre(int32_t limiteIterations, CSuiviSolveur* suivi = nullptr);
    // Résout (limite LimiteJoueur) ; une fois résolue, garde la solution et revient aux
    // indices. Sinon la grille reste comme le pilote l'a laissée : l'appelant affiche
    // MessageSansSolution (et revient aux indices après une impasse, si une grille est en jeu).
    FinResolution ResoudreEtMemoriser(CSuiviSolveur* suivi = nullptr);

private:
    // Les tests du pilote y accèdent (niveaux posés à la main, hypothèses pas à pas).
    friend class CEssaiPilote;

    std::array<std::array<Case, 9>, 9> cases{};  // [ligne][colonne]
    std::array<CaseSolution, 81> solution{};     // ligne * 9 + colonne
    bool solutionGardee = false;
    std::array<Hypothese, 81> hypotheses{};  // indexé par niveau ; l'entrée 0 ne sert pas
    int32_t niveauCourant = 0;

    // Les opérations du pilote.
    int32_t ChoisirCaseHypothese() const;  // ligne * 10 + colonne, ou -1
    // Code de case, ou -1 pour le chiffre suivant du niveau courant.
    void PoserHypothese(int32_t code, CSuiviSolveur* suivi);
    // Vide les cases du niveau courant ; sans effet au niveau 0, qui tient les indices.
    void AnnulerNiveau();

    // Un ensemble de cases : bit i pour la case i = ligne * 9 + colonne (81 bits, deux mots).
    struct EnsembleCases {
        std::array<uint64_t, 2> mots{};
        void Ajouter(int32_t i) { mots[i >> 6] |= uint64_t{1} << (i & 63); }
        void Retirer(int32_t i) { mots[i >> 6] &= ~(uint64_t{1} << (i & 63)); }
        bool Contient(int32_t i) const { return (mots[i >> 6] >> (i & 63)) & 1u; }
        // Ajoute les cases qui sont à la fois dans `a` et dans `b`.
        void AjouterCommunes(const std::array<uint64_t, 2>& a, const EnsembleCases& b)
        {
            mots[0] |= a[0] & b.mots[0];
            mots[1] |= a[1] & b.mots[1];
        }
        int32_t Suivante(int32_t depuis) const;  // première case >= depuis, 81 sinon
    };

    // État dérivé des cases, tenu à jour par chaque écriture, pour que les passages ne
    // refassent pas un travail connu :
    //  - chiffres présents par ligne, colonne et région (bit d-1 = chiffre d) : les possibles
    //    d'une case vide sont le complément de l'union de ses trois masques ; un chiffre ôté
    //    ne peut se retirer d'un masque (il figure peut-être ailleurs dans l'unité), les
    //    masques sont alors refaits au prochain usage (`presentsAJour`) ;
    //  - `candidats` : les drapeaux de chaque case vide, 0 pour une case pleine ;
    //  - `vides` et `nbVides` : les cases sans chiffre ;
    //  - `aRevoir` : hors de cet ensemble, une case vide a des drapeaux exacts et au moins deux
    //    candidats, l'élimination n'y ferait rien ;
    //  - `unitesARevoir` (bit type * 9 + unité) : hors de ce masque, une unité n'a pas changé
    //    depuis un compte de l'unicité qui n'a rien posé, la recompter ne poserait rien.
    std::array<uint16_t, 9> presentsLigne{};
    std::array<uint16_t, 9> presentsColonne{};
    std::array<uint16_t, 9> presentsRegion{};
    bool presentsAJour = false;
    std::array<uint16_t, 81> candidats{};
    EnsembleCases vides;
    int32_t nbVides = 0;
    EnsembleCases aRevoir;
    uint32_t unitesARevoir = 0;

    Case& CaseNo(int32_t i);
    void ToutRevoir();
    void ReconstruirePresents();
    uint16_t PossiblesDepuisPresents(int32_t i) const;
    void RecalculerTout();
    void Remplir(int32_t i, int32_t chiffre);  // chiffre de 1 à 9
    void Vider(int32_t i);
    void Placer(int32_t i, int32_t chiffre, OrigineCase origine);
    void ChangerPossibles(int32_t i, uint16_t possibles);
    int32_t Eliminer(CSuiviSolveur* suivi);  // DeduireElimination sur l'état dérivé tel qu'il est
    int32_t ChercherUniques(CSuiviSolveur* suivi);  // DeduireUnicite sur l'état dérivé tel qu'il est
    bool PlacerUniques(int32_t unite, CSuiviSolveur* suivi);
    // Un pas fait, annoncé au suivi s'il y en a un.
    void Annoncer(CSuiviSolveur* suivi, Pas::Genre genre, int32_t i, int32_t chiffre) const
    {
        if (suivi != nullptr) suivi->Noter({genre, i / 9, i % 9, chiffre, niveauCourant});
    }
};

inline constexpr std::string_view MessageSansSolution = "Cette grille n'a pas de solution !";
