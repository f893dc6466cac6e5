// « novemia-cli expliquer FICHIER » : le chemin du solveur depuis les indices jusqu'à la fin,
// un pas numéroté par ligne dans les mots du jeu (hypothèses et retours compris), puis la
// solution. Pour le joueur qui veut comprendre, et pour apprendre.
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commandes.h"
#include "cli/commun.h"
#include "engine/grille.h"
#include "files/fichiergrille.h"
#include "files/textegrille.h"
#include "game/explication.h"

namespace {

constexpr const char* TexteUsage = "Usage : novemia-cli expliquer FICHIER\n"
                                   "  FICHIER  grille au format .sdu (neuf lignes de neuf caractères)\n";

constexpr CommandeCli Commande{"expliquer", TexteUsage, {}};

// Garde chaque pas du solveur.
class CChemin : public CSuiviSolveur {
public:
    std::vector<Pas> pas;
    void Noter(const Pas& p) override { pas.push_back(p); }
};

}  // namespace

int CommandeExpliquer(int argc, char** argv)
{
    ArgumentsLus lus;
    if (const auto fin = LireArguments(Commande, argc, argv, lus)) return *fin;
    if (lus.positionnels.size() != 1 || lus.positionnels[0].empty()) {
        return RefusUsage(Commande, "un fichier de grille, et un seul");
    }
    CGrille grille;
    grille.ViderGrille();
    if (const auto erreur = LireFichierGrille(lus.positionnels[0], grille)) {
        std::cerr << *erreur << '\n';
        return CodeLecture;
    }
    CChemin chemin;
    // Comme une grille qui entre en jeu : le pilote avec la limite du joueur.
    const bool resolue = grille.Resoudre(LimiteJoueur, &chemin) == FinResolution::Resolue;
    for (const std::string& phrase : DecrireChemin(chemin.pas)) std::cout << phrase << '\n';
    if (!resolue) {
        std::cout.flush();
        std::cerr << MessageSansSolution << '\n';
        return FinCommande(Commande, CodeSansSolution);
    }
    // Les cases tiennent la solution : chaque chiffre, quelle qu'en soit l'origine.
    std::string solution(81, '0');
    for (int i = 0; i < 81; ++i) solution[i] = static_cast<char>('0' + grille.LireCase(i / 9, i % 9).chiffre);
    std::cout << "Solution :\n" << EnNeufLignes(solution);
    return FinCommande(Commande, CodeSucces);
}
