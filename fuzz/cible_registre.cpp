// Fuzzing de la lecture d'un réglage : l'entrée devient le texte stocké pour "Skin" dans
// un fichier de réglages temporaire, puis LireRegistre doit rendre la valeur (courte, sans
// octet nul), "ERR" ou un texte "Erreur : Base de registre (N)" ; une valeur simple revient
// telle quelle, ou en erreur 234 à partir de 1024 octets.
#include <fcntl.h>
#include <sys/stat.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "fuzz/invariant.h"
#include "skin/registre.h"

namespace {

// Le fichier de l'utilisateur, sous ses deux noms possibles (.conf au format natif, .ini au
// format INI de QSettings) : la cible ne dépend pas du format choisi par les réglages.
std::array<std::filesystem::path, 2> fichiersUtilisateur;

// Crée une seule fois les emplacements de réglages, dans un dossier temporaire propre au
// processus : ni les réglages de l'utilisateur ni ceux de la machine ne sont touchés.
void Preparer()
{
    if (!fichiersUtilisateur[0].empty()) return;
    // En mémoire quand c'est possible : réécrire un fichier sur ext4 force son écriture sur
    // le disque, ce qui diviserait la vitesse par plus de dix.
    std::error_code e;
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm", e) ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string modele = (base / "novemia-fuzz-XXXXXX").string();
    NOVEMIA_EXIGER(::mkdtemp(modele.data()) != nullptr);
    const std::filesystem::path racine = modele;
    std::filesystem::create_directories(racine / "utilisateur");
    std::filesystem::create_directories(racine / "machine");
    ::setenv("XDG_CONFIG_HOME", (racine / "utilisateur").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", (racine / "machine").c_str(), 1);
    PreparerEmplacementsReglages();
    fichiersUtilisateur = {racine / "utilisateur" / "Novemia.conf", racine / "utilisateur" / "Novemia.ini"};
    // Le dossier disparaît à la sortie du processus.
    static const std::filesystem::path aEffacer = racine;
    std::atexit([] {
        std::error_code e;
        std::filesystem::remove_all(aEffacer, e);
    });
}

// Une valeur que le format INI garde telle quelle : lettres, chiffres, quelques signes,
// et des blancs seulement à l'intérieur.
bool ValeurSimple(std::string_view v)
{
    if (!v.empty() && (v.front() == ' ' || v.back() == ' ')) return false;
    for (const char c : v) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                        c == '_' || c == '-' || c == '.' || c == '/' || c == ' ';
        if (!ok) return false;
    }
    return v.find("  ") == std::string_view::npos;
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
    const std::string_view valeur(reinterpret_cast<const char*>(donnees), taille);
    // QSettings ne relit un fichier que si sa taille ou sa date a changé : une date neuve
    // à chaque entrée (une seconde de plus) garantit la relecture.
    static std::time_t date = 1000000000;
    ++date;
    for (const auto& fichier : fichiersUtilisateur) {
        {
            std::ofstream f(fichier, std::ios::binary | std::ios::trunc);
            f << "[General]\ns2gAppDir=/opt/novemia\nSkin=" << valeur << "\n";
        }
        const struct timespec dates[2] = {{date, 0}, {date, 0}};
        NOVEMIA_EXIGER(::utimensat(AT_FDCWD, fichier.c_str(), dates, 0) == 0);
    }

    const std::string r = LireRegistre("Skin");

    NOVEMIA_EXIGER(!r.empty());
    if (r != "ERR" && !EstTexteErreur(r)) {
        NOVEMIA_EXIGER(r.size() < 1024);
        NOVEMIA_EXIGER(r.find('\0') == std::string::npos);
    }
    if (ValeurSimple(valeur)) {
        if (valeur.empty()) {
            NOVEMIA_EXIGER(r == "ERR");
        } else if (valeur.size() >= 1024) {
            NOVEMIA_EXIGER(r == "Erreur : Base de registre (234)");
        } else {
            NOVEMIA_EXIGER(r == valeur);
        }
    }
    return 0;
}
