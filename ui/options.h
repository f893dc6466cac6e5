// Les choix de « Préférences » au-delà du skin, gardés à côté de lui dans les réglages sous
// leurs noms (« 1 » allumé, toute autre valeur éteint) ; tous éteints tant que rien n'est écrit.
#pragma once

#include <string_view>

inline constexpr std::string_view CleMontrerConflits = "MontrerConflits";
inline constexpr std::string_view CleSurligner = "Surligner";
inline constexpr std::string_view CleReprendrePartie = "ReprendrePartie";
inline constexpr std::string_view CleChronometre = "Chronometre";
inline constexpr std::string_view CleFelicitations = "Felicitations";

struct OptionsJeu {
    bool montrerConflits = false;
    bool surligner = false;
    bool reprendrePartie = false;  // la partie gardée en fermant, reprise au prochain lancement
    bool chronometre = false;      // le temps de jeu, dans le coin droit de la barre de menus
    bool felicitations = false;    // un message quand la grille est remplie sans faute
    bool operator==(const OptionsJeu&) const = default;
};

OptionsJeu LireOptionsJeu();
// Écrit les choix qui diffèrent de `avant` ; 0, ou le code de la première écriture manquée.
int EcrireOptionsJeu(const OptionsJeu& options, const OptionsJeu& avant);
