// La table unique du menu 129 : chaque ligne donne le texte d'une entrée, sa commande et ce
// qui la traite. La barre de menus en est construite, chaque entrée reliée à son gestionnaire.
#pragma once

#include <QKeyCombination>
#include <array>
#include <string_view>

#include "ui/dlggrille.h"
#include "ui/identifiants.h"

// `profondeur` 0 pour la barre, 1 pour un menu déroulant, 2 pour un sous-menu. Un sous-menu
// est suivi de ses entrées, plus profondes d'un cran. Un raccourci ne fait aucune entrée :
// seulement une combinaison de touches valable dans toute la fenêtre ; une commande peut en
// porter une aussi, affichée dans son menu.
struct EntreeMenu {
    enum Genre { Commande, SousMenu, Separateur, Raccourci };
    int profondeur;
    Genre genre;
    std::string_view texte = {};  // avec les « & » des raccourcis Alt
    int id = 0;                   // 0 pour un sous-menu ou un séparateur
    void (*gestionnaire)(CDlgGrille&) = nullptr;
    QKeyCombination raccourci = {};
    bool griseeEnCreation = false;  // grisée tant que dure le mode création
};

inline constexpr bool GriseeEnCreation = true;

// Dans l'ordre du menu. « &Préférences » est une commande posée sur la barre même ; la trace,
// l'annulation et la reprise d'un coup n'ont que leurs combinaisons de touches ; « Pause » a
// aussi la touche P.
inline constexpr std::array<EntreeMenu, 43> TableMenu{{
    {0, EntreeMenu::SousMenu, "&Grille"},
    {1, EntreeMenu::Commande, "&Créer", ID_CREER, [](CDlgGrille& d) { d.OnCreer(); }},
    {1, EntreeMenu::SousMenu, "&Générer", 0, nullptr, {}, GriseeEnCreation},
    {2, EntreeMenu::Commande, "&Facile", ID_FACILE, [](CDlgGrille& d) { d.partie.OnFacile(); }},
    {2, EntreeMenu::Commande, "&Moyen", ID_MOYEN, [](CDlgGrille& d) { d.partie.OnMoyen(); }},
    {2, EntreeMenu::Commande, "&Difficile", ID_DIFFICILE, [](CDlgGrille& d) { d.partie.OnDifficile(); }},
    {2, EntreeMenu::Commande, "&Diabolique", ID_DIABOLIQUE, [](CDlgGrille& d) { d.partie.OnDiabolique(); }},
    {1, EntreeMenu::Commande, "&Importer", ID_IMPORTER, [](CDlgGrille& d) { d.partie.OnImporter(); }, {},
     GriseeEnCreation},
    {1, EntreeMenu::Commande, "&Exporter", ID_EXPORTER, [](CDlgGrille& d) { d.partie.OnExporter(); }, {},
     GriseeEnCreation},
    {1, EntreeMenu::Separateur},
    {1, EntreeMenu::Commande, "&Remettre à zéro", ID_REMETTREAZERO, [](CDlgGrille& d) { d.partie.RemettreAZero(); },
     {}, GriseeEnCreation},
    {1, EntreeMenu::SousMenu, "Coup de &main", 0, nullptr, {}, GriseeEnCreation},
    {2, EntreeMenu::Commande, "1 chiffre", ID_COUPDEMAIN1, [](CDlgGrille& d) { d.partie.OnCoupDeMain1(); }},
    {2, EntreeMenu::Commande, "2 chiffres", ID_COUPDEMAIN2, [](CDlgGrille& d) { d.partie.OnCoupDeMain2(); }},
    {2, EntreeMenu::Commande, "3 chiffres", ID_COUPDEMAIN3, [](CDlgGrille& d) { d.partie.OnCoupDeMain3(); }},
    {2, EntreeMenu::Separateur},
    {2, EntreeMenu::Commande, "&Pourquoi ?", ID_POURQUOI, [](CDlgGrille& d) { d.partie.OnPourquoi(); },
     Qt::CTRL | Qt::Key_E},
    {2, EntreeMenu::Commande, "&Noter les candidats", ID_NOTER, [](CDlgGrille& d) { d.partie.OnNoterCandidats(); },
     Qt::CTRL | Qt::Key_N},
    {1, EntreeMenu::Commande, "&Résoudre", ID_RESOUDRE, [](CDlgGrille& d) { d.partie.OnResoudre(); }, {},
     GriseeEnCreation},
    {1, EntreeMenu::Commande, "&Vérifier", ID_VERIFIER, [](CDlgGrille& d) { d.partie.OnVerifier(); }, {},
     GriseeEnCreation},
    {1, EntreeMenu::Separateur},
    {1, EntreeMenu::Commande, "&Quitter", ID_QUITTER, [](CDlgGrille& d) { d.OnCancel(); }},
    // Après toutes les entrées d'origine : une grille faite pour une technique.
    {1, EntreeMenu::Separateur},
    {1, EntreeMenu::SousMenu, "Dé&fi", 0, nullptr, {}, GriseeEnCreation},
    {2, EntreeMenu::Commande, "&Sous-ensembles", ID_DEFI_SOUSENSEMBLES,
     [](CDlgGrille& d) { d.partie.OnDefi(GenreDefi::SousEnsembles); }},
    {2, EntreeMenu::Commande, "&Poissons", ID_DEFI_POISSONS, [](CDlgGrille& d) { d.partie.OnDefi(GenreDefi::Poissons); }},
    {2, EntreeMenu::Commande, "&Ailes", ID_DEFI_AILES, [](CDlgGrille& d) { d.partie.OnDefi(GenreDefi::Ailes); }},
    {2, EntreeMenu::Commande, "&Chaînes", ID_DEFI_CHAINES, [](CDlgGrille& d) { d.partie.OnDefi(GenreDefi::Chaines); }},
    {1, EntreeMenu::Separateur},
    {1, EntreeMenu::Commande, "Im&primer…", ID_IMPRIMER, [](CDlgGrille& d) { d.partie.OnImprimer(); },
     Qt::CTRL | Qt::Key_P, GriseeEnCreation},
    {1, EntreeMenu::Commande, "Imprimer &des grilles…", ID_IMPRIMERGRILLES,
     [](CDlgGrille& d) { d.partie.OnImprimerGrilles(); }},
    {1, EntreeMenu::Separateur},
    {1, EntreeMenu::Commande, "Pa&use", ID_PAUSE, [](CDlgGrille& d) { d.partie.OnPause(); }, Qt::Key_Pause,
     GriseeEnCreation},
    {1, EntreeMenu::Commande, "&Statistiques…", ID_STATISTIQUES, [](CDlgGrille& d) { d.partie.OnStatistiques(); }},
    {0, EntreeMenu::Commande, "&Préférences", ID_PREFERENCES, [](CDlgGrille& d) { d.OnPreferences(); }},
    {0, EntreeMenu::SousMenu, "&Aide"},
    {1, EntreeMenu::Commande, "&Aide", ID_AIDE, [](CDlgGrille& d) { d.OnAide(); }},
    {1, EntreeMenu::Commande, "A &propos ...", ID_APROPOS, [](CDlgGrille& d) { d.OnAPropos(); }},
    {0, EntreeMenu::Raccourci, {}, ID_TRACE, [](CDlgGrille& d) { d.partie.OnTrace(); },
     Qt::CTRL | Qt::SHIFT | Qt::Key_T},
    {0, EntreeMenu::Raccourci, {}, ID_PAUSE, [](CDlgGrille& d) { d.partie.OnPause(); }, QKeyCombination(Qt::Key_P)},
    {0, EntreeMenu::Raccourci, {}, ID_ANNULER, [](CDlgGrille& d) { d.partie.Annuler(); }, Qt::CTRL | Qt::Key_Z},
    {0, EntreeMenu::Raccourci, {}, ID_REFAIRE, [](CDlgGrille& d) { d.partie.Refaire(); }, Qt::CTRL | Qt::Key_Y},
    {0, EntreeMenu::Raccourci, {}, ID_REFAIRE, [](CDlgGrille& d) { d.partie.Refaire(); },
     Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
}};
