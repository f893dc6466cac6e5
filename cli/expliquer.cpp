// « novemia-cli expliquer » : le raisonnement par techniques depuis les indices, comme une
// personne le mènerait (des poses simples aux chaînes, puis des preuves par l'absurde,
// hypothèses en dernier recours), une étape numérotée par ligne,
// puis la solution et le bilan ; ou le tout en JSON, pour qu'un autre programme le vérifie ou
// le dessine. Des indices répétés sont nommés d'abord, sans rien chercher.
#include <iostream>
#include <string>
#include <string_view>

#include "cli/commandes.h"
#include "cli/commun.h"
#include "engine/raisonnement.h"
#include "files/textegrille.h"
#include "game/explicationtechnique.h"

namespace {

constexpr std::string_view Formes[] = {"FICHIER [FICHIER…] [--json]", "--lignes FICHIER [--json]"};
constexpr std::string_view Details[] = {
    AideFichier, AideListe,
    "  --json            un objet JSON par grille : {\"fichier\" ou \"ligne\", \"unique\", \"etapes\":\n"
    "                    [{\"technique\", \"texte\", \"niveau\", \"poses\", \"retraits\"…}…],\n"
    "                    \"solution\": \"81 chiffres\" ou null}\n"};
constexpr DefinitionOption Options[] = {{"--lignes"}, {"--json", false}};

int ExpliquerGrille(const SourceGrille& source, const CGrille& grille, bool json)
{
    const Position depart = LirePosition(grille);
    if (json) {
        const Explication explication = Expliquer(depart);
        // L'entrée nommée en tête de l'objet : sinon seul « depart » le relierait à sa grille.
        const std::string entree = source.ligne ? "\"ligne\": " + std::to_string(source.ligne)
                                                : "\"fichier\": " + TexteJson(source.nom);
        const std::string objet = ExplicationEnJson(explication);
        std::cout << '{' << entree << ", " << std::string_view(objet).substr(1);
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

int Executer(const ArgumentsLus& lus)
{
    if (const auto fin = ControlerEntrees(CommandeExpliquer, lus)) return *fin;
    const bool json = lus.Present("--json");
    std::ios::sync_with_stdio(false);
    const int code = ParcourirGrilles(CommandeExpliquer, lus, [json](const SourceGrille& source, CGrille& grille) {
        return ExpliquerGrille(source, grille, json);
    });
    return FinCommande(CommandeExpliquer, code);
}

}  // namespace

const CommandeCli CommandeExpliquer{"expliquer", Formes, Details, Options, Executer};
