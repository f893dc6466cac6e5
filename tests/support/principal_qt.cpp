// Point d'entrée commun des tests qui ont besoin d'une application Qt.
#include <QApplication>

#include <gtest/gtest.h>

#include "tests/support/environnementqt.h"

int main(int argc, char** argv)
{
    QTemporaryDir courant;
    PreparerTestsQt(courant);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
