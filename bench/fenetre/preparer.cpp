// Les réglages et les données d'un joueur pour la mesure du démarrage vue de l'extérieur
// (exterieur.py), dans un dossier à part : DOSSIER/reglages (XDG_CONFIG_HOME) et
// DOSSIER/donnees (XDG_DATA_HOME). « simple » : rien ; « reprise » : une partie gardée et
// « Reprendre la partie au prochain lancement » ; « tout » : la même partie et tous les choix
// de « Préférences » allumés.
#include <cstdio>
#include <filesystem>
#include <string>

#include "partiegardee.h"
#include "skin/emplacementsreglages.h"
#include "ui/options.h"

int main(int argc, char** argv)
{
    const std::string cas = argc == 3 ? argv[2] : "";
    if (cas != "simple" && cas != "reprise" && cas != "tout") {
        std::fputs("Usage : novemia-preparer-demarrage DOSSIER simple|reprise|tout\n", stderr);
        return 64;
    }
    const std::filesystem::path dossier = argv[1];
    std::filesystem::create_directories(dossier / "reglages");
    std::filesystem::create_directories(dossier / "donnees" / "novemia");
    if (cas == "simple")
        return 0;
    DefinirEmplacements({(dossier / "reglages" / "Novemia.conf").string(), {}});
    // « tout » : chaque choix de OptionsJeu, un nouveau compris.
    const OptionsJeu options{cas == "tout", cas == "tout", true};
    const bool gardee = GarderPartieDeMesure((dossier / "donnees" / "novemia" / "partie.novemia").string());
    return EcrireOptionsJeu(options, OptionsJeu{}) == 0 && gardee ? 0 : 1;
}
