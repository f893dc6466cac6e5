// Appels au système, une branche Linux et une branche Windows.
#include "files/plateforme.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#else
#include <unistd.h>

#include <csignal>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#ifdef _WIN32

std::wstring VersLarge(std::string_view utf8)
{
    // Sans MB_ERR_INVALID_CHARS : un octet invalide devient U+FFFD au lieu d'un échec.
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring large(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), large.data(), n);
    return large;
}

std::string VersUtf8(std::wstring_view large)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, large.data(), static_cast<int>(large.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, large.data(), static_cast<int>(large.size()), utf8.data(), n, nullptr, nullptr);
    return utf8;
}

std::filesystem::path CheminSysteme(const std::string& cheminUtf8) { return VersLarge(cheminUtf8); }

std::FILE* OuvrirFichier(const std::string& cheminUtf8, const char* mode)
{
    return _wfopen(CheminSysteme(cheminUtf8).c_str(), VersLarge(mode).c_str());
}

std::optional<std::tm> HeureLocale(std::time_t instant)
{
    // En échec, localtime_s met -1 dans chaque champ.
    std::tm heure{};
    if (localtime_s(&heure, &instant) != 0) return std::nullopt;
    return heure;
}

std::vector<std::string> PreparerProgramme(int, char**)
{
    // L'argv de main est dans la page ANSI : on repart de la ligne de commande en UTF-16.
    std::vector<std::string> arguments;
    int n = 0;
    if (wchar_t** larges = CommandLineToArgvW(GetCommandLineW(), &n)) {
        for (int i = 0; i < n; ++i) arguments.push_back(VersUtf8(larges[i]));
        LocalFree(larges);
    }
    for (std::FILE* flux : {stdin, stdout, stderr}) _setmode(_fileno(flux), _O_BINARY);
    return arguments;
}

