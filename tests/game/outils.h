// Petits outils communs aux tests de la partie : grilles de référence, fichiers .sdu,
// lecture des indices d'une grille.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "engine/grille.h"
#include "game/partie.h"
#include "tests/support/ihmfactice.h"
#include "tests/support/listes.h"

// Écrit une grille de 81 caractères en fichier .sdu (neuf lignes).
inline void EcrireSdu(const std::string& chemin, const std::string& grille81)
{
    std::ofstream sortie(chemin, std::ios::binary);
    for (int l = 0; l < 9; ++l) sortie << grille81.substr(l * 9, 9) << "\n";
}

// Les indices (origine Init) d'une grille en 81 caractères, "." ailleurs.
inline std::string Indices(const CGrille& grille)
{
    std::string s;
    for (const auto& ligne : grille.cases) {
        for (const Case& c : ligne) s += c.origine == Init ? char('0' + c.chiffre) : '.';
    }
    return s;
}

// La solution gardée : (chiffre, marque) de chaque case.
inline std::vector<std::pair<int, int>> SolutionGardee(const CGrille& grille)
{
    std::vector<std::pair<int, int>> s;
    for (const CaseSolution& c : grille.solution) s.emplace_back(c.chiffre, c.marque);
    return s;
}

// Pose les indices d'une chaîne de 81 caractères dans une grille vidée.
inline void PoserIndices(CGrille& grille, const std::string& grille81)
{
    grille.ViderGrille();
    for (int i = 0; i < 81; ++i) {
        if (grille81[i] >= '1' && grille81[i] <= '9') {
            grille.cases[i / 9][i % 9].chiffre = grille81[i] - '0';
            grille.cases[i / 9][i % 9].origine = Init;
        }
    }
}

// Importe une grille comme le joueur : fichier écrit dans le dossier courant, « Oui » à la
// question, le fichier choisi dans le dialogue.
inline void Importer(CPartie& partie, CIhmFactice& ihm, const std::string& grille81,
                     const std::string& nom = "grille.sdu")
{
    EcrireSdu(nom, grille81);
    ihm.reponses.push_back(true);
    ihm.fichiersAOuvrir.push_back(nom);
    partie.OnImporter();
}
