// Les réglages dans le registre de Windows, lus et écrits dans deux clés temporaires de
// HKEY_CURRENT_USER qui tiennent lieu de celles de l'utilisateur et de la machine.
#include "skin/emplacementsreglages.h"
#include "skin/registre.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Le texte du programme est en UTF-8, quelle que soit la page de code du système.
std::string Utf8(const std::wstring& large)
{
    std::string etroit(large.size() * 4, '\0');
    const int n = WideCharToMultiByte(CP_UTF8, 0, large.data(), static_cast<int>(large.size()), etroit.data(),
                                      static_cast<int>(etroit.size()), nullptr, nullptr);
    etroit.resize(static_cast<std::size_t>(n));
    return etroit;
}

class Registre : public ::testing::Test {
protected:
    const std::wstring racine = L"Software\\Novemia-essais-" + std::to_wstring(std::random_device()());
    const std::wstring utilisateur = racine + L"\\utilisateur";
    const std::wstring machine = racine + L"\\machine";

    void SetUp() override
    {
        DefinirEmplacements({"HKEY_CURRENT_USER\\" + Utf8(utilisateur), {"HKCU\\" + Utf8(machine)}});
    }
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, racine.c_str());
        PreparerEmplacementsReglages();
    }

    // Une valeur posée telle quelle, octets compris, sans passer par le programme.
    static void Poser(const std::wstring& cle, const std::wstring& nom, DWORD type, const void* donnees, DWORD octets)
    {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, cle.c_str(), nom.c_str(), type, donnees, octets), ERROR_SUCCESS);
    }
    static void PoserTexte(const std::wstring& cle, const std::wstring& nom, const std::wstring& texte)
    {
        Poser(cle, nom, REG_SZ, texte.data(), static_cast<DWORD>((texte.size() + 1) * sizeof(wchar_t)));
    }
    static std::wstring Relire(const std::wstring& cle, const std::wstring& nom, DWORD& type)
    {
        wchar_t tampon[4096] = {};
        DWORD octets = sizeof(tampon);
        type = REG_NONE;
        if (RegGetValueW(HKEY_CURRENT_USER, cle.c_str(), nom.c_str(), RRF_RT_ANY, &type, tampon, &octets) !=
            ERROR_SUCCESS) {
            return L"<absente>";
        }
        return tampon;
    }
};

// Une lecture : valeur de la machine et de l'utilisateur (aucune si vide), clé lue, texte rendu.
struct CasLecture {
    std::wstring machine, utilisateur;
    std::string cle, attendu;
};

TEST_F(Registre, Lectures)
{
    const std::string absente = "Erreur : Base de registre (2)", longue = "Erreur : Base de registre (234)";
    const std::wstring e(L"\u00e9");
    // Le tampon compte des caractères : 1023 lettres et le zéro final tiennent, 1024 non,
    // accentuées ou pas.
    const CasLecture cas[] = {
        {L"", L"", "Skin", absente},
        {L"Bois", L"", "skin2", absente},
        {L"Bois", L"", "", absente},
        {L"Bois", L"", "Skin", "Bois"},
        {L"Bois", L"Ardoise", "Skin", "Ardoise"},
        {L"", L"Ardoise", "Skin", "Ardoise"},
        {L"\u00c9t\u00e9 for\u00eat", L"", "Skin", Utf8(L"\u00c9t\u00e9 for\u00eat")},
        {L"<vide>", L"", "Skin", "ERR"},
        {L"Bois", L"<vide>", "Skin", "ERR"},
        {std::wstring(1023, L'a'), L"", "Skin", std::string(1023, 'a')},
        {std::wstring(1024, L'b'), L"", "Skin", longue},
        {std::wstring(5000, L'c'), L"", "Skin", longue},
        {L"Bois", std::wstring(1024, L'd'), "Skin", longue},
        {std::wstring(1024, e[0]), L"", "Skin", longue},
        {std::wstring(1023, e[0]), L"", "Skin", Utf8(std::wstring(1023, e[0]))},
        {L"C:\\Jeux\\ \"a;b=c\" ", L"", "Skin", "C:\\Jeux\\ \"a;b=c\" "},
        // Le texte s'arrête au premier zéro.
        {std::wstring(L"Bois\0Zinc", 9), L"", "Skin", "Bois"},
        {std::wstring(L"\0Zinc", 5), L"", "Skin", "ERR"},
    };
    for (const CasLecture& c : cas) {
        SCOPED_TRACE(Utf8(c.machine.substr(0, 40)) + " / " + Utf8(c.utilisateur.substr(0, 40)) + " / " +
                     c.cle);
        RegDeleteTreeW(HKEY_CURRENT_USER, racine.c_str());
        for (const auto& [cle, valeur] : {std::pair{machine, c.machine}, std::pair{utilisateur, c.utilisateur}}) {
            if (valeur == L"<vide>") PoserTexte(cle, L"Skin", L"");
            else if (!valeur.empty()) PoserTexte(cle, L"Skin", valeur);
        }
        EXPECT_EQ(TexteReglage(LireReglage(c.cle)), c.attendu);
    }
}