std::filesystem::path CheminReel(const std::filesystem::path& chemin)
{
    const HANDLE fichier = CreateFileW(chemin.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (fichier == INVALID_HANDLE_VALUE) return chemin;
    std::wstring reel(MAX_PATH, L'\0');
    DWORD n = GetFinalPathNameByHandleW(fichier, reel.data(), static_cast<DWORD>(reel.size()), VOLUME_NAME_DOS);
    if (n >= reel.size()) {
        reel.resize(n);
        n = GetFinalPathNameByHandleW(fichier, reel.data(), static_cast<DWORD>(reel.size()), VOLUME_NAME_DOS);
    }
    CloseHandle(fichier);
    if (n == 0 || n >= reel.size()) return chemin;
    reel.resize(n);
    // Le système rend « \\?\C:\… » ou « \\?\UNC\serveur\… » : on revient à la forme ordinaire.
    if (reel.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + reel.substr(8);
    if (reel.starts_with(L"\\\\?\\")) return reel.substr(4);
    return reel;
}

bool EcritureAutorisee(const std::filesystem::path& chemin) { return _waccess(chemin.c_str(), 2) == 0; }

int CreerFichierNeuf(const std::filesystem::path& chemin)
{
    return _wopen(chemin.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

int OuvrirFichierVide(const std::filesystem::path& chemin)
{
    return _wopen(chemin.c_str(), _O_WRONLY | _O_TRUNC | _O_BINARY | _O_NOINHERIT);
}

bool DonnerDroits(int, std::filesystem::perms) { return true; }

bool SynchroniserDossier(const std::filesystem::path&) { return true; }

namespace {

long EcrireMorceau(int descripteur, const char* donnees, size_t taille)
{
    return _write(descripteur, donnees, static_cast<unsigned>(std::min<size_t>(taille, 1u << 30)));
}

}  // namespace

bool FermerSurDisque(int descripteur)
{
    const bool surDisque = FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(descripteur))) != 0;
    return (_close(descripteur) == 0) && surDisque;
}

namespace {

// Ce qu'un autre programme qui tient le fichier un instant fait rendre au remplacement.
bool Passager(DWORD erreur)
{
    return erreur == ERROR_SHARING_VIOLATION || erreur == ERROR_LOCK_VIOLATION || erreur == ERROR_ACCESS_DENIED ||
           erreur == ERROR_UNABLE_TO_REMOVE_REPLACED || erreur == ERROR_UNABLE_TO_MOVE_REPLACEMENT;
}

}  // namespace

bool Remplacer(const std::filesystem::path& nouveau, const std::filesystem::path& cible, bool cibleExiste)
{
    // ReplaceFileW garde les attributs et les ACL du fichier remplacé : un fichier privé le reste.
    // Chemins absolus : Wine refuse les relatifs ici.
    std::error_code erreurCible, erreurNouveau;
    const std::filesystem::path cibleAbsolue = std::filesystem::absolute(cible, erreurCible);
    const std::filesystem::path nouveauAbsolu = std::filesystem::absolute(nouveau, erreurNouveau);
    if (erreurCible || erreurNouveau) return false;
    // Six essais, 10 ms d'attente puis le double à chaque fois : 310 ms au plus.
    bool remplacer = cibleExiste;
    for (DWORD attente = 10;; attente *= 2) {
        if (remplacer ? ReplaceFileW(cibleAbsolue.c_str(), nouveauAbsolu.c_str(), nullptr, 0, nullptr, nullptr) != 0
                      : MoveFileExW(nouveauAbsolu.c_str(), cibleAbsolue.c_str(),
                                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
            return true;
        }
        const DWORD erreur = GetLastError();
        // Sans copie de secours, l'ancien fichier est alors déjà effacé : reste à renommer.
        if (erreur == ERROR_UNABLE_TO_MOVE_REPLACEMENT) remplacer = false;
        if (attente > 160 || !Passager(erreur)) return false;
        Sleep(attente);
    }
}

unsigned long NumeroProcessus() { return GetCurrentProcessId(); }

namespace {

std::optional<IdentiteFichier> Identite(HANDLE fichier)
{
    BY_HANDLE_FILE_INFORMATION informations{};
    if (fichier == INVALID_HANDLE_VALUE || GetFileInformationByHandle(fichier, &informations) == 0) return std::nullopt;
    return IdentiteFichier{informations.dwVolumeSerialNumber,
                           (std::uint64_t{informations.nFileIndexHigh} << 32) | informations.nFileIndexLow};
}

}  // namespace

std::optional<IdentiteFichier> IdentiteDeFichier(const std::string& cheminUtf8)
{
    const HANDLE fichier = CreateFileW(CheminSysteme(cheminUtf8).c_str(), 0,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const auto identite = Identite(fichier);
    if (fichier != INVALID_HANDLE_VALUE) CloseHandle(fichier);
    return identite;
}

std::optional<IdentiteFichier> IdentiteEntreeStandard() { return Identite(GetStdHandle(STD_INPUT_HANDLE)); }

#else

std::filesystem::path CheminSysteme(const std::string& cheminUtf8) { return cheminUtf8; }

std::FILE* OuvrirFichier(const std::string& cheminUtf8, const char* mode)
{
    return std::fopen(cheminUtf8.c_str(), mode);
}

std::optional<std::tm> HeureLocale(std::time_t instant)
{
    std::tm heure{};
    if (::localtime_r(&instant, &heure) == nullptr) return std::nullopt;
    return heure;
}

std::vector<std::string> PreparerProgramme(int argc, char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    return {argv, argv + argc};
}

namespace {

std::optional<IdentiteFichier> Identite(int resultat, const struct stat& etat)
{
    if (resultat != 0) return std::nullopt;
    return IdentiteFichier{etat.st_dev, etat.st_ino};
}

}  // namespace

std::optional<IdentiteFichier> IdentiteDeFichier(const std::string& cheminUtf8)
{
    struct stat etat {};
    return Identite(::stat(cheminUtf8.c_str(), &etat), etat);
}

std::optional<IdentiteFichier> IdentiteEntreeStandard()
{
    struct stat etat {};
    return Identite(::fstat(STDIN_FILENO, &etat), etat);
}

std::filesystem::path CheminReel(const std::filesystem::path& chemin)
{
    std::filesystem::path reel = chemin;
    if (char* nom = ::realpath(chemin.c_str(), nullptr)) {
        reel = nom;
        std::free(nom);
    }
    return reel;
}

bool EcritureAutorisee(const std::filesystem::path& chemin) { return ::access(chemin.c_str(), W_OK) == 0; }

int CreerFichierNeuf(const std::filesystem::path& chemin)
{
    return ::open(chemin.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

int OuvrirFichierVide(const std::filesystem::path& chemin)
{
    return ::open(chemin.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
}

bool DonnerDroits(int descripteur, std::filesystem::perms droits)
{
    return ::fchmod(descripteur, static_cast<mode_t>(droits) & 07777) == 0;
}

namespace {

long EcrireMorceau(int descripteur, const char* donnees, size_t taille)
{
    return ::write(descripteur, donnees, taille);
}

}  // namespace

bool FermerSurDisque(int descripteur)
{
    const bool surDisque = ::fsync(descripteur) == 0;
    return (::close(descripteur) == 0) && surDisque;
}

bool Remplacer(const std::filesystem::path& nouveau, const std::filesystem::path& cible, bool)
{
    return ::rename(nouveau.c_str(), cible.c_str()) == 0;
}

bool SynchroniserDossier(const std::filesystem::path& fichier)
{
    const std::filesystem::path parent = fichier.parent_path();
    const int dossier = ::open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dossier < 0) {
        return false;
    }
    // Un système de fichiers qui ne sait pas synchroniser un dossier (EINVAL) n'a rien à y écrire.
    const bool surDisque = ::fsync(dossier) == 0 || errno == EINVAL;
    ::close(dossier);
    return surDisque;
}

unsigned long NumeroProcessus() { return static_cast<unsigned long>(::getpid()); }

#endif

bool EcrireParMorceaux(std::string_view texte, const std::function<long(const char*, std::size_t)>& ecrire)
{
    size_t ecrit = 0;
    while (ecrit < texte.size()) {
        const long n = ecrire(texte.data() + ecrit, texte.size() - ecrit);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        ecrit += static_cast<size_t>(n);
    }
    return true;
}

bool EcrireTout(int descripteur, std::string_view texte)
{
    return EcrireParMorceaux(texte, [descripteur](const char* donnees, std::size_t taille) {
        return EcrireMorceau(descripteur, donnees, taille);
    });
}
