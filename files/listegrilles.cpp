// Lecture bornée des lignes d'une liste de grilles.
#include "files/listegrilles.h"

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "files/textegrille.h"

namespace {

// Lecture d'une ligne en n'en gardant que le début : une ligne démesurée n'occupe pas plus
// de mémoire qu'une autre. `longueur` compte les caractères (fin de ligne exclue) jusqu'à
// LongueurGardee + 1 au plus.
constexpr size_t LongueurGardee = 100;

bool LireLigneBornee(std::istream& entree, std::string& debut, size_t& longueur)
{
    debut.clear();
    longueur = 0;
    bool lu = false;
    for (;;) {
        const auto c = entree.get();
        if (c == std::char_traits<char>::eof()) break;
        lu = true;
        if (c == '\n') break;
        if (longueur == LongueurGardee) {
            // Trop longue pour être une grille : on passe le reste sans le garder.
            entree.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
            longueur = LongueurGardee + 1;
            return true;
        }
        debut += static_cast<char>(c);
        ++longueur;
    }
    return lu;
}

// Contrôle d'une ligne de grille ; rend le message d'erreur, ou rien si elle est bonne.
std::optional<std::string> ControlerLigne(std::string& ligne, size_t longueur)
{
    if (longueur > LongueurGardee) return "une grille s'écrit en 81 caractères (ligne trop longue)";
    while (!ligne.empty() && (ligne.back() == '\r' || ligne.back() == ' ' || ligne.back() == '\t')) {
        ligne.pop_back();
    }
    return ControlerTexteGrille(ligne);
}

bool LigneIgnoree(const std::string& ligne)
{
    if (!ligne.empty() && ligne[0] == '#') return true;
    return ligne.find_first_not_of(" \t\r") == std::string::npos;
}

}  // namespace

bool LireLigneDeGrilles(std::istream& entree, LigneDeGrilles& ligne)
{
    ligne.grille.clear();
    ligne.erreur.reset();
    std::string texte;
    size_t longueur = 0;
    if (!LireLigneBornee(entree, texte, longueur)) return false;
    // Un commentaire est ignoré quelle que soit sa longueur (son début suffit à le dire).
    if (!texte.empty() && texte[0] == '#') return true;
    if (longueur <= LongueurGardee && LigneIgnoree(texte)) return true;
    if (auto erreur = ControlerLigne(texte, longueur)) {
        ligne.erreur = std::move(erreur);
        return true;
    }
    ligne.grille = std::move(texte);
    return true;
}
