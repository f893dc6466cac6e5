// « novemia-cli resoudre » : lit des grilles comme l'importation du jeu, les résout comme une
// grille qui entre en jeu (ResoudreEtMemoriser) et écrit leurs solutions.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commandes.h"
#include "cli/commun.h"
#include "engine/grille.h"
#include "files/fichiergrille.h"
#include "files/fichiertrace.h"
#include "files/listegrilles.h"
#include "files/plateforme.h"
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

// Écrit sur la sortie standard ; les messages d'erreur passent après ce qui précède.
void MessageErreur(const std::string& texte)
{
    std::cout.flush();
    std::cerr << texte << '\n';
}

int ResoudreFichiers(const std::vector<std::string>& fichiers, CSuiviSolveur* trace)
{
    int code = CodeSucces;
    const bool plusieurs = fichiers.size() > 1;
    for (const std::string& fichier : fichiers) {
        const std::string prefixe = plusieurs ? fichier + " : " : "";
        CGrille grille;
        grille.ViderGrille();
        if (const auto erreur = LireFichierGrille(fichier, grille)) {
            MessageErreur(prefixe + *erreur);
            code = CodeLecture;
            continue;
        }
        if (grille.ResoudreEtMemoriser(trace) != FinResolution::Resolue) {
            MessageErreur(prefixe + std::string(MessageSansSolution));
            if (code == CodeSucces) code = CodeSansSolution;
            continue;
        }
        if (plusieurs) std::cout << "# " << fichier << '\n';
        std::cout << EnNeufLignes(TexteSolution(grille));
    }
    return code;
}

int ResoudreLignes(std::istream& entree, CSuiviSolveur* trace)
{
    int code = CodeSucces;
    LigneDeGrilles lue;
    for (long numero = 1; LireLigneDeGrilles(entree, lue); ++numero) {
        if (lue.erreur) {
            MessageErreur("novemia-cli resoudre : ligne " + std::to_string(numero) + " : " + *lue.erreur);
            code = CodeLecture;
            continue;
        }
        if (lue.grille.empty()) continue;
        CGrille grille;
        LireTexteGrille(lue.grille, grille);
        if (grille.ResoudreEtMemoriser(trace) == FinResolution::Resolue) {
            std::cout << TexteSolution(grille) << '\n';
        } else {
            std::cout << MessageSansSolution << '\n';
            if (code == CodeSucces) code = CodeSansSolution;
        }
    }
    if (entree.bad()) {
        MessageErreur("novemia-cli resoudre : erreur de lecture");
        code = CodeLecture;
    }
    return code;
}

int ResoudreLignes(const std::string& chemin, CSuiviSolveur* trace)
{
    if (chemin == "-") return ResoudreLignes(std::cin, trace);
    // Un fichier ordinaire ou un tube ; ni dossier ni périphérique (sans fin).
    const std::filesystem::path systeme = CheminSysteme(chemin);
    std::error_code erreur;
    const auto etat = std::filesystem::status(systeme, erreur);
    const bool lisible = std::filesystem::is_regular_file(etat) || std::filesystem::is_fifo(etat);
    std::ifstream entree;
    if (lisible) entree.open(systeme, std::ios::binary);
    if (!entree.is_open()) {
        MessageErreur("novemia-cli resoudre : impossible d'ouvrir « " + chemin + " »");
        return CodeLecture;
    }
    return ResoudreLignes(entree, trace);
}

}  // namespace

int CommandeResoudre(int argc, char** argv)
{
    ArgumentsLus lus;
    if (const auto fin = LireArguments(Commande, argc, argv, lus)) return *fin;
    const auto lignes = lus.Valeur("--lignes");
    if (lignes && !lus.positionnels.empty()) {
        return RefusUsage(Commande, "--lignes ne se combine pas avec des fichiers de grille");
    }
    if (!lignes && lus.positionnels.empty()) return RefusUsage(Commande, "aucun fichier de grille");
    for (const std::string& fichier : lus.positionnels) {
        if (fichier.empty()) return RefusUsage(Commande, "nom de fichier vide");
    }

    CJournal journal(Commande, lus.Valeur("--trace"));
    if (!journal.Ouvert()) return CodeTrace;

    std::ios::sync_with_stdio(false);
    const int code = lignes ? ResoudreLignes(*lignes, journal.Suivi()) : ResoudreFichiers(lus.positionnels, journal.Suivi());
    return FinCommande(Commande, code, &journal);
}
