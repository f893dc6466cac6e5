// Réglages "s2gAppDir" et "Skin" sur QSettings, au format INI : Novemia.conf de
// l'utilisateur d'abord, puis celui de la machine. Les fichiers sont nommés
// explicitement, le format INI de Qt donnant sinon l'extension ".ini".
#include "skin/registre.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <cstdlib>

namespace {

constexpr const char* nomFichier = "/Novemia.conf";
// Comme le tampon fixe d'une lecture du registre : zéro final compris.
constexpr std::size_t tailleTampon = 1024;

QString VariableEnvironnement(const char* nom)
{
    const char* valeur = std::getenv(nom);
    return valeur != nullptr ? QFile::decodeName(valeur) : QString();
}

std::string TexteErreur(int code)
{
    return "Erreur : Base de registre (" + std::to_string(code) + ")";
}

// Le texte d'une valeur lue ; faux si elle n'est pas du texte (liste, @Variant…).
bool TexteDeLaValeur(const QVariant& valeur, std::string& texte)
{
    switch (valeur.typeId()) {
    case QMetaType::QString:
        texte = valeur.toString().toStdString();
        return true;
    case QMetaType::QByteArray: {
        const QByteArray octets = valeur.toByteArray();
        texte.assign(octets.constData(), static_cast<std::size_t>(octets.size()));
        return true;
    }
    default:
        return false;
    }
}

// Les deux fichiers, fixés par PreparerEmplacementsReglages.
struct Emplacements {
    QString utilisateur;
    QString machine;
};

Emplacements& EmplacementsCourants()
{
    static Emplacements emplacements;
    return emplacements;
}

const Emplacements& Fichiers()
{
    if (EmplacementsCourants().utilisateur.isEmpty()) PreparerEmplacementsReglages();
    return EmplacementsCourants();
}

}  // namespace

void PreparerEmplacementsReglages()
{
    // Les règles XDG : un chemin relatif ne compte pas.
    QString utilisateur = VariableEnvironnement("XDG_CONFIG_HOME");
    if (utilisateur.isEmpty() || QDir::isRelativePath(utilisateur)) {
        utilisateur = QDir::homePath() + QStringLiteral("/.config");
    }
    // QSettings ne lit qu'un dossier pour la machine : le premier de la liste.
    QString machine;
    for (const QString& dossier : VariableEnvironnement("XDG_CONFIG_DIRS").split(QLatin1Char(':'))) {
        if (!dossier.isEmpty() && QDir::isAbsolutePath(dossier)) {
            machine = dossier;
            break;
        }
    }
    if (machine.isEmpty()) machine = QStringLiteral("/etc/xdg");

    EmplacementsCourants() = {utilisateur + QLatin1String(nomFichier), machine + QLatin1String(nomFichier)};
    // Tout autre usage de QSettings par portée trouve les mêmes dossiers.
    for (const auto format : {QSettings::IniFormat, QSettings::NativeFormat}) {
        QSettings::setPath(format, QSettings::UserScope, utilisateur);
        QSettings::setPath(format, QSettings::SystemScope, machine);
    }
}

std::string FichierReglagesUtilisateur()
{
    return QFile::encodeName(Fichiers().utilisateur).toStdString();
}

std::string FichierReglagesMachine()
{
    return QFile::encodeName(Fichiers().machine).toStdString();
}

std::string LireRegistre(const std::string& nom)
{
    const QString cle = QString::fromStdString(nom);
    if (nom.empty()) return TexteErreur(ErreurValeurAbsente);
    QVariant valeur;
    bool trouvee = false;
    for (const QString& fichier : {Fichiers().utilisateur, Fichiers().machine}) {
        const QSettings reglages(fichier, QSettings::IniFormat);
        if (reglages.contains(cle)) {
            valeur = reglages.value(cle);
            trouvee = true;
            break;
        }
    }
    if (!trouvee) return TexteErreur(ErreurValeurAbsente);

    std::string texte;
    if (!TexteDeLaValeur(valeur, texte)) return TexteErreur(ErreurDonneesInvalides);
    if (texte.size() >= tailleTampon) return TexteErreur(ErreurValeurTropLongue);
    // Comme une chaîne du registre : le texte s'arrête au premier octet nul.
    texte.resize(texte.find('\0') == std::string::npos ? texte.size() : texte.find('\0'));
    if (texte.empty()) return "ERR";
    return texte;
}

int EcrireRegistre(const std::string& nom, const std::string& valeur)
{
    {
        // Un fichier mal formé serait réécrit sans ce que Qt n'a pas su lire : on n'y touche pas.
        const QSettings existant(Fichiers().utilisateur, QSettings::IniFormat);
        if (existant.status() == QSettings::FormatError) return ErreurDonneesInvalides;
    }
    QSettings reglages(Fichiers().utilisateur, QSettings::IniFormat);
    reglages.setValue(QString::fromStdString(nom), QString::fromStdString(valeur));
    reglages.sync();
    switch (reglages.status()) {
    case QSettings::NoError:
        return 0;
    case QSettings::AccessError:
        return ErreurAccesRefuse;
    case QSettings::FormatError:
        return ErreurDonneesInvalides;
    }
    return ErreurDonneesInvalides;
}
