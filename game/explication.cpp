// Les cases et les chiffres dits avec les mots du joueur.
#include "game/explication.h"

#include <array>
#include <bit>
#include <string_view>

std::string Numero(int32_t base0) { return std::to_string(base0 + 1); }

std::string NommerCase(int32_t ligne, int32_t colonne) { return "ligne " + Numero(ligne) + ", colonne " + Numero(colonne); }

std::string DecrireCase(int32_t ligne, int32_t colonne, int32_t chiffre, OrigineCase origine)
{
    static constexpr std::array<std::string_view, 8> Origines{
        "", "indice", "déduction", "déduction par unicité", "hypothèse du solveur", "coup de main",
        "chiffre du joueur", "hypothèse du joueur"};
    std::string texte = "Ligne " + Numero(ligne) + ", colonne " + Numero(colonne) + " : ";
    if (chiffre <= 0) return texte + "vide";
    texte += std::to_string(chiffre);
    if (origine > Vide && origine < static_cast<int32_t>(Origines.size())) texte += ", " + std::string(Origines[origine]);
    return texte;
}

std::string DecrireCase(int32_t ligne, int32_t colonne, int32_t chiffre, OrigineCase origine, uint16_t notes,
                        bool enConflit)
{
    std::string texte = DecrireCase(ligne, colonne, chiffre, origine);
    if (chiffre > 0) return enConflit ? texte + ", en conflit" : texte;
    if ((notes & 0x1FF) == 0) return texte;
    texte += ", notes : ";
    for (int32_t d = 1, dits = 0; d <= 9; ++d) {
        if (!(notes & (1u << (d - 1)))) continue;
        texte += (dits++ > 0 ? ", " : "") + std::to_string(d);
    }
    return texte;
}

std::string NommerChiffres(uint16_t chiffres)
{
    std::string texte;
    const int total = std::popcount(static_cast<unsigned>(chiffres & 0x1FF));
    int dits = 0;
    for (int32_t d = 1; d <= 9; ++d) {
        if (!(chiffres & (1u << (d - 1)))) continue;
        if (dits > 0) texte += dits == total - 1 ? " ou " : ", ";
        texte += std::to_string(d);
        ++dits;
    }
    return texte;
}
