// Où les réglages d'un test vivent, d'après un dossier temporaire : sous Linux, le fichier
// Novemia.conf de ce dossier ; sous Windows, où les réglages sont dans le registre, une clé
// temporaire de HKEY_CURRENT_USER propre à ce dossier, effacée à la fin du programme de tests.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include <string>

#ifdef _WIN32
#include <QCoreApplication>
#include <QSettings>

// Pas de <windows.h> ici : ses macros (IDOK, interface…) heurteraient les tests.
inline QString CleEssaisReglages()
{
    return QStringLiteral("Software\\Novemia-essais\\%1").arg(QCoreApplication::applicationPid());
}

// Efface les clés du programme de tests quand il se termine, même après un test raté.
struct CNettoyageReglagesEssais {
    ~CNettoyageReglagesEssais()
    {
        QSettings essais(QStringLiteral("HKEY_CURRENT_USER\\Software\\Novemia-essais"), QSettings::NativeFormat);
        essais.remove(QString::number(QCoreApplication::applicationPid()));
        essais.sync();
        if (essais.allKeys().isEmpty() && essais.childGroups().isEmpty()) {
            QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software"), QSettings::NativeFormat)
                .remove(QStringLiteral("Novemia-essais"));
        }
    }
};
inline CNettoyageReglagesEssais nettoyageReglagesEssais;
#endif

inline std::string EmplacementReglages(const QString& dossier)
{
#ifdef _WIN32
    // Une barre oblique inverse ferait des sous-clés ; le reste du chemin sert de nom.
    QString nom = QDir::toNativeSeparators(QDir::cleanPath(dossier));
    nom.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return (QStringLiteral("HKEY_CURRENT_USER\\") + CleEssaisReglages() + QLatin1Char('\\') + nom).toStdString();
#else
    return QFile::encodeName(dossier + QStringLiteral("/Novemia.conf")).toStdString();
#endif
}
