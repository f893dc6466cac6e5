// Point d'entrée des tests des données : une application Qt (la page d'aide passe par un
// vrai QTextBrowser) sur la plateforme "offscreen", dans un dossier courant temporaire.
#include <QApplication>
#include <gtest/gtest.h>

#include "tests/support/dossiertemporaire.h"

int main(int argc, char** argv)
{
    // Aussi pendant la découverte des tests, où l'environnement de CTest n'est pas encore posé.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    CDossierTemporaire dossier;
    return RUN_ALL_TESTS();
}
