// Réglages "s2gAppDir" et "Skin" dans le registre de Windows : la clé SOFTWARE\Novemia de
// l'utilisateur (HKEY_CURRENT_USER) d'abord, puis celle de la machine (HKEY_LOCAL_MACHINE),
// que l'installateur crée. Le skin choisi s'écrit chez l'utilisateur : un joueur sans droits
// d'administrateur ne peut pas écrire la ruche de la machine.
//
// Les appels sont ceux en caractères larges ; le texte du programme est en UTF-8, comme
// partout (files/plateforme.h), si bien qu'un dossier ou un skin aux lettres accentuées fait
// l'aller-retour sans perte, quelle que soit la page de code du système.
#include "skin/registre.h"

#include "files/plateforme.h"
#include "skin/emplacementsreglages.h"

#include <windows.h>

#include <array>
#include <string_view>

namespace {

constexpr std::string_view CleUtilisateur = "HKEY_CURRENT_USER\\SOFTWARE\\Novemia";
constexpr std::string_view CleMachine = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Novemia";
// Le tampon fixe de la lecture, zéro final compris, en caractères.
constexpr DWORD TailleTampon = 1024;

// « HKEY_CURRENT_USER\SOFTWARE\Novemia » : la ruche et la sous-clé ; pas de ruche pour un
// nom qu'on ne connaît pas.
struct Cle {
    HKEY racine = nullptr;
    std::wstring sousCle;
};

Cle Decouper(std::string_view chemin)
{
    static const std::pair<std::string_view, HKEY> ruches[] = {
        {"HKEY_CURRENT_USER", HKEY_CURRENT_USER}, {"HKCU", HKEY_CURRENT_USER},
        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}, {"HKLM", HKEY_LOCAL_MACHINE}};
    const std::size_t barre = chemin.find('\\');
    const std::wstring ruche = VersLarge(chemin.substr(0, barre));
    for (const auto& [nom, racine] : ruches) {
        const std::wstring large = VersLarge(nom);
        if (CompareStringOrdinal(large.data(), static_cast<int>(large.size()), ruche.data(),
                                 static_cast<int>(ruche.size()), TRUE) == CSTR_EQUAL) {
            return {racine, barre == std::string_view::npos ? std::wstring() : VersLarge(chemin.substr(barre + 1))};
        }
    }
    return {};
}

// La clé ouverte le temps d'une lecture ou d'une écriture.
class CCleOuverte {
public:
    ~CCleOuverte()
    {
        if (cle != nullptr) RegCloseKey(cle);
    }
    HKEY cle = nullptr;
};

// Une lecture dans une clé : 0 et la valeur, ou le code du registre.
LONG Lire(const std::string& chemin, const std::wstring& nom, std::wstring& valeur)
{
    const Cle c = Decouper(chemin);
    if (c.racine == nullptr) return ERROR_FILE_NOT_FOUND;
    CCleOuverte ouverte;
    LONG code = RegOpenKeyExW(c.racine, c.sousCle.c_str(), 0, KEY_QUERY_VALUE, &ouverte.cle);
    if (code != ERROR_SUCCESS) return code;
    std::array<wchar_t, TailleTampon> tampon{};
    DWORD type = 0;
    DWORD octets = sizeof(tampon);
    code = RegQueryValueExW(ouverte.cle, nom.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(tampon.data()), &octets);
    if (code != ERROR_SUCCESS) return code;
    // Seules les chaînes sont des réglages ; une valeur d'un autre type est comme absente.
    if (type != REG_SZ && type != REG_EXPAND_SZ) return ERROR_FILE_NOT_FOUND;
    const std::size_t lus = octets / sizeof(wchar_t);
    const std::wstring_view texte(tampon.data(), lus);
    const std::size_t zero = texte.find(L'\0');
    // Le tampon plein sans zéro final : la valeur ne tient pas, comme une plus longue.
    if (zero == std::wstring_view::npos && lus >= TailleTampon) return ERROR_MORE_DATA;
    valeur = texte.substr(0, zero);
    // Une chaîne « à développer » (%USERPROFILE%\Jeux…) se lit développée, comme la lit Windows ;
    // développée, elle ne peut dépasser 32 767 caractères.
    if (type == REG_EXPAND_SZ) {
        const DWORD n = ExpandEnvironmentStringsW(valeur.c_str(), nullptr, 0);
        std::wstring developpee(n, L'\0');
        if (n == 0 || ExpandEnvironmentStringsW(valeur.c_str(), developpee.data(), n) != n) return ERROR_MORE_DATA;
        developpee.resize(n - 1);
        valeur = std::move(developpee);
    }
    return ERROR_SUCCESS;
}

}  // namespace

// Le dossier du programme n'y change rien : sous Windows, les réglages de la machine sont
// dans sa clé, que l'installateur a remplie.
void PreparerEmplacementsReglages(const std::string&)
{
    DefinirEmplacements({std::string(CleUtilisateur), {std::string(CleMachine)}});
}

Reglage LireReglage(const std::string& nom)
{
    Reglage reglage;
    reglage.erreur = ErreurValeurAbsente;
    if (nom.empty()) return reglage;
    const std::wstring nomLarge = VersLarge(nom);
    for (const std::string& cle : EmplacementsDansLOrdre()) {
        std::wstring valeur;
        const LONG code = Lire(cle, nomLarge, valeur);
        if (code == ERROR_SUCCESS) {
            reglage.erreur = 0;
            reglage.valeur = VersUtf8(valeur);
            return reglage;
        }
        // Une valeur trop longue s'arrête là ; sinon la clé suivante, et le code de la
        // dernière essayée dit pourquoi rien n'a été lu.
        reglage.erreur = static_cast<int>(code);
        if (code == ERROR_MORE_DATA) return reglage;
    }
    return reglage;
}

// Les valeurs du registre sont des chemins complets : il n'y a pas de fichier dont partir.
Reglage DossierResolu(Reglage reglage) { return reglage; }

int EcrireRegistre(const std::string& nom, const std::string& valeur)
{
    // Une chaîne du registre s'arrête au premier zéro ; un nom vide serait la valeur par défaut.
    if (nom.empty() || nom.find('\0') != std::string::npos || valeur.find('\0') != std::string::npos) {
        return ErreurDonneesInvalides;
    }
    const Cle c = Decouper(Emplacements().utilisateur);
    if (c.racine == nullptr) return ErreurValeurAbsente;
    CCleOuverte ouverte;
    LONG code = RegCreateKeyExW(c.racine, c.sousCle.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                nullptr, &ouverte.cle, nullptr);
    if (code != ERROR_SUCCESS) return static_cast<int>(code);
    const std::wstring large = VersLarge(valeur);
    code = RegSetValueExW(ouverte.cle, VersLarge(nom).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(large.c_str()),
                          static_cast<DWORD>((large.size() + 1) * sizeof(wchar_t)));
    return static_cast<int>(code);
}
