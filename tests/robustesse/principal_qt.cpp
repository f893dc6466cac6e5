// Point d'entrée des tests de robustesse qui ont besoin de Qt : plateforme sans écran,
// dossier courant et réglages temporaires posés avant tout usage de QSettings.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "skin/registre.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir reglages;
    QDir::setCurrent(reglages.path());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(reglages.filePath(QStringLiteral("utilisateur"))));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(reglages.filePath(QStringLiteral("machine"))));
    PreparerEmplacementsReglages();
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
