// Dossier courant temporaire le temps d'un test : rien n'est écrit ailleurs, et tout est
// effacé à la fin, même si le test a retiré ses droits ou le dossier lui-même.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

class CDossierTemporaire {
public:
    CDossierTemporaire()
    {
#ifdef _WIN32
        // Pas de mkdtemp : un nom tiré au hasard, pris seulement s'il n'existe pas encore.
        std::random_device hasard;
        std::error_code e;
        for (int essai = 0; essai < 100 && chemin.empty(); ++essai) {
            const auto nom = std::filesystem::temp_directory_path() / ("novemia-" + std::to_string(hasard()));
            if (std::filesystem::create_directory(nom, e)) chemin = nom;
        }
#else
        std::string modele = (std::filesystem::temp_directory_path() / "novemia-XXXXXX").string();
        if (char* nom = ::mkdtemp(modele.data())) chemin = nom;
#endif
        ancien = std::filesystem::current_path();
        std::filesystem::current_path(chemin);
    }
    ~CDossierTemporaire()
    {
        std::error_code e;
        std::filesystem::current_path(ancien, e);
        std::filesystem::permissions(chemin, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, e);
        std::filesystem::remove_all(chemin, e);
    }
    CDossierTemporaire(const CDossierTemporaire&) = delete;
    CDossierTemporaire& operator=(const CDossierTemporaire&) = delete;

    const std::filesystem::path& Chemin() const { return chemin; }

private:
    std::filesystem::path chemin;
    std::filesystem::path ancien;
};
