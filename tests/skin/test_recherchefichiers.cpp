// Recherche des fichiers d'un dossier : séparateurs finaux, jokers sans casse, dossiers écartés.
#include "tests/support/reglagestemporaires.h"
#include "skin/recherchefichiers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string Separateur() { return std::string(1, QDir::separator().toLatin1()); }

struct CasDossier {
    std::string donne;
    std::string garde;
};

// Le dossier donné, pour les noms de tests : sans lui, GoogleTest écrirait les octets du cas.
void PrintTo(const CasDossier& cas, std::ostream* sortie) { *sortie << '"' << cas.donne << '"'; }

class DefinirDossier : public ::testing::TestWithParam<CasDossier> {};

TEST_P(DefinirDossier, OteLesSeparateursFinaux)
{
    CRechercheFichiers recherche;
    recherche.DefinirDossier(GetParam().donne);
    EXPECT_EQ(recherche.Dossier(), GetParam().garde);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, DefinirDossier,
    ::testing::Values(CasDossier{"/usr/share/novemia/skin", "/usr/share/novemia/skin"},
                      CasDossier{"/usr/share/novemia/skin/", "/usr/share/novemia/skin"},
                      CasDossier{"/usr/share/novemia/skin///", "/usr/share/novemia/skin"},
                      CasDossier{"/a/skin/ / \t", "/a/skin"},
                      CasDossier{"C:\\Jeux\\skin\\", "C:\\Jeux\\skin"},
                      CasDossier{"C:\\Jeux\\skin \\ ", "C:\\Jeux\\skin "},
                      // Avec une barre inverse, la barre oblique n'est pas un séparateur.
                      CasDossier{"C:\\Jeux/skin/", "C:\\Jeux/skin/"},
                      // Des blancs sans séparateur devant restent.
                      CasDossier{"/a/skin  ", "/a/skin  "},
                      CasDossier{"/", ""},
                      CasDossier{"", ""}),
    [](const ::testing::TestParamInfo<CasDossier>& info) { return "n" + std::to_string(info.index); });

class Chercher : public ::testing::Test {
protected:
    QTemporaryDir racine;
    QString dossier = racine.filePath(QStringLiteral("skin"));

    void SetUp() override
    {
        QDir(racine.path()).mkpath(QStringLiteral("skin/Sous.bmp"));
        for (const char* nom : {"Bois.bmp", "Nuit.BMP", "a.b.bmp", "Zinc.Bmp", "Bois.cfg", "bmp", "x.bmpx",
                                ".cache.bmp", "Sous.bmp/Dedans.bmp", "\u00c9t\u00e9.bmp"}) {
            CReglagesTemporaires::Ecrire(dossier + QLatin1Char('/') + QString::fromUtf8(nom), "BM");
        }
    }

    std::vector<std::string> Trouves(const std::string& dossierDonne, const std::string& motif)
    {
        CRechercheFichiers recherche;
        recherche.DefinirDossier(dossierDonne);
        recherche.Chercher(motif);
        std::vector<std::string> trouves = recherche.fichiers;
        std::sort(trouves.begin(), trouves.end());
        return trouves;
    }
};

TEST_F(Chercher, FichiersSeulsEtExtensionSansCasse)
{
    // Le nom trouvé suit le dossier avec le séparateur du système (barre oblique inverse sous
    // Windows) ; un nom accentué reste en UTF-8, sous Windows aussi (régression).
    const std::string d = dossier.toStdString() + Separateur();
    const std::vector<std::string> attendu = {d + ".cache.bmp", d + "Bois.bmp", d + "Nuit.BMP",
                                              d + "Zinc.Bmp", d + "a.b.bmp", d + "\u00c9t\u00e9.bmp"};
    EXPECT_EQ(Trouves(dossier.toStdString(), "*.bmp"), attendu);
    EXPECT_EQ(Trouves(dossier.toStdString() + "//", "*.BMP"), attendu);
    EXPECT_TRUE(Trouves(dossier.toStdString(), "*.png").empty());
}

TEST_F(Chercher, AjouteALaListe)
{
    CRechercheFichiers recherche;
    recherche.fichiers.push_back("deja");
    // Dossier absent, vide, ou fichier donné comme dossier : rien de plus.
    for (const QString& d : {racine.filePath(QStringLiteral("absent")), QString(), dossier + QStringLiteral("/Bois.bmp")}) {
        recherche.DefinirDossier(d.toStdString());
        recherche.Chercher("*");
    }
    EXPECT_EQ(recherche.fichiers, std::vector<std::string>{"deja"});
    recherche.DefinirDossier(dossier.toStdString());
    recherche.Chercher("Bois.*");
    recherche.Chercher("nuit.bmp");
    ASSERT_EQ(recherche.fichiers.size(), 4u);
    EXPECT_EQ(recherche.fichiers[0], "deja");
    EXPECT_EQ(recherche.fichiers[3], dossier.toStdString() + Separateur() + "Nuit.BMP");
}

}  // namespace
