// Fuzzing de la partie gardée : toute entrée est soit refusée avec l'une des raisons dites au
// joueur, la partie restant telle qu'elle était, soit reprise entière ; une partie reprise se
// garde en un texte qui, relu, redonne le même texte, et se défait et se refait sans sortir
// de ce qu'elle a lu.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>

#include "fuzz/invariant.h"
#include "game/ihmmuette.h"
#include "game/partie.h"

namespace {

// Ce que la partie montre reste dans la grille et la palette.
class CIhmSurveillee : public CIhmMuette {
public:
    void MontrerCase(int ligne, int colonne, int32_t chiffre, OrigineCase origine) override
    {
        NOVEMIA_EXIGER(ligne >= 0 && ligne < 9 && colonne >= 0 && colonne < 9);
        NOVEMIA_EXIGER(chiffre >= 0 && chiffre <= 9 && origine >= Vide && origine <= HypoJoueur);
    }
    void MontrerAspect(int ligne, int colonne, const AspectCase& aspect) override
    {
        NOVEMIA_EXIGER(ligne >= 0 && ligne < 9 && colonne >= 0 && colonne < 9 && aspect.notes < 512);
    }
    void MontrerPalette(int entree, bool) override { NOVEMIA_EXIGER(entree >= 0 && entree <= 10); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, std::size_t taille)
{
    CIhmSurveillee ihm;
    CPartie partie(ihm);
    const std::string neuve = partie.TexteGarde();
    std::istringstream entree(std::string(reinterpret_cast<const char*>(donnees), taille));
    const std::optional<std::string> raison = partie.ReprendreDepuis(entree);
    if (raison) {
        NOVEMIA_EXIGER(*raison == "ce n'est pas une partie de Novemia" ||
                       *raison == "elle vient d'une version plus récente de Novemia" ||
                       *raison == "le fichier est abîmé" || *raison == "le fichier ne peut pas être lu");
        NOVEMIA_EXIGER(!partie.GrilleEnCours() && partie.TexteGarde() == neuve);
        return 0;
    }
    NOVEMIA_EXIGER(partie.GrilleEnCours() && !partie.ModeCreation());
    const std::string gardee = partie.TexteGarde();
    CIhmSurveillee autreIhm;
    CPartie relue(autreIhm);
    std::istringstream texte(gardee);
    NOVEMIA_EXIGER(!relue.ReprendreDepuis(texte));
    NOVEMIA_EXIGER(relue.TexteGarde() == gardee);
    // Tout défaire puis tout refaire ramène la partie lue.
    const std::size_t joues = partie.Historique().Joues().size(), tous = partie.Historique().Tous().size();
    for (std::size_t k = 0; k < joues; ++k) partie.Annuler();
    NOVEMIA_EXIGER(partie.Historique().Joues().empty());
    for (std::size_t k = 0; k < tous; ++k) partie.Refaire();
    for (std::size_t k = joues; k < tous; ++k) partie.Annuler();
    NOVEMIA_EXIGER(partie.TexteGarde() == gardee);
    return 0;
}
