// « novemia-cli resoudre » : lit des grilles comme l'importation du jeu, les résout comme une
// grille qui entre en jeu (ResoudreEtMemoriser) et écrit leurs solutions.
#include <iostream>
#include <string>

#include "cli/commandes.h"
#include "cli/commun.h"
#include "engine/grille.h"
#include "files/textegrille.h"

namespace {

constexpr const char* TexteUsage =
    "Usage : novemia-cli resoudre FICHIER [FICHIER…] [--trace JOURNAL]\n"
    "        novemia-cli resoudre --lignes FICHIER [--trace JOURNAL]\n"
    "  FICHIER           grille au format .sdu (neuf lignes de neuf caractères)\n"
    "  --lignes FICHIER  une grille par ligne : 81 caractères, « . » ou « 0 » pour une case\n"
    "                    vide ; lignes vides et lignes commençant par « # » ignorées ;\n"
    "                    « - » lit l'entrée standard\n"
    "  --trace JOURNAL   écrit la trace des résolutions dans JOURNAL\n";

constexpr DefinitionOption OptionsResoudre[] = {{"--trace"}, {"--lignes"}};
constexpr CommandeCli Commande{"resoudre", TexteUsage, OptionsResoudre};

// Résout une grille comme celle qui entre en jeu et écrit sa solution : 81 chiffres pour une
// ligne de liste, neuf lignes de neuf pour un fichier (précédées de son nom s'il y en a
// plusieurs).
int Resoudre(const SourceGrille& source, CGrille& grille, CSuiviSolveur* trace)
{
    if (grille.ResoudreEtMemoriser(trace) != FinResolution::Resolue) {
        if (source.ligne) {
            std::cout << MessageSansSolution << '\n';
        } else {
            MessageErreur((source.plusieurs ? source.nom + " : " : "") + std::string(MessageSansSolution));
        }
        return CodeSansSolution;
    }
    if (source.ligne) {
        std::cout << TexteSolution(grille) << '\n';
    } else {
        if (source.plusieurs) std::cout << "# " << source.nom << '\n';
        std::cout << EnNeufLignes(TexteSolution(grille));
    }
    return CodeSucces;
}

}  // namespace

int CommandeResoudre(int argc, char** argv)
{
    ArgumentsLus lus;
    if (const auto fin = LireArguments(Commande, argc, argv, lus)) return *fin;
    if (const auto fin = ControlerEntrees(Commande, lus)) return *fin;

    CJournal journal(Commande, lus.Valeur("--trace"));
    if (!journal.Ouvert()) return CodeTrace;

    std::ios::sync_with_stdio(false);
    const int code = ParcourirGrilles(Commande, lus, [&journal](const SourceGrille& source, CGrille& grille) {
        return Resoudre(source, grille, journal.Suivi());
    });
    return FinCommande(Commande, code, &journal);
}
