// Ce que les deux magasins de réglages partagent : où lire et écrire, dans l'ordre.
#pragma once

#include <string>
#include <vector>

struct EmplacementsReglages {
    std::string utilisateur;
    std::vector<std::string> machine;
};

// Les emplacements fixés ; préparés par défaut à la première demande. Les essais y mettent
// les leurs, et eux seuls sont lus et écrits.
const EmplacementsReglages& Emplacements();
void DefinirEmplacements(EmplacementsReglages emplacements);
// L'ordre d'une lecture : l'utilisateur, puis la machine.
std::vector<std::string> EmplacementsDansLOrdre();
