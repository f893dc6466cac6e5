// « novemia-cli expliquer » : le raisonnement par techniques depuis les indices, comme une
// personne le mènerait (seul candidat, seule place, candidats verrouillés, paires et triplets,
// X-wing, swordfish, XY-wing, hypothèses en dernier recours), une étape numérotée par ligne,
// puis la solution et le bilan ; ou le tout en JSON, pour qu'un autre programme le vérifie ou
// le dessine. Des indices répétés sont nommés d'abord, sans rien chercher.
#include <iostream>
#include <string>

#include "cli/commandes.h"
#include "cli/commun.h"
#include "engine/raisonnement.h"
#include "files/textegrille.h"
#include "game/explicationtechnique.h"

namespace {

constexpr const char* TexteUsage =
    "Usage : novemia-cli expliquer FICHIER [FICHIER…] [--json]\n"
    "        novemia-cli expliquer --lignes FICHIER [--json]\n"
    "  FICHIER           grille au format .sdu (neuf lignes de neuf caractères)\n"
    "  --lignes FICHIER  une grille par ligne (81 caractères), « - » pour l'entrée standard\n"
    "  --json            un objet JSON par grille : {\"etapes\": [{\"technique\", \"texte\", \"niveau\",\n"
    "                    \"poses\", \"retraits\"…}…], \"solution\": \"81 chiffres\" ou null}\n";

constexpr DefinitionOption OptionsExpliquer[] = {{"--lignes"}, {"--json", false}};
constexpr CommandeCli Commande{"expliquer", TexteUsage, OptionsExpliquer};

int ExpliquerGrille(const SourceGrille& source, const CGrille& grille, bool json)
{
    const Position depart = LirePosition(grille);
    if (json) {
        const Explication explication = Expliquer(depart);
        std::cout << ExplicationEnJson(explication);
        return explication.solution ? CodeSucces : CodeSansSolution;
    }
    if (source.ligne || source.plusieurs) std::cout << "# " << source.nom << '\n';
    if (const auto repetitions = IndicesRepetes(depart); !repetitions.empty()) {
        for (const Repetition& r : repetitions) std::cout << DecrireRepetition(r) << '\n';
        MessageErreur(std::string(MessageSansSolution));
        return CodeSansSolution;
    }
    const Explication explication = Expliquer(depart);
    for (std::size_t k = 0; k < explication.etapes.size(); ++k) {
        std::cout << k + 1 << ". " << DecrireEtape(explication.etapes[k]) << '\n';
    }
    if (!explication.solution) {
        MessageErreur(std::string(MessageSansSolution));
        return CodeSansSolution;
    }
    std::string solution(81, '0');
    for (int i = 0; i < 81; ++i) solution[i] = static_cast<char>('0' + (*explication.solution)[i]);
    std::cout << "Solution :\n" << EnNeufLignes(solution);
    // Le bilan sur une ligne : la technique la plus dure et sa note, puis chaque technique
    // employée et son nombre d'étapes.
    std::string bilan;
    for (const std::string& partie : DecrireBilan(DresserBilan(explication))) bilan += (bilan.empty() ? "" : " ; ") + partie;
    std::cout << "Bilan : " << bilan << '\n';
    return CodeSucces;
}

}  // namespace

int CommandeExpliquer(int argc, char** argv)
{
    ArgumentsLus lus;
    if (const auto fin = LireArguments(Commande, argc, argv, lus)) return *fin;
    if (const auto fin = ControlerEntrees(Commande, lus)) return *fin;
    const bool json = lus.Present("--json");
    std::ios::sync_with_stdio(false);
    const int code = ParcourirGrilles(Commande, lus, [json](const SourceGrille& source, CGrille& grille) {
        return ExpliquerGrille(source, grille, json);
    });
    return FinCommande(Commande, code);
}
