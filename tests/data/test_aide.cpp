// Page d'aide : ouverte dans un vrai QTextBrowser comme le fait le jeu, avec un sommaire en
// tête dont chaque lien mène à une section, et toutes les commandes décrites.
#include "outils.h"

#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

struct Liens {
    QSet<QString> ancres;  // noms d'ancres du document
    QStringList cibles;    // liens internes "#x", sans le dièse
};

Liens Relever(const QTextDocument& document)
{
    Liens l;
    for (QTextBlock bloc = document.begin(); bloc.isValid(); bloc = bloc.next()) {
        for (auto it = bloc.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (const QString& nom : format.anchorNames())
                l.ancres.insert(nom);
            const QString href = format.anchorHref();
            if (href.startsWith(QLatin1Char('#')))
                l.cibles << href.mid(1);
        }
    }
    return l;
}

class PageAide : public ::testing::Test {
protected:
    void SetUp() override
    {
        navigateur.resize(700, 500);
        navigateur.setSource(QUrl::fromLocalFile(QStringLiteral(NOVEMIA_AIDE)));
        ASSERT_FALSE(navigateur.document()->isEmpty());
        texte = navigateur.document()->toPlainText();
    }

    QTextBrowser navigateur;
    QString texte;
};

TEST_F(PageAide, SommaireEnTeteEtChaqueLienMeneAUneAncre)
{
    const Liens l = Relever(*navigateur.document());
    EXPECT_TRUE(l.ancres.contains(QStringLiteral("sommaire")));
    ASSERT_GE(l.cibles.size(), 10);
    for (const QString& cible : l.cibles)
        EXPECT_TRUE(l.ancres.contains(cible)) << "lien sans ancre : #" << qPrintable(cible);
    // Le sommaire est au début : avant la première section.
    const int sommaire = texte.indexOf(QStringLiteral("Sommaire"));
    EXPECT_GE(sommaire, 0);
    EXPECT_LT(sommaire, texte.indexOf(QStringLiteral("1. La règle du jeu")));
}

TEST_F(PageAide, ToutesLesCommandesEtNotionsSontDecrites)
{
    const QStringList attendus{
        // Le menu Grille, dans l'ordre du menu.
        "Créer", "Générer", "Facile", "Moyen", "Difficile", "Diabolique", "Importer", "Exporter",
        "Remettre à zéro", "Coup de main", "1 chiffre", "2 chiffres", "3 chiffres", "Pourquoi ?", "Résoudre",
        "Vérifier", "Quitter", "Défi", "Sous-ensembles", "Poissons", "Ailes", "Chaînes", "Imprimer…",
        "Imprimer des grilles…",
        // Le clavier, les notes et ce que montrent les préférences.
        "Jouer au clavier", "Ctrl+Z", "Ctrl+Y", "Noter les candidats", "Ctrl+N", "Montrer les conflits en jouant",
        "Surligner la ligne, la colonne et la région", "Reprendre la partie au prochain lancement", "MontrerConflits",
        "Surligner", "ReprendrePartie", "Notes", "Conflit", "Surlignage", "Explication", "Retrait",
        // Palette, préférences, à propos.
        "Eff", "hypothèse", "Préférences", "À propos", "Novemia Version 1.0",
        // Fichiers.
        ".sdu", ".bmp", ".cfg", "480 × 341",
        // Messages que le joueur verra.
        "Vous allez perdre la grille en cours ! Voulez-vous continuer ?", "La grille est résolue !",
        "La grille comporte des erreurs !", "Cette grille n'a pas de solution !"};
    for (const QString& mot : attendus)
        EXPECT_TRUE(texte.contains(mot)) << qPrintable(mot);
    for (const QString& cle : ClesCouleurs())
        EXPECT_TRUE(texte.contains(cle)) << qPrintable(cle);
    for (const QString& nom : NomsSkins())
        EXPECT_TRUE(texte.contains(nom)) << qPrintable(nom);
}

TEST_F(PageAide, NeParlePasDeLaTraceCachee)
{
    EXPECT_FALSE(texte.contains(QStringLiteral("trace"), Qt::CaseInsensitive));
    for (const char* raccourci : {"Ctrl+Maj+T", "Ctrl+Shift+T"})
        EXPECT_FALSE(texte.contains(QLatin1String(raccourci), Qt::CaseInsensitive)) << raccourci;
}

TEST_F(PageAide, ExemplesDeCouleursConformesAuSkinParDefaut)
{
    // Les échantillons du tableau des couleurs et l'exemple de fichier reprennent le skin par défaut.
    QFile page(QStringLiteral(NOVEMIA_AIDE));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    const FichierCouleurs defaut = LireCouleurs(CheminSkin(QStringLiteral(NOVEMIA_SKIN_DEFAUT), "cfg"));
    ASSERT_TRUE(defaut.lisible);
    const QRegularExpression ligne(QStringLiteral("color: (#[0-9a-f]{6});\">\\d</td>.*?<code>(\\w+)</code>"));
    int echantillons = 0;
    for (auto it = ligne.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QString cle = m.captured(2);
        ASSERT_EQ(defaut.valeurs.count(cle), 1u) << qPrintable(cle);
        const auto& v = defaut.valeurs.at(cle).front();
        EXPECT_EQ(QColor(m.captured(1)), QColor(v[0], v[1], v[2])) << qPrintable(cle);
        // L'exemple de fichier .cfg aussi.
        EXPECT_TRUE(texte.contains(QStringLiteral("%1=%2,%3,%4").arg(cle).arg(v[0]).arg(v[1]).arg(v[2]))) << qPrintable(cle);
        ++echantillons;
    }
    EXPECT_EQ(echantillons, 6);
}

}  // namespace
