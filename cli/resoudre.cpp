// « novemia-cli resoudre » : lit des grilles comme l'importation du jeu, les résout comme une
// grille qui entre en jeu (ResoudreEtMemoriser) et écrit leurs solutions.
#include <iostream>
#include <string>
#include <string_view>

#include "cli/commandes.h"
#include "cli/commun.h"
#include "engine/grille.h"
#include "files/textegrille.h"

namespace {

constexpr std::string_view Formes[] = {"FICHIER [FICHIER…] [--trace JOURNAL]", "--lignes FICHIER [--trace JOURNAL]"};
constexpr std::string_view Details[] = {
    AideFichier,
    "  --lignes FICHIER  une grille par ligne : 81 caractères, « . » ou « 0 » pour une case\n"
    "                    vide ; lignes vides et lignes commençant par « # » ignorées ;\n"
    "                    « - » lit l'entrée standard\n"
    "  --trace JOURNAL   écrit la trace des résolutions dans JOURNAL\n"};
constexpr DefinitionOption Options[] = {{"--trace"}, {"--lignes"}};

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

int Executer(const ArgumentsLus& lus)
{
    if (const auto fin = ControlerEntrees(CommandeResoudre, lus)) return *fin;

    CJournal journal(CommandeResoudre, lus.Valeur("--trace"));
    if (!journal.Ouvert()) return CodeFichier;

    std::ios::sync_with_stdio(false);
    const int code = ParcourirGrilles(CommandeResoudre, lus, [&journal](const SourceGrille& source, CGrille& grille) {
        return Resoudre(source, grille, journal.Suivi());
    });
    return FinCommande(CommandeResoudre, code, &journal);
}

}  // namespace

const CommandeCli CommandeResoudre{"resoudre", Formes, Details, Options, Executer};
