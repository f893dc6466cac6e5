// Lecture bornée des lignes d'une liste de grilles.
#include "files/listegrilles.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "files/lignebornee.h"
#include "files/textegrille.h"

namespace {

// Une grille fait 81 caractères ; des blancs peuvent la suivre.
constexpr size_t LongueurGardee = 100;

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
    LigneBornee lue;
    if (!LireLigneBornee(entree, LongueurGardee, lue)) return false;
    std::string& texte = lue.debut;
    // Un commentaire est ignoré quelle que soit sa longueur (son début suffit à le dire).
    if (!texte.empty() && texte[0] == '#') return true;
    if (lue.tropLongue) {
        ligne.erreur = "une grille s'écrit en 81 caractères (ligne trop longue)";
        return true;
    }
    if (LigneIgnoree(texte)) return true;
    while (!texte.empty() && (texte.back() == '\r' || texte.back() == ' ' || texte.back() == '\t')) texte.pop_back();
    if (auto erreur = ControlerTexteGrille(texte)) {
        ligne.erreur = std::move(erreur);
        return true;
    }
    ligne.grille = std::move(texte);
    return true;
}
