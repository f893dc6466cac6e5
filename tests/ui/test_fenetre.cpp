// La vraie fenêtre principale, hors écran : démarrage, clics à de vrais pixels, skins,
// clavier, menu et quelques parties menées par le menu avec des réponses scriptées.
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBrowser>
#include <gtest/gtest.h>
#include <algorithm>
#include <set>
#include <tuple>

#include "fenetretest.h"
#include "tests/support/pdf.h"
#include "files/textegrille.h"
#include "game/explication.h"
#include "disposition/disposition.h"
#include "ui/dlgapropos.h"
#include "ui/dlgpref.h"
#include "ui/impression.h"
#include "ui/identifiants.h"
#include "ui/menu.h"
#include "ui/options.h"

namespace {

class Fenetre : public ::testing::Test {
protected:
    void SetUp() override
    {
        boite.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&boite));
    }

    // Le pixel rendu d'un point de la zone client.
    QColor Pixel(QPoint point) { return boite.ZoneClient()->grab().toImage().pixelColor(point); }

    // Nombre de pixels exactement de `couleur` peints dans l'étiquette.
    int PixelsDeCouleur(CColorLabel* etiquette, Couleur couleur)
    {
        return Compter(boite.ZoneClient()->grab(etiquette->geometry()).toImage(), CColorLabel::VersQColor(couleur));
    }

    // Une grille importée par le menu, depuis un fichier écrit ici.
    void Importer(const QString& nom, const std::string& texte)
    {
        const std::string chemin = environnement.Chemin(nom).toStdString();
        CEnvironnementFenetre::EcrireTexte(chemin, texte);
        boite.fichiersAOuvrir = {chemin};
        boite.Action(ID_IMPORTER)->trigger();
    }

    // Une grille en jeu, par le menu.
    void Generer()
    {
        boite.Action(ID_FACILE)->trigger();
        ASSERT_TRUE(boite.partie.GrilleEnCours());
    }

    // Une grille en jeu, la fenêtre active pour le clavier ; rend la première case vide.
    int EnJeuAuClavier()
    {
        boite.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&boite));
        Generer();
        int vide = 0;
        while (boite.partie.Grille().LireCase(vide / 9, vide % 9).chiffre != 0) ++vide;
        return vide;
    }

    CEnvironnementFenetre environnement;
    CGrilleApp application;
    CDlgGrilleTest boite{application};
};

TEST_F(Fenetre, DemarrageMontreUnPlateauVide)
{
    EXPECT_EQ(boite.windowTitle(), QStringLiteral("Novemia"));
    EXPECT_EQ(boite.ZoneClient()->size(), QSize(480, 341));
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(application.repertoireAppli, environnement.Appli());
    EXPECT_EQ(application.repertoireSkins, environnement.Skins());
    EXPECT_EQ(application.nomSkin, "Clair");
    EXPECT_EQ(boite.couleurs, TableAttendue(SkinClair));
    EXPECT_TRUE(boite.AUnFond());

    for (CColorLabel* c : boite.etiquettesCases) {
        EXPECT_EQ(c->Texte(), " ");
        EXPECT_EQ(c->Police().family(), QStringLiteral("Times New Roman"));
        EXPECT_EQ(c->Police().pixelSize(), 22);
        EXPECT_EQ(c->CouleurTexte(), boite.couleurs[Vide]);
    }
    const char* textes[11] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "Eff", "?"};
    for (int e = 0; e < 11; ++e) {
        CColorLabel* p = boite.etiquettesPalette[e];
        EXPECT_EQ(p->Texte(), textes[e]);
        EXPECT_EQ(p->Police().pixelSize(), e < 9 ? 18 : 16);
        EXPECT_EQ(p->Police().weight(), QFont::Normal);
        EXPECT_EQ(p->CouleurTexte(), boite.couleurs[8]);
        EXPECT_TRUE(p->alignment() & Qt::AlignHCenter);
    }
    EXPECT_EQ(boite.etiquetteStatut->Texte(), " Pas de grille");
    EXPECT_EQ(boite.etiquetteStatut->Police().pixelSize(), 12);
    EXPECT_EQ(boite.etiquetteStatut->CouleurTexte(), boite.couleurs[10]);
    EXPECT_TRUE(boite.etiquetteStatut->alignment() & Qt::AlignLeft);
    // L'icône de la fenêtre suit la première image.
    QCoreApplication::processEvents();
    EXPECT_FALSE(boite.windowIcon().isNull());
}

TEST_F(Fenetre, IdentifiantsEtPositionsDesEtiquettes)
{
    std::set<int> vus;
    for (int l = 0; l < 9; ++l) {
        for (int c = 0; c < 9; ++c) {
            CColorLabel* e = boite.etiquettesCases[9 * l + c];
            const int id = e->property("id").toInt();
            EXPECT_EQ(e->objectName(), QString::number(id));
            EXPECT_EQ(boite.Etiquette(id), e);
            vus.insert(id);
            // Le centre de chaque zone de clic tombe dans l'étiquette de sa case.
            EXPECT_TRUE(e->geometry().contains(PointCase(l, c))) << l << "," << c;
        }
    }
    EXPECT_EQ(boite.Etiquette(1041), nullptr);
    const int palette[11] = {1082, 1084, 1085, 1086, 1087, 1088, 1089, 1090, 1091, 1092, 1093};
    for (int e = 0; e < 11; ++e) {
        EXPECT_EQ(boite.etiquettesPalette[e]->property("id").toInt(), palette[e]);
        EXPECT_TRUE(boite.etiquettesPalette[e]->geometry().contains(PointPalette(e))) << e;
        vus.insert(palette[e]);
    }
    EXPECT_EQ(boite.etiquetteStatut->property("id").toInt(), IDC_STATUT);
    vus.insert(IDC_STATUT);
    EXPECT_EQ(vus.size(), 93u);
    // Toutes les étiquettes dans la zone client, aucune ne prend la souris.
    for (CColorLabel* e : boite.ZoneClient()->findChildren<CColorLabel*>()) {
        EXPECT_TRUE(QRect(0, 0, 480, 341).contains(e->geometry())) << e->objectName().toStdString();
        EXPECT_TRUE(e->testAttribute(Qt::WA_TransparentForMouseEvents));
    }
}

TEST_F(Fenetre, ClicSurLaPaletteMetEnEvidenceEtGras)
{
    Generer();
    Cliquer(boite, PointPalette(0));  // identifiant 1082, comme « Résoudre » : un simple choix
    EXPECT_EQ(boite.partie.Interface().chiffreSelectionne, 1);
    EXPECT_TRUE(boite.questions.empty());
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(boite.etiquetteStatut->Texte(), " Grille générée (Niveau facile)");
    Cliquer(boite, PointPalette(9));  // « Eff »
    EXPECT_EQ(boite.partie.Interface().chiffreSelectionne, 0);
    EXPECT_EQ(boite.etiquettesPalette[9]->Police().weight(), QFont::Bold);
    EXPECT_EQ(boite.etiquettesPalette[9]->CouleurTexte(), boite.couleurs[9]);

    Cliquer(boite, PointPalette(4));  // « 5 » : « Eff » revient à la normale
    EXPECT_EQ(boite.partie.Interface().chiffreSelectionne, 5);
    EXPECT_EQ(boite.etiquettesPalette[4]->Police().weight(), QFont::Bold);
    EXPECT_EQ(boite.etiquettesPalette[4]->CouleurTexte(), boite.couleurs[9]);
    EXPECT_EQ(boite.etiquettesPalette[9]->Police().weight(), QFont::Normal);
    EXPECT_EQ(boite.etiquettesPalette[9]->CouleurTexte(), boite.couleurs[8]);

    Cliquer(boite, PointPalette(10));  // « ? »
    EXPECT_EQ(boite.partie.Interface().modeHypothese, 1);
    EXPECT_EQ(boite.etiquettesPalette[10]->CouleurTexte(), boite.couleurs[9]);
    Cliquer(boite, PointPalette(10));
    EXPECT_EQ(boite.partie.Interface().modeHypothese, 0);
    EXPECT_EQ(boite.etiquettesPalette[10]->Police().weight(), QFont::Normal);
}

TEST_F(Fenetre, ClicSurUneCaseVidePoseLeChiffreDansSaCouleur)
{
    Generer();
    // Une case vide quelconque, au pixel réel de sa zone.
    int ligne = -1, colonne = -1;
    for (int k = 0; k < 81 && ligne < 0; ++k)
        if (boite.partie.Grille().LireCase(k / 9, k % 9).chiffre == 0)
            ligne = k / 9, colonne = k % 9;
    ASSERT_GE(ligne, 0);
    Cliquer(boite, PointPalette(6));  // « 7 »
    Cliquer(boite, PointCase(ligne, colonne));
    CColorLabel* etiquette = boite.etiquettesCases[9 * ligne + colonne];
    EXPECT_EQ(etiquette->Texte(), "7");
    EXPECT_EQ(boite.partie.Grille().LireCase(ligne, colonne).origine, CoupJoueur);
    EXPECT_EQ(etiquette->CouleurTexte(), boite.couleurs[CoupJoueur]);
    // Et c'est bien ce qui est peint.
    EXPECT_GT(PixelsDeCouleur(etiquette, boite.couleurs[CoupJoueur]), 5);

    // Même case avec « ? » allumé : le chiffre devient une hypothèse du joueur.
    Cliquer(boite, PointPalette(10));
    Cliquer(boite, PointPalette(1));
    Cliquer(boite, PointCase(ligne, colonne));
    EXPECT_EQ(etiquette->Texte(), "2");
    EXPECT_EQ(etiquette->CouleurTexte(), boite.couleurs[HypoJoueur]);
    EXPECT_GT(PixelsDeCouleur(etiquette, boite.couleurs[HypoJoueur]), 5);
}

