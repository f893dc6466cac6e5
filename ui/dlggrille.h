// La fenêtre principale : le plateau (81 cases), la palette, la ligne d'état et le menu.
// Elle ne contient aucune règle du jeu : elle rapporte les clics à une case ou à la palette,
// transmet les commandes à la partie et lui prête ses widgets par l'interface CIhm.
#pragma once

#include <QIcon>
#include <array>
#include <optional>
#include <string>

#include "game/ihm.h"
#include "game/partie.h"
#include "skin/configuration.h"
#include "ui/dlgskin.h"
#include "ui/identifiants.h"

class CColorLabel;
class CGrilleApp;
class QAction;
class QMenu;
class QMenuBar;
class QTextBrowser;

class CDlgGrille : public CDlgSkin, public CIhm {
    Q_OBJECT
public:
    explicit CDlgGrille(CGrilleApp& application, QWidget* parent = nullptr);
    ~CDlgGrille() override;

    // Une ligne de la table d'aiguillage : commande → méthode.
    struct EntreeCommande {
        int id;
        void (CDlgGrille::*gestionnaire)();
    };
    static const std::array<EntreeCommande, 19> TableCommandes;

    // Initialisation de la boîte, faite une fois, juste avant qu'elle ne s'affiche.
    void OnInitDialog();
    void setVisible(bool visible) override;

    // Aiguille une commande par la table ; faux si aucune entrée ne la porte.
    bool Commande(int id);

    void ChargerSkin();
    int ChargerConfiguration(std::string chemin);
    void OnChangerSkin();

    // Gestionnaires de la table.
    void OnImporter() { partie.OnImporter(); }
    void OnResoudre() { partie.OnResoudre(); }
    void RemettreAZero() { partie.RemettreAZero(); }
    void OnExporter() { partie.OnExporter(); }
    void OnVerifier() { partie.OnVerifier(); }
    void OnAPropos();
    void OnCreer();
    void OnTrace() { partie.OnTrace(); }
    void OnFacile() { partie.OnFacile(); }
    void OnMoyen() { partie.OnMoyen(); }
    void OnDifficile() { partie.OnDifficile(); }
    void OnDiabolique() { partie.OnDiabolique(); }
    void OnCoupDeMain1() { partie.OnCoupDeMain1(); }
    void OnCoupDeMain2() { partie.OnCoupDeMain2(); }
    void OnCoupDeMain3() { partie.OnCoupDeMain3(); }
    void OnPreferences();
    void OnAide();
    void OnOK() { done(IdResultatOK); }
    void OnCancel() { done(IdResultatAnnuler); }
    // La case de fermeture et le menu système finissent comme « Quitter ».
    void reject() override { Commande(IDCANCEL); }

    // CIhm
    void MontrerCase(int ligne, int colonne, const std::string& texte, OrigineCase origine) override;
    void MontrerPalette(int entree, bool enEvidence) override;
    void ChangerStatut(const std::string& texte) override;
    void Message(const std::string& texte) override;
    bool Question(const std::string& texte) override;
    std::optional<std::string> ChoisirFichierAOuvrir() override;
    std::optional<std::string> ChoisirFichierAEnregistrer() override;
    void CurseurAttente(bool actif) override;
    void EtatMenuCreation(bool modeCreation) override;

    // Ce que la fenêtre possède, à lire par les tests et les captures.
    CGrilleApp& app;
    CPartie partie;
    TableCouleurs couleurs{};
    std::array<CColorLabel*, 81> etiquettesCases{};
    std::array<CColorLabel*, 11> etiquettesPalette{};
    CColorLabel* etiquetteStatut = nullptr;
    QMenuBar* menuPrincipal = nullptr;
    QMenu* menuGrille = nullptr;
    QIcon icone;
    // Page d'aide : <dossier du programme>/../share/novemia/aide/index.html.
    std::string cheminAide;
    QTextBrowser* visionneuseAide = nullptr;

    // Étiquette d'un identifiant de contrôle, nulle s'il n'existe pas.
    CColorLabel* Etiquette(int id) const;
    // L'entrée de menu d'une commande, nulle si aucune.
    QAction* Action(int id) const;

    static constexpr int IdResultatOK = 1;
    static constexpr int IdResultatAnnuler = 2;

protected:
    // Les boîtes modales passent par ici : un test les remplace sans bloquer.
    virtual int ExecuterBoite(QDialog& boite);

    void OnLButtonDown(const QPoint& point) override;
    bool event(QEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;

private:
    void CreerEtiquettes();
    void CreerMenu();
    bool initialisee = false;
    QAction* actionCreer = nullptr;
};
