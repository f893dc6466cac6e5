// Un nom de fichier entre Qt et le reste du programme, où il est une std::string : sous
// Windows en UTF-8 (files/plateforme.h le passe au système en caractères larges, jamais dans
// la page de code ANSI), sous Linux les octets mêmes du système.
#pragma once

#include <QFile>
#include <QString>

#include <string>

inline QString NomQt(const std::string& nom)
{
#ifdef _WIN32
    return QString::fromStdString(nom);
#else
    return QFile::decodeName(nom.c_str());
#endif
}

inline std::string NomStd(const QString& nom)
{
#ifdef _WIN32
    return nom.toStdString();
#else
    return QFile::encodeName(nom).toStdString();
#endif
}
