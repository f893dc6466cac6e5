// Dossiers de réglages temporaires (utilisateur et machine) pour un test : les réglages n'y
// lisent et n'y écrivent que leurs Novemia.conf ; jamais les vrais fichiers.
#pragma once

#include "skin/emplacementsreglages.h"
#include "skin/registre.h"
#include "tests/support/emplacementreglages.h"

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
        Pointer(Utilisateur(), Machine());
    }

    QString Utilisateur() const { return racine.filePath(QStringLiteral("utilisateur")); }
    QString Machine() const { return racine.filePath(QStringLiteral("machine")); }
    QString FichierUtilisateur() const { return Utilisateur() + QStringLiteral("/Novemia.conf"); }
    QString FichierMachine() const { return Machine() + QStringLiteral("/Novemia.conf"); }
    QString Chemin(const QString& nom) const { return racine.filePath(nom); }

    // Les Novemia.conf de ces deux dossiers, et eux seuls (sous Windows, leurs clés).
    static void Pointer(const QString& utilisateur, const QString& machine)
    {
        DefinirEmplacements({EmplacementReglages(utilisateur), {EmplacementReglages(machine)}});
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
