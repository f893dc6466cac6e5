// Boîte « Préférences » sur la plateforme sans écran : liste, choix, OK, Annuler.
#include "tests/support/reglagestemporaires.h"
#include "skin/registre.h"
#include "ui/dlgpref.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Fenêtre principale de substitution : garde le skin de chaque demande de rechargement.
class CFenetreReceptrice : public QWidget {
public:
    std::vector<std::string> changements;
    std::vector<OptionsJeu> options;

protected:
    bool event(QEvent* evenement) override
    {
        if (evenement->type() == EvenementChangerSkin) {
            changements.push_back(static_cast<CEvenementChangerSkin*>(evenement)->nomSkin);
            return true;
        }
        if (evenement->type() == EvenementChangerOptions) {
            options.push_back(static_cast<CEvenementChangerOptions*>(evenement)->options);
            return true;
        }
        return QWidget::event(evenement);
    }
};

class DlgPref : public ::testing::Test {
protected:
    CReglagesTemporaires reglages;
    QString dossier = reglages.Chemin(QStringLiteral("skin"));
    CFenetreReceptrice fenetre;
    std::string nomSkin = "Bois";  // celui en usage à l'ouverture

    void SetUp() override
    {
        QDir().mkpath(dossier + QStringLiteral("/Sous.bmp"));
        // Les doubles pour écrans denses (@2x) accompagnent leur skin sans en être.
        for (const char* nom : {"Zinc.bmp", "abricot.bmp", "Bois.bmp", "Bois@2x.bmp", "Nuit.BMP", "Nuit@2x.BMP",
                                "a.b.bmp", "Bois.cfg", "lisez-moi.txt", ".bmp"}) {
            CReglagesTemporaires::Ecrire(dossier + QLatin1Char('/') + QLatin1String(nom), "BM");
        }
        reglages.Ecrire(reglages.FichierMachine(), "[General]\nSkin=Bois\n");
    }

    std::unique_ptr<CDlgPref> Ouvrir(const QString& repertoire)
    {
        auto dlg = std::make_unique<CDlgPref>(nomSkin, repertoire.toStdString(), &fenetre);
        dlg->show();
        return dlg;
    }
    std::unique_ptr<CDlgPref> Ouvrir() { return Ouvrir(dossier); }

    static QStringList Liste(const CDlgPref& dlg)
    {
        QStringList noms;
        for (int i = 0; i < dlg.comboSkin->count(); ++i) noms << dlg.comboSkin->itemText(i);
        return noms;
    }

    // Choix à la souris dans la liste déroulante.
    static void Choisir(CDlgPref& dlg, const QString& nom)
    {
        const int index = dlg.comboSkin->findText(nom);
        ASSERT_GE(index, 0) << nom.toStdString();
        dlg.comboSkin->showPopup();
        QAbstractItemView* vue = dlg.comboSkin->view();
        const QModelIndex element = vue->model()->index(index, 0);
        vue->scrollTo(element);
        QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(element).center());
        ASSERT_EQ(dlg.comboSkin->currentIndex(), index);
    }

    static QPushButton* Bouton(const CDlgPref& dlg, const char* id)
    {
        return dlg.findChild<QPushButton*>(QLatin1String(id));
    }

    int Changements()
    {
        QCoreApplication::processEvents();
        return static_cast<int>(fenetre.changements.size());
    }
    // Rien signalé, rien écrit.
    void RienNAChange(const CDlgPref&)
    {
        EXPECT_EQ(Changements(), 0);
        EXPECT_FALSE(QFile::exists(reglages.FichierUtilisateur()));
    }
};

