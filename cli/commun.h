// Ce que les sous-commandes de novemia-cli partagent : un seul analyseur des arguments, le
// fichier de trace demandé par --trace et la fin commune (sorties vidées, code le plus grave).
//
// Partout, « -h », « --help » et « --aide » écrivent l'aide de la commande et rendent 0 ; une
// option inconnue, répétée, sans valeur ou de valeur vide est refusée de la même façon (code
// 64, l'aide sur la sortie d'erreur) ; « -- » termine les options.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/grille.h"
#include "files/fichiertrace.h"

struct DefinitionOption {
    std::string_view nom;  // « --trace »
    bool avecValeur = true;
};

struct ArgumentsLus {
    std::map<std::string, std::string, std::less<>> options;  // nom → valeur ("" sans valeur)
    std::vector<std::string> positionnels;                   // les autres, dans l'ordre

    std::optional<std::string> Valeur(std::string_view nom) const;
    bool Present(std::string_view nom) const { return options.find(nom) != options.end(); }
};

// L'aide des grilles à lire, la même pour chaque commande qui en lit.
inline constexpr std::string_view AideFichier =
    "  FICHIER           grille au format .sdu (neuf lignes de neuf caractères)\n";
inline constexpr std::string_view AideListe =
    "  --lignes FICHIER  une grille par ligne (81 caractères), « - » pour l'entrée standard\n";

// Une sous-commande telle que l'analyseur la connaît. Son aide et l'usage général de
// novemia-cli sont formés de ses `formes` : il n'y a qu'un texte à tenir.
struct CommandeCli {
    std::string_view nom;                      // « resoudre »
    std::span<const std::string_view> formes;  // ses arguments, une forme par usage
    std::span<const std::string_view> details;  // les arguments et options expliqués, bout à bout
    std::span<const DefinitionOption> options;
    int (*executer)(const ArgumentsLus& lus);  // la commande, ses arguments lus ; rend son code
};

// Les lignes « novemia-cli <commande> <forme> » de la commande, la première après `premiere`,
// les autres après `suivantes`.
std::string FormesCommande(const CommandeCli& commande, std::string_view premiere, std::string_view suivantes);

// Lit argv[1…] (argv[0] est le nom de la sous-commande) et exécute la commande. L'aide
// demandée est écrite sur la sortie standard (code 0, 74 si elle n'a pas pu s'écrire).
int LancerCommande(const CommandeCli& commande, int argc, char** argv);

// Mauvais usage : « novemia-cli <commande> : <erreur> », l'aide et les codes sur la sortie
// d'erreur ; rend le code 64.
int RefusUsage(const CommandeCli& commande, const std::string& erreur);

// La sortie standard vidée ; si elle n'a pas pu s'écrire en entier (disque plein, tube fermé),
// « <qui> : écriture impossible… » sur la sortie d'erreur et le code 74. Rend le plus grave.
int VerifierSortie(std::string_view qui, int code);

// Écrit sur la sortie d'erreur, après ce qui précède sur la sortie standard.
void MessageErreur(const std::string& texte);

// Les grilles d'une commande : des fichiers .sdu, ou une liste d'une grille par ligne
// (« --lignes LISTE », « - » pour l'entrée standard).
struct SourceGrille {
    std::string nom;          // le fichier, ou « ligne N » de la liste
    std::uint64_t ligne = 0;  // N pour une grille lue dans une liste, 0 pour un fichier
    bool plusieurs = false;   // un fichier parmi plusieurs
};
// Mauvais usage des entrées (code 64) : aucune, les deux sortes à la fois, un nom vide ou qui
// casserait les lignes de la sortie (caractère de contrôle), une trace qui est l'une d'elles.
std::optional<int> ControlerEntrees(const CommandeCli& commande, const ArgumentsLus& lus);
// Lit chaque grille comme l'importation du jeu (mêmes contrôles, mêmes messages) et la remet
// à `traiter`, qui rend son code ; une grille illisible est dite sur la sortie d'erreur (code
// 2) et sautée. S'arrête à la première écriture de la sortie standard en échec. Rend le code
// le plus grave.
int ParcourirGrilles(const CommandeCli& commande, const ArgumentsLus& lus,
                     const std::function<int(const SourceGrille&, CGrille&)>& traiter);

// Le fichier de trace d'une commande, s'il est demandé : ouvert dès la construction (avec un
// message si c'est impossible), il suit chaque résolution.
class CJournal {
public:
    CJournal(const CommandeCli& commande, const std::optional<std::string>& chemin);
    // Faux seulement quand une trace demandée n'a pas pu être créée (code 73).
    bool Ouvert() const { return !demande || fichier.EstOuvert(); }
    CSuiviSolveur* Suivi() { return fichier.EstOuvert() ? &fichier : nullptr; }

private:
    friend int FinCommande(const CommandeCli& commande, int code, CJournal* journal);
    bool demande = false;
    CFichierTrace fichier;
};

// La fin de toute commande : la trace fermée, s'il y en a une, et la sortie standard vidée ;
// l'une ou l'autre incomplète (disque plein…) est dite et donne le code 74. Rend le code le
// plus grave.
int FinCommande(const CommandeCli& commande, int code, CJournal* journal = nullptr);
