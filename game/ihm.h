// Tout ce que la partie montre ou demande passe par cette interface : la fenêtre
// (CDlgGrille) l'implémente avec de vrais widgets, les tests avec un faux scripté.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "engine/grille.h"
#include "game/generateur.h"
#include "game/impression.h"
#include "game/statistiques.h"

enum class BoutonParDefaut { Oui, Non };

// « Imprimer des grilles… » : le niveau, le nombre de grilles et combien par page (1, 2, 4, 6).
struct DemandeGrilles {
    NiveauGrille niveau = Moyen;
    int nombre = 4;
    int parPage = 4;
};

enum class Impression { Faite, Annulee, Echouee };

// Les teintes posées sous une case ; plusieurs peuvent s'y ajouter.
enum TeinteCase : uint8_t {
    TeinteUnite = 1,        // la ligne, la colonne ou la région de la case choisie
    TeinteMemeChiffre = 2,  // le chiffre de la case choisie, ailleurs
    TeinteConflit = 4,      // un chiffre répété dans sa ligne, sa colonne ou sa région
    TeintePossible = 8,     // une case vide où le chiffre choisi dans la palette peut encore aller
};

// Ce qui s'ajoute au chiffre d'une case : ses notes visibles (bit d-1 pour d, seulement dans
// une case vide) et ses teintes.
struct AspectCase {
    uint16_t notes = 0;
    uint8_t teintes = 0;
    bool operator==(const AspectCase&) const = default;
};

// Un candidat que « Pourquoi ? » marque dans les notes du joueur, là où elles le montrent : en
// jeu dans l'étape dite, ou ôté par elle.
struct CandidatMontre {
    int ligne = 0;
    int colonne = 0;
    int chiffre = 0;
    bool ote = false;
    bool operator==(const CandidatMontre&) const = default;
};

class CIhm {
public:
    virtual ~CIhm() = default;

    // Montre une case : son chiffre (0 pour une case vide), dans la couleur de son origine.
    virtual void MontrerCase(int ligne, int colonne, int32_t chiffre, OrigineCase origine) = 0;
    // Les notes et les teintes d'une case, envoyées quand elles changent ; toutes à zéro au départ.
    virtual void MontrerAspect(int ligne, int colonne, const AspectCase& aspect) = 0;
    // Le curseur du clavier, un cadre dans la case ; montré une fois, il le reste.
    virtual void MontrerCurseur(int ligne, int colonne) = 0;
    // Aspect d'une entrée de la palette (0-8 chiffres, 9 "Eff", 10 "?") : normal ou en évidence
    // (couleur 9 et gras).
    virtual void MontrerPalette(int entree, bool enEvidence) = 0;
    // Les chiffres posés neuf fois (bit d-1 pour d), montrés finis dans la palette ; 0 au départ.
    virtual void MontrerChiffresFinis(uint16_t finis) = 0;
    // « Pause » : les chiffres du plateau cachés, ou de nouveau montrés.
    virtual void MontrerPause(bool enPause) = 0;

    virtual void ChangerStatut(const std::string& texte) = 0;
    // « Pourquoi ? » : le raisonnement, une phrase par étape (la ligne d'état n'en tient qu'un
    // résumé), les cases (ligne, colonne) dont il se sert et les candidats à marquer dans les
    // notes ; montrés jusqu'à la prochaine action du joueur.
    virtual void MontrerRaisonnement(const std::vector<std::string>& phrases,
                                     const std::vector<std::pair<int, int>>& cases,
                                     const std::vector<CandidatMontre>& candidats) = 0;

    // Boîte OK, titre "Novemia".
    virtual void Message(const std::string& texte) = 0;
    // Question "Alerte" (Oui/Non, icône d'avertissement) : vrai seulement pour « Oui ».
    // Entrée répond par le bouton par défaut, « Oui » sauf demande contraire.
    virtual bool Question(const std::string& texte, BoutonParDefaut parDefaut = BoutonParDefaut::Oui) = 0;
    // Boîte « Statistiques » : une ligne par catégorie (son nom, ses nombres). Vrai seulement
    // quand le joueur demande de les remettre à zéro (la partie le fait confirmer ensuite).
    virtual bool MontrerStatistiques(const std::vector<std::pair<std::string, StatsCategorie>>& lignes) = 0;

    // Dialogues de fichiers (filtre "Grille Sudoku (*.sdu)") ; rien si l'utilisateur annule.
    virtual std::optional<std::string> ChoisirFichierAOuvrir() = 0;
    virtual std::optional<std::string> ChoisirFichierAEnregistrer() = 0;  // remplacement déjà confirmé

    virtual void CurseurAttente(bool actif) = 0;

    // « Imprimer… » : avec les chiffres posés (vrai) ou les indices seuls (faux) ; rien si le
    // joueur renonce.
    virtual std::optional<bool> ChoisirChiffresImprimes() = 0;
    // « Imprimer des grilles… » : ce qu'il faut imprimer ; rien si le joueur renonce.
    virtual std::optional<DemandeGrilles> ChoisirGrillesAImprimer() = 0;
    // Le dialogue d'impression (imprimante ou fichier PDF), puis les grilles mises en pages
    // (MettreEnPages) au format qu'il a choisi.
    virtual Impression Imprimer(std::span<const GrilleImprimee> grilles, int parPage) = 0;

    // Menu en mode création : coche sur « Créer », sept entrées grisées (et « Imprimer… ») ;
    // l'inverse sinon.
    virtual void EtatMenuCreation(bool modeCreation) = 0;
};

// Curseur d'attente le temps d'une portée.
class CAttente {
public:
    explicit CAttente(CIhm& ihm) : ihm(ihm) { ihm.CurseurAttente(true); }
    ~CAttente() { ihm.CurseurAttente(false); }
    CAttente(const CAttente&) = delete;
    CAttente& operator=(const CAttente&) = delete;

private:
    CIhm& ihm;
};
