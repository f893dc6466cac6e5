// Programme de dessin : mêmes fichiers d'une exécution à l'autre (construction reproductible)
// et échec franc quand il ne peut pas écrire.
#include "outils.h"

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

int Dessiner(const QStringList& arguments, QString* erreurs = nullptr)
{
    QProcess dessin;
    dessin.start(QStringLiteral(NOVEMIA_DESSIN), arguments);
    if (!dessin.waitForFinished(60000) || dessin.exitStatus() != QProcess::NormalExit)
        return -1;
    if (erreurs)
        *erreurs = QString::fromLocal8Bit(dessin.readAllStandardError());
    return dessin.exitCode();
}

std::map<QString, QByteArray> Empreintes(const QString& dossier)
{
    std::map<QString, QByteArray> e;
    for (const QFileInfo& f : QDir(dossier).entryInfoList(QDir::Files)) {
        QFile fichier(f.filePath());
        if (fichier.open(QIODevice::ReadOnly))
            e[f.fileName()] = QCryptographicHash::hash(fichier.readAll(), QCryptographicHash::Sha256);
    }
    return e;
}

TEST(ProgrammeDeDessin, DeuxExecutionsDonnentLesMemesFichiers)
{
    QTemporaryDir a, b;
    ASSERT_TRUE(a.isValid() && b.isValid());
    ASSERT_EQ(Dessiner({a.filePath("skins"), a.filePath("icones")}), 0);
    ASSERT_EQ(Dessiner({b.filePath("skins"), b.filePath("icones")}), 0);
    for (const char* sous : {"skins", "icones"}) {
        const auto premiere = Empreintes(a.filePath(sous));
        EXPECT_EQ(premiere, Empreintes(b.filePath(sous))) << sous;
        EXPECT_FALSE(premiere.empty()) << sous;
    }
    // Deux fonds par skin livré (1× et 2×), et les six tailles d'icône.
    EXPECT_EQ(Empreintes(a.filePath("skins")).size(), size_t(2 * NomsSkins().size()));
    EXPECT_EQ(Empreintes(a.filePath("icones")).size(), 6u);
}

TEST(ProgrammeDeDessin, EchoueSansDossierOuSansArguments)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    // Un fichier ordinaire là où il faudrait un dossier.
    QFile bouchon(tmp.filePath("bouchon"));
    ASSERT_TRUE(bouchon.open(QIODevice::WriteOnly));
    bouchon.close();
    QString erreurs;
    EXPECT_EQ(Dessiner({tmp.filePath("bouchon/skins"), tmp.filePath("icones")}, &erreurs), 1);
    EXPECT_FALSE(erreurs.isEmpty());
    EXPECT_EQ(Dessiner({tmp.filePath("skins")}, &erreurs), 2);
    EXPECT_TRUE(erreurs.contains(QStringLiteral("Usage")));
}

}  // namespace
