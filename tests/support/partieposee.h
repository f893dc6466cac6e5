// Une partie mise dans un état qu'aucun clic ne donne (une case d'une origine voulue, une
// grille sans solution gardée…), par le seul chemin public qui pose tout un état d'un coup : le
// lecteur de la partie gardée. Rien n'écrit la partie autrement que ses propres commandes.
#pragma once

#include <functional>
#include <optional>
#include <sstream>
#include <string>

#include "game/partie.h"

// L'état que `partie` garderait, relu.
inline PartieGardee EtatGarde(const CPartie& partie)
{
    PartieGardee etat;
    std::istringstream texte(partie.TexteGarde());
    LirePartieGardee(texte, etat);
    return etat;
}

// `partie` reprend `etat` : rien quand c'est fait, sinon la raison du refus.
inline std::optional<std::string> Poser(CPartie& partie, const PartieGardee& etat)
{
    std::istringstream texte(EcrirePartieGardee(etat));
    return partie.ReprendreDepuis(texte);
}

// Les cases de `partie` changées par `changer` (sur une grille qui n'a que ses chiffres et
// leurs origines) : la partie, en jeu, reprend ces cases sans solution gardée ni coups, avec
// ses notes, sa palette et sa ligne d'état. Faux si le lecteur refuse.
inline bool ChangerCases(CPartie& partie, const std::function<void(CGrille&)>& changer)
{
    PartieGardee etat = EtatGarde(partie);
    CGrille cases;
    for (int i = 0; i < 81; ++i) {
        const Case& c = partie.Grille().LireCase(i / 9, i % 9);
        cases.ChangerCase(i / 9, i % 9, c.chiffre, c.origine);
    }
    changer(cases);
    etat.grille = cases;
    etat.historique = {};
    return !Poser(partie, etat);
}
