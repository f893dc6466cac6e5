// Dossiers de réglages temporaires (utilisateur et machine) pour un test : les variables
// XDG y pointent et les emplacements de QSettings sont refixés ; jamais les vrais fichiers.
#pragma once

#include "skin/registre.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdlib>

class CReglagesTemporaires {
public:
    CReglagesTemporaires()
    {
        QDir(racine.path()).mkpath(QStringLiteral("utilisateur"));
        QDir(racine.path()).mkpath(QStringLiteral("machine"));
        Pointer(Utilisateur(), Machine() + QStringLiteral(":/etc/xdg"));
    }

    QString Utilisateur() const { return racine.filePath(QStringLiteral("utilisateur")); }
    QString Machine() const { return racine.filePath(QStringLiteral("machine")); }
    QString FichierUtilisateur() const { return Utilisateur() + QStringLiteral("/Novemia.conf"); }
    QString FichierMachine() const { return Machine() + QStringLiteral("/Novemia.conf"); }
    QString Chemin(const QString& nom) const { return racine.filePath(nom); }

    // Change les variables XDG puis les emplacements de QSettings.
    static void Pointer(const QString& utilisateur, const QString& machine)
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(utilisateur));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(machine));
        PreparerEmplacementsReglages();
    }

    static void Ecrire(const QString& chemin, const QByteArray& contenu)
    {
        QFile f(chemin);
        if (f.open(QIODevice::WriteOnly)) f.write(contenu);
    }

    static QByteArray Lire(const QString& chemin)
    {
        QFile f(chemin);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir racine;
};
