// Outils communs des tests du moteur : listes de grilles publiques, remplissage d'une
// grille depuis une ligne de 81 caractères, sortie de trace gardée en mémoire.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "engine/grille.h"

// Grilles d'une liste (une par ligne, 81 caractères) ; vide si le fichier manque.
inline std::vector<std::string> ChargerListe(const std::string& nom)
{
    std::vector<std::string> grilles;
    std::ifstream entree(std::string(NOVEMIA_GRILLES) + "/" + nom);
    std::string ligne;
    while (std::getline(entree, ligne)) {
        if (ligne.size() >= 81) grilles.push_back(ligne.substr(0, 81));
    }
    return grilles;
}

// Vide la grille puis pose les indices de `texte` ("." ou "0" : case vide).
inline void Remplir(CGrille& grille, const std::string& texte)
{
    grille.ViderGrille();
    for (int i = 0; i < 81 && i < static_cast<int>(texte.size()); ++i) {
        if (texte[i] >= '1' && texte[i] <= '9') {
            grille.cases[i / 9][i % 9].chiffre = texte[i] - '0';
            grille.cases[i / 9][i % 9].origine = Init;
        }
    }
}

class CSortieMemoire : public CSortieTrace {
public:
    std::string texte;
    std::vector<std::string> lignes;
    void Ecrire(std::string_view ligne) override
    {
        texte += ligne;
        lignes.emplace_back(ligne);
    }
};