TEST_F(Fenetre, ClicsHorsZonesEtBoutonDroitSansEffet)
{
    // Avant toute grille, les clics ne font rien.
    Cliquer(boite, PointPalette(2));
    Cliquer(boite, PointCase(0, 0));
    EXPECT_EQ(boite.partie.Interface().chiffreSelectionne, -1);
    EXPECT_EQ(boite.etiquettesPalette[2]->Police().weight(), QFont::Normal);
    EXPECT_EQ(boite.etiquettesCases[0]->Texte(), " ");
    Generer();
    const CGrille avant = boite.partie.Grille();
    Cliquer(boite, PointPalette(3), Qt::RightButton);
    EXPECT_EQ(boite.partie.Interface().chiffreSelectionne, -1);
    Cliquer(boite, PointPalette(3));
    ASSERT_EQ(boite.partie.Interface().chiffreSelectionne, 4);
    // Sous la grille (y 299-301), entre grille et palette (x 383-419), bouton droit.
    for (QPoint p : {QPoint(100, 299), QPoint(100, 301), QPoint(383, 100), QPoint(419, 100)})
        Cliquer(boite, p);
    for (int k = 0; k < 81; ++k)
        Cliquer(boite, PointCase(k / 9, k % 9), Qt::RightButton);
    for (int k = 0; k < 81; ++k)
        EXPECT_EQ(boite.partie.Grille().LireCase(k / 9, k % 9).chiffre, avant.LireCase(k / 9, k % 9).chiffre);
    EXPECT_TRUE(boite.questions.empty());
}

TEST_F(Fenetre, ChangementDeSkinRecoloreTout)
{
    Generer();
    Cliquer(boite, PointPalette(9));   // la gomme choisie
    Cliquer(boite, PointPalette(10));  // « ? » allumé
    const QColor fondAvant = Pixel({5, 5});

    application.nomSkin = "Sombre";
    QCoreApplication::postEvent(&boite, new QEvent(EvenementChangerSkin));
    QCoreApplication::processEvents();

    const TableCouleurs attendu = TableAttendue(SkinSombre);
    ASSERT_EQ(boite.couleurs, attendu);
    for (int k = 0; k < 81; ++k)
        EXPECT_EQ(boite.etiquettesCases[k]->CouleurTexte(),
                  attendu[boite.partie.Grille().LireCase(k / 9, k % 9).origine]);
    for (int e = 0; e < 9; ++e)
        EXPECT_EQ(boite.etiquettesPalette[e]->CouleurTexte(), attendu[8]);
    EXPECT_EQ(boite.etiquettesPalette[9]->CouleurTexte(), attendu[9]);
    EXPECT_EQ(boite.etiquettesPalette[10]->CouleurTexte(), attendu[9]);
    EXPECT_EQ(boite.etiquetteStatut->CouleurTexte(), attendu[10]);
    // Le fond a changé lui aussi, les poids de la palette non.
    EXPECT_NE(Pixel({5, 5}), fondAvant);
    EXPECT_EQ(Pixel({5, 5}), QColor(30, 40, 50));
    EXPECT_EQ(boite.etiquettesPalette[9]->Police().weight(), QFont::Bold);
    EXPECT_TRUE(boite.messages.empty());
}

// Skin absent, puis fichier de couleurs fautif : message avec le chemin, tout en noir ;
// le bitmap, lui, reste s'il existe.
TEST_F(Fenetre, SkinIllisibleToutEnNoir)
{
    const std::tuple<std::string, std::string, std::string, bool> cas[] = {
        {"Absent", "", "Impossible d'ouvrir le fichier de configuration " + environnement.Skins() + "/Absent.cfg", false},
        {"Clair", "Init=255,0\n", "Le fichier de configuration " + environnement.Skins() + "/Clair.cfg comporte des erreurs",
         true}};
    for (const auto& [nom, cfg, message, fond] : cas) {
        SCOPED_TRACE(nom);
        if (!cfg.empty())
            CEnvironnementFenetre::EcrireTexte(environnement.Skins() + "/" + nom + ".cfg", cfg);
        boite.messages.clear();
        application.nomSkin = nom;
        boite.ChargerSkin();
        EXPECT_EQ(boite.messages, std::vector<std::string>{message});
        EXPECT_EQ(boite.couleurs, TableCouleurs{});
        EXPECT_EQ(boite.etiquetteStatut->CouleurTexte(), 0u);
        EXPECT_EQ(boite.AUnFond(), fond);
        if (!fond) {
            EXPECT_EQ(Pixel({5, 5}), boite.palette().color(QPalette::Window));
        }
    }
}

// Un skin livré en Nuit.BMP et Nuit.Cfg (la liste des préférences le montre) se charge.
TEST_F(Fenetre, ExtensionsEnMajusculesChargees)
{
    environnement.EcrireSkin("Nuit", SkinSombre, QColor(30, 40, 50), 480, 341);
    for (const char* extension : {"bmp", "cfg"}) {
        const QString ancien = QString::fromStdString(environnement.Skins() + "/Nuit.") + QLatin1String(extension);
        ASSERT_TRUE(QFile::rename(ancien, ancien.left(ancien.size() - 3) + QString::fromLatin1(extension).toUpper()));
    }
    application.nomSkin = "Nuit";
    boite.ChargerSkin();
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(boite.couleurs, TableAttendue(SkinSombre));
    EXPECT_EQ(Pixel({5, 5}), QColor(30, 40, 50));
}

TEST_F(Fenetre, BitmapPlusPetitNEstPasEtire)
{
    environnement.EcrireSkin("Petit", SkinClair, QColor(200, 10, 10), 100, 60);
    application.nomSkin = "Petit";
    boite.ChargerSkin();
    EXPECT_EQ(Pixel({50, 30}), QColor(200, 10, 10));
    EXPECT_EQ(Pixel({200, 200}), boite.palette().color(QPalette::Window));
}

