// La partie : l'état du jeu (grille, drapeaux, palette) et toutes les commandes du menu
// « Grille », le générateur, les coups de main et les règles des clics. Ne connaît l'écran
// que par CIhm, si bien que tout le jeu tourne sans fenêtre.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

#include "engine/grille.h"
#include "engine/hasard.h"
#include "files/fichiertrace.h"
#include "game/generateur.h"
#include "game/ihm.h"

inline constexpr std::string_view QuestionPerteGrille =
    "Vous allez perdre la grille en cours ! Voulez-vous continuer ?";
inline constexpr std::string_view QuestionPerteCoups =
    "Vous allez perdre vos coups sur la grille en cours ! Voulez-vous continuer ?";

class CPartie {
public:
    explicit CPartie(CIhm& ihm);
    CPartie(const CPartie&) = delete;
    CPartie& operator=(const CPartie&) = delete;

    CGrille grille;  // cases, solution, hypotheses, niveauCourant, traceActive
    CHasard hasard;
    CGenerateur generateur{grille, hasard};  // porte nbInitNiveau

    bool grilleEnCours = false;
    bool modeCreation = false;
    int32_t chiffreSelectionne = -1;  // -1 rien, 0 la gomme, 1 à 9 un chiffre
    int32_t modeHypothese = 0;        // 1 : les chiffres du joueur sont des hypothèses
    std::string nomFichier;
    // Vrai seulement quand `grille.solution` est celle de la grille en jeu : posé par un
    // ResoudreEtMemoriser réussi, effacé dès que la grille en jeu est remplacée ou vidée.
    bool solutionConnue = false;
    CFichierTrace fichierTrace;
    std::string statutBase = " Pas de grille";
    // Heure utilisée par la trace (remplaçable dans les tests).
    std::function<std::time_t()> horloge = [] { return std::time(nullptr); };

    // Affichage
    void AfficherCase(int ligne, int colonne);
    void AfficherGrille();
    void DeselectionnerPalette();
    // La ligne d'état : un texte de base (" Grille importée (…)"…), auquel un résultat
    // " >>> …" s'ajoute ; une remarque en remplace une autre, la remise à zéro l'ôte.
    void ChangerStatut(const std::string& base);
    void AjouterResultat(std::string_view resultat);

    // Clics déjà rapportés à une case ou à une entrée de palette par la fenêtre.
    void CliquerCase(int ligne, int colonne);
    void CliquerPalette(int entree);  // 0-8 chiffres, 9 gomme, 10 "?"

    // Commandes du menu « Grille »
    void OnCreer();
    void OnFacile() { GenererGrille(Facile); }
    void OnMoyen() { GenererGrille(Moyen); }
    void OnDifficile() { GenererGrille(Difficile); }
    void OnDiabolique() { GenererGrille(Diabolique); }
    void OnImporter();
    void OnExporter();
    void RemettreAZero();
    void OnCoupDeMain1() { DonnerCoupDeMain(1); }
    void OnCoupDeMain2() { DonnerCoupDeMain(2); }
    void OnCoupDeMain3() { DonnerCoupDeMain(3); }
    void OnResoudre();
    void OnVerifier();
    void OnTrace();

    // Question, curseur d'attente autour du générateur, solution gardée, plateau et statut.
    void GenererGrille(NiveauGrille niveau);
    void DonnerCoupDeMain(int n);
    bool LireGrille();
    bool ResoudreEtMemoriser();  // montre MessageSansSolution en cas d'échec

private:
    CIhm& ihm;
};
