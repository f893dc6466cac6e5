// L'application telle que le programme la prépare, dans un processus à elle : les titres
// des boîtes restent ceux que le programme leur donne.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
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
