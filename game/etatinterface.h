// L'état de l'interface, à part de celui de la partie : ce que le joueur a choisi de voir et
// de jouer (palette, mode hypothèse, préférences d'aspect), où en sont le curseur du clavier et
// la dernière case cliquée, la ligne d'état, et ce que l'écran montre déjà de chaque case. Seule
// la partie le change, par ses règles (clics, touches, commandes) ; la fenêtre, les captures et
// les tests le lisent par CPartie::Interface(). Ce qui s'ajoutera à l'écran sans être de la
// partie (une pause, l'étape d'un indice…) a sa place ici.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "game/ihm.h"

// Ce que le joueur choisit de voir dans « Préférences » ; tout est éteint au départ.
struct OptionsPartie {
    bool montrerConflits = false;  // les chiffres répétés dans leur ligne, colonne ou région
    // La ligne, la colonne et la région de la case choisie ; et, dans la palette, les chiffres
    // posés neuf fois, et sur le plateau les cases vides où le chiffre choisi peut encore aller.
    bool surligner = false;
    bool felicitations = false;  // un message quand le joueur remplit la grille sans faute
    bool operator==(const OptionsPartie&) const = default;
};

// Une case (ligne, colonne), de 0 à 8.
using Coordonnee = std::pair<int, int>;

struct EtatInterface {
    int32_t chiffreSelectionne = -1;  // -1 rien, 0 la gomme, 1 à 9 un chiffre
    int32_t modeHypothese = 0;        // 1 : les chiffres du joueur sont des hypothèses
    // Le curseur du clavier : rien avant le premier appui d'une flèche, puis toujours une case.
    std::optional<Coordonnee> curseur;
    // La dernière case cliquée, où le curseur paraît d'abord ((0, 0) avant tout clic).
    std::optional<Coordonnee> caseCliquee;
    // La ligne d'état : un texte de base, et le résultat qui s'y ajoute (" >>> …").
    std::string statutBase = " Pas de grille";
    std::string statutResultat;
    OptionsPartie options;
    // Ce que l'écran montre déjà de chaque case au-delà de son chiffre (notes visibles,
    // teintes) : seul ce qui change lui est envoyé.
    std::array<AspectCase, 81> aspectsMontres{};
    uint16_t chiffresFinisMontres = 0;  // bit d-1 pour d
    // « Pause » : les chiffres cachés, le temps arrêté.
    bool pause = false;
    // La fenêtre active et montrée : le temps ne court qu'alors (jamais sans fenêtre qui le dise).
    bool fenetreActive = false;
    // Où en est l'indice de « Pourquoi ? » (0 : aucun, puis 1 à 3), et sur quelles cases,
    // quelles notes et quels coups (joués, et en tout) il a été donné : un coup, même défait
    // ensuite, le fait repartir du début.
    int32_t tempsIndice = 0;
    std::array<int32_t, 81> positionIndice{};
    std::array<uint16_t, 81> notesIndice{};
    std::pair<std::size_t, std::size_t> coupsIndice{};
};