TEST_F(DlgPref, Presentation)
{
    auto dlg = Ouvrir();
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Préférences"));
    // Les choix de la partie sous le skin : plus haute, et au moins aussi large qu'avant eux.
    EXPECT_GE(dlg->width(), 279);
    QPushButton* ok = Bouton(*dlg, "1");
    QPushButton* annuler = Bouton(*dlg, "2");
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(annuler, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("&OK"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(annuler->text(), QStringLiteral("&Annuler"));
    EXPECT_EQ(ok->geometry(), QRect(41, 148, 75, 23));
    EXPECT_EQ(annuler->geometry().topLeft(), QPoint(161, 148));
    EXPECT_EQ(dlg->height(), 182);
    EXPECT_EQ(dlg->comboSkin->objectName(), QStringLiteral("1094"));
    EXPECT_TRUE(dlg->comboSkin->isEditable());
    EXPECT_EQ(dlg->comboSkin->geometry().topLeft(), QPoint(44, 11));
    EXPECT_EQ(dlg->comboSkin->width(), 218);
    const QLabel* etiquette = dlg->findChild<QLabel*>();
    ASSERT_NE(etiquette, nullptr);
    EXPECT_EQ(etiquette->text(), QStringLiteral("Skin"));
    EXPECT_LE(etiquette->geometry().right(), dlg->comboSkin->x());
    // Les cinq choix, éteints sans réglage, l'un sous l'autre entre le skin et les boutons,
    // entiers dans la boîte.
    const std::pair<QCheckBox*, const char*> choix[] = {
        {dlg->caseConflits, "Montrer les &conflits en jouant"},
        {dlg->caseSurligner, "&Surligner la ligne, la colonne et la région"},
        {dlg->caseReprendre, "&Reprendre la partie au prochain lancement"},
        {dlg->caseChronometre, "Montrer le &temps de jeu"},
        {dlg->caseFelicitations, "&Féliciter quand la grille est remplie sans faute"}};
    int bas = dlg->comboSkin->geometry().bottom();
    for (const auto& [c, texte] : choix) {
        EXPECT_EQ(c->text(), QString::fromUtf8(texte));
        EXPECT_FALSE(c->isChecked());
        EXPECT_GT(c->y(), bas);
        EXPECT_TRUE(dlg->rect().contains(c->geometry()));
        EXPECT_GE(c->width(), c->sizeHint().width());
        bas = c->geometry().bottom();
    }
    EXPECT_LT(bas, ok->y());
    // Ordre de tabulation : OK, Annuler, le combo, les cinq choix, puis retour à OK.
    EXPECT_EQ(ok->nextInFocusChain(), annuler);
    QWidget* apresAnnuler = annuler->nextInFocusChain();
    EXPECT_TRUE(apresAnnuler == dlg->comboSkin || apresAnnuler->focusProxy() == dlg->comboSkin ||
                dlg->comboSkin->isAncestorOf(apresAnnuler));
    // La tabulation saute ce qui ne prend pas le clavier (l'étiquette « Skin »).
    const auto suivant = [](QWidget* w) {
        do w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus);
        return w;
    };
    EXPECT_EQ(suivant(dlg->caseConflits), dlg->caseSurligner);
    EXPECT_EQ(suivant(dlg->caseSurligner), dlg->caseReprendre);
    EXPECT_EQ(suivant(dlg->caseReprendre), dlg->caseChronometre);
    EXPECT_EQ(suivant(dlg->caseChronometre), dlg->caseFelicitations);
    EXPECT_EQ(suivant(dlg->caseFelicitations), ok);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    EXPECT_EQ(QApplication::focusWidget(), ok);
}

TEST_F(DlgPref, ListeTrieeSansCasseEtSansExtension)
{
    auto dlg = Ouvrir();
    EXPECT_EQ(Liste(*dlg), (QStringList{"a.b", "abricot", "Bois", "Nuit", "Zinc"}));
    // Le nom en vigueur dans le champ, aucun élément choisi.
    EXPECT_EQ(dlg->comboSkin->currentText(), QStringLiteral("Bois"));
    EXPECT_EQ(dlg->comboSkin->currentIndex(), -1);
    EXPECT_EQ(dlg->skinInitial, "Bois");
    dlg->RemplirListeSkins();  // une seconde fois : pas de doublons
    EXPECT_EQ(dlg->comboSkin->count(), 5);
}

// Des choix à la souris puis OK : seul le dernier compte, et seulement s'il change le skin.
struct CasChoix {
    QStringList choix;
    std::string skin;  // "Bois" : rien signalé ni écrit
};

TEST_F(DlgPref, ChoixPuisOk)
{
    const CasChoix cas[] = {{{}, "Bois"},
                            {{"Bois"}, "Bois"},
                            {{"Zinc"}, "Zinc"},
                            {{"Zinc", "abricot"}, "abricot"},
                            {{"Zinc", "Bois"}, "Bois"}};
    for (const CasChoix& c : cas) {
        SCOPED_TRACE(c.choix.join(QLatin1Char(',')).toStdString());
        QFile::remove(reglages.FichierUtilisateur());
        fenetre.changements.clear();
        auto dlg = Ouvrir();
        for (const QString& nom : c.choix) Choisir(*dlg, nom);
        EXPECT_EQ(dlg->skinChoisi, c.skin);
        // Rien n'est signalé ni écrit avant OK.
        EXPECT_EQ(Changements(), 0);
        EXPECT_FALSE(QFile::exists(reglages.FichierUtilisateur()));
        QTest::mouseClick(Bouton(*dlg, "1"), Qt::LeftButton);
        EXPECT_EQ(dlg->result(), QDialog::Accepted);
        EXPECT_FALSE(dlg->isVisible());
        const bool change = c.skin != "Bois";
        EXPECT_EQ(Changements(), change ? 1 : 0);
        EXPECT_EQ(QFile::exists(reglages.FichierUtilisateur()), change);
        if (change) {
            EXPECT_EQ(fenetre.changements.back(), c.skin);
            EXPECT_EQ(reglages.Lire(reglages.FichierUtilisateur()).toStdString(), "Skin=" + c.skin + "\n");
        }
        EXPECT_EQ(TexteReglage(LireReglage("Skin")), c.skin);
    }
}

// Les choix de la partie : ouverts sur ceux en usage, cochés à la souris ; OK signale et
// écrit ceux qui ont changé (« 1 » ou « 0 », sous leurs noms), Annuler rien.
TEST_F(DlgPref, ChoixDeLaPartie)
{
    struct Cas {
        const char* nom;
        OptionsJeu enUsage;
        std::vector<int> clics;  // 0 conflits, 1 surligner, 2 reprendre, 3 temps de jeu, 4 félicitations
        bool ok;
        std::string ecrit;  // le fichier de l'utilisateur après coup
    };
    const Cas cas[] = {
        {"rien coché, OK", {}, {}, true, ""},
        {"conflits", {}, {0}, true, "MontrerConflits=1\n"},
        {"coché puis décoché", {}, {1, 1}, true, ""},
        {"surligner et reprendre", {}, {1, 2}, true, "Surligner=1\nReprendrePartie=1\n"},
        {"éteindre les conflits", {true, false, true}, {0}, true, "MontrerConflits=0\n"},
        {"temps de jeu et félicitations", {}, {3, 4}, true, "Chronometre=1\nFelicitations=1\n"},
        {"Annuler", {}, {0, 1, 2}, false, ""},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        QFile::remove(reglages.FichierUtilisateur());
        fenetre.options.clear();
        CDlgPref dlg(nomSkin, dossier.toStdString(), &fenetre, c.enUsage);
        dlg.show();
        QCheckBox* cases[] = {dlg.caseConflits, dlg.caseSurligner, dlg.caseReprendre, dlg.caseChronometre,
                              dlg.caseFelicitations};
        EXPECT_EQ(dlg.OptionsCochees(), c.enUsage);
        OptionsJeu attendu = c.enUsage;
        bool* champs[] = {&attendu.montrerConflits, &attendu.surligner, &attendu.reprendrePartie,
                          &attendu.chronometre, &attendu.felicitations};
        for (const int k : c.clics) {
            QTest::mouseClick(cases[k], Qt::LeftButton, {}, QPoint(4, cases[k]->height() / 2));
            *champs[k] = !*champs[k];
        }
        EXPECT_EQ(dlg.OptionsCochees(), attendu);
        QTest::mouseClick(Bouton(dlg, c.ok ? "1" : "2"), Qt::LeftButton);
        QCoreApplication::processEvents();
        const bool change = c.ok && attendu != c.enUsage;
        EXPECT_EQ(fenetre.options, change ? std::vector<OptionsJeu>{attendu} : std::vector<OptionsJeu>{});
        EXPECT_EQ(reglages.Lire(reglages.FichierUtilisateur()).toStdString(), c.ecrit);
        if (change && c.enUsage == OptionsJeu{}) {
            EXPECT_EQ(LireOptionsJeu(), attendu) << "relu comme au prochain lancement";
        }
        EXPECT_TRUE(fenetre.changements.empty());
    }
}

TEST_F(DlgPref, TaperUnNomNeChoisitRien)
{
    // « Zinc » est dans la liste : ni Entrée (qui vaut OK), ni Tab (la saisie s'achève) n'en
    // font un choix. Les touches vont au combo qui a le clavier, comme chez le joueur.
    for (const Qt::Key touche : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab}) {
        SCOPED_TRACE(touche);
        auto dlg = Ouvrir();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        dlg->comboSkin->setFocus();
        dlg->comboSkin->lineEdit()->clear();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Zinc"));
        ASSERT_EQ(dlg->comboSkin->currentText(), QStringLiteral("Zinc"));
        QTest::keyClick(QApplication::focusWidget(), touche);
        EXPECT_EQ(dlg->skinChoisi, "Bois");
        if (touche == Qt::Key_Tab) {
            EXPECT_TRUE(dlg->isVisible());
            QTest::mouseClick(Bouton(*dlg, "1"), Qt::LeftButton);
        }
        EXPECT_FALSE(dlg->isVisible());
        EXPECT_EQ(dlg->result(), QDialog::Accepted);
        RienNAChange(*dlg);
    }
}

