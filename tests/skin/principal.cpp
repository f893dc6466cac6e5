// Point d'entrée des tests des réglages et de la recherche de fichiers : dossier courant et
// réglages temporaires posés avant toute lecture. Aucune fenêtre ici, Qt Core suffit.
#include "tests/support/reglagestemporaires.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QTemporaryDir courant;
    QDir::setCurrent(courant.path());
    // Rien ne doit atteindre ~/.config ni /etc/xdg, même un test qui oublierait sa fixture.
    CReglagesTemporaires::Pointer(courant.filePath(QStringLiteral("utilisateur")),
                                  courant.filePath(QStringLiteral("machine")));
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
