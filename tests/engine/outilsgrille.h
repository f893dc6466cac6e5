// Outils communs des tests du moteur : listes de grilles publiques, remplissage d'une
// grille depuis une ligne de 81 caractères, trace gardée en mémoire, accès au pilote.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "engine/grille.h"
#include "tests/support/listes.h"
#include "tests/support/sortiememoire.h"

// Les opérations du pilote, une à une, et ses niveaux posés à la main.
class CEssaiPilote {
public:
    static void FixerNiveau(CGrille& grille, int32_t niveau) { grille.niveauCourant = niveau; }
    static Hypothese& Niveau(CGrille& grille, int32_t niveau) { return grille.hypotheses[niveau]; }
    static int32_t ChoisirCaseHypothese(const CGrille& grille) { return grille.ChoisirCaseHypothese(); }
    static void PoserHypothese(CGrille& grille, int32_t code, CSuiviSolveur* suivi = nullptr)
    {
        grille.PoserHypothese(code, suivi);
    }
    static void AnnulerNiveau(CGrille& grille) { grille.AnnulerNiveau(); }
};

inline bool Resolue(FinResolution fin) { return fin == FinResolution::Resolue; }
