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
#include "cli/commun.h"
#include "engine/grille.h"
#include "engine/hasard.h"
#include "files/fichiertrace.h"
#include "files/textegrille.h"
#include "game/generateur.h"

namespace {

constexpr std::string_view Formes[] = {"NIVEAU [--graine N] [--nombre K] [--trace JOURNAL]"};
constexpr std::string_view Details[] = {
    "  NIVEAU     facile, moyen, difficile ou diabolique\n"
    "  --graine   graine du hasard, entier de 0 à 4294967295 (par défaut l'heure)\n"
    "  --nombre   nombre de grilles, entier de 1 à 1000000 (par défaut 1)\n"
    "  --trace    fichier où écrire la trace de chaque résolution\n"};
constexpr DefinitionOption Options[] = {{"--graine"}, {"--nombre"}, {"--trace"}};

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

int Executer(const ArgumentsLus& lus)
{
    if (lus.positionnels.empty()) return RefusUsage(CommandeGenerer, "niveau manquant");
    if (lus.positionnels.size() > 1) {
        return RefusUsage(CommandeGenerer, "argument en trop : « " + lus.positionnels[1] + " »");
    }
    const auto niveau = LireNiveau(lus.positionnels[0]);
    if (!niveau) return RefusUsage(CommandeGenerer, "niveau inconnu : « " + lus.positionnels[0] + " »");
    std::optional<uint64_t> graine;
    if (const auto texte = lus.Valeur("--graine")) {
        graine = LireEntier(*texte, 0, UINT32_MAX);
        if (!graine) return RefusUsage(CommandeGenerer, "graine invalide : « " + *texte + " »");
    }
    uint64_t nombre = 1;
    if (const auto texte = lus.Valeur("--nombre")) {
        const auto n = LireEntier(*texte, 1, 1'000'000);
        if (!n) return RefusUsage(CommandeGenerer, "nombre de grilles invalide : « " + *texte + " »");
        nombre = *n;
    }

    CJournal journal(CommandeGenerer, lus.Valeur("--trace"));
    if (!journal.Ouvert()) return CodeTrace;

    CGrille grille;
    CHasard hasard;
    CGenerateur generateur(grille, hasard);
    // Semée une seule fois, comme au démarrage du jeu.
    hasard.Semer(static_cast<uint32_t>(graine ? *graine : static_cast<uint64_t>(std::time(nullptr))));

    const std::string mot(MotNiveau(*niveau));
    // Une sortie standard en échec arrête tout, comme pour les grilles lues.
    for (uint64_t k = 1; k <= nombre && std::cout; ++k) {
        generateur.ConstruireGrille(*niveau, journal.Suivi());
        // Comme la commande du menu : la solution gardée, puis les indices seuls.
        if (grille.ResoudreEtMemoriser(journal.Suivi()) != FinResolution::Resolue) {
            std::cerr << MessageSansSolution << '\n';
        }
        std::cout << "# " << mot << " " << k << "/" << nombre << "\n" << EnNeufLignes(TexteIndices(grille));
    }
    return FinCommande(CommandeGenerer, CodeSucces, &journal);
}

}  // namespace

const CommandeCli CommandeGenerer{"generer", Formes, Details, Options, Executer};
