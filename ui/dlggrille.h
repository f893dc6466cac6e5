// La fenêtre principale : le plateau (81 cases), la palette, la ligne d'état et le menu.
// Elle ne contient aucune règle du jeu : elle rapporte les clics à une case ou à la palette,
// transmet les commandes à la partie et lui prête ses widgets par l'interface CIhm.
#pragma once

#include <QIcon>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "disposition/disposition.h"
#include "game/ihm.h"
#include "game/partie.h"
#include "skin/configuration.h"
#include "ui/dlgskin.h"
#include "ui/options.h"

class CColorLabel;
class CGrilleApp;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QTextBrowser;
class QTimer;

class CDlgGrille : public CDlgSkin, public CIhm {
    Q_OBJECT
public:
    // Le hasard de la partie est semé de `graine` : les 32 bits bas de l'heure, sauf choix contraire.
    explicit CDlgGrille(CGrilleApp& application, QWidget* parent = nullptr, std::optional<uint32_t> graine = {});
    ~CDlgGrille() override;

    // Initialisation de la boîte, faite une fois, juste avant qu'elle ne s'affiche.
    void OnInitDialog();
    void setVisible(bool visible) override;

    void ChargerSkin();
    void ChargerConfiguration(const std::string& chemin);
    void OnChangerSkin();

    // Les commandes qui touchent à la fenêtre elle-même ; les autres lignes de la table du
    // menu (ui/menu.h) vont droit à la partie.
    void OnAPropos();
    void OnCreer();
    void OnPreferences();
    void OnAide();
    // Entrée, Échap, « Quitter » : une grille en jeu ne se perd qu'après « Oui », à moins
    // d'être gardée pour le prochain lancement.
    void OnOK() { Fermer(IdResultatOK); }
    void OnCancel() { Fermer(IdResultatAnnuler); }
    // Les choix de « Préférences » : la partie les applique aussitôt.
    void AppliquerOptions(const OptionsJeu& choix);
    // La case de fermeture et le menu système finissent comme « Quitter ».
    void reject() override { OnCancel(); }

    // CIhm
    void MontrerCase(int ligne, int colonne, int32_t chiffre, OrigineCase origine) override;
    void MontrerAspect(int ligne, int colonne, const AspectCase& aspect) override;
    void MontrerCurseur(int ligne, int colonne) override;
    void MontrerPalette(int entree, bool enEvidence) override;
    void MontrerChiffresFinis(uint16_t finis) override;
    void MontrerPause(bool enPause) override;
    void ChangerStatut(const std::string& texte) override;
    void MontrerRaisonnement(const std::vector<std::string>& phrases,
                             const std::vector<std::pair<int, int>>& cases,
                             const std::vector<CandidatMontre>& candidats) override;
    void Message(const std::string& texte) override;
    bool Question(const std::string& texte, BoutonParDefaut parDefaut) override;
    bool MontrerStatistiques(const std::vector<std::pair<std::string, StatsCategorie>>& lignes) override;
    std::optional<std::string> ChoisirFichierAOuvrir() override;
    std::optional<std::string> ChoisirFichierAEnregistrer() override;
    void CurseurAttente(bool actif) override;
    std::optional<bool> ChoisirChiffresImprimes() override;
    std::optional<DemandeGrilles> ChoisirGrillesAImprimer() override;
    Impression Imprimer(std::span<const GrilleImprimee> grilles, int parPage) override;
    void EtatMenuCreation(bool modeCreation) override;

