// Skins et réglages face aux mauvaises données : bitmap absent, vide, tronqué, qui n'en est
// pas un ou qui annonce des dimensions démesurées ; fichier de couleurs de 10 000 lignes ;
// valeurs de réglage absentes, vides, trop longues ou qui ne sont pas du texte.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "skin/configuration.h"
#include "skin/registre.h"
#include "tests/robustesse/outils.h"
#include "tests/support/dossiertemporaire.h"
#include "ui/dlgskin.h"

namespace {

// ------------------------------------------------------------------ bitmap du skin

class FondHostile : public ::testing::Test {
protected:
    CDossierTemporaire dossier;
    CDlgSkin boite{480, 341};

    void SetUp() override
    {
        QImage image(480, 341, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        ASSERT_TRUE(image.save(QStringLiteral("bon.bmp"), "BMP"));
        boite.show();
    }

    // Le bon bitmap, puis celui qu'on essaie : rien ne plante, la boîte se peint encore.
    bool FondApres(const std::string& chemin)
    {
        EXPECT_TRUE(boite.ChargerFond("bon.bmp"));
        EXPECT_TRUE(boite.AUnFond());
        boite.ChargerFond(chemin);
        const QPixmap capture = boite.grab();
        EXPECT_FALSE(capture.isNull());
        return boite.AUnFond();
    }
};

TEST_F(FondHostile, FichiersQuiNeDonnentPasDeFond)
{
    const std::string bon = LireFichier("bon.bmp");
    ASSERT_GT(bon.size(), 54u);
    EcrireFichier("vide.bmp", "");
    EcrireFichier("entete-tronque.bmp", bon.substr(0, 20));
    EcrireFichier("texte.bmp", "Init=0,0,0\nCeci n'est pas une image.\n");
    std::filesystem::create_directory("dossier.bmp");
    // En-tête BMP valide de 54 octets annonçant 60 000 × 60 000 pixels sur 32 bits
    // (14 Go) sans les données : refusé sans tenter l'allocation.
    std::string geant = bon.substr(0, 54);
    auto poser32 = [&geant](size_t position, uint32_t v) {
        for (int i = 0; i < 4; ++i) geant[position + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    poser32(18, 60000);
    poser32(22, 60000);
    EcrireFichier("geant.bmp", geant);

    for (const char* nom : {"absent.bmp", "vide.bmp", "entete-tronque.bmp", "texte.bmp", "dossier.bmp",
                            "geant.bmp", "dossier-absent/x.bmp"}) {
        SCOPED_TRACE(nom);
        const long avant = PointeKio();
        EXPECT_FALSE(FondApres(nom));
        EXPECT_LT(PointeKio() - avant, 64 * 1024) << "kio de plus en pointe";
    }
}

// Données d'image coupées en route : le fond, s'il est pris, garde la taille annoncée.
TEST_F(FondHostile, DonneesTronquees)
{
    const std::string bon = LireFichier("bon.bmp");
    EcrireFichier("moitie.bmp", bon.substr(0, bon.size() / 2));
    if (FondApres("moitie.bmp")) {
        EXPECT_EQ(boite.Fond().size(), QSize(480, 341));
    } else {
        EXPECT_TRUE(boite.Fond().isNull());
    }
}

// ------------------------------------------------------------------ fichier de couleurs

TEST(ConfigurationHostile, DixMilleLignes)
{
    CDossierTemporaire dossier;
    const std::string six =
        "Init=1,2,3\nDeduitOrdi=4,5,6\nHypoOrdi=7,8,9\nCoupDeMain=10,11,12\nCoupJoueur=13,14,15\nHypoJoueur=16,17,18\n";
    // 9 994 lignes de remarques et de clés presque justes, puis les six vraies clés.
    std::string bruit;
    for (int i = 0; i < 9994; ++i) {
        switch (i % 4) {
        case 0: bruit += "; remarque " + std::to_string(i) + "\n"; break;
        case 1: bruit += " Init=9,9,9\n"; break;
        case 2: bruit += "init=9,9,9\n"; break;
        default: bruit += "HypoJoueur =9,9,9\n"; break;
        }
    }
    EcrireFichier("bruit.cfg", bruit + six);
    const ResultatConfiguration bon = LireConfiguration("bruit.cfg");
    EXPECT_FALSE(bon.message.has_value());
    EXPECT_EQ(bon.couleurs[1], 1u | 2u << 8 | 3u << 16);
    EXPECT_EQ(bon.couleurs[7], 16u | 17u << 8 | 18u << 16);

    // 10 000 fois la même clé : bien plus de 18 valeurs, le fichier est fautif.
    std::string repete;
    for (int i = 0; i < 10000; ++i) repete += "Init=255,255,255\n";
    EcrireFichier("repete.cfg", repete);
    const std::string chemin = (dossier.Chemin() / "repete.cfg").string();
    const ResultatConfiguration fautif = LireConfiguration(chemin);
    ASSERT_TRUE(fautif.message.has_value());
    EXPECT_EQ(*fautif.message, "Le fichier de configuration " + chemin + " comporte des erreurs");
    for (const Couleur c : fautif.couleurs) EXPECT_EQ(c, 0u);
}

// ------------------------------------------------------------------ réglages

// Fichier de l'utilisateur dans un dossier temporaire ; le nom du fichier est celui que les
// réglages créent eux-mêmes à la première écriture.
class ReglagesHostiles : public ::testing::Test {
protected:
    QTemporaryDir racine;
    QString fichier;

    void SetUp() override
    {
        ASSERT_TRUE(racine.isValid());
        QDir(racine.path()).mkpath(QStringLiteral("utilisateur"));
        QDir(racine.path()).mkpath(QStringLiteral("machine"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(racine.filePath(QStringLiteral("utilisateur"))));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(racine.filePath(QStringLiteral("machine"))));
        PreparerEmplacementsReglages();
        ASSERT_EQ(EcrireRegistre("Skin", "Bois"), 0);
        const QStringList crees = QDir(racine.filePath(QStringLiteral("utilisateur"))).entryList(QDir::Files);
        ASSERT_EQ(crees.size(), 1);
        fichier = racine.filePath(QStringLiteral("utilisateur/") + crees[0]);
    }

    std::string Lire(const QByteArray& contenu)
    {
        QFile f(fichier);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contenu);
        f.close();
        return LireRegistre("Skin");
    }
};

std::string Erreur(int code) { return "Erreur : Base de registre (" + std::to_string(code) + ")"; }

TEST_F(ReglagesHostiles, ValeursLimites)
{
    const std::string v1023(1023, 'a');
    const std::string v1024(1024, 'b');
    EXPECT_EQ(Lire("[General]\ns2gAppDir=/opt\n"), Erreur(ErreurValeurAbsente));
    EXPECT_EQ(Lire("[General]\nSkin=\n"), "ERR");
    EXPECT_EQ(Lire(QByteArray("[General]\nSkin=") + v1023.c_str() + "\n"), v1023);
    EXPECT_EQ(Lire(QByteArray("[General]\nSkin=") + v1024.c_str() + "\n"), Erreur(ErreurValeurTropLongue));
    EXPECT_EQ(Lire(""), Erreur(ErreurValeurAbsente));
    // Le fichier lui-même n'est pas du texte : aucune valeur n'y est trouvée.
    EXPECT_EQ(Lire(QByteArray::fromStdString(LireFichier("/proc/self/exe").substr(0, 4096))),
              Erreur(ErreurValeurAbsente));
}

// Valeurs qui ne sont pas un simple texte : une erreur de la base, jamais un nom bizarre.
TEST_F(ReglagesHostiles, ValeursQuiNeSontPasDuTexte)
{
    for (const char* contenu : {"[General]\nSkin=Bois, Nuit\n", "[General]\nSkin=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x7)\n",
                                "[General]\nSkin=@Invalid()\n", "[General]\nSkin=@Rect(1 2 3 4)\n"}) {
        SCOPED_TRACE(contenu);
        const std::string r = Lire(contenu);
        EXPECT_EQ(r, Erreur(ErreurDonneesInvalides));
    }
    // Des octets : lus comme une chaîne du registre, jusqu'au premier octet nul.
    EXPECT_EQ(Lire("[General]\nSkin=@ByteArray(Bo\\0is)\n"), "Bo");
    EXPECT_EQ(Lire("[General]\nSkin=@ByteArray(\\0)\n"), "ERR");
}

}  // namespace
