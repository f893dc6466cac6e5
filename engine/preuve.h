// Preuve par l'absurde, à essayer avant toute hypothèse ouverte : on suppose un candidat, on
// n'en tire que des poses simples (seul candidat, seule place), et s'il s'ensuit, en peu de
// poses, une case sans chiffre ou un chiffre sans place, le candidat est faux. La preuve garde
// seulement les poses dont la contradiction dépend, dans leur ordre : chacune est vraie au
// moment où on la dit, sous l'essai et les précédentes. Sans Qt ; les mots sont dans game/.
#pragma once

#include <optional>
#include <vector>

#include "engine/raisonnement.h"

// Une pose de la chaîne : seul candidat (sans unité), ou seule place dans `unite`.
struct Implication {
    Technique technique = Technique::SeulCandidat;
    CaseChiffre pose;
    Unite unite;
};

// « si `essai`, alors chaine[0], chaine[1]… ; et la contradiction » : `caseVide` n'a plus de
// chiffre (CaseSansChiffre), ou `chiffre` n'a plus de place dans `unite` (ChiffreSansPlace).
struct Preuve {
    CaseChiffre essai;
    std::vector<Implication> chaine;
    GenreContradiction contradiction = GenreContradiction::Aucune;
    Coordonnees caseVide;
    Unite unite;
    int32_t chiffre = 0;
};

// La plus courte preuve (au plus `longueurMax` poses dans la chaîne) qui ôte un candidat de
// la position et des candidats donnés (croisés avec ceux que permettent les chiffres posés) ;
// à longueur égale, la case aux moins de candidats, puis la première en lecture, puis le plus
// petit chiffre. Rien s'il n'y en a pas.
std::optional<Preuve> ChercherPreuve(const Position& position, const Candidats& candidats, int32_t longueurMax);
