// Règles d'installation des données : `cmake --install` de l'arbre de construction dans un
// préfixe temporaire pose les skins, la page d'aide et le fichier de réglages de la machine,
// relu tel que le jeu le lira.
#include "outils.h"
#include "skin/emplacementsreglages.h"
#include "skin/registre.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <tuple>

namespace {

struct Installation {
    bool reussie = false;
    QString journal;
};

// Installe le composant des données ; `destdir` vide : sans DESTDIR.
Installation Installer(const QString& prefixe, const QString& destdir = {})
{
    QProcess cmake;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DESTDIR"));
    if (!destdir.isEmpty())
        env.insert(QStringLiteral("DESTDIR"), destdir);
    cmake.setProcessEnvironment(env);
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start(QStringLiteral(NOVEMIA_CMAKE), {QStringLiteral("--install"), QStringLiteral(NOVEMIA_ARBRE),
                                                QStringLiteral("--prefix"), prefixe, QStringLiteral("--component"),
                                                QStringLiteral("donnees")});
    Installation r;
    r.reussie = cmake.waitForFinished(120000) && cmake.exitStatus() == QProcess::NormalExit && cmake.exitCode() == 0;
    r.journal = QString::fromLocal8Bit(cmake.readAll());
    return r;
}

QByteArray Empreinte(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Vérifie les fichiers de l'application sous `racine` (dossier share/novemia tel que posé sur disque).
void VerifierDossierAppli(const QString& racine)
{
    for (const QString& nom : NomsSkins()) {
        for (const auto& [fichier, extension] : {std::pair(nom, "bmp"), std::pair(nom + "@2x", "bmp"), std::pair(nom, "cfg")}) {
            const QString installe = racine + QStringLiteral("/skin/") + fichier + QLatin1Char('.') + QLatin1String(extension);
            EXPECT_TRUE(QFileInfo::exists(installe)) << qPrintable(installe);
            EXPECT_EQ(Empreinte(installe), Empreinte(CheminSkin(fichier, extension))) << qPrintable(installe);
        }
    }
    const QString aide = racine + QStringLiteral("/aide/index.html");
    EXPECT_EQ(Empreinte(aide), Empreinte(QStringLiteral(NOVEMIA_AIDE))) << qPrintable(aide);
    EXPECT_FALSE(Empreinte(aide).isEmpty());
}

// Relit le fichier de réglages comme le jeu : le dossier de l'application entier (même avec
// virgule, blanc ou « = ») et le skin par défaut, sur trois lignes qu'une personne lit aussi.
void VerifierReglages(const QString& fichier, const QString& appliAttendue)
{
    ASSERT_TRUE(QFileInfo::exists(fichier)) << qPrintable(fichier);
    DefinirEmplacements({QFile::encodeName(fichier + QStringLiteral(".absent")).toStdString(),
                         {QFile::encodeName(fichier).toStdString()}});
    EXPECT_EQ(TexteReglage(DossierResolu(LireReglage("s2gAppDir"))),
              QFile::encodeName(appliAttendue).toStdString());
    EXPECT_EQ(TexteReglage(LireReglage("Skin")), NOVEMIA_SKIN_DEFAUT);
    QFile texte(fichier);
    ASSERT_TRUE(texte.open(QIODevice::ReadOnly));
    EXPECT_EQ(texte.readAll().count('\n'), 3);
}

// Un préfixe à virgule, blanc, « = » et barre finale (le chemin écrit doit rester entier),
// puis /usr sous DESTDIR : réglages dans etc/xdg, avec le chemin du système installé.
TEST(Installation, PrefixesEtDestdir)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString prefixe = tmp.filePath(QStringLiteral("mes jeux, essai=1"));
    const QString destdir = tmp.filePath(QStringLiteral("racine"));
    // {préfixe donné, DESTDIR, racine sur disque}
    const std::tuple<QString, QString, QString> cas[] = {{prefixe + QStringLiteral("/"), {}, prefixe},
                                                         {QStringLiteral("/usr"), destdir, destdir}};
    for (const auto& [donne, dest, racine] : cas) {
        SCOPED_TRACE(donne.toStdString());
        const Installation i = Installer(donne, dest);
        ASSERT_TRUE(i.reussie) << qPrintable(i.journal);
        const QString appli = (dest.isEmpty() ? prefixe : QStringLiteral("/usr")) +
                              QStringLiteral("/" NOVEMIA_DATADIR "/novemia");
        VerifierDossierAppli(dest + appli);
        VerifierReglages(racine + QStringLiteral("/etc/xdg/Novemia.conf"), appli);
        // Le chemin que le jeu construira mène à un fond lisible.
        EXPECT_FALSE(QImage(dest + appli + QStringLiteral("/skin/" NOVEMIA_SKIN_DEFAUT ".bmp")).isNull());
        // Rien hors de DESTDIR, ni sous usr/etc.
        EXPECT_FALSE(QFileInfo::exists(racine + QStringLiteral("/usr/etc")));
        EXPECT_FALSE(!dest.isEmpty() && i.journal.contains(QStringLiteral("Installing: /etc"))) << qPrintable(i.journal);
    }
}

}  // namespace
