// La partie : l'état du jeu (grille, notes, coups, drapeaux), celui de l'interface qu'elle tient
// pour l'écran (etatinterface.h), toutes les commandes du menu « Grille », le générateur, les
// coups de main et les règles des clics et des touches. Son état ne se lit que par des
// accesseurs et ne change que par ses commandes ; elle ne connaît l'écran que par CIhm, si
// bien que tout le jeu tourne sans fenêtre.
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
#include "game/chrono.h"
#include "game/clavier.h"
#include "game/defi.h"
#include "game/etatinterface.h"
#include "game/generateur.h"
#include "game/historique.h"
#include "game/ihm.h"
#include "game/partiegardee.h"
#include "game/statistiques.h"

inline constexpr std::string_view QuestionPerteGrille =
    "Vous allez perdre la grille en cours ! Voulez-vous continuer ?";
inline constexpr std::string_view QuestionPerteCoups =
    "Vous allez perdre vos coups sur la grille en cours ! Voulez-vous continuer ?";
inline constexpr std::string_view MessageGrilleFautive = "La grille en l'état comporte des erreurs !";
// Suivi du nom du fichier : une trace qui n'a pas pu s'écrire en entier (disque plein…).
inline constexpr std::string_view MessageEcritureTrace = "Impossible d'écrire le fichier de trace ";
// Suivi du chemin : la partie n'a pas pu être gardée en fermant, la question de la perte suit.
inline constexpr std::string_view MessageGardeImpossible = "Impossible de garder la partie en cours dans ";
inline constexpr std::string_view MessageRienAImprimer = "Aucune grille en jeu à imprimer.";
inline constexpr std::string_view MessageImpressionEchouee = "L'impression n'a pas pu se faire.";
inline constexpr std::string_view QuestionEffacerStatistiques =
    "Toutes les statistiques vont être effacées. Voulez-vous continuer ?";

class CPartie {
public:
    // La partie commence sans grille, le hasard semé de `graine` (1 comme un srand(1)) ; la
    // trace prend son heure de `horloge` (l'heure du système sans elle), le temps de jeu le sien
    // de `temps` (une horloge monotone du système sans elle).
    using Horloge = std::function<std::time_t()>;
    explicit CPartie(CIhm& ihm, uint32_t graine = 1, Horloge horloge = {}, CChrono::Source temps = {});
    CPartie(const CPartie&) = delete;
    CPartie& operator=(const CPartie&) = delete;

    static constexpr bool CaseValide(int ligne, int colonne)
    {
        return ligne >= 0 && ligne < 9 && colonne >= 0 && colonne < 9;
    }

    // L'état de la partie, en lecture : seules les commandes, les clics et les touches ci-dessous
    // le changent, chacune en gardant ce qui doit aller ensemble (cases et solution gardée,
    // coups et notes, ligne d'état et résultat, aspect des cases et ce que l'écran en montre).
    const CGrille& Grille() const { return grille; }
    bool GrilleEnCours() const { return grilleEnCours; }
    bool ModeCreation() const { return modeCreation; }
    const std::string& NomFichier() const { return nomFichier; }
    // Les notes du joueur : les petits chiffres d'une case, bit d-1 pour le chiffre d. Une case
    // pleine garde les siennes cachées.
    const std::array<uint16_t, 81>& Notes() const { return notes; }
    const CHistorique& Historique() const { return historique; }
    // Ouvert, la trace est active : chaque résolution et chaque génération y écrivent leurs pas.
    const CFichierTrace& Trace() const { return fichierTrace; }
    // L'état de l'interface (etatinterface.h).
    const EtatInterface& Interface() const { return etatInterface; }
    // Le temps passé à jouer la grille en jeu : il ne court que la grille en jeu et pas encore
    // remplie sans faute, la fenêtre active et hors de la pause ; défaire ne le fait pas reculer.
    CChrono::Duree TempsDeJeu() const { return chrono.Ecoule(); }
    bool TempsCourt() const { return chrono.Court(); }

    // Affichage
    void AfficherGrille();
    // Les onze entrées de la palette telles qu'elles sont (après un changement de skin).
    void AfficherPalette();
    void DeselectionnerPalette();

    // Clics déjà rapportés à une case ou à une entrée de palette par la fenêtre.
    void CliquerCase(int ligne, int colonne);
    void CliquerPalette(int entree);  // 0-8 chiffres, 9 gomme, 10 "?"
    // Bouton droit sur une case : le chiffre de la palette y devient une note, ou la quitte ;
    // la gomme efface toutes ses notes (notes.cpp).
    void CliquerCaseDroit(int ligne, int colonne);

