// Installation complète de l'arbre de construction dans un préfixe temporaire, puis ce que
// verrait un joueur : les fichiers à leur place, l'entrée de menu, le programme qui démarre
// sur les réglages de ce préfixe et le skin par défaut en vigueur.
#include "skin/configuration.h"
#include "skin/registre.h"

#include "ui/dlggrille.h"
#include "ui/grilleapp.h"
#include "tests/support/environnementqt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Le préfixe temporaire, installé une fois pour tous les tests du programme.
class CInstallation : public ::testing::Environment {
public:
    static inline std::unique_ptr<QTemporaryDir> racine;
    static inline QString prefixe;
    static inline QString journal;
    static inline bool reussie = false;

    void SetUp() override
    {
        racine = std::make_unique<QTemporaryDir>();
        // Une virgule et un blanc dans le chemin : les réglages doivent le garder entier.
        prefixe = racine->filePath(QStringLiteral("préfixe, essai"));
        QProcess cmake;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DESTDIR"));
        cmake.setProcessEnvironment(env);
        cmake.setProcessChannelMode(QProcess::MergedChannels);
        cmake.start(QStringLiteral(NOVEMIA_CMAKE),
                    {QStringLiteral("--install"), QStringLiteral(NOVEMIA_ARBRE), QStringLiteral("--prefix"), prefixe});
        reussie = cmake.waitForFinished(240000) && cmake.exitStatus() == QProcess::NormalExit && cmake.exitCode() == 0;
        journal = QString::fromLocal8Bit(cmake.readAll());
    }

    void TearDown() override { racine.reset(); }

    static QString Chemin(const QString& relatif) { return prefixe + QLatin1Char('/') + relatif; }
    static QString Donnees(const QString& relatif)
    {
        return Chemin(QStringLiteral(NOVEMIA_DATADIR "/") + relatif);
    }
};

// Un outil de validation : code de sortie et sortie.
struct Resultat {
    int code = -1;
    QString sortie;
};

Resultat Lancer(const QString& programme, const QStringList& arguments)
{
    Resultat r;
    const QString chemin = QStandardPaths::findExecutable(programme);
    if (chemin.isEmpty()) {
        r.sortie = programme + QStringLiteral(" introuvable (scripts/installer-dependances.sh)");
        return r;
    }
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(chemin, arguments);
    if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit) r.code = p.exitCode();
    r.sortie = QString::fromLocal8Bit(p.readAll());
    return r;
}

class Installation : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CInstallation::reussie) << CInstallation::journal.toStdString(); }
};

TEST_F(Installation, FichiersALeurPlace)
{
    const QStringList programmes{QStringLiteral("novemia"), QStringLiteral("novemia-cli")};
    for (const QString& programme : programmes) {
        const QFileInfo info(CInstallation::Chemin(QStringLiteral(NOVEMIA_BINDIR "/") + programme));
        EXPECT_TRUE(info.isFile() && info.isExecutable()) << info.filePath().toStdString();
    }
    // Les données elles-mêmes sont comparées aux sources dans tests/data.
    EXPECT_TRUE(QFileInfo(CInstallation::Donnees(QStringLiteral("novemia/aide/index.html"))).isFile());
    EXPECT_GE(QDir(CInstallation::Donnees(QStringLiteral("novemia/skin"))).entryList({"*.bmp"}, QDir::Files).size(), 3);
}

TEST_F(Installation, IconesAuxSixTailles)
{
    for (int taille : {16, 32, 48, 64, 128, 256}) {
        const QString chemin = CInstallation::Donnees(
            QStringLiteral("icons/hicolor/%1x%1/apps/novemia.png").arg(taille));
        const QImage image(chemin);
        ASSERT_FALSE(image.isNull()) << chemin.toStdString();
        EXPECT_EQ(image.size(), QSize(taille, taille)) << chemin.toStdString();
    }
}

TEST_F(Installation, EntreeDeBureauValide)
{
    const QString desktop = CInstallation::Donnees(QStringLiteral("applications/novemia.desktop"));
    const Resultat r = Lancer(QStringLiteral("desktop-file-validate"), {desktop});
    EXPECT_EQ(r.code, 0) << r.sortie.toStdString();
    EXPECT_TRUE(r.sortie.trimmed().isEmpty()) << r.sortie.toStdString();

    // Lecture ligne à ligne : QSettings couperait les valeurs à leurs virgules.
    QFile fichier(desktop);
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly | QIODevice::Text));
    QMap<QString, QString> entree;
    for (const QByteArray& ligne : fichier.readAll().split('\n')) {
        const int egal = ligne.indexOf('=');
        if (egal > 0) entree.insert(QString::fromUtf8(ligne.left(egal)), QString::fromUtf8(ligne.mid(egal + 1)));
    }
    EXPECT_EQ(entree.value(QStringLiteral("Name")), QStringLiteral("Novemia"));
    EXPECT_EQ(entree.value(QStringLiteral("Exec")), QStringLiteral("novemia"));
    EXPECT_EQ(entree.value(QStringLiteral("Icon")), QStringLiteral("novemia"));
    EXPECT_EQ(entree.value(QStringLiteral("Terminal")), QStringLiteral("false"));
    EXPECT_EQ(entree.value(QStringLiteral("Categories")), QStringLiteral("Game;LogicGame;"));
    EXPECT_TRUE(entree.value(QStringLiteral("Comment")).contains(QStringLiteral("chiffre")));
}

