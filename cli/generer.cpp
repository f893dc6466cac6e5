// « novemia-cli generer NIVEAU [--graine N] [--nombre K] [--trace JOURNAL] » : génère K grilles
// d'affilée avec une même source de hasard, comme K commandes du menu auxquelles on répond
// « Oui », et les écrit au format des fichiers de grille (neuf lignes de neuf, "." vide).
#include <charconv>
#include <cstdint>
#include <ctime>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "cli/commandes.h"
#include "engine/grille.h"
#include "engine/hasard.h"
#include "files/fichiertrace.h"
#include "files/textegrille.h"
#include "game/generateur.h"

namespace {

int Usage(const std::string& erreur)
{
    std::cerr << "novemia-cli generer : " << erreur << "\n"
              << "Usage : novemia-cli generer NIVEAU [--graine N] [--nombre K] [--trace JOURNAL]\n"
              << "  NIVEAU     facile, moyen, difficile ou diabolique\n"
              << "  --graine   graine du hasard, entier de 0 à 4294967295 (par défaut l'heure)\n"
              << "  --nombre   nombre de grilles, entier de 1 à 1000000 (par défaut 1)\n"
              << "  --trace    fichier où écrire la trace de chaque résolution\n"
              << TexteCodesSortie;
    return CodeUsage;
}

// Un entier décimal entier, sans signe ni espace, dans [min, max].
std::optional<uint64_t> LireEntier(std::string_view texte, uint64_t min, uint64_t max)
{
    uint64_t valeur = 0;
    const auto [fin, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
    if (texte.empty() || erreur != std::errc{} || fin != texte.data() + texte.size()) return std::nullopt;
    if (valeur < min || valeur > max) return std::nullopt;
    return valeur;
}

std::optional<NiveauGrille> LireNiveau(std::string_view mot)
{
    for (auto niveau : {Facile, Moyen, Difficile, Diabolique}) {
        if (MotNiveau(niveau) == mot) return niveau;
    }
    return std::nullopt;
}

}  // namespace

int CommandeGenerer(int argc, char** argv)
{
    std::optional<NiveauGrille> niveau;
    std::optional<uint32_t> graine;
    uint64_t nombre = 1;
    std::optional<std::string> trace;

    // argv[0] est le nom de la sous-commande.
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool option = arg == "--graine" || arg == "--nombre" || arg == "--trace";
        if (option) {
            if (i + 1 >= argc) return Usage("valeur manquante après " + std::string(arg));
            const std::string_view valeur = argv[++i];
            if (arg == "--graine") {
                const auto n = LireEntier(valeur, 0, UINT32_MAX);
                if (!n) return Usage("graine invalide : « " + std::string(valeur) + " »");
                graine = static_cast<uint32_t>(*n);
            } else if (arg == "--nombre") {
                const auto n = LireEntier(valeur, 1, 1'000'000);
                if (!n) return Usage("nombre de grilles invalide : « " + std::string(valeur) + " »");
                nombre = *n;
            } else {
                if (valeur.empty()) return Usage("nom de fichier de trace vide");
                trace = std::string(valeur);
            }
        } else if (arg.starts_with("--")) {
            return Usage("option inconnue : « " + std::string(arg) + " »");
        } else if (niveau) {
            return Usage("argument en trop : « " + std::string(arg) + " »");
        } else {
            niveau = LireNiveau(arg);
            if (!niveau) return Usage("niveau inconnu : « " + std::string(arg) + " »");
        }
    }
    if (!niveau) return Usage("niveau manquant");

    CGrille grille;
    CHasard hasard;
    CGenerateur generateur(grille, hasard);
    const std::time_t maintenant = std::time(nullptr);
    // Semée une seule fois, comme au démarrage du jeu.
    hasard.Semer(graine ? *graine : static_cast<uint32_t>(maintenant));

    CFichierTrace fichierTrace;
    if (trace) {
        if (!fichierTrace.Ouvrir(maintenant, *trace)) {
            std::cerr << "novemia-cli generer : impossible de créer le fichier de trace " << *trace << '\n';
            return CodeTrace;
        }
        grille.sortieTrace = &fichierTrace;
        grille.traceActive = true;
    }

    const std::string mot(MotNiveau(*niveau));
    for (uint64_t k = 1; k <= nombre; ++k) {
        generateur.ConstruireGrille(*niveau);
        // Comme la commande du menu : la solution gardée, puis les indices seuls.
        if (!grille.ResoudreEtMemoriser()) std::cerr << MessageSansSolution << '\n';
        std::cout << "# " << mot << " " << k << "/" << nombre << "\n" << EnNeufLignes(TexteIndices(grille));
    }
    std::cout.flush();
    fichierTrace.Fermer();
    if (!std::cout) {
        std::cerr << "novemia-cli generer : écriture impossible sur la sortie standard\n";
        return CodeEcriture;
    }
    return 0;
}