TEST_F(DlgPref, LesFlechesChoisissentDansLaListe)
{
    auto dlg = Ouvrir();
    dlg->comboSkin->setFocus();
    QTest::keyClick(dlg->comboSkin, Qt::Key_Down);
    ASSERT_GE(dlg->comboSkin->currentIndex(), 0);
    EXPECT_EQ(QString::fromStdString(dlg->skinChoisi), dlg->comboSkin->currentText());
}

TEST_F(DlgPref, AnnulerRemetLeNomDOuverture)
{
    for (int maniere = 0; maniere < 3; ++maniere) {
        SCOPED_TRACE(maniere);
        auto dlg = Ouvrir();
        Choisir(*dlg, QStringLiteral("Nuit"));
        ASSERT_EQ(dlg->skinChoisi, "Nuit");
        if (maniere == 0) QTest::mouseClick(Bouton(*dlg, "2"), Qt::LeftButton);
        if (maniere == 1) QTest::keyClick(dlg.get(), Qt::Key_Escape);
        if (maniere == 2) dlg->close();
        EXPECT_FALSE(dlg->isVisible());
        EXPECT_EQ(dlg->result(), QDialog::Rejected);
        RienNAChange(*dlg);
    }
}

TEST_F(DlgPref, DossierAbsentOuVide)
{
    for (const QString& repertoire : {reglages.Chemin(QStringLiteral("absent")), reglages.Utilisateur()}) {
        auto dlg = Ouvrir(repertoire);
        EXPECT_EQ(dlg->comboSkin->count(), 0);
        EXPECT_EQ(dlg->comboSkin->currentText(), QStringLiteral("Bois"));
        QTest::mouseClick(Bouton(*dlg, "1"), Qt::LeftButton);
        RienNAChange(*dlg);
    }
}

TEST_F(DlgPref, EcritureImpossibleLeChangementResteSignale)
{
    const QString fichier = reglages.Chemin(QStringLiteral("pas-un-dossier"));
    reglages.Ecrire(fichier, "x");
    CReglagesTemporaires::Pointer(fichier + QStringLiteral("/config"), reglages.Machine());
    auto dlg = Ouvrir();
    Choisir(*dlg, QStringLiteral("Zinc"));
    QTest::mouseClick(Bouton(*dlg, "1"), Qt::LeftButton);
    // Le skin change pour cette partie ; au prochain démarrage, l'ancien nom revient.
    ASSERT_EQ(Changements(), 1);
    EXPECT_EQ(fenetre.changements.back(), "Zinc");
    EXPECT_EQ(TexteReglage(LireReglage("Skin")), "Bois");
    CReglagesTemporaires::Pointer(reglages.Utilisateur(), reglages.Machine());
}

}  // namespace
