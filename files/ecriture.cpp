// Écriture d'un bloc, par un fichier temporaire renommé.
#include "files/ecriture.h"

#include <cerrno>
#include <ctime>
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

Ecriture EcrireFichierEnBloc(const std::string& cheminChoisi, std::string_view texte, RecoursSurPlace recours)
{
    // Un lien est suivi : c'est le fichier désigné qui est remplacé, le lien reste.
    const std::filesystem::path chemin = CheminReel(CheminSysteme(cheminChoisi));
    // Seul un fichier ordinaire où l'on peut écrire est remplacé : renommer par-dessus un
    // périphérique ou un tube en ferait un fichier, et un fichier protégé resterait protégé.
    std::error_code erreur;
    const std::filesystem::file_status etat = std::filesystem::status(chemin, erreur);
    const bool existe = std::filesystem::exists(etat);
    if (existe && (!std::filesystem::is_regular_file(etat) || !EcritureAutorisee(chemin))) {
        return Ecriture::Echouee;
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
            const bool surPlace = recours == RecoursSurPlace::Permis && existe && (errno == EACCES || errno == EPERM) &&
                                  EcrireSurPlace(chemin, texte);
            return surPlace ? Ecriture::Faite : Ecriture::Echouee;
        }
    }
    if (descripteur < 0) {
        return Ecriture::Echouee;
    }
    // Le fichier remplacé garde ses droits : un fichier privé ne devient pas lisible de tous.
    bool reussi = !existe || DonnerDroits(descripteur, etat.permissions());
    reussi = reussi && EcrireTout(descripteur, texte);
    reussi = FermerSurDisque(descripteur) && reussi;
    reussi = reussi && Remplacer(temporaire, chemin, existe);
    if (!reussi) {
        std::filesystem::remove(temporaire, erreur);
        return Ecriture::Echouee;
    }
    // Le nouveau fichier est en place, que son dossier arrive ou non sur le disque.
    return SynchroniserDossier(chemin) ? Ecriture::Faite : Ecriture::NonConfirmee;
}

bool EffacerFichier(const std::string& chemin)
{
    std::error_code erreur;
    const std::filesystem::path systeme = CheminSysteme(chemin);
    std::filesystem::remove(systeme, erreur);
    return !std::filesystem::exists(std::filesystem::symlink_status(systeme, erreur));
}

std::optional<std::string> MettreDeCote(const std::string& chemin, std::string_view mot,
                                        const std::optional<std::tm>& heureLocale)
{
    // « partie.novemia » → « partie » et « .novemia » (un nom qui commence par un point n'a pas d'extension).
    const std::size_t dossier = chemin.find_last_of(SeparateursChemin);
    std::size_t point = chemin.find_last_of('.');
    if (point == std::string::npos || (dossier != std::string::npos && point <= dossier + 1) || point == 0) {
        point = chemin.size();
    }
    char date[32] = "date-inconnue";
    if (heureLocale) std::strftime(date, sizeof date, "%Y-%m-%d-%H%M%S", &*heureLocale);
    const std::string debut = chemin.substr(0, point) + "-" + std::string(mot) + "-" + date;
    const std::filesystem::path systeme = CheminSysteme(chemin);
    for (int n = 1; n <= 100; ++n) {
        const std::string nom = debut + (n > 1 ? "-" + std::to_string(n) : "") + chemin.substr(point);
        std::error_code erreur;
        // Un seul lancement met de côté, et une fois : regarder avant de renommer suffit.
        if (std::filesystem::exists(std::filesystem::symlink_status(CheminSysteme(nom), erreur))) continue;
        std::filesystem::rename(systeme, CheminSysteme(nom), erreur);
        return erreur ? std::nullopt : std::optional<std::string>(nom);
    }
    return std::nullopt;
}
