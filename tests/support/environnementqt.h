// Prépare un exécutable de tests Qt : plateforme sans écran, dossier courant temporaire et
// réglages temporaires posés avant toute lecture, si bien qu'aucun test, même sans
// fixture, n'atteint ~/.config ni /etc/xdg.
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "skin/emplacementsreglages.h"
#include "skin/registre.h"
#include "tests/support/emplacementreglages.h"

inline void PreparerTestsQt(const QTemporaryDir& courant)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QDir::setCurrent(courant.path());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(courant.filePath(QStringLiteral("utilisateur"))));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(courant.filePath(QStringLiteral("machine"))));
    // La partie gardée va dans le dossier de données : lui aussi jetable.
    qputenv("XDG_DATA_HOME", QFile::encodeName(courant.filePath(QStringLiteral("donnees"))));
    DefinirEmplacements({EmplacementReglages(courant.filePath(QStringLiteral("utilisateur"))),
                         {EmplacementReglages(courant.filePath(QStringLiteral("machine")))}});
}
