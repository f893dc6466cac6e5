// Le fichier de trace : nom et en-tête d'une même heure locale, page de code 1252, CR LF.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>

#include "files/fichiertrace.h"
#include "tests/support/dossiertemporaire.h"
#include "tests/support/posix.h"

namespace {

// 5 décembre 2026, 09:03:07 en temps universel.
constexpr std::time_t Matin = 1796461387;
// 31 décembre 2026, 23:59:58.
constexpr std::time_t Minuit = 1798761598;

// Heure locale fixée à UTC le temps du test, dans un dossier temporaire.
class TraceEnUtc : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* tz = std::getenv("TZ")) ancien = tz;
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    void TearDown() override
    {
        if (ancien) ::setenv("TZ", ancien->c_str(), 1);
        else ::unsetenv("TZ");
        ::tzset();
    }
    static std::tm Heure(std::time_t t)
    {
        std::tm h{};
        ::localtime_r(&t, &h);
        return h;
    }
    static std::string Contenu(const std::string& chemin)
    {
        std::ifstream entree(chemin, std::ios::binary);
        return {std::istreambuf_iterator<char>(entree), std::istreambuf_iterator<char>()};
    }
    std::optional<std::string> ancien;
    CDossierTemporaire dossier;
};

TEST_F(TraceEnUtc, NomEtEnTeteDeLaMemeHeure)
{
    EXPECT_EQ(NomFichierTrace(Heure(Matin)), "Trace_05-12-2026.txt");
    EXPECT_EQ(EnTeteTrace(Heure(Matin)), "-------- Trace du 05/12/2026 \xC3\xA0 09:03:07 --------\n\n");
    EXPECT_EQ(NomFichierTrace(Heure(Minuit)), "Trace_31-12-2026.txt");
    EXPECT_EQ(EnTeteTrace(Heure(Minuit)), "-------- Trace du 31/12/2026 \xC3\xA0 23:59:58 --------\n\n");
}

// Une horloge que localtime ne sait pas convertir : aucune date n'est inventée.
TEST_F(TraceEnUtc, HeureInconnue)
{
    CFichierTrace trace;
    ASSERT_TRUE(trace.Ouvrir(std::numeric_limits<std::time_t>::max()));
    EXPECT_EQ(trace.Nom(), "Trace_date-inconnue.txt");
    trace.Fermer();
    EXPECT_EQ(Contenu(trace.Nom()), "-------- Trace, date et heure inconnues --------\r\n\r\n");
}

TEST(Conversion, VersLaPageDeCode1252)
{
    const std::pair<std::string, std::string> cas[] = {
        {"abc", "abc"}, {"\n", "\r\n"}, {"a\nb\n\n", "a\r\nb\r\n\r\n"},
        {"\xC3\xA0", "\xE0"},                          // à
        {"\xC3\xA9", "\xE9"},                          // é
        {"\xC3\xBF\xC2\xA0\xC3\x80", "\xFF\xA0\xC0"},  // ÿ, espace insécable, À
        {"\xE2\x82\xAC", "\x80"},                      // €
        {"\xC5\x93\xC5\x92", "\x9C\x8C"},              // œ Œ
        {"\xE2\x80\x99\xE2\x80\xA6", "\x92\x85"},      // ’ …
        {"\xE4\xB8\xAD", "?"},                         // hors de la page
        {"\xC3", "?"},                                 // séquence tronquée
        {"\xA9x", "?x"},                               // octet de suite isolé
        {"\xC2\x85", "?"},                             // contrôle C1
    };
    for (const auto& [utf8, disque] : cas) EXPECT_EQ(VersDisque(utf8), disque) << utf8;
}

TEST_F(TraceEnUtc, FichierDuJourEnteteEtLignes)
{
    CFichierTrace trace;
    ASSERT_TRUE(trace.Ouvrir(Matin));
    EXPECT_TRUE(trace.EstOuvert());
    EXPECT_EQ(trace.Nom(), "Trace_05-12-2026.txt");
    trace.Ecrire("D\xC3\xA9" "duction par \xC3\xA9limination -> Case(0,1): Chiffre=2 Niveau=0 \n");
    trace.Ecrire("Hypothese -> Case(3,4): Chiffre=5 Niveau=1\n");
    trace.Fermer();
    EXPECT_FALSE(trace.EstOuvert());
    trace.Ecrire("perdu\n");  // fermé : sans effet
    EXPECT_EQ(Contenu("Trace_05-12-2026.txt"),
              "-------- Trace du 05/12/2026 \xE0 09:03:07 --------\r\n\r\n"
              "D\xE9" "duction par \xE9limination -> Case(0,1): Chiffre=2 Niveau=0 \r\n"
              "Hypothese -> Case(3,4): Chiffre=5 Niveau=1\r\n");
    // Seconde ouverture du même jour : le fichier repart de zéro.
    ASSERT_TRUE(trace.Ouvrir(Matin + 3600));
    trace.Ecrire("second passage\n");
    trace.Fermer();
    EXPECT_EQ(Contenu("Trace_05-12-2026.txt"),
              "-------- Trace du 05/12/2026 \xE0 10:03:07 --------\r\n\r\nsecond passage\r\n");
}

TEST_F(TraceEnUtc, LaDestructionFermeUnFichierComplet)
{
    const std::string ligne = "ligne assez longue pour remplir le tampon du fichier\n";
    {
        CFichierTrace trace;
        ASSERT_TRUE(trace.Ouvrir(Minuit, "journal.txt"));
        for (int i = 0; i < 2000; ++i) trace.Ecrire(ligne);
    }
    EXPECT_EQ(Contenu("journal.txt").size(), VersDisque(EnTeteTrace(Heure(Minuit))).size() + 2000 * (ligne.size() + 1));
    EXPECT_FALSE(std::filesystem::exists("Trace_01-01-2027.txt"));
}

}  // namespace
