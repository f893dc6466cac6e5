// Ce que les sous-commandes de novemia-cli partagent : un seul analyseur des arguments, le
// fichier de trace demandé par --trace et la fin commune (sorties vidées, code le plus grave).
//
// Partout, « -h », « --help » et « --aide » écrivent l'aide de la commande et rendent 0 ; une
// option inconnue, répétée, sans valeur ou de valeur vide est refusée de la même façon (code
// 64, l'aide sur la sortie d'erreur) ; « -- » termine les options.
#pragma once

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

// Une sous-commande telle que l'analyseur la connaît.
struct CommandeCli {
    std::string_view nom;    // « resoudre »
    std::string_view aide;   // l'usage et les options, sans la table des codes de sortie
    std::span<const DefinitionOption> options;
};

struct ArgumentsLus {
    std::map<std::string, std::string, std::less<>> options;  // nom → valeur ("" sans valeur)
    std::vector<std::string> positionnels;                   // les autres, dans l'ordre

    std::optional<std::string> Valeur(std::string_view nom) const;
    bool Present(std::string_view nom) const { return options.find(nom) != options.end(); }
};

// Lit argv[1…] (argv[0] est le nom de la sous-commande). Rend le code de sortie quand la
// commande s'arrête là (aide demandée, mauvais usage), rien sinon.
std::optional<int> LireArguments(const CommandeCli& commande, int argc, char** argv, ArgumentsLus& lus);

// Mauvais usage : « novemia-cli <commande> : <erreur> », l'aide et les codes sur la sortie
// d'erreur ; rend le code 64.
int RefusUsage(const CommandeCli& commande, const std::string& erreur);

// Écrit sur la sortie d'erreur, après ce qui précède sur la sortie standard.
void MessageErreur(const std::string& texte);

// Les grilles d'une commande : des fichiers .sdu, ou une liste d'une grille par ligne
// (« --lignes LISTE », « - » pour l'entrée standard).
struct SourceGrille {
    std::string nom;         // le fichier, ou « ligne N » de la liste
    bool ligne = false;      // lue dans une liste
    bool plusieurs = false;  // un fichier parmi plusieurs
};
// Mauvais usage des entrées (aucune, les deux sortes à la fois, un nom vide) : code 64.
std::optional<int> ControlerEntrees(const CommandeCli& commande, const ArgumentsLus& lus);
// Lit chaque grille comme l'importation du jeu (mêmes contrôles, mêmes messages) et la remet
// à `traiter`, qui rend son code ; une grille illisible est dite sur la sortie d'erreur (code
// 2) et sautée. Rend le code le plus grave.
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
