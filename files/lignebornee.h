// Une ligne d'un fichier texte lue en n'en gardant que le début : une ligne démesurée
// n'occupe jamais plus de mémoire qu'une autre. Le fichier de grille et les listes de grilles
// se lisent ainsi.
#pragma once

#include <cstddef>
#include <istream>
#include <string>

struct LigneBornee {
    std::string debut;        // au plus `garde` caractères, fin de ligne (LF ou CR LF) exclue
    bool tropLongue = false;  // la ligne dépassait `garde` caractères ; son reste a été passé
};

// Lit la ligne suivante (la dernière peut manquer de fin de ligne). Faux quand le flux n'a
// plus de ligne ou ne se lit plus.
bool LireLigneBornee(std::istream& entree, std::size_t garde, LigneBornee& ligne);
