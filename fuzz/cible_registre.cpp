// Fuzzing des réglages. L'entrée sert deux fois :
//  - comme contenu entier du fichier de l'utilisateur : le texte lu est une valeur courte
//    sans octet nul, "ERR" ou un texte "Erreur : Base de registre (N)" ; "Skin" s'y écrit et
//    se relit, et une seconde écriture ne change que la valeur ;
//  - comme valeur de "Skin" : écrite puis relue, elle revient telle quelle (ou en erreur 234
//    à partir de 1024 octets), à moins de ne pas tenir sur une ligne (erreur 13).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "fuzz/invariant.h"
#include "skin/emplacementsreglages.h"
#include "skin/registre.h"

namespace {

std::filesystem::path fichierUtilisateur;

// Crée une seule fois un fichier de réglages dans un dossier temporaire propre au processus :
// ni les réglages de l'utilisateur ni ceux de la machine ne sont touchés.
void Preparer()
{
    if (!fichierUtilisateur.empty()) return;
    // En mémoire quand c'est possible : réécrire un fichier sur ext4 force son écriture sur
    // le disque, ce qui diviserait la vitesse par plus de dix.
    std::error_code e;
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm", e) ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string modele = (base / "novemia-fuzz-XXXXXX").string();
    NOVEMIA_EXIGER(::mkdtemp(modele.data()) != nullptr);
    fichierUtilisateur = std::filesystem::path(modele) / "Novemia.conf";
    DefinirEmplacements({fichierUtilisateur.string(), {}});
    // Le dossier disparaît à la sortie du processus.
    static const std::filesystem::path aEffacer = modele;
    std::atexit([] {
        std::error_code e;
        std::filesystem::remove_all(aEffacer, e);
    });
}

void Ecrire(std::string_view contenu)
{
    std::ofstream f(fichierUtilisateur, std::ios::binary | std::ios::trunc);
    f.write(contenu.data(), static_cast<std::streamsize>(contenu.size()));
}

std::string Lire()
{
    std::ifstream f(fichierUtilisateur, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

bool EstTexteErreur(const std::string& r)
{
    constexpr std::string_view debut = "Erreur : Base de registre (";
    if (r.size() <= debut.size() + 1 || r.compare(0, debut.size(), debut) != 0 || r.back() != ')') return false;
    const std::string code = r.substr(debut.size(), r.size() - debut.size() - 1);
    if (code.empty() || code.size() > 9) return false;
    for (const char c : code) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, std::size_t taille)
{
    Preparer();
    const std::string_view entree(reinterpret_cast<const char*>(donnees), taille);

    // L'entrée comme fichier entier.
    Ecrire(entree);
    const std::string r = TexteReglage(LireReglage("Skin"));
    NOVEMIA_EXIGER(!r.empty());
    if (r != "ERR" && !EstTexteErreur(r)) {
        NOVEMIA_EXIGER(r.size() < 1024);
        NOVEMIA_EXIGER(r.find('\0') == std::string::npos);
    }
    NOVEMIA_EXIGER(EcrireRegistre("Skin", "Zinc") == 0);
    NOVEMIA_EXIGER(TexteReglage(LireReglage("Skin")) == "Zinc");
    // Une seconde écriture ne change plus que la valeur.
    const std::string apres = Lire();
    NOVEMIA_EXIGER(EcrireRegistre("Skin", "Bois") == 0);
    NOVEMIA_EXIGER(Lire().size() == apres.size());

    // L'entrée comme valeur.
    std::filesystem::remove(fichierUtilisateur);
    const std::string valeur(entree);
    const int code = EcrireRegistre("Skin", valeur);
    if (valeur.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) {
        NOVEMIA_EXIGER(code == ErreurDonneesInvalides);
    } else {
        NOVEMIA_EXIGER(code == 0);
        const std::string relue = TexteReglage(LireReglage("Skin"));
        if (valeur.empty()) {
            NOVEMIA_EXIGER(relue == "ERR");
        } else if (valeur.size() >= 1024) {
            NOVEMIA_EXIGER(relue == "Erreur : Base de registre (234)");
        } else {
            NOVEMIA_EXIGER(relue == valeur);
        }
    }
    return 0;
}
