// Fuzzing du lecteur de listes de grilles (« novemia-cli resoudre --lignes ») : une ligne du
// flux donne exactement une réponse (ignorée, grille de 81 caractères permis, ou message
// d'erreur du programme), et les réponses s'accordent avec un modèle direct du format.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "files/listegrilles.h"
#include "fuzz/invariant.h"

namespace {

constexpr std::size_t LongueurMax = 100;  // au-delà, fin de ligne exclue, une ligne est « trop longue »

// Ce que le modèle attend d'une ligne.
struct Attendu {
    std::string grille;
    std::optional<std::string> erreur;
};

Attendu Modele(std::string_view ligne)
{
    Attendu a;
    // Un commentaire est ignoré quelle que soit sa longueur.
    if (!ligne.empty() && ligne[0] == '#') return a;
    // Le CR d'un CR LF n'est pas de la ligne.
    if (ligne.ends_with('\r')) ligne.remove_suffix(1);
    if (ligne.size() > LongueurMax) {
        a.erreur = "une grille s'écrit en 81 caractères (ligne trop longue)";
        return a;
    }
    if (ligne.find_first_not_of(" \t\r") == std::string_view::npos) return a;
    while (!ligne.empty() && (ligne.back() == '\r' || ligne.back() == ' ' || ligne.back() == '\t')) {
        ligne.remove_suffix(1);
    }
    if (ligne.size() != 81) {
        a.erreur = "une grille s'écrit en 81 caractères (" + std::to_string(ligne.size()) + " lus)";
        return a;
    }
    for (std::size_t i = 0; i < ligne.size(); ++i) {
        if (ligne[i] != '.' && (ligne[i] < '0' || ligne[i] > '9')) {
            a.erreur = "caractère non autorisé en position " + std::to_string(i + 1);
            return a;
        }
    }
    a.grille = std::string(ligne);
    return a;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, std::size_t taille)
{
    const std::string texte(reinterpret_cast<const char*>(donnees), taille);
    std::vector<std::string_view> lignes;
    for (std::string_view reste = texte; !reste.empty();) {
        const auto fin = reste.find('\n');
        lignes.push_back(reste.substr(0, fin));
        reste = fin == std::string_view::npos ? std::string_view{} : reste.substr(fin + 1);
    }

    std::istringstream entree(texte);
    LigneDeGrilles lue;
    std::size_t numero = 0;
    while (LireLigneDeGrilles(entree, lue)) {
        NOVEMIA_EXIGER(numero < lignes.size());
        NOVEMIA_EXIGER(lue.grille.empty() || !lue.erreur);
        if (!lue.grille.empty()) {
            NOVEMIA_EXIGER(lue.grille.size() == 81);
            for (const char c : lue.grille) NOVEMIA_EXIGER(c == '.' || (c >= '0' && c <= '9'));
        }
        const Attendu attendu = Modele(lignes[numero]);
        NOVEMIA_EXIGER(lue.erreur == attendu.erreur);
        NOVEMIA_EXIGER(lue.grille == attendu.grille);
        ++numero;
    }
    NOVEMIA_EXIGER(numero == lignes.size());
    return 0;
}
