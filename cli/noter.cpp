// « novemia-cli noter » : la technique la plus dure dont chaque grille a besoin et sa note, une
// ligne par grille, pour trier des grilles par difficulté (« sort -n »). L'échelle est celle de
// engine/raisonnement.h (Bilan).
#include <iostream>
#include <string>
#include <string_view>

#include "cli/commandes.h"
#include "cli/commun.h"
#include "engine/raisonnement.h"
#include "files/textegrille.h"
#include "game/explicationtechnique.h"

namespace {

constexpr std::string_view Formes[] = {"FICHIER [FICHIER…]", "--lignes FICHIER"};
constexpr std::string_view Details[] = {
    AideFichier, AideListe,
    "Une ligne par grille, champs séparés par des tabulations : la note, la technique la plus\n"
    "dure, puis la grille (81 caractères) ou le fichier. Échelle : 1.0 seul candidat, 1.5 seule\n"
    "place, 2.0 candidats verrouillés, 3.0 paire nue, 3.4 paire cachée, 3.6 triplet nu,\n"
    "4.0 triplet caché, 4.2 X-wing, 4.6 swordfish, 5.0 XY-wing, 5.2 XYZ-wing, 5.3 W-wing,\n"
    "5.4 paires distantes, 5.5 gratte-ciel, 5.6 cerf-volant, 5.7 rectangle unique, 5.8 BUG+1,\n"
    "5.9 coloriage, 6.2 chaîne X, 6.4 chaîne XY, 6.6 chaîne alternée, 6.8 preuve par\n"
    "l'absurde, 6 + n avec des hypothèses (n niveaux au plus à la fois) ; 0.0 sans solution\n"
    "ou déjà pleine.\n"};
constexpr DefinitionOption Options[] = {{"--lignes"}};

int NoterGrille(const SourceGrille& source, const CGrille& grille)
{
    const Position position = LirePosition(grille);
    // Des indices répétés n'ont pas de solution : inutile de chercher.
    const Bilan bilan = IndicesRepetes(position).empty() ? Noter(position) : Bilan{};
    // Une grille déjà pleine est résolue sans technique : note 0.0, dite comme dans son bilan.
    const std::string technique = !bilan.resolue          ? "sans solution"
                                  : bilan.plusDifficile ? std::string(NomTechnique(*bilan.plusDifficile))
                                                        : "grille déjà pleine";
    std::cout << TexteNote(bilan.note) << '\t' << technique << '\t'
              << (source.ligne ? TexteIndices(grille) : source.nom) << '\n';
    return bilan.resolue ? CodeSucces : CodeSansSolution;
}

int Executer(const ArgumentsLus& lus)
{
    if (const auto fin = ControlerEntrees(CommandeNoter, lus)) return *fin;
    std::ios::sync_with_stdio(false);
    return FinCommande(CommandeNoter, ParcourirGrilles(CommandeNoter, lus, NoterGrille));
}

}  // namespace

const CommandeCli CommandeNoter{"noter", Formes, Details, Options, Executer};
