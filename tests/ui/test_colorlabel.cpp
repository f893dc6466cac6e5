// L'étiquette colorée et la boîte à skin, seules.
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QScreen>
#include <QTest>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include "ui/colorlabel.h"
#include "fenetretest.h"
#include "ui/dlgskin.h"

namespace {

TEST(ColorLabel, CouleurEtPoliceSansFondPropre)
{
    QWidget parent;
    parent.resize(100, 40);
    parent.setAutoFillBackground(true);
    QPalette p = parent.palette();
    p.setColor(QPalette::Window, QColor(1, 2, 3));
    parent.setPalette(p);
    CColorLabel etiquette(&parent);
    etiquette.setGeometry(0, 0, 100, 40);
    etiquette.setAlignment(Qt::AlignCenter);

    etiquette.ChangerNomPolice("Times New Roman", false);
    etiquette.ChangerTaillePolice(22, false);
    etiquette.ChangerGras(true, false);
    etiquette.ChangerCouleurTexte(0x00FF8040, false);  // 0x00BBGGRR : rouge 0x40
    etiquette.ChangerTexte("8", true);
    EXPECT_EQ(etiquette.Texte(), "8");
    EXPECT_EQ(etiquette.Police().pixelSize(), 22);
    EXPECT_EQ(etiquette.Police().weight(), QFont::Bold);
    EXPECT_EQ(CColorLabel::VersQColor(etiquette.CouleurTexte()), QColor(0x40, 0x80, 0xFF));

    // Le fond du parent passe partout où il n'y a pas de lettre.
    const QImage image = parent.grab().toImage();
    EXPECT_EQ(image.pixelColor(2, 2), QColor(1, 2, 3));
    EXPECT_GT(Compter(image, QColor(0x40, 0x80, 0xFF)), 5);

    // Ce qui est vraiment à l'écran (la mémoire de la fenêtre, pas un rendu neuf) : un texte
    // plus court, redessiné, ne laisse rien du plus long.
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    auto ecran = [&parent] {
        QCoreApplication::processEvents();
        return parent.screen()->grabWindow(parent.winId()).toImage();
    };
    etiquette.ChangerTexte("88888", true);
    EXPECT_GT(Compter(ecran(), QColor(1, 2, 3), false), 50);
    etiquette.ChangerTexte("", true);
    EXPECT_EQ(Compter(ecran(), QColor(1, 2, 3), false), 0);
}

TEST(ColorLabel, ConversionDesCouleursAllerRetour)
{
    for (Couleur c : {0x00000000u, 0x00FFFFFFu, 0x00123456u, 0x000000FFu, 0x00FF0000u})
        EXPECT_EQ(CColorLabel::DepuisQColor(CColorLabel::VersQColor(c)), c);
    EXPECT_EQ(CColorLabel::VersQColor(0x000000FFu), QColor(255, 0, 0));
}

TEST(ColorLabel, DeuxEtiquettesOntChacuneLeurPolice)
{
    CColorLabel a, b;
    a.ChangerTaillePolice(12, false);
    b.ChangerTaillePolice(12, false);
    a.ChangerGras(true, false);
    EXPECT_EQ(b.Police().weight(), QFont::Normal);
    // Un nom trop long est coupé à 31 caractères.
    a.ChangerNomPolice(std::string(40, 'x'), false);
    EXPECT_EQ(a.Police().family().size(), 31);
}

TEST(DlgSkin, FondCharge_RemplaceEtRetire)
{
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("fond.bmp"));
    QImage image(60, 30, QImage::Format_RGB32);
    image.fill(QColor(9, 99, 199));
    ASSERT_TRUE(image.save(chemin, "BMP"));

    CDlgSkin boite(200, 100);
    EXPECT_FALSE(boite.AUnFond());
    boite.ChargerFond(chemin.toStdString());
    ASSERT_TRUE(boite.AUnFond());
    EXPECT_EQ(boite.Fond().size(), QSize(60, 30));
    const QImage rendu = boite.ZoneClient()->grab().toImage();
    EXPECT_EQ(rendu.pixelColor(10, 10), QColor(9, 99, 199));
    EXPECT_EQ(rendu.pixelColor(100, 50), boite.palette().color(QPalette::Window));

