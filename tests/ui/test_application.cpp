// L'application telle que le programme la prépare, dans un processus à elle : les titres
// des boîtes restent ceux que le programme leur donne.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTranslator>
#include <gtest/gtest.h>

#include "skin/registre.h"
#include "ui/grilleapp.h"

namespace {

TEST(Application, LesTitresNeRecoiventPasDeSuffixe)
{
    static int argc = 1;
    static char nom[] = "novemia";
    static char* argv[] = {nom, nullptr};
    CGrilleApp application;
    application.Preparer(argc, argv);
    // Un nom d'affichage fixé serait ajouté par Qt à tout titre qui ne finit pas par lui :
    // « Alerte — Novemia », « Préférences — Novemia ». Non fixé, Qt rend le nom du programme.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    // Fixé, et non pris du fichier du programme : la partie gardée va toujours au même dossier.
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("novemia"));
#ifdef _WIN32
    // Le préfixe de Qt est le dossier du programme, pas un dossier de la machine qui l'a
    // construit ; une traduction posée dans le dossier des traductions de Qt passe après celle
    // du programme (régressions).
    EXPECT_EQ(QLibraryInfo::path(QLibraryInfo::PrefixPath), QCoreApplication::applicationDirPath());
    const QString dossier = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    ASSERT_TRUE(QDir().mkpath(dossier));
    const QString posee = dossier + QStringLiteral("/qtbase_fr.qm");
    QFile::remove(posee);
    ASSERT_TRUE(QFile::copy(QStringLiteral(":/traductions/qtbase_fr.qm"), posee));
    // Copiée d'une ressource, elle est en lecture seule : Windows ne l'effacerait pas.
    QFile::setPermissions(posee, QFile::ReadOwner | QFile::WriteOwner);
    QTranslator traduction;
    EXPECT_TRUE(ChargerTraductionQt(traduction));
    EXPECT_EQ(traduction.filePath(), QStringLiteral(":/traductions/qtbase_fr.qm"));
    QFile::remove(posee);
    QDir().rmdir(dossier);
#endif
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir courant;
    QDir::setCurrent(courant.path());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(courant.filePath(QStringLiteral("utilisateur"))));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(courant.filePath(QStringLiteral("machine"))));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
