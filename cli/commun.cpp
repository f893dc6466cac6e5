// Ce que les sous-commandes de novemia-cli partagent.
#include "cli/commun.h"

#include <algorithm>
#include <ctime>
#include <iostream>

#include "cli/commandes.h"

std::optional<std::string> ArgumentsLus::Valeur(std::string_view nom) const
{
    const auto trouvee = options.find(nom);
    if (trouvee == options.end()) return std::nullopt;
    return trouvee->second;
}

int RefusUsage(const CommandeCli& commande, const std::string& erreur)
{
    std::cout.flush();
    std::cerr << "novemia-cli " << commande.nom << " : " << erreur << "\n" << commande.aide << TexteCodesSortie;
    return CodeUsage;
}

std::optional<int> LireArguments(const CommandeCli& commande, int argc, char** argv, ArgumentsLus& lus)
{
    bool finDesOptions = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (finDesOptions || arg == "-" || !arg.starts_with("-")) {
            lus.positionnels.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            finDesOptions = true;
            continue;
        }
        if (arg == "-h" || arg == "--help" || arg == "--aide") {
            std::cout << commande.aide << TexteCodesSortie;
            return CodeSucces;
        }
        const auto option = std::find_if(commande.options.begin(), commande.options.end(),
                                         [arg](const DefinitionOption& o) { return o.nom == arg; });
        if (option == commande.options.end()) return RefusUsage(commande, "option inconnue « " + std::string(arg) + " »");
        if (lus.Present(arg)) return RefusUsage(commande, std::string(arg) + " donné deux fois");
        std::string valeur;
        if (option->avecValeur) {
            if (i + 1 >= argc) return RefusUsage(commande, "valeur manquante après " + std::string(arg));
            valeur = argv[++i];
            if (valeur.empty()) return RefusUsage(commande, "valeur vide après " + std::string(arg));
        }
        lus.options.emplace(arg, std::move(valeur));
    }
    return std::nullopt;
}

CJournal::CJournal(const CommandeCli& commande, const std::optional<std::string>& chemin)
    : demande(chemin.has_value())
{
    if (demande && !fichier.Ouvrir(std::time(nullptr), *chemin)) {
        std::cerr << "novemia-cli " << commande.nom << " : impossible de créer le fichier de trace « " << *chemin
                  << " »\n";
    }
}

int FinCommande(const CommandeCli& commande, int code, CJournal* journal)
{
    std::cout.flush();
    if (journal != nullptr && !journal->fichier.Fermer()) {
        std::cerr << "novemia-cli " << commande.nom << " : écriture impossible dans le fichier de trace « "
                  << journal->fichier.Nom() << " »\n";
        code = std::max(code, static_cast<int>(CodeEcriture));
    }
    if (!std::cout) {
        std::cerr << "novemia-cli " << commande.nom << " : écriture impossible sur la sortie standard\n";
        code = std::max(code, static_cast<int>(CodeEcriture));
    }
    return code;
}
