#include "ui/polices.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void PreparerPolices()
{
    // Sous Linux, fontconfig donne déjà Liberation Serif pour Times New Roman : rien n'est embarqué.
    const QDir dossier(QStringLiteral(":/polices"));
    if (!dossier.exists())
        return;
    for (const QString& nom : dossier.entryList(QDir::Files))
        QFontDatabase::addApplicationFont(dossier.filePath(nom));
    // Mêmes chasses que Times New Roman : les étiquettes tiennent dans leur case comme sous
    // Linux, y compris sous Wine, qui n'a pas cette police. Un Windows qui l'a la garde.
    if (!QFontDatabase::families().contains(QStringLiteral("Times New Roman")))
        QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
}