// Le fond à la densité de l'écran ; ce test tourne aussi sous QT_SCALE_FACTOR=2 (voir
// CMakeLists.txt). « Raye » : un trait noir d'un pixel à x = 100 sur du blanc, et son double
// (extension en majuscules) qui le trace en bleu ; « Flou » n'a pas de double. À 1, le trait
// tel quel ; à 2, le double pixel pour pixel, ou le fond agrandi en douceur.
TEST_F(Fenetre, FondALaDensiteDeLEcran)
{
    const int ratio = qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2 ? 2 : 1;
    ASSERT_EQ(boite.devicePixelRatio(), ratio);
    auto fondRaye = [&](const QString& fichier, int echelle, const QColor& trait) {
        QImage image(QSize(480, 341) * echelle, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter(&image).fillRect(100 * echelle, 0, echelle, image.height(), trait);
        ASSERT_TRUE(image.save(QString::fromStdString(environnement.Skins()) + "/" + fichier, "BMP"));
    };
    for (const auto& [nom, avecDouble] : {std::pair("Raye", true), std::pair("Flou", false)}) {
        SCOPED_TRACE(nom);
        environnement.EcrireSkin(nom, SkinClair, Qt::white, 480, 341);
        fondRaye(QString::fromLatin1(nom) + ".bmp", 1, Qt::black);
        if (avecDouble)
            fondRaye(QString::fromLatin1(nom) + "@2x.BMP", 2, Qt::blue);
        application.nomSkin = nom;
        boite.ChargerSkin();
        const QImage rendu = boite.ZoneClient()->grab().toImage();
        ASSERT_EQ(rendu.size(), QSize(480, 341) * ratio);
        // Un pixel de l'écran avant le trait, ceux du trait, un après.
        std::vector<QColor> autour;
        for (int x = 100 * ratio - 1; x <= 100 * ratio + ratio; ++x)
            autour.push_back(rendu.pixelColor(x, 170 * ratio));
        const QColor blanc(Qt::white), noir(Qt::black), bleu(Qt::blue);
        if (ratio == 1)
            EXPECT_EQ(autour, (std::vector<QColor>{blanc, noir, blanc}));
        else if (avecDouble)
            EXPECT_EQ(autour, (std::vector<QColor>{blanc, bleu, bleu, blanc}));
        else
            for (const QColor& c : autour)
                EXPECT_TRUE(c != blanc && c != noir) << c.name().toStdString();
    }
}

TEST_F(Fenetre, ReglagesAbsentsDonnentLeTexteDErreurDansLeChemin)
{
    // Un autre démarrage, sans aucun réglage.
    CEnvironnementFenetre vide;
    QFile::remove(QString::fromStdString(vide.Appli()) + "/../utilisateur/Novemia.conf");
    CGrilleApp autre;
    CDlgGrilleTest seconde(autre);
    seconde.show();
    const std::string erreur = "Erreur : Base de registre (2)";
    EXPECT_EQ(autre.repertoireAppli, erreur);
    EXPECT_EQ(autre.nomSkin, erreur);
    ASSERT_EQ(seconde.messages.size(), 1u);
    EXPECT_EQ(seconde.messages[0],
              "Impossible d'ouvrir le fichier de configuration " + erreur + "/skin/" + erreur + ".cfg");
    EXPECT_EQ(seconde.etiquetteStatut->Texte(), " Pas de grille");
}

// Ce que lit un lecteur d'écran des étiquettes : le nom d'une case qui change, la case du
// curseur qui a le focus, l'état d'une entrée de la palette, la ligne d'état. (Les annonces
// elles-mêmes passent par AT-SPI : tests/accessibilite.)
TEST_F(Fenetre, CeQueLitUnLecteurDEcran)
{
    const auto interface = [](QObject* objet) {
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(objet);
        EXPECT_NE(i, nullptr);
        return i;
    };
    Generer();
    int vide = 0;
    while (boite.partie.Grille().LireCase(vide / 9, vide % 9).chiffre != 0) ++vide;
    boite.partie.MontrerCurseurSur(vide / 9, vide % 9);
    Cliquer(boite, PointPalette(6));
    Cliquer(boite, PointCase(vide / 9, vide % 9));
    boite.partie.MontrerCurseurSur(0, 0);
    boite.partie.MontrerCurseurSur(vide / 9, vide % 9);

    QAccessibleInterface* cible = interface(boite.etiquettesCases[vide]);
    EXPECT_EQ(cible->text(QAccessible::Name).toStdString(), DecrireCase(vide / 9, vide % 9, 7, CoupJoueur));
    EXPECT_TRUE(cible->state().focused);
    for (int k = 0; k < 81; ++k) {
        EXPECT_EQ(interface(boite.etiquettesCases[k])->state().focused, k == vide) << k;
    }
    const std::tuple<int, QAccessible::Role, const char*, bool> palette[] = {
        {0, QAccessible::RadioButton, "Chiffre 1", false},
        {6, QAccessible::RadioButton, "Chiffre 7", true},
        {9, QAccessible::RadioButton, "Gomme", false},
        {10, QAccessible::CheckBox, "Mode hypothèse", false},
    };
    for (const auto& [entree, role, nom, coche] : palette) {
        QAccessibleInterface* i = interface(boite.etiquettesPalette[entree]);
        EXPECT_EQ(i->role(), role) << nom;
        EXPECT_EQ(i->text(QAccessible::Name).toStdString(), nom);
        EXPECT_EQ(i->state().checked, coche) << nom;
    }
    QAccessibleInterface* statut = interface(boite.etiquetteStatut);
    EXPECT_EQ(statut->role(), QAccessible::StatusBar);
    EXPECT_EQ(statut->text(QAccessible::Name).toStdString(), boite.etiquetteStatut->Texte().substr(1));
}

// Entrée, Échap, « Quitter » et la case de fermeture : sans grille en jeu, la fenêtre se
// ferme aussitôt ; avec une grille, « Non » garde tout et seul « Oui » ferme.
TEST_F(Fenetre, FermeturesDemandentQuandUneGrilleEstEnJeu)
{
    const std::pair<std::function<void()>, int> manieres[] = {
        {[&] { QTest::keyClick(&boite, Qt::Key_Return); }, IDOK},
        {[&] { QTest::keyClick(&boite, Qt::Key_Escape); }, IDCANCEL},
        {[&] { boite.Action(ID_QUITTER)->trigger(); }, IDCANCEL},
        {[&] { boite.close(); }, IDCANCEL}};
    for (const auto& [fermer, resultat] : manieres) {
        SCOPED_TRACE(resultat);
        boite.show();
        fermer();
        EXPECT_FALSE(boite.isVisible());
        EXPECT_EQ(boite.result(), resultat);
    }
    EXPECT_TRUE(boite.questions.empty());

    Generer();
    Cliquer(boite, PointPalette(4));
    Cliquer(boite, PointPalette(10));
    const std::string statut = boite.etiquetteStatut->Texte();
    const std::string indices = TexteIndices(boite.partie.Grille());
    for (const auto& [fermer, resultat] : manieres) {
        SCOPED_TRACE(resultat);
        boite.show();
        boite.setResult(0);
        boite.questions.clear();
        boite.reponses = {false, true};
        fermer();
        ASSERT_EQ(boite.questions, std::vector<std::string>{std::string(QuestionPerteGrille)});
        EXPECT_TRUE(boite.isVisible());
        EXPECT_EQ(boite.result(), 0);
        EXPECT_EQ(TexteIndices(boite.partie.Grille()), indices);
        EXPECT_EQ(boite.etiquetteStatut->Texte(), statut);
        EXPECT_EQ(boite.partie.Interface().chiffreSelectionne, 5);
        EXPECT_EQ(boite.partie.Interface().modeHypothese, 1);
        fermer();
        EXPECT_FALSE(boite.isVisible());
        EXPECT_EQ(boite.result(), resultat);
    }
    // Entrée ou Échap tenues : leurs répétitions ne demandent ni ne ferment rien.
    Generer();
    boite.show();
    boite.questions.clear();
    for (const int touche : {Qt::Key_Return, Qt::Key_Escape}) {
        QKeyEvent repetee(QEvent::KeyPress, touche, Qt::NoModifier, {}, true);
        QApplication::sendEvent(&boite, &repetee);
    }
    EXPECT_TRUE(boite.isVisible());
    EXPECT_TRUE(boite.questions.empty());
}

// Au clavier seul : les flèches, un chiffre de la rangée d'un clavier français, le pavé
// numérique, l'effacement, « ? », puis défaire et refaire ; le cadre du curseur paraît.
TEST_F(Fenetre, PartieAuClavier)
{
    const int vide = EnJeuAuClavier();
    const QImage sansCurseur = boite.ZoneClient()->grab().toImage();
    QTest::keyClick(&boite, Qt::Key_Right);  // le curseur paraît en (0,0)
    EXPECT_NE(boite.ZoneClient()->grab().toImage(), sansCurseur);
    for (int k = 0; k < vide % 9; ++k) QTest::keyClick(&boite, Qt::Key_Right);
    for (int k = 0; k < vide / 9; ++k) QTest::keyClick(&boite, Qt::Key_Down);
    QLabel* etiquette = boite.etiquettesCases[vide];
    QTest::keyClick(&boite, Qt::Key_ParenLeft, Qt::NoModifier);  // « ( » : le 5 d'un clavier français
    EXPECT_EQ(etiquette->text(), QStringLiteral("5"));
    EXPECT_EQ(boite.etiquettesCases[vide]->CouleurTexte(), boite.couleurs[CoupJoueur]);
    QTest::keyClick(&boite, Qt::Key_Question, Qt::ShiftModifier);  // « ? »
    QTest::keyClick(&boite, Qt::Key_7, Qt::KeypadModifier);
    EXPECT_EQ(etiquette->text(), QStringLiteral("7"));
    EXPECT_EQ(boite.etiquettesCases[vide]->CouleurTexte(), boite.couleurs[HypoJoueur]);
    QTest::keyClick(&boite, Qt::Key_Delete);
    EXPECT_EQ(etiquette->text(), QStringLiteral(" "));
    QTest::keyClick(&boite, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(etiquette->text(), QStringLiteral("7"));
    QTest::keyClick(&boite, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(etiquette->text(), QStringLiteral("5"));
    QTest::keyClick(&boite, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(etiquette->text(), QStringLiteral("7"));
    QTest::keyClick(&boite, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(etiquette->text(), QStringLiteral(" "));
    // Échap demande, « Non » garde la partie.
    boite.reponses = {false};
    QTest::keyClick(&boite, Qt::Key_Escape);
    EXPECT_EQ(boite.questions, std::vector<std::string>{std::string(QuestionPerteGrille)});
    EXPECT_TRUE(boite.isVisible());
}

// Le menu mené au clavier (Alt+G, puis Échap deux fois) rend le clavier à la fenêtre :
// Échap et Entrée, frappés comme par le joueur, la ferment encore.
TEST_F(Fenetre, EchapFermeEncoreApresLeMenuAuClavier)
{
    boite.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&boite));
    for (const int touche : {Qt::Key_Escape, Qt::Key_Return}) {
        QTest::keyClick(boite.windowHandle(), Qt::Key_G, Qt::AltModifier);
        QMenu* ouvert = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(ouvert, nullptr);
        EXPECT_EQ(ouvert, boite.menuGrille);
        QTest::keyClick(ouvert, Qt::Key_Escape);      // ferme le menu déroulant
        QTest::keyClick(boite.windowHandle(), Qt::Key_Escape);  // quitte la barre
        ASSERT_TRUE(boite.isVisible());
        QTest::keyClick(boite.windowHandle(), static_cast<Qt::Key>(touche));
        EXPECT_FALSE(boite.isVisible());
        EXPECT_EQ(boite.result(), touche == Qt::Key_Escape ? IDCANCEL : IDOK);
        boite.show();
        boite.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&boite));
    }
}

TEST_F(Fenetre, MenuDansLOrdreDeLaTable)
{
    const QList<QAction*> barre = boite.menuPrincipal->actions();
    ASSERT_EQ(barre.size(), 3);
    EXPECT_EQ(barre[0]->text(), QStringLiteral("&Grille"));
    EXPECT_EQ(barre[1]->text(), QStringLiteral("&Préférences"));
    EXPECT_EQ(barre[1]->menu(), nullptr);  // une commande sur la barre même
    EXPECT_EQ(barre[1]->data().toInt(), ID_PREFERENCES);
    EXPECT_EQ(barre[2]->text(), QStringLiteral("&Aide"));

    // Texte de chaque entrée, « - » pour un séparateur, sous-menus entre crochets.
    std::function<QStringList(QMenu*)> lister = [&](QMenu* menu) {
        QStringList l;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator())
                l << QStringLiteral("-");
            else if (a->menu())
                l << a->text() + QStringLiteral("[") + lister(a->menu()).join(QStringLiteral("|")) +
                         QStringLiteral("]");
            else
                l << a->text();
            EXPECT_FALSE(a->isChecked());
            EXPECT_TRUE(a->isEnabled());
        }
        return l;
    };
    EXPECT_EQ(lister(barre[0]->menu()).join(QStringLiteral("|")),
              QStringLiteral("&Créer|&Générer[&Facile|&Moyen|&Difficile|&Diabolique]|&Importer|&Exporter|-|"
                             "&Remettre à zéro|Coup de &main[1 chiffre|2 chiffres|3 chiffres|-|&Pourquoi ?|&Noter les candidats]|&Résoudre|"
                             "&Vérifier|-|&Quitter|-|Dé&fi[&Sous-ensembles|&Poissons|&Ailes|&Chaînes]|-|Im&primer…|"
                             "Imprimer &des grilles…|-|Pa&use|&Statistiques…"));
    EXPECT_EQ(lister(barre[2]->menu()).join(QStringLiteral("|")), QStringLiteral("&Aide|A &propos ..."));

    // Chaque commande de la table a son action, qui porte son identifiant et mène à un
    // gestionnaire ; la trace n'a pas d'entrée de menu, seule la fenêtre porte son action.
    for (const EntreeMenu& e : TableMenu) {
        if (e.genre == EntreeMenu::Commande || e.genre == EntreeMenu::Raccourci) {
            QAction* action = boite.Action(e.id);
            ASSERT_NE(action, nullptr) << e.id;
            EXPECT_NE(e.gestionnaire, nullptr) << e.id;
            if (e.genre == EntreeMenu::Commande) {
                EXPECT_EQ(action->text().toStdString(), e.texte) << e.id;
            }
        }
    }
    QAction* trace = boite.Action(ID_TRACE);
    ASSERT_NE(trace, nullptr);
    EXPECT_EQ(trace->associatedObjects(), QList<QObject*>{&boite});
    EXPECT_EQ(boite.Action(12345), nullptr);
}

