// Identifiants des commandes et des contrôles de la fenêtre principale, sans Qt : la table du
// menu (ui/menu.h) et les tests les lisent tels quels.
#pragma once

#include <array>

// Boutons standard des boîtes de dialogue.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Commandes du menu (et celles de la trace, de l'annulation et de la reprise, qu'aucune
// entrée ne porte).
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
// Au-delà des commandes d'origine : « Pourquoi ? », et revenir sur un coup ou le rejouer
// (des combinaisons de touches seulement, comme la trace).
constexpr int ID_POURQUOI = 32801;
// « Noter les candidats », après « Pourquoi ? ».
constexpr int ID_NOTER = 32802;
// « Défi », un sous-menu après « Quitter » : une entrée par genre, dans l'ordre de GenreDefi.
constexpr int ID_DEFI_SOUSENSEMBLES = 32803;
constexpr int ID_DEFI_POISSONS = 32804;
constexpr int ID_DEFI_AILES = 32805;
constexpr int ID_DEFI_CHAINES = 32806;
// « Imprimer… » et « Imprimer des grilles… », après « Quitter ».
constexpr int ID_IMPRIMER = 32810;
constexpr int ID_IMPRIMERGRILLES = 32811;
// « Pause » et « Statistiques… », après « Quitter ».
constexpr int ID_PAUSE = 32820;
constexpr int ID_STATISTIQUES = 32821;
constexpr int ID_ANNULER = 57643;
constexpr int ID_REFAIRE = 57644;

// Contrôles. Les cases portent 1000 + 9 m + n, sauf la case (4, 5) qui porte 6.
constexpr int IdCase(int ligne, int colonne) { return (ligne == 4 && colonne == 5) ? 6 : 1000 + 9 * ligne + colonne; }
// Palette "1" à "9", "Eff", "?" ; "1" porte le même nombre que « Résoudre », sans conflit
// puisque les étiquettes n'envoient aucune commande.
constexpr std::array<int, 11> IDC_PALETTE{1082, 1084, 1085, 1086, 1087, 1088, 1089, 1090, 1091, 1092, 1093};
constexpr int IDC_STATUT = 1083;
// Le combo des skins de la boîte « Préférences ».
constexpr int IDC_SKIN = 1094;
