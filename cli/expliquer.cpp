// « novemia-cli expliquer FICHIER » : le chemin du solveur depuis les indices jusqu'à la fin,
// un pas numéroté par ligne dans les mots du jeu (hypothèses et retours compris), puis la
// solution. Pour le joueur qui veut comprendre, et pour apprendre.
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commandes.h"
#include "engine/grille.h"
#include "files/fichiergrille.h"
#include "files/textegrille.h"
#include "game/explication.h"

namespace {

constexpr const char* TexteUsage = "Usage : novemia-cli expliquer FICHIER\n"
                                   "  FICHIER  grille au format .sdu (neuf lignes de neuf caractères)\n";

// Garde chaque pas du solveur.
class CChemin : public CSuiviSolveur {
public:
    std::vector<Pas> pas;
    void Noter(const Pas& p) override { pas.push_back(p); }
};

}  // namespace

int CommandeExpliquer(int argc, char** argv)
{
    // argv[0] est le nom de la sous-commande.
    if (argc == 2 && (std::string_view(argv[1]) == "--aide" || std::string_view(argv[1]) == "--help")) {
        std::cout << TexteUsage << TexteCodesSortie;
        return CodeSucces;
    }
    if (argc != 2 || std::string_view(argv[1]).empty() || std::string_view(argv[1]).starts_with("--")) {
        std::cerr << "novemia-cli expliquer : un fichier de grille, et un seul\n" << TexteUsage << TexteCodesSortie;
        return CodeUsage;
    }
    const std::string fichier = argv[1];
    CGrille grille;
    grille.ViderGrille();
    if (const auto erreur = LireFichierGrille(fichier, grille)) {
        std::cerr << *erreur << '\n';
        return CodeLecture;
    }
    CChemin chemin;
    grille.suivi = &chemin;
    // Comme une grille qui entre en jeu : le pilote avec la limite du joueur.
    const bool resolue = grille.Resoudre(LimiteJoueur);
    for (const std::string& phrase : DecrireChemin(chemin.pas)) std::cout << phrase << '\n';
    if (!resolue) {
        std::cout.flush();
        std::cerr << MessageSansSolution << '\n';
        return std::cout ? CodeSansSolution : CodeEcriture;
    }
    // Les cases tiennent la solution : chaque chiffre, quelle qu'en soit l'origine.
    std::string solution(81, '0');
    for (int i = 0; i < 81; ++i) solution[i] = static_cast<char>('0' + grille.LireCase(i / 9, i % 9).chiffre);
    std::cout << "Solution :\n" << EnNeufLignes(solution);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "novemia-cli expliquer : écriture impossible sur la sortie standard\n";
        return CodeEcriture;
    }
    return CodeSucces;
}