TEST_F(Fenetre, TraceParRaccourciCache)
{
    // Un raccourci de fenêtre ne vaut que pour la fenêtre active.
    boite.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&boite));
    QTest::keyClick(&boite, Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(boite.partie.Trace().EstOuvert());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(boite.partie.Trace().Nom())));
    QTest::keyClick(&boite, Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(boite.partie.Trace().EstOuvert());
    // Aucune entrée de menu n'offre ce raccourci ; seules « Pourquoi ? », « Noter les
    // candidats », « Imprimer… » et « Pause » en montrent un.
    const std::set<int> avecRaccourci{ID_POURQUOI, ID_NOTER, ID_IMPRIMER, ID_PAUSE};
    for (QAction* a : boite.menuPrincipal->findChildren<QAction*>())
        EXPECT_EQ(a->shortcut().isEmpty(), !avecRaccourci.contains(a->data().toInt())) << a->text().toStdString();
}

TEST_F(Fenetre, PartieMeneeParLeMenu)
{
    Generer();
    EXPECT_TRUE(boite.questions.empty());  // pas de grille avant : pas de question
    EXPECT_EQ(boite.etiquetteStatut->Texte(), " Grille générée (Niveau facile)");
    int indices = 0, vide = -1;
    for (int k = 0; k < 81; ++k) {
        const Case& c = boite.partie.Grille().LireCase(k / 9, k % 9);
        if (c.origine == Init) {
            ++indices;
            EXPECT_EQ(boite.etiquettesCases[k]->Texte(), std::to_string(c.chiffre));
            EXPECT_EQ(boite.etiquettesCases[k]->CouleurTexte(), boite.couleurs[Init]);
        } else if (vide < 0) {
            vide = k;
        }
    }
    EXPECT_GE(indices, 17);
    ASSERT_GE(vide, 0);

    // Le bon chiffre par la palette, puis « Vérifier » sur une grille incomplète.
    const int juste = boite.partie.Grille().LireSolution(vide / 9, vide % 9).chiffre;
    ASSERT_GE(juste, 1);
    Cliquer(boite, PointPalette(juste - 1));
    Cliquer(boite, PointCase(vide / 9, vide % 9));
    EXPECT_EQ(boite.etiquettesCases[vide]->Texte(), std::to_string(juste));
    boite.Action(ID_VERIFIER)->trigger();
    ASSERT_EQ(boite.messages.size(), 1u);
    EXPECT_EQ(boite.messages[0], "La grille comporte des erreurs !");

    // Remise à zéro : le chiffre du joueur s'en va.
    boite.Action(ID_REMETTREAZERO)->trigger();
    EXPECT_EQ(boite.etiquettesCases[vide]->Texte(), " ");

    // Résoudre, réponse « Oui » par défaut.
    boite.Action(ID_RESOUDRE)->trigger();
    ASSERT_EQ(boite.questions.size(), 1u);
    EXPECT_EQ(boite.messages.back(), "La grille est résolue !");
    EXPECT_EQ(boite.etiquetteStatut->Texte(), " Grille générée (Niveau facile) >>> grille résolue automatiquement");
    for (int k = 0; k < 81; ++k) {
        const Case& c = boite.partie.Grille().LireCase(k / 9, k % 9);
        EXPECT_EQ(boite.etiquettesCases[k]->Texte(), std::to_string(c.chiffre));
        EXPECT_EQ(boite.etiquettesCases[k]->CouleurTexte(), boite.couleurs[c.origine]);
    }
}

// « Imprimer… » et « Imprimer des grilles… » par leurs vraies boîtes jusqu'à un fichier PDF
// (QPrinter) : relue, la grille résolue donne ses 81 chiffres dans l'ordre, sous sa graine ; K
// grilles font le bon nombre de pages pour chaque choix.
TEST_F(Fenetre, ImpressionDansUnFichierPdf)
{
    Generer();
    boite.Action(ID_RESOUDRE)->trigger();
    const QString pdf = environnement.Chemin(QStringLiteral("impression.pdf"));
    int parPage = 1;
    boite.resultatBoite = QDialog::Accepted;
    boite.surBoite = [&](QDialog& d) {
        if (auto* impression = qobject_cast<QPrintDialog*>(&d)) {
            impression->printer()->setOutputFileName(pdf);
        } else if (auto* choix = qobject_cast<QMessageBox*>(&d)) {
            choix->defaultButton()->click();  // « Avec les chiffres posés »
        } else if (auto* grilles = qobject_cast<CDlgGrillesAImprimer*>(&d)) {
            grilles->nombre->setValue(5);
            grilles->parPage->setCurrentIndex(grilles->parPage->findData(parPage));
        }
    };
    boite.Action(ID_IMPRIMER)->trigger();
    EXPECT_EQ(boite.boitesOuvertes, (std::vector<std::string>{"Imprimer", "Imprimer"}));
    std::string solution;
    for (int k = 0; k < 81; ++k)
        solution += std::to_string(boite.partie.Grille().LireCase(k / 9, k % 9).chiffre);
    ASSERT_TRUE(QFile::exists(pdf));
    if (PdfLisible) {
        const std::string texte = TexteDuPdf(pdf.toStdString());
        EXPECT_EQ(ChiffresDesCases(texte), solution) << texte;
        EXPECT_NE(texte.find("Niveau facile, graine 12345"), std::string::npos) << texte;
        EXPECT_EQ(std::ranges::count(texte, '\f'), 1);
    }
    for (const int n : ParPagePossibles) {
        SCOPED_TRACE(n);
        parPage = n;
        QFile::remove(pdf);
        boite.Action(ID_IMPRIMERGRILLES)->trigger();
        ASSERT_TRUE(QFile::exists(pdf));
        if (PdfLisible) {
            EXPECT_EQ(std::ranges::count(TexteDuPdf(pdf.toStdString()), '\f'), (5 + n - 1) / n);
        }
    }
}

TEST_F(Fenetre, PartieEntiereJoueeALaSouris)
{
    boite.Action(ID_DIABOLIQUE)->trigger();
    ASSERT_TRUE(boite.partie.GrilleEnCours());
    // Chaque case vide reçoit, par deux vrais clics, le chiffre de la solution gardée.
    for (int k = 0; k < 81; ++k) {
        if (boite.partie.Grille().LireCase(k / 9, k % 9).chiffre != 0)
            continue;
        Cliquer(boite, PointPalette(boite.partie.Grille().LireSolution(k / 9, k % 9).chiffre - 1));
        Cliquer(boite, PointCase(k / 9, k % 9));
    }
    boite.Action(ID_VERIFIER)->trigger();
    ASSERT_EQ(boite.messages.size(), 1u);
    EXPECT_EQ(boite.messages[0], "La grille est résolue !");
    EXPECT_EQ(boite.etiquetteStatut->Texte(), " Grille générée (Niveau diabolique) >>> la grille est résolue !");
    for (int k = 0; k < 81; ++k)
        EXPECT_EQ(boite.etiquettesCases[k]->Texte(), std::to_string(boite.partie.Grille().LireSolution(k / 9, k % 9).chiffre));
}