    // Poser un chiffre l'ôte des notes de sa ligne, de sa colonne et de sa région. Chaque
    // changement de notes est un coup (notes.cpp).
    void BasculerNote(int ligne, int colonne, int chiffre);
    // « Coup de main › Noter les candidats » : chaque case vide reçoit en notes les chiffres que
    // sa ligne, sa colonne et sa région lui laissent, en un seul coup.
    void OnNoterCandidats();

    // Conflits, surlignage (et avec lui les chiffres finis et les cases où va le chiffre choisi)
    // et message de fin, selon les préférences ; l'aspect des cases suit aussitôt.
    void ChangerOptions(const OptionsPartie& nouvelles);
    // Les notes visibles et les teintes que la partie montre d'une case, d'après son état.
    AspectCase CalculerAspect(int ligne, int colonne) const;

    // Le clavier : une touche est le clic qu'elle remplace (clavier.cpp).
    void Appuyer(Touche touche);
    void MontrerCurseurSur(int ligne, int colonne);

    // Revenir sur les coups joués par clic ou touche depuis que la grille est en jeu (ou
    // depuis le début de la saisie) ; aucune commande du menu qui change les cases ne se
    // défait, et l'historique s'arrête à elle (coups.cpp).
    void Annuler();
    void Refaire();

    // Fermer la fenêtre : une grille en jeu, ou une saisie commencée, ne se perd qu'après
    // « Oui » ; la question propose « Non ». Avec `cheminGarde` (« Reprendre la partie au
    // prochain lancement »), une grille en jeu y est gardée sans question, et sans grille en
    // jeu une ancienne partie gardée s'efface une fois la fermeture décidée. Un fichier que ce
    // lancement n'a pas écrit est d'abord relu : une partie que cette version ne sait pas
    // reprendre n'est jamais ni remplacée ni effacée (sauvegarde.cpp).
    bool PeutFermer(const std::string* cheminGarde = nullptr);

    // La partie gardée (son format : partiegardee.h ; le fichier : sauvegarde.cpp). Garder
    // l'écrit d'un bloc ; Reprendre la relit au lancement, ou dit une fois pourquoi elle ne le
    // peut pas et rend faux, sans rien effacer : un fichier abîmé est mis de côté à côté de lui,
    // sous un nom daté ; une partie d'une version plus récente ou un fichier illisible reste où
    // il est.
    std::string TexteGarde() const;
    Ecriture Garder(const std::string& chemin);
    bool Reprendre(const std::string& chemin);
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
    // « Imprimer… » : la grille en jeu, ses indices et, au choix, les chiffres posés, sous sa
    // légende ; « Imprimer des grilles… » : de nouvelles grilles d'un niveau, chacune avec la
    // graine qui la redonne (impression.cpp).
    void OnImprimer();
    void OnImprimerGrilles();
    // « Pause » : les chiffres cachés et le temps arrêté, jusqu'à la reprise ; une grille en jeu
    // seulement. Plateau, palette et touches du jeu n'agissent pas pendant la pause ; une autre
    // commande la finit d'abord (FinirPause).
    void OnPause();
    void FinirPause();
    // La fenêtre dit si elle est active et montrée (ni réduite ni cachée) : le temps n'y court qu'alors.
    void ChangerActivite(bool active);
    // « Statistiques… » : montrées par CIhm ; remises à zéro seulement si le joueur le demande
    // et le confirme. Le fichier (vide : en mémoire seulement) est relu à chaque changement.
    void OnStatistiques();
    void ChangerFichierStatistiques(const std::string& chemin);

