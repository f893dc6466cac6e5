// novemia-cli : résoudre et générer des grilles depuis un terminal, avec le moteur du jeu.
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commandes.h"
#include "cli/commun.h"
#include "files/plateforme.h"

namespace {

constexpr const CommandeCli* Commandes[] = {&CommandeResoudre, &CommandeGenerer, &CommandeExpliquer, &CommandeNoter};

// L'usage général : les formes de chaque commande, tirées de leur propre aide.
std::string Usage()
{
    std::string usage = "Usage : novemia-cli COMMANDE [ARGUMENTS…]\n";
    for (const CommandeCli* commande : Commandes) usage += FormesCommande(*commande, "  ", "  ");
    return usage;
}

}  // namespace

int main(int argcSysteme, char** argvSysteme)
{
    // Les commandes lisent des arguments en UTF-8, sous Windows aussi.
    std::vector<std::string> textes = PreparerProgramme(argcSysteme, argvSysteme);
    std::vector<char*> arguments;
    for (std::string& texte : textes) arguments.push_back(texte.data());
    arguments.push_back(nullptr);
    const int argc = static_cast<int>(textes.size());
    char** argv = arguments.data();
    if (argc >= 2) {
        const std::string_view nom = argv[1];
        for (const CommandeCli* commande : Commandes) {
            if (commande->nom == nom) return LancerCommande(*commande, argc - 1, argv + 1);
        }
        if (nom == "--aide" || nom == "-h" || nom == "--help") {
            std::cout << Usage() << TexteCodesSortie;
            return VerifierSortie("novemia-cli", CodeSucces);
        }
        std::cerr << "novemia-cli : commande inconnue « " << nom << " »\n";
    } else {
        std::cerr << "novemia-cli : commande manquante\n";
    }
    std::cerr << Usage();
    return CodeUsage;
}