TEST_F(Fenetre, CoupDeMainMontreSaCouleur)
{
    Generer();
    boite.Action(ID_COUPDEMAIN3)->trigger();
    int montres = 0;
    for (int k = 0; k < 81; ++k) {
        if (boite.partie.Grille().LireCase(k / 9, k % 9).origine == CoupDeMain) {
            ++montres;
            EXPECT_EQ(boite.etiquettesCases[k]->CouleurTexte(), boite.couleurs[CoupDeMain]);
            EXPECT_NE(boite.etiquettesCases[k]->Texte(), " ");
        }
    }
    EXPECT_EQ(montres, 3);
}

TEST_F(Fenetre, ModeCreationGriseEtRestaureLesEntrees)
{
    QAction* creer = boite.Action(ID_CREER);
    const QList<QAction*> entrees = boite.menuGrille->actions();
    ASSERT_EQ(entrees.size(), 19);
    // « Non » : l'entrée cochable ne reste pas cochée.
    boite.reponses = {false};
    creer->trigger();
    EXPECT_FALSE(creer->isChecked());
    EXPECT_FALSE(boite.partie.ModeCreation());

    creer->trigger();
    ASSERT_TRUE(boite.partie.ModeCreation());
    EXPECT_TRUE(creer->isChecked());
    EXPECT_EQ(boite.etiquetteStatut->Texte(), " Grille en mode création");
    // Générer, Importer, Exporter, Remettre à zéro, Coup de main, Résoudre et Vérifier ; Défi ;
    // « Imprimer… », qui n'a pas de grille à imprimer ; et Pause.
    const std::set<int> grisees{1, 2, 3, 5, 6, 7, 8, 12, 14, 17};
    for (int p = 0; p < entrees.size(); ++p)
        EXPECT_EQ(entrees[p]->isEnabled(), !grisees.contains(p)) << p;
    // Un indice tapé en mode création : origine Init, couleur des indices.
    Cliquer(boite, PointPalette(2));
    Cliquer(boite, PointCase(4, 5));
    EXPECT_EQ(boite.Etiquette(6)->Texte(), "3");
    EXPECT_EQ(boite.Etiquette(6)->CouleurTexte(), boite.couleurs[Init]);

    creer->trigger();
    EXPECT_FALSE(boite.partie.ModeCreation());
    EXPECT_FALSE(creer->isChecked());
    EXPECT_EQ(boite.etiquetteStatut->Texte(), " Grille créée manuellement");
    for (QAction* a : entrees)
        EXPECT_TRUE(a->isEnabled());
}

TEST_F(Fenetre, ImportationParLeMenu)
{
    Importer(QStringLiteral("essai.sdu"), "# essai\n53..7....\n6..195...\n.98....6.\n8...6...3\n4..8.3..1\n"
                                          "7...2...6\n.6....28.\n...419..5\n....8..79\n");
    EXPECT_EQ(boite.questions.size(), 1u);  // l'importation demande toujours
    EXPECT_EQ(boite.etiquetteStatut->Texte(), " Grille importée (essai.sdu)");
    EXPECT_EQ(boite.etiquettesCases[0]->Texte(), "5");
    EXPECT_EQ(boite.etiquettesCases[2]->Texte(), " ");

    // Annulée : plateau vide, la ligne d'état nomme encore la grille précédente.
    boite.Action(ID_IMPORTER)->trigger();
    for (CColorLabel* c : boite.etiquettesCases)
        EXPECT_EQ(c->Texte(), " ");
    EXPECT_EQ(boite.etiquetteStatut->Texte(), " Grille importée (essai.sdu)");
}

// « Pourquoi ? » sur une position où il faut plusieurs étapes (deux paires cachées avant une
// seule place) : le résumé sur la ligne d'état, tout le raisonnement dans le panneau, au survol
// et pour les lecteurs d'écran, ses cases teintées ; le prochain clic, gauche ou droit, efface tout.
TEST_F(Fenetre, PourquoiMontreLeRaisonnementJusquALaProchaineAction)
{
    Importer(QStringLiteral("chaine.sdu"), "....3.52.\n.8.4..3..\n.3...9...\n5.1...6.3\n2.37.....\n"
                                           "...3.....\n6...13...\n3.....7.4\n.......3.\n");
    const QImage avant = boite.ZoneClient()->grab().toImage();
    for (const Qt::MouseButton bouton : {Qt::LeftButton, Qt::RightButton}) {
        SCOPED_TRACE(bouton == Qt::LeftButton ? "clic gauche" : "clic droit");
        // Le troisième appel sur la même position : la réponse entière.
        for (int temps = 0; temps < 3; ++temps) boite.Action(ID_POURQUOI)->trigger();

        auto* panneau = boite.findChild<QLabel*>(QStringLiteral("raisonnement"));
        ASSERT_NE(panneau, nullptr);
        EXPECT_TRUE(panneau->isVisible());
        const QStringList phrases = panneau->text().split(QLatin1Char('\n'));
        ASSERT_GE(phrases.size(), 2);
        for (int k = 0; k < phrases.size(); ++k)
            EXPECT_TRUE(phrases[k].startsWith(QString::number(k + 1) + QStringLiteral(". "))) << phrases[k].toStdString();
        EXPECT_EQ(boite.etiquetteStatut->toolTip(), panneau->text());
        const std::string nom =
            QAccessible::queryAccessibleInterface(boite.etiquetteStatut)->text(QAccessible::Name).toStdString();
        EXPECT_NE(nom.find(phrases.last().mid(3).toStdString()), std::string::npos) << nom;
        ASSERT_FALSE(boite.casesRaisonnement.empty());
        const QImage montre = boite.ZoneClient()->grab().toImage();
        for (const auto& [ligne, colonne] : boite.casesRaisonnement) {
            const QPoint centre = PointCase(ligne, colonne) + QPoint(-12, -12);  // loin du chiffre
            EXPECT_NE(montre.pixelColor(centre), avant.pixelColor(centre)) << ligne << "," << colonne;
        }

        Cliquer(boite, PointPalette(0), bouton);
        EXPECT_FALSE(panneau->isVisible());
        EXPECT_TRUE(boite.casesRaisonnement.empty());
        EXPECT_TRUE(boite.etiquetteStatut->toolTip().isEmpty());
        const QImage apres = boite.ZoneClient()->grab().toImage();
        for (const auto& [ligne, colonne] : std::vector<std::pair<int, int>>{{6, 1}, {7, 7}}) {
            const QPoint centre = PointCase(ligne, colonne) + QPoint(-12, -12);  // loin du chiffre
            EXPECT_EQ(apres.pixelColor(centre), avant.pixelColor(centre)) << ligne << "," << colonne;
        }
    }

    // Au deuxième temps, sur les notes : chaque candidat que l'étape ôte est barré, dans la
    // couleur des retraits.
    boite.Action(ID_NOTER)->trigger();
    for (int temps = 0; temps < 2; ++temps) boite.Action(ID_POURQUOI)->trigger();
    const QImage barre = boite.ZoneClient()->grab().toImage();
    const QColor retrait = CColorLabel::VersQColor(boite.couleursAjoutees.retrait);
    int otes = 0;
    for (const CandidatMontre& c : boite.candidatsRaisonnement) {
        if (!c.ote) continue;
        ++otes;
        // Un pixel proche du rouge des retraits, autour du centre de la note.
        const QPoint pave = PointCase(c.ligne, c.colonne) + QPoint((c.chiffre - 1) % 3 * 10 - 10, (c.chiffre - 1) / 3 * 10 - 10);
        int ecart = 255 * 3;
        for (int k = 0; k < 49; ++k) {
            const QColor p = barre.pixelColor(pave + QPoint(k % 7 - 3, k / 7 - 3));
            ecart = std::min(ecart, std::abs(p.red() - retrait.red()) + std::abs(p.green() - retrait.green()) +
                                        std::abs(p.blue() - retrait.blue()));
        }
        EXPECT_LT(ecart, 60) << c.ligne << "," << c.colonne << " : " << c.chiffre;
    }
    EXPECT_GT(otes, 0);
}

