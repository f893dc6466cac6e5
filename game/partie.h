// La partie : l'état du jeu (grille, drapeaux, palette) et toutes les commandes du menu
// « Grille », le générateur, les coups de main et les règles des clics. Ne connaît l'écran
// que par CIhm, si bien que tout le jeu tourne sans fenêtre.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/grille.h"
#include "engine/hasard.h"
#include "files/ecriture.h"
#include "files/fichiertrace.h"
#include "game/clavier.h"
#include "game/defi.h"
#include "game/generateur.h"
#include "game/historique.h"
#include "game/ihm.h"

inline constexpr std::string_view QuestionPerteGrille =
    "Vous allez perdre la grille en cours ! Voulez-vous continuer ?";
inline constexpr std::string_view QuestionPerteCoups =
    "Vous allez perdre vos coups sur la grille en cours ! Voulez-vous continuer ?";
inline constexpr std::string_view MessageGrilleFautive = "La grille en l'état comporte des erreurs !";
// Suivi du nom du fichier : une trace qui n'a pas pu s'écrire en entier (disque plein…).
inline constexpr std::string_view MessageEcritureTrace = "Impossible d'écrire le fichier de trace ";
// Suivi du chemin : la partie n'a pas pu être gardée en fermant, la question de la perte suit.
inline constexpr std::string_view MessageGardeImpossible = "Impossible de garder la partie en cours dans ";

// Ce que le joueur choisit de voir dans « Préférences » ; tout est éteint au départ.
struct OptionsPartie {
    bool montrerConflits = false;  // les chiffres répétés dans leur ligne, colonne ou région
    bool surligner = false;        // la ligne, la colonne et la région de la case choisie
    bool operator==(const OptionsPartie&) const = default;
};

class CPartie {
public:
    // La partie commence sans grille, le hasard semé de `graine` (1 comme un srand(1)).
    explicit CPartie(CIhm& ihm, uint32_t graine = 1);
    CPartie(const CPartie&) = delete;
    CPartie& operator=(const CPartie&) = delete;

    CGrille grille;  // cases, solution gardée, hypothèses
    CHasard hasard;
    CGenerateur generateur{grille, hasard};  // porte nbInitNiveau

    bool grilleEnCours = false;
    bool modeCreation = false;
    int32_t chiffreSelectionne = -1;  // -1 rien, 0 la gomme, 1 à 9 un chiffre
    int32_t modeHypothese = 0;        // 1 : les chiffres du joueur sont des hypothèses
    std::string nomFichier;
    // Ouvert, la trace est active : chaque résolution et chaque génération y écrivent leurs pas.
    CFichierTrace fichierTrace;
    std::string statutBase = " Pas de grille";
    // Heure utilisée par la trace (remplaçable dans les tests).
    std::function<std::time_t()> horloge = [] { return std::time(nullptr); };

    static constexpr bool CaseValide(int ligne, int colonne)
    {
        return ligne >= 0 && ligne < 9 && colonne >= 0 && colonne < 9;
    }

    // Affichage
    void AfficherCase(int ligne, int colonne);
    void AfficherGrille();
    // Les onze entrées de la palette telles qu'elles sont (après un changement de skin).
    void AfficherPalette();
    void DeselectionnerPalette();
    // La ligne d'état : un texte de base (" Grille importée (…)"…), auquel un résultat
    // " >>> …" s'ajoute ; une remarque en remplace une autre, la remise à zéro l'ôte.
    void ChangerStatut(const std::string& base);
    void AjouterResultat(std::string_view resultat);

    // Clics déjà rapportés à une case ou à une entrée de palette par la fenêtre.
    void CliquerCase(int ligne, int colonne);
    void CliquerPalette(int entree);  // 0-8 chiffres, 9 gomme, 10 "?"
    // Bouton droit sur une case : le chiffre de la palette y devient une note, ou la quitte ;
    // la gomme efface toutes ses notes (notes.cpp).
    void CliquerCaseDroit(int ligne, int colonne);

    // Les notes du joueur : les petits chiffres d'une case, bit d-1 pour le chiffre d. Une case
    // pleine garde les siennes cachées ; poser un chiffre l'ôte des notes de sa ligne, de sa
    // colonne et de sa région. Chaque changement est un coup (notes.cpp).
    std::array<uint16_t, 81> notes{};
    void BasculerNote(int ligne, int colonne, int chiffre);
    // « Coup de main › Noter les candidats » : chaque case vide reçoit en notes les chiffres que
    // sa ligne, sa colonne et sa région lui laissent, en un seul coup.
    void OnNoterCandidats();

    // Conflits et surlignage, selon les préférences ; l'aspect des cases suit aussitôt.
    OptionsPartie options;
    void ChangerOptions(const OptionsPartie& nouvelles);
    // Les notes visibles et les teintes que la partie montre d'une case, d'après son état.
    AspectCase CalculerAspect(int ligne, int colonne) const;

    // Le clavier : une touche est le clic qu'elle remplace (clavier.cpp).
    void Appuyer(Touche touche);
    void MontrerCurseurSur(int ligne, int colonne);
    bool curseurVisible = false;  // jamais avant le premier appui d'une flèche
    int curseurLigne = 0;
    int curseurColonne = 0;

    // Revenir sur les coups joués par clic ou touche depuis que la grille est en jeu (ou
    // depuis le début de la saisie) ; aucune commande du menu qui change les cases ne se
    // défait, et l'historique s'arrête à elle.
    void Annuler();
    void Refaire();
    CHistorique historique;