TEST_F(Installation, MetadonneesAppStreamValides)
{
    const QStringList fichiers = QDir(CInstallation::Donnees(QStringLiteral("metainfo")))
                                     .entryList({QStringLiteral("*.metainfo.xml")}, QDir::Files);
    ASSERT_EQ(fichiers.size(), 1);
    const QString chemin = CInstallation::Donnees(QStringLiteral("metainfo/")) + fichiers.first();
    const Resultat r = Lancer(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                                               QStringLiteral("--pedantic"), chemin});
    EXPECT_EQ(r.code, 0) << r.sortie.toStdString();
    // L'identifiant lancé est bien l'entrée de bureau installée.
    QFile xml(chemin);
    ASSERT_TRUE(xml.open(QIODevice::ReadOnly));
    EXPECT_TRUE(xml.readAll().contains("<launchable type=\"desktop-id\">novemia.desktop</launchable>"));
}

// La fenêtre, les messages retenus au lieu d'être montrés.
class CFenetreSansBoite : public CDlgGrille {
public:
    using CDlgGrille::CDlgGrille;
    std::vector<std::string> messages;
    void Message(const std::string& texte) override { messages.push_back(texte); }
};

// Le jeu démarré depuis <préfixe>/bin dans un environnement propre, sans aucune variable XDG
// ni réglage de l'utilisateur : il trouve ses réglages à côté de lui, dans <préfixe>/etc/xdg,
// et s'ouvre sur le skin par défaut, sans message.
void VerifierLeSkinParDefaut(const QString& prefixe)
{
    QTemporaryDir maison;
    const QByteArray ancienneMaison = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(maison.path()));
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CONFIG_DIRS");
    PreparerEmplacementsReglages(QFile::encodeName(prefixe + QStringLiteral("/" NOVEMIA_BINDIR)).toStdString());
    const std::string reglages = QFile::encodeName(prefixe + QStringLiteral("/etc/xdg/Novemia.conf")).toStdString();
    EXPECT_EQ(FichiersReglagesMachine().front(), reglages);

    const std::string appli = TexteReglage(DossierResolu(LireReglage("s2gAppDir")));
    EXPECT_EQ(appli, QFile::encodeName(prefixe + QStringLiteral("/" NOVEMIA_DATADIR "/novemia")).toStdString());
    const std::string skin = TexteReglage(LireReglage("Skin"));
    ASSERT_EQ(skin.rfind("Erreur", 0), std::string::npos) << skin;
    ASSERT_NE(skin, "ERR");
    const ResultatConfiguration cfg = LireConfiguration(appli + "/skin/" + skin + ".cfg");
    ASSERT_FALSE(cfg.message.has_value()) << *cfg.message;
    // Les chiffres donnés, la palette et la ligne d'état ne sont pas noirs.
    EXPECT_NE(cfg.couleurs[1] | cfg.couleurs[2] | cfg.couleurs[6], 0u);
    int nonNoires = 0;
    for (Couleur c : cfg.couleurs) nonNoires += (c != 0);
    EXPECT_GE(nonNoires, 6);

    // La vraie fenêtre, lancée comme au démarrage : son fond et ses couleurs, aucun message.
    CGrilleApp application;
    CFenetreSansBoite boite(application);
    boite.show();
    EXPECT_EQ(application.repertoireAppli, appli);
    EXPECT_EQ(application.nomSkin, skin);
    EXPECT_TRUE(boite.messages.empty()) << boite.messages.front();
    EXPECT_TRUE(boite.AUnFond());
    EXPECT_EQ(boite.couleurs, cfg.couleurs);
    boite.hide();
    // Rien n'a été écrit chez l'utilisateur.
    EXPECT_TRUE(QDir(maison.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    qputenv("HOME", ancienneMaison);
}

TEST_F(Installation, LeSkinParDefautEstEnVigueurOuQueSoitLInstallation)
{
    VerifierLeSkinParDefaut(CInstallation::prefixe);
    // L'installation déplacée en bloc, sous un autre nom, marche encore.
    const QString deplace = CInstallation::racine->filePath(QStringLiteral("opt, déplacé"));
    ASSERT_TRUE(QDir().rename(CInstallation::prefixe, deplace));
    VerifierLeSkinParDefaut(deplace);
    ASSERT_TRUE(QDir().rename(deplace, CInstallation::prefixe));
}

TEST_F(Installation, LeProgrammeInstalleDemarreSansEnvironnement)
{
    QTemporaryDir maison;
    QTemporaryDir courant;
    QProcess jeu;
    // Un environnement propre, comme au lancement depuis un menu de bureau sans XDG_*.
    QProcessEnvironment env;
    env.insert(QStringLiteral("HOME"), maison.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    jeu.setProcessEnvironment(env);
    jeu.setWorkingDirectory(courant.path());
    jeu.setProcessChannelMode(QProcess::MergedChannels);
    jeu.start(CInstallation::Chemin(QStringLiteral(NOVEMIA_BINDIR "/novemia")), {});
    ASSERT_TRUE(jeu.waitForStarted(10000)) << jeu.errorString().toStdString();
    // Toujours en vie au bout de deux secondes : la fenêtre attend le joueur.
    EXPECT_FALSE(jeu.waitForFinished(2000)) << "sortie " << jeu.exitCode() << " : "
                                            << jeu.readAll().toStdString();
    EXPECT_EQ(jeu.state(), QProcess::Running);
    jeu.kill();
    jeu.waitForFinished(5000);
    // Rien n'a été écrit chez l'utilisateur : le jeu n'écrit qu'au choix d'un skin.
    EXPECT_TRUE(QDir(maison.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .filter(QStringLiteral("Novemia"))
                    .isEmpty());
}

}  // namespace

int main(int argc, char** argv)
{
    // Aucun test ne lit les vrais réglages, même avant de pointer sur le préfixe.
    QTemporaryDir courant;
    PreparerTestsQt(courant);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new CInstallation);
    return RUN_ALL_TESTS();
}