// Sur une grille vide, « Pourquoi ? » répond d'une seule phrase (il faut une hypothèse), trop
// longue pour la ligne d'état : le panneau la montre. Il suit la fenêtre déplacée ou agrandie,
// collé sous elle, de sa largeur, jamais sur le plateau, et se cache avec elle quand elle est
// réduite ; sur le plateau agrandi, où le texte grandit avec lui, la phrase reste coupée et va
// encore au panneau.
TEST_F(Fenetre, LePanneauDuRaisonnementSuitLaFenetre)
{
    std::string vide;
    for (int ligne = 0; ligne < 9; ++ligne) vide += ".........\n";
    Importer(QStringLiteral("vide.sdu"), vide);
    boite.move(0, 0);
    boite.Action(ID_POURQUOI)->trigger();
    ASSERT_NE(boite.etiquetteStatut->Texte().find("il faut une hypothèse"), std::string::npos);
    auto* panneau = boite.findChild<QLabel*>(QStringLiteral("raisonnement"));
    ASSERT_NE(panneau, nullptr);
    const int menu = boite.height() - boite.ZoneClient()->height();
    const QRect geometries[] = {{40, 30, 480, 341 + menu}, {10, 0, 620, 440 + menu}, {0, 0, 480, 341 + menu}};
    for (const QRect& g : geometries) {
        SCOPED_TRACE(testing::Message() << g.x() << "," << g.y() << " " << g.width() << "×" << g.height());
        boite.setGeometry(g);
        QCoreApplication::processEvents();
        ASSERT_TRUE(panneau->isVisible());
        const QRect fenetre = boite.frameGeometry();
        EXPECT_EQ(panneau->geometry().topLeft(), fenetre.bottomLeft() + QPoint(0, 1));
        EXPECT_EQ(panneau->width(), fenetre.width());
        const QRect plateau(boite.ZoneClient()->mapToGlobal(QPoint(0, 0)), boite.ZoneClient()->size());
        EXPECT_FALSE(panneau->geometry().intersects(plateau));
    }
    // Réduite, la fenêtre emporte le panneau ; rendue, elle le retrouve à sa place.
    boite.showMinimized();
    QCoreApplication::processEvents();
    EXPECT_FALSE(panneau->isVisible());
    boite.showNormal();
    QCoreApplication::processEvents();
    ASSERT_TRUE(panneau->isVisible());
    EXPECT_EQ(panneau->geometry().topLeft(), boite.frameGeometry().bottomLeft() + QPoint(0, 1));
    boite.resize(960, 682 + menu);
    QCoreApplication::processEvents();
    ASSERT_EQ(boite.Echelle(), 2);
    boite.Action(ID_POURQUOI)->trigger();
    EXPECT_TRUE(panneau->isVisible());
}

TEST_F(Fenetre, ExportationParLeMenuNeGardeQueLesIndices)
{
    Generer();
    boite.Action(ID_COUPDEMAIN2)->trigger();  // deux chiffres révélés : pas exportés
    const std::string chemin = environnement.Chemin(QStringLiteral("sortie.sdu")).toStdString();
    boite.fichiersAEnregistrer = {chemin};
    const std::string statut = boite.etiquetteStatut->Texte();
    boite.Action(ID_EXPORTER)->trigger();
    EXPECT_TRUE(boite.messages.empty());
    EXPECT_EQ(boite.etiquetteStatut->Texte(), statut);
    QByteArray attendu;
    for (int k = 0; k < 81; ++k) {
        const Case& c = boite.partie.Grille().LireCase(k / 9, k % 9);
        attendu += c.origine == Init ? char('0' + c.chiffre) : '.';
        attendu += k % 9 == 8 ? "\r\n" : "";
    }
    QFile f(QString::fromStdString(chemin));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), attendu);
}

TEST_F(Fenetre, AProposEtPreferencesSontDesBoitesModales)
{
    bool versionVue = false, okVu = false;
    boite.surBoite = [&](QDialog& d) {
        if (qobject_cast<CDlgAPropos*>(&d) == nullptr)
            return;
        for (QLabel* l : d.findChildren<QLabel*>())
            versionVue |= l->text() == QStringLiteral("Novemia Version 1.0");
        for (QPushButton* b : d.findChildren<QPushButton*>())
            okVu |= b->text() == QStringLiteral("OK") && b->isDefault();
        EXPECT_EQ(d.size(), QSize(disposition::EnPixelsX(235), disposition::EnPixelsY(55)));
    };
    boite.Action(ID_APROPOS)->trigger();
    boite.Action(ID_PREFERENCES)->trigger();
    ASSERT_EQ(boite.boitesOuvertes.size(), 2u);
    EXPECT_EQ(boite.boitesOuvertes[0], "À propos de Novemia");
    EXPECT_TRUE(versionVue);
    EXPECT_TRUE(okVu);
    EXPECT_EQ(boite.boitesOuvertes[1], "Préférences");
}

TEST_F(Fenetre, PreferencesChangentLeSkinApresLaFermeture)
{
    // « Sombre » choisi dans la liste, puis Annuler (rien ne change), puis OK.
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        boite.surBoite = [ok](QDialog& d) {
            auto* preferences = qobject_cast<CDlgPref*>(&d);
            ASSERT_NE(preferences, nullptr);
            const int index = preferences->comboSkin->findText(QStringLiteral("Sombre"));
            ASSERT_GE(index, 0);
            preferences->OnCbnSelchangeSkin(index);
            if (ok)
                preferences->OnBnClickedOk();
            else
                preferences->reject();
        };
        boite.Action(ID_PREFERENCES)->trigger();
        const std::string attendu = ok ? "Sombre" : "Clair";
        // Le changement arrive par l'événement posté, une fois la boîte fermée : nom et skin
        // ensemble, rien avant.
        EXPECT_EQ(application.nomSkin, "Clair");
        EXPECT_EQ(boite.couleurs, TableAttendue(SkinClair));
        QCoreApplication::processEvents();
        EXPECT_EQ(application.nomSkin, attendu);
        EXPECT_EQ(boite.couleurs, TableAttendue(ok ? SkinSombre : SkinClair));
        EXPECT_EQ(TexteReglage(LireReglage("Skin")), attendu);
    }
}

