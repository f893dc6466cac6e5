// Les phrases qui expliquent les pas du solveur.
#include "game/explication.h"

#include <array>
#include <bit>
#include <string_view>

namespace {

std::string Nombre(int32_t base0) { return std::to_string(base0 + 1); }

std::string OuvertureHypothese(const Pas& pas)
{
    return "hypothèse : " + NommerCase(pas.ligne, pas.colonne) + " (" + NommerChiffres(pas.candidats) +
           "), on essaie le " + std::to_string(pas.chiffre) + " (niveau " + std::to_string(pas.niveau) + ")";
}

std::string Reprise(const Pas& pas)
{
    return "on revient à " + NommerCase(pas.ligne, pas.colonne) + " : on essaie le " + std::to_string(pas.chiffre) +
           " (niveau " + std::to_string(pas.niveau) + ")";
}

std::string Contradiction(const Pas& pas)
{
    return "contradiction (" + NommerCase(pas.ligne, pas.colonne) + " n'a plus aucun chiffre possible)";
}

}  // namespace

std::string NommerCase(int32_t ligne, int32_t colonne) { return "ligne " + Nombre(ligne) + ", colonne " + Nombre(colonne); }

std::string DecrireCase(int32_t ligne, int32_t colonne, int32_t chiffre, OrigineCase origine)
{
    static constexpr std::array<std::string_view, 8> Origines{
        "", "indice", "déduction", "déduction par unicité", "hypothèse du solveur", "coup de main",
        "chiffre du joueur", "hypothèse du joueur"};
    std::string texte = "Ligne " + Nombre(ligne) + ", colonne " + Nombre(colonne) + " : ";
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

std::string DecrirePas(const Pas& pas)
{
    const std::string chiffre = std::to_string(pas.chiffre);
    switch (pas.genre) {
    case Pas::Elimination:
        return NommerCase(pas.ligne, pas.colonne) + " : seul chiffre possible, le " + chiffre;
    case Pas::UniciteLigne:
        return "ligne " + Nombre(pas.unite) + " : le " + chiffre + " ne peut aller qu'en colonne " + Nombre(pas.colonne);
    case Pas::UniciteColonne:
        return "colonne " + Nombre(pas.unite) + " : le " + chiffre + " ne peut aller qu'en ligne " + Nombre(pas.ligne);
    case Pas::UniciteRegion:
        return "région " + Nombre(pas.unite) + " : le " + chiffre + " ne peut aller qu'en " +
               NommerCase(pas.ligne, pas.colonne);
    case Pas::Hypothese:
        return "aucune déduction simple : il faut une hypothèse, par exemple " + NommerCase(pas.ligne, pas.colonne) +
               " (" + NommerChiffres(pas.candidats) + ")";
    case Pas::Contradiction:
        return Contradiction(pas);
    case Pas::Aucun:
        break;
    }
    return {};
}

std::vector<std::string> DecrireChemin(const std::vector<Pas>& chemin)
{
    std::vector<std::string> phrases;
    for (std::size_t k = 0; k < chemin.size(); ++k) {
        const Pas& pas = chemin[k];
        std::string phrase;
        if (pas.genre == Pas::Contradiction) {
            phrase = Contradiction(pas);
            // Le pilote défait des niveaux puis essaie le chiffre suivant d'une hypothèse.
            if (k + 1 < chemin.size() && chemin[k + 1].genre == Pas::Hypothese && chemin[k + 1].reprise) {
                phrase += ", " + Reprise(chemin[++k]);
            }
        } else if (pas.genre == Pas::Hypothese) {
            phrase = pas.reprise ? Reprise(pas) : OuvertureHypothese(pas);
        } else {
            phrase = DecrirePas(pas);
        }
        phrases.push_back(std::to_string(phrases.size() + 1) + ". " + phrase);
    }
    return phrases;
}
