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

int Usage(const std::string& erreur)
{
    std::cerr << "novemia-cli resoudre : " << erreur << "\n" << TexteUsage << TexteCodesSortie;
    return CodeUsage;
}

struct Options {
    std::vector<std::string> fichiers;
    std::optional<std::string> lignes;
    std::optional<std::string> trace;
};

// Rend les options, ou le code de sortie quand il faut s'arrêter là (usage, aide).
std::optional<int> LireOptions(int argc, char** argv, Options& options)
{
    bool finDesOptions = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!finDesOptions && (arg == "--aide" || arg == "-h" || arg == "--help")) {
            std::cout << TexteUsage << TexteCodesSortie;
            return CodeSucces;
        }
        if (!finDesOptions && (arg == "--trace" || arg == "--lignes")) {
            if (i + 1 >= argc) return Usage("valeur manquante après " + std::string(arg));
            const std::string valeur = argv[++i];
            if (valeur.empty()) return Usage("nom de fichier vide après " + std::string(arg));
            auto& cible = arg == "--trace" ? options.trace : options.lignes;
            if (cible) return Usage(std::string(arg) + " donné deux fois");
            cible = valeur;
            continue;
        }
        if (!finDesOptions && arg == "--") {
            finDesOptions = true;
            continue;
        }
        if (!finDesOptions && arg.size() > 1 && arg[0] == '-') {
            return Usage("option inconnue « " + std::string(arg) + " »");
        }
        if (arg.empty()) return Usage("nom de fichier vide");
        options.fichiers.emplace_back(arg);
    }
    if (options.lignes && !options.fichiers.empty()) {
        return Usage("--lignes ne se combine pas avec des fichiers de grille");
    }
    if (!options.lignes && options.fichiers.empty()) return Usage("aucun fichier de grille");
    return std::nullopt;
}

// Écrit sur la sortie standard ; les messages d'erreur passent après ce qui précède.
void MessageErreur(const std::string& texte)
{
    std::cout.flush();
    std::cerr << texte << '\n';
}

void Brancher(CGrille& grille, CFichierTrace* trace)
{
    if (trace != nullptr) {
        grille.traceActive = true;
        grille.sortieTrace = trace;
    }
}

int ResoudreFichiers(const std::vector<std::string>& fichiers, CFichierTrace* trace)
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
        Brancher(grille, trace);
        if (!grille.ResoudreEtMemoriser()) {
            MessageErreur(prefixe + std::string(MessageSansSolution));
            if (code == CodeSucces) code = CodeSansSolution;
            continue;
        }
        if (plusieurs) std::cout << "# " << fichier << '\n';
        std::cout << EnNeufLignes(TexteSolution(grille));
    }
    return code;
}

int ResoudreLignes(std::istream& entree, CFichierTrace* trace)
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
        Brancher(grille, trace);
        if (grille.ResoudreEtMemoriser()) {
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

int ResoudreLignes(const std::string& chemin, CFichierTrace* trace)
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
    Options options;
    if (const auto fin = LireOptions(argc, argv, options)) return *fin;

    CFichierTrace trace;
    if (options.trace && !trace.Ouvrir(std::time(nullptr), *options.trace)) {
        MessageErreur("novemia-cli resoudre : impossible de créer le fichier de trace « " + *options.trace + " »");
        return CodeTrace;
    }
    CFichierTrace* sortieTrace = options.trace ? &trace : nullptr;

    std::ios::sync_with_stdio(false);
    const int code = options.lignes ? ResoudreLignes(*options.lignes, sortieTrace)
                                    : ResoudreFichiers(options.fichiers, sortieTrace);
    trace.Fermer();
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "novemia-cli resoudre : écriture impossible sur la sortie standard\n";
        return CodeEcriture;
    }
    return code;
}
