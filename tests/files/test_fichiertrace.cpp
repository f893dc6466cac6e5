// Le fichier de trace : nom et en-tête d'une même heure locale, page de code 1252, CR LF.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "files/fichiertrace.h"
#include "support/dossiertemporaire.h"

namespace {

// 5 décembre 2026, 09:03:07 en temps universel.
constexpr std::time_t Matin = 1796461387;
// 31 décembre 2026, 23:59:58.
constexpr std::time_t Minuit = 1798761598;

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
};

TEST_F(TraceEnUtc, NomEtEnTeteDeLaMemeHeure)
{
    EXPECT_EQ(NomFichierTrace(Heure(Matin)), "Trace_05-12-2026.txt");
    EXPECT_EQ(EnTeteTrace(Heure(Matin)), "-------- Trace du 05/12/2026 \xC3\xA0 09:03:07 --------\n\n");
    EXPECT_EQ(NomFichierTrace(Heure(Minuit)), "Trace_31-12-2026.txt");
    EXPECT_EQ(EnTeteTrace(Heure(Minuit)), "-------- Trace du 31/12/2026 \xC3\xA0 23:59:58 --------\n\n");
}

struct CasConversion {
    std::string utf8;
    std::string disque;
};

class Conversion : public ::testing::TestWithParam<CasConversion> {};

TEST_P(Conversion, VersLaPageDeCode1252)
{
    EXPECT_EQ(VersDisque(GetParam().utf8), GetParam().disque);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, Conversion,
    ::testing::Values(CasConversion{"abc", "abc"}, CasConversion{"\n", "\r\n"},
                      CasConversion{"a\nb\n\n", "a\r\nb\r\n\r\n"},
                      CasConversion{"\xC3\xA0", "\xE0"},                              // à
                      CasConversion{"\xC3\xA9", "\xE9"},                              // é
                      CasConversion{"\xC3\xBF\xC2\xA0\xC3\x80", "\xFF\xA0\xC0"},      // ÿ, espace insécable, À
                      CasConversion{"\xE2\x82\xAC", "\x80"},                          // €
                      CasConversion{"\xC5\x93\xC5\x92", "\x9C\x8C"},                  // œ Œ
                      CasConversion{"\xE2\x80\x99\xE2\x80\xA6", "\x92\x85"},          // ’ …
                      CasConversion{"\xE4\xB8\xAD", "?"},                             // hors de la page
                      CasConversion{"\xC3", "?"},                                     // séquence tronquée
                      CasConversion{"\xA9x", "?x"},                                   // octet de suite isolé
                      CasConversion{"\xC2\x85", "?"}));                               // contrôle C1

TEST_F(TraceEnUtc, FichierDuJourEnteteEtLignes)
{
    CDossierTemporaire dossier;
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
    }
    EXPECT_EQ(Contenu("Trace_05-12-2026.txt"),
              "-------- Trace du 05/12/2026 \xE0 09:03:07 --------\r\n\r\n"
              "D\xE9" "duction par \xE9limination -> Case(0,1): Chiffre=2 Niveau=0 \r\n"
              "Hypothese -> Case(3,4): Chiffre=5 Niveau=1\r\n");
}

TEST_F(TraceEnUtc, SecondeOuvertureDuJourRepartDeZero)
{
    CDossierTemporaire dossier;
    CFichierTrace trace;
    ASSERT_TRUE(trace.Ouvrir(Matin));
    trace.Ecrire("premier passage\n");
    trace.Fermer();
    ASSERT_TRUE(trace.Ouvrir(Matin + 3600));
    trace.Ecrire("second passage\n");
    trace.Fermer();
    EXPECT_EQ(Contenu("Trace_05-12-2026.txt"),
              "-------- Trace du 05/12/2026 \xE0 10:03:07 --------\r\n\r\nsecond passage\r\n");
}

TEST_F(TraceEnUtc, LaDestructionFermeUnFichierComplet)
{
    CDossierTemporaire dossier;
    {
        CFichierTrace trace;
        ASSERT_TRUE(trace.Ouvrir(Minuit, "journal.txt"));
        for (int i = 0; i < 2000; ++i) trace.Ecrire("ligne assez longue pour remplir le tampon du fichier\n");
    }
    const std::string contenu = Contenu("journal.txt");
    EXPECT_EQ(contenu.size(), std::string("-------- Trace du 31/12/2026 \xE0 23:59:58 --------\r\n\r\n").size() +
                                  2000 * std::string("ligne assez longue pour remplir le tampon du fichier\r\n").size());
    EXPECT_FALSE(std::filesystem::exists("Trace_01-01-2027.txt"));
}

TEST_F(TraceEnUtc, CreationImpossible)
{
    CDossierTemporaire dossier;
    CFichierTrace trace;
    EXPECT_FALSE(trace.Ouvrir(Matin, "pas/de/dossier.txt"));
    EXPECT_FALSE(trace.EstOuvert());
    EXPECT_EQ(trace.Nom(), "pas/de/dossier.txt");
    trace.Ecrire("rien\n");
    trace.Fermer();
}

}  // namespace
