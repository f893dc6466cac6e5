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
#include "skin/emplacementsreglages.h"
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
        boite.ChargerFond("bon.bmp");
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
    // Données d'image coupées en route : le fond, s'il est pris, garde la taille annoncée.
    EcrireFichier("moitie.bmp", bon.substr(0, bon.size() / 2));
    if (FondApres("moitie.bmp")) {
        EXPECT_EQ(boite.Fond().size(), QSize(480, 341));
    } else {
        EXPECT_TRUE(boite.Fond().isNull());
    }
}

// ------------------------------------------------------------------ fichier de couleurs

// 10 000 fois la même clé : bien plus de 18 valeurs, le fichier est fautif et rien n'est pris.
// (Les 10 000 lignes de bruit autour des six clés sont dans tests/skin.)
TEST(ConfigurationHostile, DixMilleFoisLaMemeCle)
{
    CDossierTemporaire dossier;
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

// Le fichier de l'utilisateur n'est pas du texte du tout, ou noie la valeur sous 10 000
// lignes de bruit : rien ne plante, la valeur se retrouve ou manque, jamais un nom bizarre.
// (Valeurs absentes, vides, de 1 023 et 1 024 octets : tests/skin.)
TEST(ReglagesHostiles, FichiersQuiNeSontPasDesReglages)
{
    QTemporaryDir racine;
    ASSERT_TRUE(racine.isValid());
    const QString fichier = racine.filePath(QStringLiteral("Novemia.conf"));
    DefinirEmplacements({QFile::encodeName(fichier).toStdString(), {}});
    auto lire = [&fichier](const QByteArray& contenu) {
        QFile f(fichier);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contenu);
        f.close();
        return TexteReglage(LireReglage("Skin"));
    };
    EXPECT_EQ(lire(QByteArray::fromStdString(LireFichier("/proc/self/exe").substr(0, 4096))),
              "Erreur : Base de registre (" + std::to_string(ErreurValeurAbsente) + ")");
    QByteArray bruit;
    for (int i = 0; i < 10000; ++i) bruit += "[x\x01\xff=;#" + QByteArray::number(i) + "\n";
    EXPECT_EQ(lire(bruit + "Skin=Bois\n" + bruit), "Bois");
}

}  // namespace