    // Un fichier qui n'est pas un bitmap : plus de fond, sans erreur (les autres fichiers
    // hostiles sont dans tests/robustesse).
    const QString faux = dossier.filePath(QStringLiteral("faux.bmp"));
    CEnvironnementFenetre::EcrireTexte(faux.toStdString(), "pas une image");
    boite.ChargerFond(chemin.toStdString());
    boite.ChargerFond(faux.toStdString());
    EXPECT_FALSE(boite.AUnFond());
    EXPECT_EQ(boite.ZoneClient()->grab().toImage().pixelColor(10, 10), boite.palette().color(QPalette::Window));
}

// Le décodeur rapide des bitmaps 24 bits donne l'image de Qt, pixel pour pixel, quelle que
// soit la largeur (de 0 à 3 octets de bourrage par ligne).
TEST(DlgSkin, FondLuCommeParQt)
{
    QTemporaryDir dossier;
    CDlgSkin boite(200, 100);
    for (const int largeur : {1, 2, 3, 4, 61}) {
        QImage image(largeur, 7, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < largeur; ++x)
                image.setPixel(x, y, qRgb(37 * x + y, 11 * y + 3, 255 - x));
        const QString chemin = dossier.filePath(QStringLiteral("fond%1.bmp").arg(largeur));
        ASSERT_TRUE(image.save(chemin, "BMP"));
        boite.ChargerFond(chemin.toStdString());
        EXPECT_EQ(boite.Fond().toImage(), QImageReader(chemin).read()) << largeur;
    }
}

// Le fond choisi selon la densité de l'écran : le double au-dessus d'un pixel par pixel,
// à la même taille logique, ou dès que le plateau agrandi couvre 1,5 pixel de l'écran ; un
// double absent ou d'une autre taille laisse le fond seul, et un double sans son fond ne fait
// pas de fond.
TEST(DlgSkin, DoublePourLesEcransDenses)
{
    QTemporaryDir dossier;
    auto ecrire = [&](const char* nom, QSize taille) {
        QImage image(taille, QImage::Format_RGB32);
        image.fill(Qt::gray);
        image.save(dossier.filePath(QLatin1String(nom)), "BMP");
        return dossier.filePath(QLatin1String(nom)).toStdString();
    };
    const std::string fond = ecrire("fond.bmp", {60, 30}), double2x = ecrire("fond@2x.bmp", {120, 60}),
                      bancal = ecrire("bancal@2x.bmp", {120, 61}), absent = dossier.filePath("absent.bmp").toStdString();
    struct Cas {
        std::string fond, double2x;
        qreal ratio;
        qreal densitePeinte;  // 0 : aucun fond
        qreal echelle = 1;    // le plateau agrandi avec la fenêtre
    };
    const Cas cas[] = {{fond, double2x, 1, 1},      {fond, double2x, 1.25, 2},     {fond, double2x, 2, 2},
                       {fond, {}, 2, 1},            {fond, bancal, 2, 1},          {absent, double2x, 2, 0},
                       {fond, double2x, 1, 1, 1.4}, {fond, double2x, 1, 2, 1.5},   {fond, {}, 1, 1, 3},
                       {fond, double2x, 1.25, 2, 1.2}};
    CDlgSkin boite(200, 100);
    for (const Cas& c : cas) {
        SCOPED_TRACE(testing::Message() << c.fond << " " << c.double2x << " à " << c.ratio << ", plateau × " << c.echelle);
        boite.ChargerFond(c.fond, c.double2x);
        const QPixmap& peint = boite.FondPour(c.ratio, c.echelle);
        EXPECT_EQ(peint.isNull() ? 0 : peint.devicePixelRatio(), c.densitePeinte);
        if (!peint.isNull()) {
            EXPECT_EQ(peint.deviceIndependentSize(), QSizeF(60, 30));
        }
    }
}

}  // namespace
