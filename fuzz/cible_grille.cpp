// Fuzzing du lecteur de fichier de grille : toute entrée donne soit une grille faite
// d'indices 1-9 et de cases vides, soit l'un des messages du programme, et la lecture
// s'accorde avec un modèle direct du format (lignes "#" ignorées, neuf lignes de neuf).
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "files/fichiergrille.h"
#include "fuzz/invariant.h"

namespace {

struct Attendu {
    std::optional<std::string_view> message;
    std::array<std::array<int, 9>, 9> chiffres{};
};

// Modèle de référence, sur le texte entier (la taille des entrées de fuzzing est bornée).
// Rend faux quand l'entrée sort de ce que le format fixe sans ambiguïté (un CR isolé).
bool Modele(std::string_view texte, Attendu& attendu)
{
    const std::vector<std::string_view> lignes = DecouperLignes(texte);
    for (const std::string_view ligne : lignes) {
        if (ligne.find('\r') != std::string_view::npos) return false;
    }
    int lues = 0;
    for (const std::string_view ligne : lignes) {
        if (!ligne.empty() && ligne[0] == '#') continue;
        if (lues == 9) {
            attendu.message = MessageTropDeLignes;
            return true;
        }
        if (ligne.size() != 9) {
            attendu.message = MessageNeufCaracteres;
            return true;
        }
        for (int c = 0; c < 9; ++c) {
            const char k = ligne[c];
            if (k >= '1' && k <= '9') {
                attendu.chiffres[lues][c] = k - '0';
            } else if (k != '.' && k != '0') {
                attendu.message = MessageCaractereInterdit;
                return true;
            }
        }
        ++lues;
    }
    if (lues < 9) attendu.message = MessagePasAssezDeLignes;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, std::size_t taille)
{
    const std::string texte(reinterpret_cast<const char*>(donnees), taille);
    std::istringstream entree(texte);
    CGrille grille;
    const std::optional<std::string> message = LireFichierGrille(entree, grille);

    // Quoi qu'il arrive : des chiffres 0-9, et seulement des cases vides ou des indices.
    for (int i = 0; i < 81; ++i) {
        const Case& k = grille.LireCase(i / 9, i % 9);
        NOVEMIA_EXIGER(k.chiffre >= 0 && k.chiffre <= 9);
        NOVEMIA_EXIGER(k.origine == Vide || k.origine == Init);
        NOVEMIA_EXIGER((k.chiffre == 0) == (k.origine == Vide));
    }
    // Un flux en mémoire s'ouvre toujours : seuls les messages de format peuvent venir.
    if (message) {
        NOVEMIA_EXIGER(*message == MessageTropDeLignes || *message == MessageNeufCaracteres ||
                       *message == MessagePasAssezDeLignes || *message == MessageCaractereInterdit);
    }

    Attendu attendu;
    if (Modele(texte, attendu)) {
        NOVEMIA_EXIGER(message.has_value() == attendu.message.has_value());
        if (message) {
            NOVEMIA_EXIGER(*message == *attendu.message);
        } else {
            for (int l = 0; l < 9; ++l) {
                for (int c = 0; c < 9; ++c) NOVEMIA_EXIGER(grille.LireCase(l, c).chiffre == attendu.chiffres[l][c]);
            }
        }
    }
    return 0;
}
