// La part des réglages qui ne dépend pas du magasin : les emplacements et le texte montré.
#include "skin/emplacementsreglages.h"
#include "skin/registre.h"

#include <optional>

namespace {

std::optional<EmplacementsReglages>& EmplacementsCourants()
{
    static std::optional<EmplacementsReglages> emplacements;
    return emplacements;
}

}  // namespace

const EmplacementsReglages& Emplacements()
{
    if (!EmplacementsCourants()) PreparerEmplacementsReglages();
    return *EmplacementsCourants();
}

void DefinirEmplacements(EmplacementsReglages emplacements) { EmplacementsCourants() = std::move(emplacements); }

std::vector<std::string> EmplacementsDansLOrdre()
{
    std::vector<std::string> tous{Emplacements().utilisateur};
    tous.insert(tous.end(), Emplacements().machine.begin(), Emplacements().machine.end());
    return tous;
}

std::string FichierReglagesUtilisateur() { return Emplacements().utilisateur; }

std::vector<std::string> FichiersReglagesMachine() { return Emplacements().machine; }

std::string LireRegistre(const std::string& nom) { return TexteReglage(LireReglage(nom)); }

std::string TexteReglage(const Reglage& reglage)
{
    if (reglage.erreur != 0) return "Erreur : Base de registre (" + std::to_string(reglage.erreur) + ")";
    return reglage.valeur.empty() ? "ERR" : reglage.valeur;
}
