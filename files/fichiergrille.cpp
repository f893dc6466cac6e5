// Lecture et écriture du fichier de grille .sdu.
#include "files/fichiergrille.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

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

bool EcrireSurPlace(const std::filesystem::path& chemin, const std::string& texte)
{
    const int descripteur = OuvrirFichierVide(chemin);
    if (descripteur < 0) {
        return false;
    }
    const bool reussi = EcrireTout(descripteur, texte);
    return FermerSurDisque(descripteur) && reussi;
}

}  // namespace

void EcrireFichierGrille(std::ostream& sortie, const CGrille& grille)
{
    const std::string texte = TexteGrille(grille);
    sortie.write(texte.data(), static_cast<std::streamsize>(texte.size()));
}

bool EcrireFichierGrille(const std::string& cheminChoisi, const CGrille& grille)
{
    // Un lien est suivi : c'est le fichier désigné qui est remplacé, le lien reste.
    const std::filesystem::path chemin = CheminReel(CheminSysteme(cheminChoisi));
    // Seul un fichier ordinaire où l'on peut écrire est remplacé : renommer par-dessus un
    // périphérique ou un tube en ferait un fichier, et un fichier protégé resterait protégé.
    std::error_code erreur;
    const std::filesystem::file_status etat = std::filesystem::status(chemin, erreur);
    const bool existe = std::filesystem::exists(etat);
    if (existe && (!std::filesystem::is_regular_file(etat) || !EcritureAutorisee(chemin))) {
        return false;
    }
    const std::string texte = TexteGrille(grille);
    // Écrit à côté puis renomme : un fichier existant n'est remplacé qu'une fois le nouveau
    // complet sur le disque.
    std::filesystem::path temporaire;
    int descripteur = -1;
    for (int essai = 0; essai < 100 && descripteur < 0; ++essai) {
        temporaire = chemin;
        temporaire += ".~" + std::to_string(NumeroProcessus()) + "-" + std::to_string(essai);
        descripteur = CreerFichierNeuf(temporaire);
        if (descripteur < 0 && errno != EEXIST) {
            // Dossier où l'on ne peut rien créer : un fichier existant qu'on a le droit
            // d'écrire est réécrit sur place.
            return existe && (errno == EACCES || errno == EPERM) && EcrireSurPlace(chemin, texte);
        }
    }
    if (descripteur < 0) {
        return false;
    }
    // Le fichier remplacé garde ses droits : un fichier privé ne devient pas lisible de tous.
    bool reussi = !existe || DonnerDroits(descripteur, etat.permissions());
    reussi = reussi && EcrireTout(descripteur, texte);
    reussi = FermerSurDisque(descripteur) && reussi;
    reussi = reussi && Remplacer(temporaire, chemin, existe);
    if (!reussi) {
        std::filesystem::remove(temporaire, erreur);
    }
    return reussi;
}

std::string NomSansDossier(const std::string& chemin)
{
    const size_t separateur = chemin.find_last_of(SeparateursChemin);
    return separateur == std::string::npos ? chemin : chemin.substr(separateur + 1);
}
