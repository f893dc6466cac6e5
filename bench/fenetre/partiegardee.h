// La partie gardée des mesures de démarrage : une diabolique en cours, toutes ses notes, douze
// coups justes et un chiffre qui en contredit un autre (de quoi teinter conflits et
// surlignage quand ces choix sont allumés), un chiffre choisi dans la palette.
#pragma once

#include <string>

// Faux si elle n'a pas pu être écrite.
bool GarderPartieDeMesure(const std::string& chemin);
