// Petits outils communs aux tests de la partie : fichiers .sdu, solution gardée, import.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/grille.h"
#include "game/partie.h"
#include "tests/support/ihmfactice.h"
#include "tests/support/listes.h"

// Écrit une grille de 81 caractères en fichier .sdu (neuf lignes). Le nom est en UTF-8,
// comme ceux que le jeu reçoit, sous Windows aussi.
inline void EcrireSdu(const std::string& chemin, const std::string& grille81)
{
    const std::filesystem::path nom(std::u8string(chemin.begin(), chemin.end()));
    std::ofstream(nom, std::ios::binary) << EnNeufLignes(grille81);
}

// La solution gardée : (chiffre, marque) de chaque case.
inline std::vector<std::pair<int, int>> SolutionGardee(const CGrille& grille)
{
    std::vector<std::pair<int, int>> s;
    for (int i = 0; i < 81; ++i) s.emplace_back(grille.LireSolution(i / 9, i % 9).chiffre, grille.LireSolution(i / 9, i % 9).marque);
    return s;
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