    // Fermer la fenêtre : une grille en jeu, ou une saisie commencée, ne se perd qu'après
    // « Oui » ; la question propose « Non ». Avec `cheminGarde` (« Reprendre la partie au
    // prochain lancement »), une grille en jeu y est gardée sans question, et sans grille en
    // jeu une ancienne partie gardée s'efface une fois la fermeture décidée. Le fichier que ce
    // lancement n'a pas pu reprendre (partieLaissee) n'est jamais ni remplacé ni effacé.
    bool PeutFermer(const std::string* cheminGarde = nullptr);

    // La partie gardée (sauvegarde.cpp) : tout ce qu'il faut pour la reprendre telle quelle,
    // en texte versionné. Garder l'écrit d'un bloc ; Reprendre la relit au lancement, ou dit
    // une fois pourquoi elle ne le peut pas et rend faux, sans rien effacer : un fichier abîmé
    // est mis de côté à côté de lui, sous un nom daté ; une partie d'une version plus récente ou
    // un fichier illisible reste où il est (partieLaissee).
    std::string TexteGarde() const;
    Ecriture Garder(const std::string& chemin) const;
    bool Reprendre(const std::string& chemin);
    std::string partieLaissee;
    // Au-delà, le fichier n'est pas lu (sauvegarde.cpp dit d'où vient cette taille).
    static const std::uintmax_t TailleGardeeMax;
    // La lecture seule, depuis un flux : rien quand la partie est reprise, sinon la raison
    // (et la partie reste telle qu'elle était).
    std::optional<std::string> ReprendreDepuis(std::istream& entree);

    // Commandes du menu « Grille »
    void OnCreer();
    void OnFacile() { GenererGrille(Facile); }
    void OnMoyen() { GenererGrille(Moyen); }
    void OnDifficile() { GenererGrille(Difficile); }
    void OnDiabolique() { GenererGrille(Diabolique); }
    void OnImporter();
    void OnExporter();
    void RemettreAZero();
    void OnCoupDeMain1() { DonnerCoupDeMain(1); }
    void OnCoupDeMain2() { DonnerCoupDeMain(2); }
    void OnCoupDeMain3() { DonnerCoupDeMain(3); }
    // « Pourquoi ? » : la prochaine pose et la plus courte chaîne de techniques qui y mène, en
    // trois temps sur une même position (cases et notes) : la technique de la première étape et
    // où regarder, puis ses cases et ses candidats, puis la réponse entière, résumée sur la ligne
    // d'état et dite par MontrerRaisonnement, le curseur sur sa case ; rien n'est posé
    // (coupdemain.cpp).
    void OnPourquoi();
    void OnResoudre();
    void OnVerifier();
    void OnTrace();

    // Question, curseur d'attente autour du générateur, solution gardée, plateau et statut.
    void GenererGrille(NiveauGrille niveau);
    // « Défi » : de même, une grille à une seule solution dont la technique la plus dure est du
    // genre choisi (game/defi.h), sa note sur la ligne d'état ; tirée d'un hasard à elle, semé
    // comme celui de la partie, pour que les grilles des niveaux restent celles d'avant.
    void OnDefi(GenreDefi genre);
    void DonnerCoupDeMain(int n);
    bool LireGrille();
    // Montre MessageSansSolution en cas d'échec, après être revenu aux indices sur une impasse.
    FinResolution ResoudreEtMemoriser();

private:
    // Le texte de la ligne d'état après le texte de base : le résultat montré (" >>> …").
    std::string statutResultat;
    // Oublie les coups et les notes : ce que font les commandes qui repartent de zéro.
    void OublierCoups();
    // Ôte `chiffre` des notes des voisines d'une case (sa ligne, sa colonne, sa région) ; rend
    // ce qui a changé, pour le coup qui le pose.
    std::vector<NotesChangees> OterDesVoisines(int ligne, int colonne, int32_t chiffre);
    // Change les notes de cases en un coup, s'il change quelque chose.
    void NoterNotes(std::vector<NotesChangees> changees);
    // Défait (enArriere) ou refait un coup.
    void Rejouer(const Coup& coup, bool enArriere);
    // Envoie l'aspect des cases qui a changé depuis le dernier envoi.
    void MontrerAspects();
    std::array<AspectCase, 81> aspectsMontres{};
    // La case choisie pour le surlignage : celle du curseur, sinon la dernière cliquée.
    std::optional<std::pair<int, int>> CaseChoisie() const;
    bool caseCliquee = false;
    // Le suivi des pas du solveur : le fichier de trace quand la trace est active.
    CSuiviSolveur* Suivi() { return fichierTrace.EstOuvert() ? &fichierTrace : nullptr; }
    // Après une résolution : une trace qui n'a pas pu s'écrire en entier est fermée et dite.
    void VerifierTrace();
    void DeplacerCurseur(int dLigne, int dColonne);
    void NoterCaseCliquee(int ligne, int colonne);
    int derniereLigne = 0;  // la dernière case cliquée, où le curseur paraît d'abord
    int derniereColonne = 0;
    CHasard hasardDefis;
    // Où en est l'indice de « Pourquoi ? » (0 : aucun), et sur quelle position : un coup qui
    // change une case ou une note le fait repartir du début.
    int32_t tempsIndice = 0;
    Position positionIndice{};
    std::array<uint16_t, 81> notesIndice{};

    CIhm& ihm;
};
