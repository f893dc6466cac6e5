// Le texte d'une grille en 81 caractères, dans les deux sens.
#include "files/textegrille.h"

bool CaractereDeGrille(char c) { return c == '.' || (c >= '0' && c <= '9'); }

std::optional<std::string> ControlerTexteGrille(std::string_view texte)
{
    if (texte.size() != 81) {
        return "une grille s'écrit en 81 caractères (" + std::to_string(texte.size()) + " lus)";
    }
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (!CaractereDeGrille(texte[i])) {
            return "caractère non autorisé en position " + std::to_string(i + 1);
        }
    }
    return std::nullopt;
}

bool LireTexteGrille(std::string_view texte, CGrille& grille)
{
    grille.ViderGrille();
    if (ControlerTexteGrille(texte)) {
        return false;
    }
    for (int32_t i = 0; i < 81; ++i) {
        if (texte[i] >= '1' && texte[i] <= '9') {
            grille.PoserIndice(i / 9, i % 9, texte[i] - '0');
        }
    }
    return true;
}

std::string TexteIndices(const CGrille& grille)
{
    std::string texte(81, '.');
    for (int32_t i = 0; i < 81; ++i) {
        const Case& c = grille.LireCase(i / 9, i % 9);
        if (c.origine == Init && c.chiffre >= 1 && c.chiffre <= 9) {
            texte[i] = static_cast<char>('0' + c.chiffre);
        }
    }
    return texte;
}

std::string TexteSolution(const CGrille& grille)
{
    std::string texte(81, '0');
    for (int32_t i = 0; i < 81; ++i) {
        texte[i] = static_cast<char>('0' + grille.LireSolution(i / 9, i % 9).chiffre);
    }
    return texte;
}

std::string EnNeufLignes(std::string_view texte, std::string_view finDeLigne)
{
    std::string lignes;
    lignes.reserve(texte.size() + 9 * finDeLigne.size());
    for (std::size_t debut = 0; debut < texte.size(); debut += 9) {
        lignes.append(texte.substr(debut, 9));
        lignes.append(finDeLigne);
    }
    return lignes;
}