    // Question, curseur d'attente autour du générateur, solution gardée, plateau et statut.
    void GenererGrille(NiveauGrille niveau);
    // « Défi » : de même, une grille à une seule solution dont la technique la plus dure est du
    // genre choisi (game/defi.h), sa note sur la ligne d'état ; tirée d'un hasard à elle, semé
    // comme celui de la partie, pour que les grilles des niveaux restent celles d'avant.
    void OnDefi(GenreDefi genre);
    void DonnerCoupDeMain(int n);

private:
    // La partie : cases, solution gardée et hypothèses ; le hasard (semé à la construction) et
    // le générateur qui s'en servent.
    CGrille grille;
    CHasard hasard;
    CGenerateur generateur{grille, hasard};  // porte nbInitNiveau
    CHasard hasardDefis;                     // semé comme `hasard`, pour les seuls défis
    bool grilleEnCours = false;
    bool modeCreation = false;
    std::string nomFichier;
    // Ce qu'on sait de la grille en jeu, imprimé avec elle : niveau et graine d'une grille
    // générée, « Grille saisie », « Grille importée (nom) » ; d'une partie reprise, le texte de
    // base de sa ligne d'état (la graine n'est pas gardée).
    std::string legendeGrille;
    // Les notes (cachées sous un chiffre posé) et les coups qui les ont changées avec les cases.
    std::array<uint16_t, 81> notes{};
    CHistorique historique;

    EtatInterface etatInterface;

    // Le temps de jeu, et ce que les statistiques retiendront de la grille en jeu : sa catégorie,
    // si une aide a servi, si sa fin a déjà été comptée et dite.
    CChrono chrono;
    std::string categorie;
    bool aidee = false;
    bool finie = false;
    CFichierStatistiques statistiques;

    // Ni la partie ni l'interface : la trace, son heure, et ce que ce lancement a fait du
    // fichier de la partie gardée.
    CFichierTrace fichierTrace;
    Horloge horloge;
    // Un fichier que Reprendre a laissé en place, déjà dit pendant ce lancement.
    std::string partieLaissee;
    // Le fichier que Garder a écrit pendant ce lancement : le seul qu'on remplace sans le relire.
    std::string partieEcrite;

    void AfficherCase(int ligne, int colonne);
    // La ligne d'état : un texte de base (" Grille importée (…)"…), auquel un résultat
    // " >>> …" s'ajoute ; une remarque en remplace une autre, la remise à zéro l'ôte.
    void ChangerStatut(const std::string& base);
    void AjouterResultat(std::string_view resultat);
    bool LireGrille();
    // Montre MessageSansSolution en cas d'échec, après être revenu aux indices sur une impasse.
    FinResolution ResoudreEtMemoriser();
    // Oublie les coups et les notes : ce que font les commandes qui repartent de zéro.
    void OublierCoups();
    // Ôte `chiffre` des notes des voisines d'une case (sa ligne, sa colonne, sa région) ; rend
    // ce qui a changé, pour le coup qui le pose.
    std::vector<NotesChangees> OterDesVoisines(int ligne, int colonne, int32_t chiffre);
    // Change les notes de cases en un coup, s'il change quelque chose.
    void NoterNotes(std::vector<NotesChangees> changees);
    // Défait (enArriere) ou refait un coup.
    void Rejouer(const Coup& coup, bool enArriere);
    // Après chaque changement : envoie l'aspect des cases et les chiffres finis qui ont changé
    // depuis le dernier envoi, et laisse courir ou arrête le temps.
    void MontrerAspects();
    // Le temps court ou s'arrête selon la grille, la fenêtre et la pause.
    void SuivreTemps();
    // Une grille commence (`cat` : sa catégorie, vide hors des statistiques) : le temps repart
    // de zéro, la pause finit, la grille est comptée commencée.
    void CommencerGrille(std::string_view cat);
    // Le coup qui remplit la grille sans faute : compté une fois, et dit si le joueur le veut.
    void VerifierFin();
    // Un message des statistiques (fichier abîmé…), s'il y en a un.
    void DireStatistiques(const std::optional<std::string>& message);
    // La case choisie pour le surlignage : celle du curseur, sinon la dernière cliquée.
    std::optional<Coordonnee> CaseChoisie() const;
    // Le suivi des pas du solveur : le fichier de trace quand la trace est active.
    CSuiviSolveur* Suivi() { return fichierTrace.EstOuvert() ? &fichierTrace : nullptr; }
    // Après une résolution : une trace qui n'a pas pu s'écrire en entier est fermée et dite.
    void VerifierTrace();
    void DeplacerCurseur(int dLigne, int dColonne);
    void NoterCaseCliquee(int ligne, int colonne);
    // Ce que la partie et l'écran gardent (TexteGarde, Garder) ; et l'inverse, une partie lue et
    // vérifiée qui devient celle-ci.
    PartieGardee AGarder() const;
    void Prendre(PartieGardee lue);
    // Vide quand `chemin` peut être remplacé ou effacé ; sinon la raison de le laisser.
    std::optional<std::string> RaisonDeLaisser(const std::string& chemin);

    CIhm& ihm;
};
