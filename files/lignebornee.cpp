// Lecture bornée d'une ligne.
#include "files/lignebornee.h"

#include <limits>

bool LireLigneBornee(std::istream& entree, std::size_t garde, LigneBornee& ligne)
{
    ligne.debut.clear();
    ligne.tropLongue = false;
    bool lu = false;
    for (;;) {
        const auto c = entree.get();
        if (c == std::char_traits<char>::eof()) break;
        lu = true;
        if (c == '\n') break;
        // Un caractère de plus que `garde` est gardé : ce peut être le CR d'un CR LF.
        if (ligne.debut.size() > garde) {
            ligne.tropLongue = true;
            entree.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
            break;
        }
        ligne.debut += static_cast<char>(c);
    }
    if (!ligne.tropLongue && !ligne.debut.empty() && ligne.debut.back() == '\r') ligne.debut.pop_back();
    if (ligne.debut.size() > garde) {
        ligne.tropLongue = true;
        ligne.debut.resize(garde);
    }
    return lu && !entree.bad();
}
