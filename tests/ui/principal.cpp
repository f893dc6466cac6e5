// Point d'entrée des tests de la fenêtre : plateforme sans écran, dossier courant et
// réglages temporaires posés avant tout usage de QSettings.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "skin/registre.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir courant;
    QDir::setCurrent(courant.path());
    // Même un test sans fixture n'atteint ni ~/.config ni /etc/xdg.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(courant.filePath(QStringLiteral("utilisateur"))));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(courant.filePath(QStringLiteral("machine"))));
    PreparerEmplacementsReglages();
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
