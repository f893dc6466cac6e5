// novemia-cli : résoudre et générer des grilles depuis un terminal, avec le moteur du jeu.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commandes.h"
#include "files/plateforme.h"

namespace {

constexpr const char* TexteUsage =
    "Usage : novemia-cli COMMANDE [ARGUMENTS…]\n"
    "  novemia-cli resoudre FICHIER [FICHIER…] [--trace JOURNAL]\n"
    "  novemia-cli resoudre --lignes FICHIER [--trace JOURNAL]\n"
    "  novemia-cli generer NIVEAU [--graine N] [--nombre K] [--trace JOURNAL]\n"
    "  novemia-cli expliquer FICHIER [FICHIER…] [--json]\n"
    "  novemia-cli expliquer --lignes FICHIER [--json]\n"
    "  novemia-cli noter FICHIER [FICHIER…]\n"
    "  novemia-cli noter --lignes FICHIER\n";

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
        const std::string_view commande = argv[1];
        if (commande == "resoudre") {
            return CommandeResoudre(argc - 1, argv + 1);
        }
        if (commande == "generer") {
            return CommandeGenerer(argc - 1, argv + 1);
        }
        if (commande == "expliquer") {
            return CommandeExpliquer(argc - 1, argv + 1);
        }
        if (commande == "noter") {
            return CommandeNoter(argc - 1, argv + 1);
        }
        if (commande == "--aide" || commande == "-h" || commande == "--help") {
            std::fputs(TexteUsage, stdout);
            std::fputs(TexteCodesSortie, stdout);
            return CodeSucces;
        }
        std::fprintf(stderr, "novemia-cli : commande inconnue « %s »\n", argv[1]);
    } else {
        std::fputs("novemia-cli : commande manquante\n", stderr);
    }
    std::fputs(TexteUsage, stderr);
    return CodeUsage;
}
