// Écriture d'un bloc, par un fichier temporaire renommé.
#include "files/ecriture.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "files/plateforme.h"

namespace {

bool EcrireSurPlace(const std::filesystem::path& chemin, std::string_view texte)
{
    const int descripteur = OuvrirFichierVide(chemin);
    if (descripteur < 0) {
        return false;
    }
    const bool reussi = EcrireTout(descripteur, texte);
    return FermerSurDisque(descripteur) && reussi;
}

}  // namespace

bool EcrireFichierEnBloc(const std::string& cheminChoisi, std::string_view texte, RecoursSurPlace recours)
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
            // d'écrire est réécrit sur place, quand l'appelant le permet.
            return recours == RecoursSurPlace::Permis && existe && (errno == EACCES || errno == EPERM) &&
                   EcrireSurPlace(chemin, texte);
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

bool EffacerFichier(const std::string& chemin)
{
    std::error_code erreur;
    const std::filesystem::path systeme = CheminSysteme(chemin);
    std::filesystem::remove(systeme, erreur);
    return !std::filesystem::exists(std::filesystem::symlink_status(systeme, erreur));
}