    // Ce que la fenêtre possède, à lire par les tests et les captures.
    CGrilleApp& app;
    CPartie partie;
    TableCouleurs couleurs{};
    CouleursAjoutees couleursAjoutees{};
    OptionsJeu options;
    // La partie gardée : <dossier de données de l'utilisateur>/partie.novemia.
    std::string cheminPartie;
    // Ce que montre chaque case : son chiffre, son origine, ses notes et ses teintes.
    struct CaseMontree {
        int32_t chiffre = 0;
        OrigineCase origine = Vide;
        AspectCase aspect;
    };
    std::array<CaseMontree, 81> casesMontrees{};
    std::array<CColorLabel*, 81> etiquettesCases{};
    std::array<CColorLabel*, 11> etiquettesPalette{};
    CColorLabel* etiquetteStatut = nullptr;
    QMenuBar* menuPrincipal = nullptr;
    QMenu* menuGrille = nullptr;
    QIcon icone;  // lue au premier besoin (Icone)
    // Page d'aide : <dossier du programme>/../share/novemia/aide/index.html.
    std::string cheminAide;
    QTextBrowser* visionneuseAide = nullptr;
    // « Pourquoi ? » : le raisonnement en entier, dans un petit panneau sous la fenêtre, les
    // cases dont il se sert, teintées, et ses candidats marqués dans les notes ; jusqu'à la
    // prochaine action du joueur.
    QLabel* panneauRaisonnement = nullptr;
    std::vector<std::pair<int, int>> casesRaisonnement;
    std::vector<CandidatMontre> candidatsRaisonnement;
    // Le dernier choix de « Imprimer des grilles… », proposé la fois suivante.
    DemandeGrilles demandeGrilles;
    // Le temps de jeu (choix « Montrer le temps de jeu ») : dans le coin droit de la barre de
    // menus, hors du plateau et du skin ; relu plusieurs fois par seconde tant qu'il court.
    QLabel* etiquetteTemps = nullptr;
    QTimer* minuterieTemps = nullptr;
    void MontrerTemps();
    // « Pause » : les chiffres, notes et teintes cachés, « Pause » sur le plateau.
    bool enPause = false;
    uint16_t chiffresFinis = 0;

    // Étiquette d'un identifiant de contrôle, nulle s'il n'existe pas.
    CColorLabel* Etiquette(int id) const;
    // L'action d'une commande (entrée de menu ou raccourci), nulle si aucune.
    QAction* Action(int id) const;

    static constexpr int IdResultatOK = 1;
    static constexpr int IdResultatAnnuler = 2;

protected:
    // Les boîtes modales passent par ici : un test les remplace sans bloquer.
    virtual int ExecuterBoite(QDialog& boite);

    void OnLButtonDown(const QPoint& point) override;
    void OnRButtonDown(const QPoint& point) override;
    bool event(QEvent* evenement) override;
    void changeEvent(QEvent* evenement) override;
    void showEvent(QShowEvent* evenement) override;
    void hideEvent(QHideEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;
    void moveEvent(QMoveEvent* evenement) override;

    void PeindreSurLeFond(QPainter& peintre) override;
    void PlateauRedimensionne() override;
    void ApresPremiereImage() override;

private:
    // La case du curseur du clavier, une fois montré, et le cadre qui l'entoure.
    std::optional<std::pair<int, int>> curseur;
    QRect CadreCurseur(std::pair<int, int> position) const;
    // La case entre les traits de la grille, en pixels du plateau : teintes et notes.
    static QRect InterieurCase(int ligne, int colonne);
    // Couleur, texte et nom pour les lecteurs d'écran d'une case, d'après ce qu'elle montre.
    void AppliquerCase(int i);
    void Fermer(int resultat);
    // Active et montrée (ni réduite ni cachée) : la partie n'y laisse courir le temps qu'alors.
    void SignalerActivite();
    // La taille de la fenêtre, reprise au lancement et gardée à la fermeture quand elle a changé.
    void RetrouverTaille();
    void GarderTaille();
    std::string tailleLue;
    // L'icône de la fenêtre, lue et posée la première fois qu'on la demande.
    const QIcon& Icone();
    void CreerEtiquettes();
    void CreerMenu();
    // Toute action du joueur (clic, touche, commande) fait disparaître le raisonnement montré.
    void EffacerRaisonnement();
    // Les cases et les notes que le raisonnement montre, à repeindre.
    void RepeindreRaisonnement();
    // Un clic, gauche ou droit : le raisonnement effacé, puis la zone du plateau touchée.
    disposition::Zone ZoneCliquee(const QPoint& point);
    // Le panneau, s'il est montré, à sa place près de la fenêtre telle qu'elle est.
    void PlacerPanneauRaisonnement();
    // Le panneau, fenêtre à part, caché avec la fenêtre réduite : il revient avec elle.
    bool panneauCacheAvecLaFenetre = false;
    bool initialisee = false;
    QAction* actionCreer = nullptr;
    std::vector<QAction*> griseesEnCreation;
};