TEST_F(Fenetre, AideAbsenteOuPresente)
{
    boite.cheminAide = environnement.Chemin(QStringLiteral("absente/index.html")).toStdString();
    boite.Action(ID_AIDE)->trigger();
    ASSERT_EQ(boite.messages.size(), 1u);
    EXPECT_EQ(boite.messages[0], "Failed to launch help.");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // le curseur d'attente est rendu

    boite.cheminAide = environnement.Chemin(QStringLiteral("index.html")).toStdString();
    CEnvironnementFenetre::EcrireTexte(boite.cheminAide,
                                       "<html><body><h1 id=\"sommaire\">Sommaire</h1><p>Règles</p></body></html>");
    boite.Action(ID_AIDE)->trigger();
    EXPECT_EQ(boite.messages.size(), 1u);
    ASSERT_NE(boite.visionneuseAide, nullptr);
    EXPECT_TRUE(boite.visionneuseAide->window()->isVisible());
    EXPECT_TRUE(boite.visionneuseAide->toPlainText().contains(QStringLiteral("Règles")));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Fenetre, AppuiGaucheEtGlisserDeplaceLaFenetre)
{
    // Le déplacement manuel (la plateforme hors écran n'en offre pas) : l'appui sur une case,
    // puis la souris qui bouge, bouton tenu.
    const QPoint depart = boite.pos();
    const QPoint point = PointCase(3, 3);
    QTest::mousePress(boite.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      boite.ZoneClient()->mapTo(&boite, point));
    const QPoint global = boite.ZoneClient()->mapToGlobal(point);
    QMouseEvent glisse(QEvent::MouseMove, QPointF(point), QPointF(global + QPoint(30, 20)), Qt::NoButton,
                       Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(boite.ZoneClient(), &glisse);
    EXPECT_EQ(boite.pos(), depart + QPoint(30, 20));
    QTest::mouseRelease(boite.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                        boite.ZoneClient()->mapTo(&boite, point));
    // Relâché : bouger ne déplace plus rien.
    QMouseEvent apres(QEvent::MouseMove, QPointF(point), QPointF(global + QPoint(90, 90)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(boite.ZoneClient(), &apres);
    EXPECT_EQ(boite.pos(), depart + QPoint(30, 20));
}

// La fenêtre agrandie : le plateau grandit d'une seule échelle, centré, et chaque clic au
// même endroit du plateau touche la même case ou la même entrée qu'à la taille d'origine ;
// les étiquettes suivent. Revenue à sa taille, la fenêtre est celle du départ, pixel pour pixel.
TEST_F(Fenetre, ClicsAuxTaillesAgrandies)
{
    Generer();
    boite.partie.MontrerCurseurSur(0, 0);
    const QImage depart = boite.ZoneClient()->grab().toImage();
    const int menu = boite.height() - boite.ZoneClient()->height();
    struct Taille {
        QSize zone;
        qreal echelle;
        QPointF coin;
    };
    const Taille tailles[] = {{{480, 341}, 1, {0, 0}},
                              {{720, 512}, 1.5, {0, 0.25}},
                              {{960, 682}, 2, {0, 0}},
                              {{1200, 500}, 500.0 / 341, {(1200 - 480 * 500.0 / 341) / 2, 0}}};
    for (const Taille& t : tailles) {
        SCOPED_TRACE(testing::Message() << t.zone.width() << "×" << t.zone.height());
        boite.resize(t.zone.width(), t.zone.height() + menu);
        QCoreApplication::processEvents();
        ASSERT_EQ(boite.ZoneClient()->size(), t.zone);
        EXPECT_DOUBLE_EQ(boite.Echelle(), t.echelle);
        EXPECT_NEAR(boite.Decalage().x(), t.coin.x(), 1e-9);
        EXPECT_NEAR(boite.Decalage().y(), t.coin.y(), 1e-9);
        // Le point du plateau, où qu'il soit dans la fenêtre agrandie.
        const auto agrandi = [&t](QPoint p) {
            return QPoint(int(t.coin.x() + (p.x() + 0.5) * t.echelle), int(t.coin.y() + (p.y() + 0.5) * t.echelle));
        };
        boite.partie.MontrerCurseurSur(0, 0);
        for (int k = 0; k < 81; ++k) {
            const QPoint point = agrandi(PointCase(k / 9, k % 9));
            Cliquer(boite, point);
            ASSERT_EQ(boite.partie.Interface().curseur, std::pair(k / 9, k % 9)) << k;
            EXPECT_TRUE(boite.etiquettesCases[k]->geometry().contains(point)) << k;
        }
        for (int e = 0; e < 10; ++e) {
            const QPoint point = agrandi(PointPalette(e));
            Cliquer(boite, point);
            EXPECT_EQ(boite.partie.Interface().chiffreSelectionne, e == 9 ? 0 : e + 1) << e;
            EXPECT_TRUE(boite.etiquettesPalette[e]->geometry().contains(point)) << e;
        }
        // La police reste celle du plateau ; c'est la peinture qui grandit.
        EXPECT_EQ(boite.etiquettesCases[0]->Police().pixelSize(), 22);
    }
    boite.resize(480, 341 + menu);
    QCoreApplication::processEvents();
    boite.partie.MontrerCurseurSur(0, 0);
    boite.partie.DeselectionnerPalette();
    EXPECT_EQ(boite.Echelle(), 1);
    EXPECT_EQ(boite.ZoneClient()->grab().toImage(), depart);
}

// Les notes au clavier, tel que Qt rend les touches avec Ctrl : rangée des chiffres, pavé
// numérique, rangée d'un AZERTY (« & », « é »…) et ses chiffres avec Maj ; puis au clic droit
// avec le chiffre de la palette. Le lecteur d'écran les entend, elles sont peintes.
TEST_F(Fenetre, NotesAuClavierEtAuClicDroit)
{
    const int vide = EnJeuAuClavier();
    const int l = vide / 9, c = vide % 9;
    boite.partie.MontrerCurseurSur(l, c);
    const QRect zone = boite.etiquettesCases[vide]->geometry();
    const QImage sansNotes = boite.ZoneClient()->grab(zone).toImage();
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, uint16_t> touches[] = {
        {Qt::Key_3, Qt::ControlModifier, 0b000000100},
        {Qt::Key_7, Qt::ControlModifier | Qt::KeypadModifier, 0b001000100},
        {Qt::Key_Ampersand, Qt::ControlModifier, 0b001000101},
        {Qt::Key_Eacute, Qt::ControlModifier, 0b001000111},
        {Qt::Key_2, Qt::ControlModifier | Qt::ShiftModifier, 0b001000101},
        {Qt::Key_A, Qt::ControlModifier, 0b001000101},
        {Qt::Key_5, Qt::AltModifier, 0b001000101},
    };
    for (const auto& [touche, modificateurs, notes] : touches) {
        SCOPED_TRACE(testing::Message() << std::hex << touche << " " << modificateurs.toInt());
        QTest::keyClick(&boite, touche, modificateurs);
        EXPECT_EQ(boite.casesMontrees[vide].aspect.notes, notes);
        EXPECT_EQ(boite.etiquettesCases[vide]->accessibleName().toStdString(),
                  DecrireCase(l, c, 0, Vide, notes, false));
        EXPECT_EQ(boite.partie.Interface().chiffreSelectionne, -1) << "la palette garde son choix";
    }
    EXPECT_EQ(boite.etiquettesCases[vide]->accessibleName().toStdString(),
              "Ligne " + std::to_string(l + 1) + ", colonne " + std::to_string(c + 1) + " : vide, notes : 1, 3, 7");
    Cliquer(boite, PointPalette(4));
    Cliquer(boite, PointCase(l, c), Qt::RightButton);
    EXPECT_EQ(boite.casesMontrees[vide].aspect.notes, 0b001010101);
    // Peintes dans la couleur des notes : des petits chiffres lissés, dont quelques pixels
    // pleins ou presque.
    const QImage avecNotes = boite.ZoneClient()->grab(zone).toImage();
    const QColor encre = CColorLabel::VersQColor(boite.couleursAjoutees.notes);
    int proches = 0, changes = 0;
    for (int py = 0; py < avecNotes.height(); ++py)
        for (int px = 0; px < avecNotes.width(); ++px) {
            const QColor p = avecNotes.pixelColor(px, py);
            changes += p != sansNotes.pixelColor(px, py);
            proches += std::abs(p.red() - encre.red()) + std::abs(p.green() - encre.green()) +
                           std::abs(p.blue() - encre.blue()) < 90;
        }
    EXPECT_GT(changes, 30);
    EXPECT_GT(proches, 3);
}

// Conflits et surlignage choisis dans « Préférences » : un chiffre répété prend la couleur
// des conflits et se dit « en conflit », sa case et celles de la case choisie se teintent ;
// éteints, tout revient comme avant.
TEST_F(Fenetre, ConflitsEtSurlignageChoisis)
{
    Generer();
    int x = -1, y = -1;
    for (int i = 0; i < 81 && y < 0; ++i) {
        if (boite.partie.Grille().LireCase(i / 9, i % 9).chiffre != 0)
            continue;
        for (int j = 9 * (i / 9); j < 9 * (i / 9) + 9 && y < 0; ++j)
            if (boite.partie.Grille().LireCase(j / 9, j % 9).origine == Init)
                x = i, y = j;
    }
    ASSERT_GE(y, 0);
    const int32_t d = boite.partie.Grille().LireCase(y / 9, y % 9).chiffre;
    const QImage avant = boite.ZoneClient()->grab().toImage();
    QCoreApplication::postEvent(&boite, new CEvenementChangerOptions({true, true, false}));
    QCoreApplication::processEvents();
    Cliquer(boite, PointPalette(d - 1));
    Cliquer(boite, PointCase(x / 9, x % 9));
    for (const int k : {x, y}) {
        EXPECT_EQ(boite.etiquettesCases[k]->CouleurTexte(), boite.couleursAjoutees.conflit) << k;
        EXPECT_TRUE(boite.etiquettesCases[k]->accessibleName().endsWith(QStringLiteral(", en conflit"))) << k;
        EXPECT_GT(PixelsDeCouleur(boite.etiquettesCases[k], boite.couleursAjoutees.conflit), 5) << k;
    }
    // Une case vide de la ligne de x, teintée, et le fond hors de la grille, intact.
    int teintee = 9 * (x / 9);
    while (boite.partie.Grille().LireCase(teintee / 9, teintee % 9).chiffre != 0) ++teintee;
    const QPoint milieu = PointCase(teintee / 9, teintee % 9) + QPoint(0, 10);
    const QImage apres = boite.ZoneClient()->grab().toImage();
    EXPECT_NE(apres.pixelColor(milieu), avant.pixelColor(milieu));
    EXPECT_EQ(apres.pixelColor(5, 5), avant.pixelColor(5, 5));

    QCoreApplication::postEvent(&boite, new CEvenementChangerOptions({}));
    QCoreApplication::processEvents();
    EXPECT_EQ(boite.etiquettesCases[x]->CouleurTexte(), boite.couleurs[CoupJoueur]);
    EXPECT_EQ(boite.etiquettesCases[y]->CouleurTexte(), boite.couleurs[Init]);
    EXPECT_EQ(boite.etiquettesCases[x]->accessibleName().toStdString(), DecrireCase(x / 9, x % 9, d, CoupJoueur));
    EXPECT_EQ(boite.ZoneClient()->grab().toImage().pixelColor(milieu), avant.pixelColor(milieu));
}

// Le temps de jeu : dans le coin de la barre de menus, qui garde sa hauteur, il court la fenêtre
// active et s'arrête réduite ; « Pause » (touche P) cache les chiffres et refuse les clics ;
// « Statistiques… » montre le niveau joué et ne remet à zéro qu'après la question.
TEST_F(Fenetre, TempsPauseEtStatistiques)
{
    // D'autres essais de ce programme ont compté leurs grilles au même endroit.
    QFile::remove(QDir::current().filePath(QStringLiteral("donnees/statistiques.novemia")));
    EnJeuAuClavier();
    int pleine = 0;
    while (boite.partie.Grille().LireCase(pleine / 9, pleine % 9).chiffre == 0) ++pleine;
    const int hauteurBarre = boite.menuPrincipal->height();
    const QRect zone = boite.ZoneClient()->geometry();
    OptionsJeu choix;
    choix.chronometre = true;
    QCoreApplication::postEvent(&boite, new CEvenementChangerOptions(choix));
    QCoreApplication::processEvents();
    auto* temps = boite.findChild<QLabel*>(QStringLiteral("temps"));
    ASSERT_NE(temps, nullptr);
    EXPECT_EQ(boite.menuPrincipal->cornerWidget(Qt::TopRightCorner), temps);
    EXPECT_TRUE(temps->text().startsWith(QStringLiteral("0:0"))) << temps->text().toStdString();  // quelques secondes au plus
    EXPECT_EQ(boite.menuPrincipal->height(), hauteurBarre);
    EXPECT_EQ(boite.ZoneClient()->geometry(), zone);
    EXPECT_TRUE(boite.partie.TempsCourt());

    QTest::keyClick(&boite, Qt::Key_P);
    EXPECT_FALSE(boite.partie.TempsCourt());
    EXPECT_EQ(temps->text(), QStringLiteral("Pause"));
    EXPECT_EQ(boite.etiquettesCases[pleine]->Texte(), " ");
    boite.Action(ID_PAUSE)->trigger();
    EXPECT_TRUE(boite.partie.TempsCourt());
    EXPECT_NE(boite.etiquettesCases[pleine]->Texte(), " ");
    boite.showMinimized();
    QCoreApplication::processEvents();
    EXPECT_FALSE(boite.partie.TempsCourt());
    boite.showNormal();

    QCoreApplication::postEvent(&boite, new CEvenementChangerOptions({}));
    QCoreApplication::processEvents();
    EXPECT_EQ(boite.findChild<QLabel*>(QStringLiteral("temps")), nullptr);
    EXPECT_EQ(boite.menuPrincipal->height(), hauteurBarre);

    std::vector<QString> lignes;
    boite.surBoite = [&](QDialog& statistiques) {
        for (QLabel* etiquette : statistiques.findChildren<QLabel*>())
            lignes.push_back(etiquette->text());
        for (QPushButton* bouton : statistiques.findChildren<QPushButton*>())
            if (bouton->text() == QStringLiteral("&Remettre à zéro…"))
                bouton->click();
    };
    boite.reponses = {false};
    boite.Action(ID_STATISTIQUES)->trigger();
    EXPECT_EQ(boite.boitesOuvertes, std::vector<std::string>{"Statistiques"});
    // La ligne « Facile » : une grille commencée, aucune finie.
    const auto facile = std::ranges::find(lignes, QStringLiteral("Facile"));
    ASSERT_GE(std::distance(facile, lignes.end()), 6);
    EXPECT_EQ((std::vector<QString>(facile, facile + 6)),
              (std::vector<QString>{QStringLiteral("Facile"), QStringLiteral("1"), QStringLiteral("0"),
                                    QStringLiteral("0"), QStringLiteral("–"), QStringLiteral("–")}));
    EXPECT_EQ(boite.questions, std::vector<std::string>{std::string(QuestionEffacerStatistiques)});
}

// « Reprendre la partie au prochain lancement » : la fenêtre se ferme sans question, et la
// suivante s'ouvre sur la même partie (plateau, couleurs, notes, palette, ligne d'état) ; la
// taille de la fenêtre revient aussi.
TEST_F(Fenetre, PartieGardeeRepriseAuLancement)
{
    EcrireRegistre("ReprendrePartie", "1");
    EcrireRegistre("MontrerConflits", "1");
    CDlgGrilleTest premiere(application, 777);
    premiere.show();
    premiere.Action(ID_MOYEN)->trigger();
    premiere.Action(ID_NOTER)->trigger();
    int vide = 0;
    while (premiere.partie.Grille().LireCase(vide / 9, vide % 9).chiffre != 0) ++vide;
    Cliquer(premiere, PointPalette(10));
    Cliquer(premiere, PointPalette(premiere.partie.Grille().LireSolution(vide / 9, vide % 9).chiffre - 1));
    Cliquer(premiere, PointCase(vide / 9, vide % 9));
    premiere.Action(ID_POURQUOI)->trigger();
    premiere.resize(700, 600);
    QTest::keyClick(&premiere, Qt::Key_Escape);
    EXPECT_TRUE(premiere.questions.empty());
    EXPECT_FALSE(premiere.isVisible());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(premiere.cheminPartie)));
    EXPECT_EQ(TexteReglage(LireReglage("Fenetre")), "700,600");

    CGrilleApp autre;
    CDlgGrilleTest seconde(autre);
    seconde.show();
    EXPECT_TRUE(seconde.messages.empty());
    EXPECT_EQ(seconde.size(), QSize(700, 600));
    for (int k = 0; k < 81; ++k) {
        EXPECT_EQ(seconde.etiquettesCases[k]->Texte(), premiere.etiquettesCases[k]->Texte()) << k;
        EXPECT_EQ(seconde.etiquettesCases[k]->CouleurTexte(), premiere.etiquettesCases[k]->CouleurTexte()) << k;
        EXPECT_EQ(seconde.etiquettesCases[k]->accessibleName(), premiere.etiquettesCases[k]->accessibleName()) << k;
    }
    for (int e = 0; e < 11; ++e) {
        EXPECT_EQ(seconde.etiquettesPalette[e]->CouleurTexte(), premiere.etiquettesPalette[e]->CouleurTexte()) << e;
        EXPECT_EQ(seconde.etiquettesPalette[e]->Police().weight(), premiere.etiquettesPalette[e]->Police().weight()) << e;
    }
    EXPECT_EQ(seconde.etiquetteStatut->Texte(), premiere.etiquetteStatut->Texte());
    EXPECT_TRUE(seconde.etiquetteStatut->Texte().find(" >>> ") != std::string::npos);
    // Sans l'option, la question revient et rien n'est gardé.
    EcrireRegistre("ReprendrePartie", "0");
    QCoreApplication::postEvent(&seconde, new CEvenementChangerOptions({true, false, false}));
    QCoreApplication::processEvents();
    seconde.reponses = {true};
    QTest::keyClick(&seconde, Qt::Key_Escape);
    EXPECT_EQ(seconde.questions, std::vector<std::string>{std::string(QuestionPerteGrille)});
    EXPECT_TRUE(QFile::exists(QString::fromStdString(seconde.cheminPartie))) << "ni écrite ni effacée sans l'option";
}

// Les vraies boîtes (la fenêtre de test les remplace ailleurs) : titres, icônes, boutons,
// texte jamais pris pour du HTML, filtre et suffixe des dialogues de fichiers.
TEST(BoitesReelles, MessageQuestionEtFichiers)
{
    CEnvironnementFenetre environnement;
    CGrilleApp application;
    CDlgGrille boite(application);
    // Lit la boîte modale ouverte, puis la ferme par `fermer`.
    auto repondre = [](std::function<void(QWidget*)> fermer) {
        QTimer::singleShot(0, [fermer] { fermer(QApplication::activeModalWidget()); });
    };
    // Ce qu'une boîte de message a montré ; elle est fermée par le bouton de texte `clic`.
    struct Vu {
        QString titre, texte;
        int format = -1, icone = -1;
        QStringList boutons;
    } vu;
    auto repondreMessage = [&](const QString& clic) {
        repondre([&vu, clic](QWidget* w) {
            auto* m = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(m, nullptr);
            vu = {m->windowTitle(), m->text(), m->textFormat(), m->icon(), {}};
            for (QAbstractButton* b : m->buttons())
                vu.boutons << b->text();
            vu.boutons.sort();
            for (QAbstractButton* b : m->buttons())
                if (b->text() == clic || m->buttons().size() == 1)
                    b->click();
        });
    };

    const std::string texte = "Impossible d'ouvrir le fichier de configuration /tmp/<b>x</b>/skin/a.cfg";
    repondreMessage({});
    boite.Message(texte);
    EXPECT_EQ(vu.titre, QStringLiteral("Novemia"));
    EXPECT_EQ(vu.texte.toStdString(), texte);
    EXPECT_EQ(vu.format, Qt::PlainText);
    EXPECT_EQ(vu.icone, QMessageBox::NoIcon);
    EXPECT_EQ(vu.boutons.size(), 1);

    for (const bool oui : {true, false}) {
        repondreMessage(oui ? QStringLiteral("&Oui") : QStringLiteral("&Non"));
        EXPECT_EQ(boite.Question("Vous allez perdre la grille en cours ! Voulez-vous continuer ?",
                                 BoutonParDefaut::Oui),
                  oui);
        EXPECT_EQ(vu.titre, QStringLiteral("Alerte"));
        EXPECT_EQ(vu.icone, QMessageBox::Warning);
        EXPECT_EQ(vu.format, Qt::PlainText);
        EXPECT_EQ(vu.boutons, (QStringList{QStringLiteral("&Non"), QStringLiteral("&Oui")}));
    }

    // Entrée répond par le bouton par défaut ; une Entrée répétée (touche tenue) ne répond pas.
    for (const BoutonParDefaut defaut : {BoutonParDefaut::Oui, BoutonParDefaut::Non}) {
        bool ouverteApresRepetition = false;
        repondre([&ouverteApresRepetition](QWidget* w) {
            ASSERT_NE(w, nullptr);
            QKeyEvent repetee(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
            QApplication::sendEvent(w->focusWidget() != nullptr ? w->focusWidget() : w, &repetee);
            ouverteApresRepetition = w->isVisible();
            QTest::keyClick(w, Qt::Key_Return);
        });
        EXPECT_EQ(boite.Question("Alors ?", defaut), defaut == BoutonParDefaut::Oui);
        EXPECT_TRUE(ouverteApresRepetition);
    }

    for (const bool ouvrir : {true, false}) {
        QStringList filtres;
        QString suffixe;
        bool confirme = false, enregistrer = true;
        repondre([&](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(d, nullptr);
            filtres = d->nameFilters();
            suffixe = d->defaultSuffix();
            confirme = !d->testOption(QFileDialog::DontConfirmOverwrite);
            enregistrer = d->acceptMode() == QFileDialog::AcceptSave;
            d->reject();
        });
        const auto choix = ouvrir ? boite.ChoisirFichierAOuvrir() : boite.ChoisirFichierAEnregistrer();
        EXPECT_FALSE(choix.has_value());  // annulé
        EXPECT_EQ(filtres, QStringList{QStringLiteral("Grille Sudoku (*.sdu)")});
        EXPECT_EQ(suffixe, QStringLiteral("sdu"));
        EXPECT_EQ(enregistrer, !ouvrir);
        if (!ouvrir) {
            EXPECT_TRUE(confirme);
        }
    }
}

}  // namespace
