// Ce que les sous-commandes de novemia-cli partagent.
#include "cli/commun.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "cli/commandes.h"
#include "files/fichiergrille.h"
#include "files/listegrilles.h"
#include "files/plateforme.h"
#include "files/textegrille.h"

std::optional<std::string> ArgumentsLus::Valeur(std::string_view nom) const
{
    const auto trouvee = options.find(nom);
    if (trouvee == options.end()) return std::nullopt;
    return trouvee->second;
}

std::string FormesCommande(const CommandeCli& commande, std::string_view premiere, std::string_view suivantes)
{
    std::string texte;
    for (const std::string_view forme : commande.formes) {
        texte.append(texte.empty() ? premiere : suivantes).append("novemia-cli ");
        texte.append(commande.nom).append(" ").append(forme).append("\n");
    }
    return texte;
}

namespace {

std::string Aide(const CommandeCli& commande)
{
    std::string aide = FormesCommande(commande, "Usage : ", "        ");
    for (const std::string_view texte : commande.details) aide += texte;
    return aide + TexteCodesSortie;
}

std::string Prefixe(const CommandeCli& commande) { return "novemia-cli " + std::string(commande.nom); }

}  // namespace

int RefusUsage(const CommandeCli& commande, const std::string& erreur)
{
    std::cout.flush();
    std::cerr << Prefixe(commande) << " : " << erreur << "\n" << Aide(commande);
    return CodeUsage;
}

int VerifierSortie(std::string_view qui, int code)
{
    if (!std::cout.flush()) {
        std::cerr << qui << " : écriture impossible sur la sortie standard\n";
        code = std::max(code, static_cast<int>(CodeEcriture));
    }
    return code;
}

int LancerCommande(const CommandeCli& commande, int argc, char** argv)
{
    ArgumentsLus lus;
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
            std::cout << Aide(commande);
            return VerifierSortie(Prefixe(commande), CodeSucces);
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
    return commande.executer(lus);
}

CJournal::CJournal(const CommandeCli& commande, const std::optional<std::string>& chemin)
    : demande(chemin.has_value())
{
    if (demande && !fichier.Ouvrir(std::time(nullptr), *chemin)) {
        std::cerr << Prefixe(commande) << " : impossible de créer le fichier de trace « " << *chemin << " »\n";
    }
}

int FinCommande(const CommandeCli& commande, int code, CJournal* journal)
{
    std::cout.flush();
    if (journal != nullptr && !journal->fichier.Fermer()) {
        std::cerr << Prefixe(commande) << " : écriture impossible dans le fichier de trace « " << journal->fichier.Nom()
                  << " »\n";
        code = std::max(code, static_cast<int>(CodeEcriture));
    }
    return VerifierSortie(Prefixe(commande), code);
}

void MessageErreur(const std::string& texte)
{
    std::cout.flush();
    std::cerr << texte << '\n';
}

std::optional<int> ControlerEntrees(const CommandeCli& commande, const ArgumentsLus& lus)
{
    const auto liste = lus.Valeur("--lignes");
    if (liste && !lus.positionnels.empty()) {
        return RefusUsage(commande, "--lignes ne se combine pas avec des fichiers de grille");
    }
    if (!liste && lus.positionnels.empty()) return RefusUsage(commande, "aucun fichier de grille");
    for (const std::string& fichier : lus.positionnels) {
        if (fichier.empty()) return RefusUsage(commande, "nom de fichier vide");
        // Le nom est écrit dans la sortie (« # nom », colonne de « noter ») : une tabulation
        // ou une fin de ligne en casserait les colonnes et les lignes.
        if (std::any_of(fichier.begin(), fichier.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; })) {
            return RefusUsage(commande, "caractère de contrôle dans le nom de fichier « " + fichier + " »");
        }
    }
    // Une trace qui est aussi une entrée serait vidée avant d'être lue. Comparés par identité
    // (liens, « ./ », casse sous Windows), avant que rien ne soit ouvert en écriture.
    if (const auto trace = lus.Valeur("--trace")) {
        const auto identiteTrace = IdentiteDeFichier(*trace);
        const auto memeFichier = [&identiteTrace](const std::string& entree) {
            const auto identite = entree == "-" ? IdentiteEntreeStandard() : IdentiteDeFichier(entree);
            return identiteTrace && identiteTrace == identite;
        };
        const auto& entrees = liste ? std::vector<std::string>{*liste} : lus.positionnels;
        if (std::any_of(entrees.begin(), entrees.end(), memeFichier)) {
            return RefusUsage(commande, "le fichier de trace « " + *trace + " » est aussi une grille à lire");
        }
    }
    return std::nullopt;
}

namespace {

int ParcourirLignes(const CommandeCli& commande, std::istream& entree,
                    const std::function<int(const SourceGrille&, CGrille&)>& traiter)
{
    int code = CodeSucces;
    LigneDeGrilles lue;
    // Sur 64 bits partout : long n'en a que 32 sous Windows. Une sortie standard en échec
    // arrête tout : disque plein, ou tube que personne ne lit plus (« | head -1 »).
    for (std::uint64_t numero = 1; std::cout && LireLigneDeGrilles(entree, lue); ++numero) {
        const std::string nom = "ligne " + std::to_string(numero);
        if (lue.erreur) {
            MessageErreur(Prefixe(commande) + " : " + nom + " : " + *lue.erreur);
            code = std::max(code, static_cast<int>(CodeLecture));
            continue;
        }
        if (lue.grille.empty()) continue;
        CGrille grille;
        LireTexteGrille(lue.grille, grille);
        code = std::max(code, traiter(SourceGrille{nom, numero, false}, grille));
    }
    if (entree.bad()) {
        MessageErreur(Prefixe(commande) + " : erreur de lecture");
        code = std::max(code, static_cast<int>(CodeLecture));
    }
    return code;
}

}  // namespace

int ParcourirGrilles(const CommandeCli& commande, const ArgumentsLus& lus,
                     const std::function<int(const SourceGrille&, CGrille&)>& traiter)
{
    if (const auto chemin = lus.Valeur("--lignes")) {
        if (*chemin == "-") return ParcourirLignes(commande, std::cin, traiter);
        // Un fichier ordinaire ou un tube ; ni dossier ni périphérique (sans fin).
        const std::filesystem::path systeme = CheminSysteme(*chemin);
        std::error_code erreur;
        const auto etat = std::filesystem::status(systeme, erreur);
        std::ifstream entree;
        if (std::filesystem::is_regular_file(etat) || std::filesystem::is_fifo(etat)) {
            entree.open(systeme, std::ios::binary);
        }
        if (!entree.is_open()) {
            MessageErreur(Prefixe(commande) + " : impossible d'ouvrir « " + *chemin + " »");
            return CodeLecture;
        }
        return ParcourirLignes(commande, entree, traiter);
    }
    int code = CodeSucces;
    const bool plusieurs = lus.positionnels.size() > 1;
    for (const std::string& fichier : lus.positionnels) {
        if (!std::cout) break;  // comme pour une liste
        CGrille grille;
        grille.ViderGrille();
        if (const auto erreur = LireFichierGrille(fichier, grille)) {
            MessageErreur((plusieurs ? fichier + " : " : "") + *erreur);
            code = std::max(code, static_cast<int>(CodeLecture));
            continue;
        }
        code = std::max(code, traiter(SourceGrille{fichier, 0, plusieurs}, grille));
    }
    return code;
}
