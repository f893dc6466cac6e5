// Outils communs des tests du moteur : listes de grilles publiques, remplissage d'une
// grille depuis une ligne de 81 caractères, trace gardée en mémoire, accès au pilote.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "engine/grille.h"
#include "tests/support/listes.h"
#include "tests/support/sortiememoire.h"

// Les opérations du pilote, une à une, et ses niveaux et ses candidats posés à la main.
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
    // Les drapeaux de candidats d'une case vide posés tels quels (un état de départ pour les
    // déductions), à revoir comme tout drapeau qui n'est pas forcément exact.
    static void FixerPossibles(CGrille& grille, int32_t ligne, int32_t colonne, uint16_t possibles)
    {
        const int32_t i = ligne * 9 + colonne;
        grille.ChangerPossibles(i, possibles & 0x1FF);
        grille.aRevoir.Ajouter(i);
    }
};

inline bool Resolue(FinResolution fin) { return fin == FinResolution::Resolue; }
