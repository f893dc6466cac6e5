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

// Contrôles : la case (4, 5) porte 6 ; les autres cases 1000 + 9 m + n.
constexpr int IDC_CASE_4_5 = 6;
constexpr int IDC_CASE_PREMIERE = 1000;
constexpr int IDC_PALETTE_1 = 1082;  // le même nombre que « Résoudre » : les étiquettes n'envoient rien
constexpr int IDC_PALETTE_2 = 1084;
constexpr int IDC_PALETTE_3 = 1085;
constexpr int IDC_PALETTE_4 = 1086;
constexpr int IDC_PALETTE_5 = 1087;
constexpr int IDC_PALETTE_6 = 1088;
constexpr int IDC_PALETTE_7 = 1089;
constexpr int IDC_PALETTE_8 = 1090;
constexpr int IDC_PALETTE_9 = 1091;
constexpr int IDC_PALETTE_EFF = 1092;
constexpr int IDC_PALETTE_HYPO = 1093;
constexpr int IDC_STATUT = 1083;

// Ressources d'origine, gardées pour mémoire des numéros.
constexpr int IDD_APROPOS = 100;
constexpr int IDD_GRILLE = 102;
constexpr int IDR_ICONE = 128;
constexpr int IDR_MENU = 129;

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
