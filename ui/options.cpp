#include "ui/options.h"

#include <string>

#include "skin/registre.h"

namespace {

bool Allume(std::string_view cle)
{
    const Reglage reglage = LireReglage(std::string(cle));
    return reglage.erreur == 0 && reglage.valeur == "1";
}

}  // namespace

OptionsJeu LireOptionsJeu()
{
    return {Allume(CleMontrerConflits), Allume(CleSurligner), Allume(CleReprendrePartie), Allume(CleChronometre),
            Allume(CleFelicitations)};
}

int EcrireOptionsJeu(const OptionsJeu& options, const OptionsJeu& avant)
{
    int erreur = 0;
    const auto ecrire = [&erreur](std::string_view cle, bool valeur, bool ancienne) {
        if (valeur == ancienne) return;
        const int code = EcrireRegistre(std::string(cle), valeur ? "1" : "0");
        if (erreur == 0) erreur = code;
    };
    ecrire(CleMontrerConflits, options.montrerConflits, avant.montrerConflits);
    ecrire(CleSurligner, options.surligner, avant.surligner);
    ecrire(CleReprendrePartie, options.reprendrePartie, avant.reprendrePartie);
    ecrire(CleChronometre, options.chronometre, avant.chronometre);
    ecrire(CleFelicitations, options.felicitations, avant.felicitations);
    return erreur;
}
