// Identifiants des commandes et des contrôles de la fenêtre principale, et la table unique
// dont la barre de menus est construite. Sans Qt : les tests la lisent telle quelle.
#pragma once

#include <array>
#include <string_view>

// Boutons standard des boîtes de dialogue.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Commandes du menu (et celle de la trace, qu'aucune entrée ne porte).
constexpr int ID_APROPOS = 16;
constexpr int ID_IMPORTER = 1081;
constexpr int ID_RESOUDRE = 1082;
constexpr int ID_COUPDEMAIN1 = 32782;
constexpr int ID_COUPDEMAIN2 = 32783;
constexpr int ID_COUPDEMAIN3 = 32784;
constexpr int ID_EXPORTER = 32786;
constexpr int ID_REMETTREAZERO = 32787;
constexpr int ID_VERIFIER = 32788;
constexpr int ID_CREER = 32789;
constexpr int ID_TRACE = 32791;
constexpr int ID_DIABOLIQUE = 32792;
constexpr int ID_DIFFICILE = 32793;
constexpr int ID_MOYEN = 32794;
constexpr int ID_FACILE = 32795;
constexpr int ID_PREFERENCES = 32799;
constexpr int ID_AIDE = 32800;
constexpr int ID_QUITTER = IDCANCEL;

// Contrôles. Les cases portent 1000 + 9 m + n, sauf la case (4, 5) qui porte 6.
constexpr int IdCase(int ligne, int colonne) { return (ligne == 4 && colonne == 5) ? 6 : 1000 + 9 * ligne + colonne; }
// Palette "1" à "9", "Eff", "?" ; "1" porte le même nombre que « Résoudre », sans conflit
// puisque les étiquettes n'envoient aucune commande.
constexpr std::array<int, 11> IDC_PALETTE{1082, 1084, 1085, 1086, 1087, 1088, 1089, 1090, 1091, 1092, 1093};
constexpr int IDC_STATUT = 1083;

// Une ligne de la table du menu : `profondeur` 0 pour la barre, 1 pour un menu déroulant,
// 2 pour un sous-menu. Un sous-menu est suivi de ses entrées, plus profondes d'un cran.
struct EntreeMenu {
    enum Genre { Commande, SousMenu, Separateur };
    int profondeur;
    Genre genre;
    std::string_view texte;  // avec les « & » des raccourcis Alt
    int id;                  // 0 pour un sous-menu ou un séparateur
};

// Le menu 129, dans l'ordre. « &Préférences » est une commande posée sur la barre même.
inline constexpr std::array<EntreeMenu, 23> TableMenu{{
    {0, EntreeMenu::SousMenu, "&Grille", 0},
    {1, EntreeMenu::Commande, "&Créer", ID_CREER},
    {1, EntreeMenu::SousMenu, "&Générer", 0},
    {2, EntreeMenu::Commande, "&Facile", ID_FACILE},
    {2, EntreeMenu::Commande, "&Moyen", ID_MOYEN},
    {2, EntreeMenu::Commande, "&Difficile", ID_DIFFICILE},
    {2, EntreeMenu::Commande, "&Diabolique", ID_DIABOLIQUE},
    {1, EntreeMenu::Commande, "&Importer", ID_IMPORTER},
    {1, EntreeMenu::Commande, "&Exporter", ID_EXPORTER},
    {1, EntreeMenu::Separateur, "", 0},
    {1, EntreeMenu::Commande, "&Remettre à zéro", ID_REMETTREAZERO},
    {1, EntreeMenu::SousMenu, "Coup de &main", 0},
    {2, EntreeMenu::Commande, "1 chiffre", ID_COUPDEMAIN1},
    {2, EntreeMenu::Commande, "2 chiffres", ID_COUPDEMAIN2},
    {2, EntreeMenu::Commande, "3 chiffres", ID_COUPDEMAIN3},
    {1, EntreeMenu::Commande, "&Résoudre", ID_RESOUDRE},
    {1, EntreeMenu::Commande, "&Vérifier", ID_VERIFIER},
    {1, EntreeMenu::Separateur, "", 0},
    {1, EntreeMenu::Commande, "&Quitter", ID_QUITTER},
    {0, EntreeMenu::Commande, "&Préférences", ID_PREFERENCES},
    {0, EntreeMenu::SousMenu, "&Aide", 0},
    {1, EntreeMenu::Commande, "&Aide", ID_AIDE},
    {1, EntreeMenu::Commande, "A &propos ...", ID_APROPOS},
}};

// Positions, dans « &Grille », des sept entrées grisées en mode création.
inline constexpr std::array<int, 7> PositionsGriseesCreation{1, 2, 3, 5, 6, 7, 8};
