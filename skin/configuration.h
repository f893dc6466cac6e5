// Fichier de couleurs d'un skin (.cfg) : six clés "Init=", "DeduitOrdi=", "HypoOrdi=",
// "CoupDeMain=", "CoupJoueur=", "HypoJoueur=", chacune suivie de rouge, vert, bleu.
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

struct ResultatConfiguration {
    TableCouleurs couleurs{};            // toujours les onze entrées (noires après un échec)
    int resultat = 1;                    // 1 fichier lu (même fautif), -1 impossible à ouvrir
    std::optional<std::string> message;  // message à montrer, chemin complet compris
};

// Analyse un contenu déjà ouvert ; `chemin` ne sert qu'au message.
ResultatConfiguration AnalyserConfiguration(std::istream& entree, const std::string& chemin);
// Ouvre et analyse `chemin`.
ResultatConfiguration LireConfiguration(const std::string& chemin);
