// Outil commun des cibles de fuzzing : une propriété violée arrête tout de suite le
// programme, ce que libFuzzer enregistre comme un plantage avec l'entrée fautive.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#define NOVEMIA_EXIGER(condition)                                                             \
    do {                                                                                      \
        if (!(condition)) {                                                                   \
            std::fprintf(stderr, "Propriété violée (%s:%d) : %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (false)

// Les lignes d'un texte, fin de ligne LF ou CR LF ôtée ; la dernière peut n'avoir pas de fin.
inline std::vector<std::string_view> DecouperLignes(std::string_view texte)
{
    std::vector<std::string_view> lignes;
    while (!texte.empty()) {
        const auto fin = texte.find('\n');
        std::string_view ligne = texte.substr(0, fin);
        if (fin == std::string_view::npos) {
            texte = {};
        } else {
            texte.remove_prefix(fin + 1);
            if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
        }
        lignes.push_back(ligne);
    }
    return lignes;
}
