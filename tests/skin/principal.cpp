// Point d'entrée des tests Qt : plateforme sans écran, dossier courant et réglages
// temporaires posés avant tout usage de QSettings.
#include "reglagestemporaires.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir courant;
    QDir::setCurrent(courant.path());
    // Rien ne doit atteindre ~/.config ni /etc/xdg, même un test qui oublierait sa fixture.
    CReglagesTemporaires::Pointer(courant.filePath(QStringLiteral("utilisateur")),
                                  courant.filePath(QStringLiteral("machine")));
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
