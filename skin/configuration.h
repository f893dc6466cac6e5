// Fichier de couleurs d'un skin (.cfg) : six clés "Init=", "DeduitOrdi=", "HypoOrdi=",
// "CoupDeMain=", "CoupJoueur=", "HypoJoueur=", chacune suivie de rouge, vert, bleu. Cinq
// clés facultatives, "Notes=", "Conflit=", "Surlignage=", "Explication=" et "Retrait=", ne
// comptent pas dans les valeurs exigées : absentes ou incomplètes, leur couleur par défaut
// s'applique.
// Sans Qt : la fenêtre affiche le message éventuel et range les couleurs.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>

// Couleur 0x00BBGGRR (rouge dans l'octet bas).
using Couleur = uint32_t;

// 0-7 par OrigineCase, 8 palette normale, 9 palette en évidence, 10 ligne d'état.
using TableCouleurs = std::array<Couleur, 11>;

inline constexpr Couleur ConflitParDefaut = 0x001E1EDC;  // rouge 220, vert 30, bleu 30

// Les couleurs des clés facultatives, chacune avec sa couleur par défaut.
struct CouleursAjoutees {
    Couleur notes = 0;                   // les notes du joueur ; celle de ses chiffres (CoupJoueur)
    Couleur conflit = ConflitParDefaut;  // un chiffre en conflit et la teinte de sa case
    Couleur surlignage = 0;              // autour de la case choisie ; celle de la palette en évidence
    Couleur explication = 0;             // les cases d'une explication ; celle des hypothèses du solveur
    Couleur retrait = ConflitParDefaut;  // les candidats qu'elle ôte, barrés dans les notes ; celle des conflits
    bool operator==(const CouleursAjoutees&) const = default;
};

struct ResultatConfiguration {
    TableCouleurs couleurs{};            // toujours les onze entrées (noires après un échec)
    CouleursAjoutees ajoutees{};         // toujours remplies, du fichier ou par défaut
    int resultat = 1;                    // 1 fichier lu (même fautif), -1 impossible à ouvrir
    std::optional<std::string> message;  // message à montrer, chemin complet compris
};

// Analyse un contenu déjà ouvert ; `chemin` ne sert qu'au message.
ResultatConfiguration AnalyserConfiguration(std::istream& entree, const std::string& chemin);
// Ouvre et analyse `chemin`.
ResultatConfiguration LireConfiguration(const std::string& chemin);
