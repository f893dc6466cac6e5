// Lecture et écriture du fichier de grille .sdu.
#include "files/fichiergrille.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "files/ecriture.h"
#include "files/lignebornee.h"
#include "files/plateforme.h"
#include "files/textegrille.h"

namespace {

// Assez pour savoir qu'une ligne n'en fait pas 9, jamais toute une ligne démesurée.
constexpr size_t LongueurGardee = 9;

}  // namespace

std::optional<std::string> LireFichierGrille(std::istream& entree, CGrille& grille)
{
    int32_t lignesGrille = 0;
    LigneBornee ligne;
    while (LireLigneBornee(entree, LongueurGardee, ligne)) {
        if (!ligne.debut.empty() && ligne.debut[0] == '#') {
            continue;
        }
        if (lignesGrille == 9) {
            return std::string(MessageTropDeLignes);
        }
        if (ligne.tropLongue || ligne.debut.size() != 9) {
            return std::string(MessageNeufCaracteres);
        }
        for (size_t j = 0; j < 9; ++j) {
            if (!CaractereDeGrille(ligne.debut[j])) {
                return std::string(MessageCaractereInterdit);
            }
        }
        // "." et "0" laissent la case telle quelle : l'appelant a vidé la grille.
        for (size_t j = 0; j < 9; ++j) {
            const char c = ligne.debut[j];
            if (c >= '1' && c <= '9') {
                grille.PoserIndice(lignesGrille, static_cast<int32_t>(j), c - '0');
            }
        }
        ++lignesGrille;
    }
    if (entree.bad()) {
        return std::string(MessageOuvertureGrille);
    }
    if (lignesGrille < 9) {
        return std::string(MessagePasAssezDeLignes);
    }
    return std::nullopt;
}

std::optional<std::string> LireFichierGrille(const std::string& chemin, CGrille& grille)
{
    // Seul un fichier ordinaire est lu : un dossier ou un périphérique (sans fin) ne l'est pas.
    const std::filesystem::path systeme = CheminSysteme(chemin);
    std::error_code erreur;
    if (!std::filesystem::is_regular_file(systeme, erreur)) {
        return std::string(MessageOuvertureGrille);
    }
    std::ifstream entree(systeme, std::ios::binary);
    if (!entree.is_open()) {
        return std::string(MessageOuvertureGrille);
    }
    return LireFichierGrille(entree, grille);
}

namespace {

// Les 99 octets du fichier : neuf lignes de neuf caractères, chacune suivie de CR LF.
std::string TexteGrille(const CGrille& grille) { return EnNeufLignes(TexteIndices(grille), "\r\n"); }

}  // namespace

void EcrireFichierGrille(std::ostream& sortie, const CGrille& grille)
{
    const std::string texte = TexteGrille(grille);
    sortie.write(texte.data(), static_cast<std::streamsize>(texte.size()));
}

bool EcrireFichierGrille(const std::string& cheminChoisi, const CGrille& grille)
{
    // Comme l'exportation l'a toujours fait, un fichier qu'on peut écrire dans un dossier fermé à
    // la création est vidé puis réécrit. Le nouveau contenu en place, même sans confirmation
    // du système pour son dossier, est une grille exportée.
    return EcrireFichierEnBloc(cheminChoisi, TexteGrille(grille), RecoursSurPlace::Permis) != Ecriture::Echouee;
}

std::string NomSansDossier(const std::string& chemin)
{
    const size_t separateur = chemin.find_last_of(SeparateursChemin);
    return separateur == std::string::npos ? chemin : chemin.substr(separateur + 1);
}
