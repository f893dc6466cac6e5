// Fuzzing de l'analyse d'un fichier de couleurs : la table garde ses onze couleurs sur
// 24 bits, le message éventuel est l'un des deux textes du programme avec le chemin, et les
// couleurs s'accordent avec un modèle direct du format (clés, virgules, atoi, 8 bits bas).
#include <array>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "fuzz/invariant.h"
#include "skin/configuration.h"

namespace {

constexpr std::array<std::string_view, 6> cles = {
    "Init=", "DeduitOrdi=", "HypoOrdi=", "CoupDeMain=", "CoupJoueur=", "HypoJoueur=",
};
// Clé qui remplit chaque entrée de la table.
constexpr std::array<int, 11> cleDeLEntree = {0, 0, 1, 1, 2, 3, 4, 5, 0, 1, 0};

// atoi ; faux quand le nombre ne tiendrait pas dans un int (atoi n'y a pas de sens).
bool Atoi(std::string_view champ, int64_t& valeur)
{
    std::size_t i = 0;
    while (i < champ.size() && std::isspace(static_cast<unsigned char>(champ[i]))) ++i;
    bool negatif = false;
    if (i < champ.size() && (champ[i] == '+' || champ[i] == '-')) negatif = champ[i++] == '-';
    valeur = 0;
    for (; i < champ.size() && champ[i] >= '0' && champ[i] <= '9'; ++i) {
        valeur = valeur * 10 + (champ[i] - '0');
        if (valeur > INT32_MAX) return false;
    }
    if (negatif) valeur = -valeur;
    return true;
}

// Modèle de référence : rend faux si un champ déborde d'un int.
bool Modele(std::string_view texte, TableCouleurs& couleurs, bool& fautif)
{
    std::array<std::array<int64_t, 3>, 6> rvb{};
    int64_t nombre = 0;
    for (std::string_view ligne : DecouperLignes(texte)) {
        // Une ligne se lit comme une chaîne C : elle s'arrête au premier octet nul.
        ligne = ligne.substr(0, ligne.find('\0'));
        for (std::size_t k = 0; k < cles.size(); ++k) {
            if (ligne.substr(0, cles[k].size()) != cles[k]) continue;
            std::string_view reste = ligne.substr(cles[k].size());
            for (int champ = 0; champ < 3;) {
                while (!reste.empty() && reste[0] == ',') reste.remove_prefix(1);
                if (reste.empty()) break;
                const auto virgule = reste.find(',');
                int64_t valeur = 0;
                if (!Atoi(reste.substr(0, virgule), valeur)) return false;
                rvb[k][champ++] = valeur & 0xFF;
                ++nombre;
                reste = virgule == std::string_view::npos ? std::string_view{} : reste.substr(virgule);
            }
            break;
        }
    }
    fautif = nombre != 18;
    for (std::size_t e = 0; e < couleurs.size(); ++e) {
        const auto& c = rvb[cleDeLEntree[e]];
        couleurs[e] = fautif ? 0 : static_cast<Couleur>(c[0] | (c[1] << 8) | (c[2] << 16));
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, std::size_t taille)
{
    const std::string texte(reinterpret_cast<const char*>(donnees), taille);
    const std::string chemin = "/opt/novemia/skin/Bois, l'été.cfg";
    std::istringstream entree(texte);
    const ResultatConfiguration r = AnalyserConfiguration(entree, chemin);

    NOVEMIA_EXIGER(r.couleurs.size() == 11);
    for (const Couleur c : r.couleurs) NOVEMIA_EXIGER((c & 0xFF000000u) == 0);
    // Un contenu déjà ouvert est toujours lu : seul le message « comporte des erreurs » peut venir.
    NOVEMIA_EXIGER(r.resultat == 1);
    if (r.message) {
        NOVEMIA_EXIGER(*r.message == "Le fichier de configuration " + chemin + " comporte des erreurs");
        for (const Couleur c : r.couleurs) NOVEMIA_EXIGER(c == 0);
    }

    TableCouleurs attendues{};
    bool fautif = false;
    if (Modele(texte, attendues, fautif)) {
        NOVEMIA_EXIGER(r.message.has_value() == fautif);
        NOVEMIA_EXIGER(r.couleurs == attendues);
    }
    return 0;
}
