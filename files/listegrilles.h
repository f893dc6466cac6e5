// Lecture d'une liste de grilles (« novemia-cli resoudre --lignes », listes publiques des
// tests et des mesures) : une grille par ligne en 81 caractères ("." ou "0" vide, "1"-"9"
// indice), lignes blanches et lignes commençant par "#" ignorées. Une ligne démesurée
// n'occupe jamais plus de mémoire qu'une autre.
#pragma once

#include <istream>
#include <optional>
#include <string>

// Une ligne lue : `grille` (81 caractères contrôlés) quand elle en porte une, `erreur`
// (sans numéro de ligne) quand elle est fautive, ni l'une ni l'autre quand elle est ignorée.
struct LigneDeGrilles {
    std::string grille;
    std::optional<std::string> erreur;
};

// Lit la ligne suivante du flux ; faux quand il n'en a plus.
bool LireLigneDeGrilles(std::istream& entree, LigneDeGrilles& ligne);
