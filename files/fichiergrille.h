// Fichier de grille .sdu : neuf lignes de neuf caractères ("." vide, "1"-"9" indice,
// "0" lu comme vide), lignes commençant par "#" ignorées ; écrit en CR LF (99 octets).
#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "engine/grille.h"

inline constexpr std::string_view MessageOuvertureGrille =
    "Impossible d'ouvrir le fichier contenant une grille de Sudoku";
inline constexpr std::string_view MessageTropDeLignes =
    "Le format du fichier n'est pas respecté (trop de lignes) !";
inline constexpr std::string_view MessageNeufCaracteres =
    "Le format du fichier n'est pas respecté (9 caractères par ligne) !";
inline constexpr std::string_view MessagePasAssezDeLignes =
    "Le format du fichier n'est pas respecté (pas assez de lignes) !";
inline constexpr std::string_view MessageCaractereInterdit =
    "Le format du fichier n'est pas respecté (caractère non autorisé) !";
inline constexpr std::string_view MessageExportation =
    "Impossible d'ouvrir le fichier pour exporter la grille de Sudoku";

// Lit une grille depuis un flux dans `grille.cases` (sans la vider d'abord : les "." laissent
// la case telle quelle). Renvoie le message d'erreur, ou rien quand les neuf lignes sont lues.
// Ne garde jamais en mémoire plus qu'une courte ligne, quelle que soit l'entrée.
std::optional<std::string> LireFichierGrille(std::istream& entree, CGrille& grille);

// Ouvre `chemin` et le lit comme ci-dessus ; un fichier qu'on ne peut ouvrir ou lire
// (absent, dossier, illisible) donne MessageOuvertureGrille.
std::optional<std::string> LireFichierGrille(const std::string& chemin, CGrille& grille);

// Écrit les indices (origine Init) : neuf lignes de neuf caractères terminées par CR LF.
void EcrireFichierGrille(std::ostream& sortie, const CGrille& grille);

// Écrit dans `chemin` (remplacé d'un bloc, l'ancien fichier reste intact en cas d'échec).
// Renvoie faux si le fichier n'a pu être écrit.
bool EcrireFichierGrille(const std::string& chemin, const CGrille& grille);

// Nom du fichier sans son dossier (extension comprise).
std::string NomSansDossier(const std::string& chemin);