TEST_F(Registre, ValeursQuiNeSontPasDesChaines)
{
    // Un nombre n'est pas un réglage : on le saute pour la clé suivante.
    const DWORD nombre = 7;
    Poser(utilisateur, L"Skin", REG_DWORD, &nombre, sizeof(nombre));
    EXPECT_EQ(TexteReglage(LireReglage("Skin")), "Erreur : Base de registre (2)");
    PoserTexte(machine, L"Skin", L"Bois");
    EXPECT_EQ(TexteReglage(LireReglage("Skin")), "Bois");
    // Une chaîne sans zéro final qui remplit tout le tampon ne tient pas.
    const std::wstring pleine(1024, L'p');
    Poser(machine, L"A", REG_SZ, pleine.data(), static_cast<DWORD>(pleine.size() * sizeof(wchar_t)));
    EXPECT_EQ(TexteReglage(LireReglage("A")), "Erreur : Base de registre (234)");
    Poser(machine, L"B", REG_SZ, pleine.data(), static_cast<DWORD>((pleine.size() - 1) * sizeof(wchar_t)));
    EXPECT_EQ(TexteReglage(LireReglage("B")), std::string(1023, 'p'));
    // Une chaîne à développer se lit développée (régression).
    ASSERT_TRUE(SetEnvironmentVariableW(L"NOVEMIA_ESSAI", L"C:\\Jeux\\R\u00e9cr\u00e9"));
    PoserTexte(machine, L"C", L"%NOVEMIA_ESSAI%");
    const std::wstring aDevelopper = L"%NOVEMIA_ESSAI%\\skin %ABSENTE%";
    Poser(machine, L"D", REG_EXPAND_SZ, aDevelopper.c_str(), static_cast<DWORD>((aDevelopper.size() + 1) * 2));
    EXPECT_EQ(TexteReglage(LireReglage("C")), "%NOVEMIA_ESSAI%");
    EXPECT_EQ(TexteReglage(LireReglage("D")), "C:\\Jeux\\R\u00e9cr\u00e9\\skin %ABSENTE%");
}

TEST_F(Registre, EcritChezLUtilisateurEnChaine)
{
    PoserTexte(machine, L"Skin", L"Bois");
    for (const std::wstring& valeur : {std::wstring(L"Nuit, \u00e9toil\u00e9e"), std::wstring(L"C:\\Jeux\\ \"a;b=c\" "),
                                       std::wstring(L"a\nb"), std::wstring()}) {
        SCOPED_TRACE(Utf8(valeur));
        EXPECT_EQ(EcrireRegistre("Skin", Utf8(valeur)), 0);
        DWORD type = REG_NONE;
        EXPECT_EQ(Relire(utilisateur, L"Skin", type), valeur);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(TexteReglage(LireReglage("Skin")), valeur.empty() ? "ERR" : Utf8(valeur));
    }
    DWORD type = REG_NONE;
    EXPECT_EQ(Relire(machine, L"Skin", type), L"Bois");
    // Un zéro ne tient pas dans une chaîne du registre ; un nom vide viserait la valeur par défaut.
    EXPECT_EQ(EcrireRegistre("Skin", std::string("a\0b", 3)), ErreurDonneesInvalides);
    EXPECT_EQ(EcrireRegistre("", "Zinc"), ErreurDonneesInvalides);
    EXPECT_EQ(TexteReglage(LireReglage("Skin")), "ERR");
    // Une ruche inconnue : rien d'écrit, le code d'une valeur absente.
    DefinirEmplacements({"HKEY_NULLE_PART\\Novemia", {"HKCU\\" + Utf8(machine)}});
    EXPECT_EQ(EcrireRegistre("Skin", "Zinc"), ErreurValeurAbsente);
    EXPECT_EQ(TexteReglage(LireReglage("Skin")), "Bois");
}

TEST_F(Registre, LesClesDuJeu)
{
    PreparerEmplacementsReglages("C:\\Program Files\\Novemia");
    EXPECT_EQ(FichierReglagesUtilisateur(), "HKEY_CURRENT_USER\\SOFTWARE\\Novemia");
    EXPECT_EQ(FichiersReglagesMachine(), std::vector<std::string>{"HKEY_LOCAL_MACHINE\\SOFTWARE\\Novemia"});
    // Un dossier lu du registre est un chemin complet, rendu tel quel.
    const Reglage dossier{0, "C:\\Program Files\\Novemia", {}};
    EXPECT_EQ(TexteReglage(DossierResolu(dossier)), "C:\\Program Files\\Novemia");
}

}  // namespace
