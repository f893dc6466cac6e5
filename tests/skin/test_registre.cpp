// Lecture et écriture des réglages dans des fichiers Novemia.conf temporaires.
#include "reglagestemporaires.h"
#include "skin/registre.h"

#include <QDate>
#include <QSettings>

#include <gtest/gtest.h>

#include <string>

namespace {

class Registre : public ::testing::Test {
protected:
    CReglagesTemporaires reglages;

    void Machine(const QByteArray& contenu) { reglages.Ecrire(reglages.FichierMachine(), contenu); }
    void Utilisateur(const QByteArray& contenu) { reglages.Ecrire(reglages.FichierUtilisateur(), contenu); }
};

// Une lecture : fichiers de la machine et de l'utilisateur (absent si vide), clé, texte rendu.
struct CasLecture {
    QByteArray machine, utilisateur;
    std::string cle, attendu;
};

TEST_F(Registre, Lectures)
{
    const std::string absente = "Erreur : Base de registre (2)", longue = "Erreur : Base de registre (234)",
                      pasTexte = "Erreur : Base de registre (13)";
    const QByteArray base = "[General]\ns2gAppDir=/usr/share/novemia\nSkin=Bois\n";
    // La longueur se compte en octets : 512 « é » en font 1024.
    QString accents;
    accents.fill(QChar(0xE9), 512);
    const CasLecture cas[] = {
        {"", "", "Skin", absente},
        {"[General]\ns2gAppDir=/usr\n", "", "Skin", absente},
        {base, "", "skin2", absente},
        {base, "", "", absente},
        {base, "", "s2gAppDir", "/usr/share/novemia"},
        {base, "", "Skin", "Bois"},
        // L'utilisateur passe avant la machine ; ce qu'il n'a pas se lit chez la machine.
        {base, "[General]\nSkin=Ardoise\n", "Skin", "Ardoise"},
        {base, "[General]\nSkin=Ardoise\n", "s2gAppDir", "/usr/share/novemia"},
        {"[General]\nSkin=\n", "", "Skin", "ERR"},
        {base, "[General]\nSkin=\n", "Skin", "ERR"},
        {"[General]\nA=" + QByteArray(1023, 'a') + "\n", "", "A", std::string(1023, 'a')},
        {"[General]\nB=" + QByteArray(1024, 'b') + "\n", "", "B", longue},
        {"[General]\nC=" + QByteArray(5000, 'c') + "\n", "", "C", longue},
        {"[General]\nD=" + accents.toUtf8() + "\n", "", "D", longue},
        {"[General]\nE=" + accents.chopped(1).toUtf8() + "\n", "", "E", accents.chopped(1).toStdString()},
        // Une liste ne redonne pas son texte d'origine : erreur plutôt qu'un texte faux.
        {"[General]\nListe=a, b\n", "", "Liste", pasTexte},
        {"[General]\nG=\"a, b\"\n", "", "G", "a, b"},
        {"[General]\nR=@Rect(1 2 3 4)\n", "", "R", pasTexte},
        {"[General]\nO=@ByteArray(Bois)\n", "", "O", "Bois"},
        {"[General]\nN=12\n", "", "N", "12"},
        // Le texte s'arrête au premier octet nul.
        {"[General]\nA=@ByteArray(Bois\\0Zinc)\n", "", "A", "Bois"},
        {"[General]\nB=@ByteArray(\\0Zinc)\n", "", "B", "ERR"},
    };
    for (const CasLecture& c : cas) {
        SCOPED_TRACE(c.machine.left(60).toStdString() + " / " + c.utilisateur.toStdString() + " / " + c.cle);
        QFile::remove(reglages.FichierMachine());
        QFile::remove(reglages.FichierUtilisateur());
        if (!c.machine.isEmpty()) Machine(c.machine);
        if (!c.utilisateur.isEmpty()) Utilisateur(c.utilisateur);
        EXPECT_EQ(LireRegistre(c.cle), c.attendu);
    }
    // Une date, que QSettings range en @Variant(...) binaire.
    QSettings(reglages.FichierMachine(), QSettings::IniFormat).setValue("Variant", QDate(2024, 5, 1));
    ASSERT_TRUE(reglages.Lire(reglages.FichierMachine()).contains("@Variant("));
    EXPECT_EQ(LireRegistre("Variant"), pasTexte);
}

TEST_F(Registre, EcritDansLeFichierDeLUtilisateur)
{
    const QByteArray machine = "[General]\ns2gAppDir=/usr/share/novemia\nSkin=Bois\n";
    Machine(machine);
    Utilisateur("[General]\nAutre=garde\n");
    EXPECT_EQ(EcrireRegistre("Skin", "Nuit, étoilée"), 0);
    EXPECT_EQ(LireRegistre("Skin"), "Nuit, étoilée");
    EXPECT_EQ(LireRegistre("Autre"), "garde");
    EXPECT_EQ(reglages.Lire(reglages.FichierMachine()), machine);
    // Relu par un QSettings neuf limité au fichier de l'utilisateur.
    QSettings fichier(reglages.FichierUtilisateur(), QSettings::IniFormat);
    EXPECT_EQ(fichier.value("Skin").toString(), QStringLiteral("Nuit, étoilée"));
    // Un dossier d'utilisateur absent est créé.
    CReglagesTemporaires::Pointer(reglages.Chemin(QStringLiteral("neuf/config")), reglages.Machine());
    EXPECT_EQ(EcrireRegistre("Skin", "Zinc"), 0);
    EXPECT_TRUE(QFile::exists(reglages.Chemin(QStringLiteral("neuf/config/Novemia.conf"))));
    EXPECT_EQ(LireRegistre("Skin"), "Zinc");
    CReglagesTemporaires::Pointer(reglages.Utilisateur(), reglages.Machine());
}

TEST_F(Registre, EcritureImpossible)
{
    Machine("[General]\nSkin=Bois\n");
    // Le fichier de l'utilisateur est un dossier.
    QDir().mkpath(reglages.FichierUtilisateur());
    EXPECT_EQ(EcrireRegistre("Skin", "Zinc"), ErreurAccesRefuse);
    EXPECT_EQ(LireRegistre("Skin"), "Bois");
    // Le dossier de l'utilisateur est un fichier : rien ne peut s'y créer, même pour root.
    const QString fichier = reglages.Chemin(QStringLiteral("pas-un-dossier"));
    reglages.Ecrire(fichier, "x");
    CReglagesTemporaires::Pointer(fichier + QStringLiteral("/config"), reglages.Machine());
    EXPECT_EQ(EcrireRegistre("Skin", "Zinc"), ErreurAccesRefuse);
    EXPECT_EQ(reglages.Lire(fichier), QByteArray("x"));
    EXPECT_EQ(reglages.Lire(reglages.FichierMachine()), QByteArray("[General]\nSkin=Bois\n"));
    // La lecture suivante, comme au prochain démarrage, donne l'ancien nom.
    EXPECT_EQ(LireRegistre("Skin"), "Bois");
    // Un fichier de l'utilisateur mal formé est gardé tel quel.
    CReglagesTemporaires::Pointer(reglages.Utilisateur() + QStringLiteral("2"), reglages.Machine());
    QDir().mkpath(reglages.Utilisateur() + QStringLiteral("2"));
    const QString malForme = reglages.Utilisateur() + QStringLiteral("2/Novemia.conf");
    reglages.Ecrire(malForme, "[General\nAutre=garde\n");
    EXPECT_EQ(EcrireRegistre("Skin", "Zinc"), ErreurDonneesInvalides);
    EXPECT_EQ(reglages.Lire(malForme), QByteArray("[General\nAutre=garde\n"));
    CReglagesTemporaires::Pointer(reglages.Utilisateur(), reglages.Machine());
}

TEST_F(Registre, VariablesXdgAbsentesOuRelatives)
{
    const QByteArray home = qgetenv("HOME");
    const std::string maison = reglages.Chemin(QStringLiteral("maison/.config/Novemia.conf")).toStdString();
    qputenv("HOME", QFile::encodeName(reglages.Chemin(QStringLiteral("maison"))));
    // Un chemin relatif ne compte pas : on retombe sur ~/.config et sur le dossier suivant.
    qputenv("XDG_CONFIG_HOME", "relatif/config");
    qputenv("XDG_CONFIG_DIRS", "relatif::" + QFile::encodeName(reglages.Machine()) + ":/etc/xdg");
    PreparerEmplacementsReglages();
    EXPECT_EQ(FichierReglagesUtilisateur(), maison);
    EXPECT_EQ(FichierReglagesMachine(), reglages.FichierMachine().toStdString());
    Machine("[General]\nSkin=Bois\n");
    EXPECT_EQ(LireRegistre("Skin"), "Bois");
    EXPECT_EQ(EcrireRegistre("Skin", "Zinc"), 0);
    EXPECT_EQ(LireRegistre("Skin"), "Zinc");

    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CONFIG_DIRS");
    PreparerEmplacementsReglages();
    EXPECT_EQ(FichierReglagesMachine(), "/etc/xdg/Novemia.conf");
    EXPECT_EQ(FichierReglagesUtilisateur(), maison);
    // Retour aux dossiers temporaires avant toute lecture.
    qputenv("HOME", home);
    CReglagesTemporaires::Pointer(reglages.Utilisateur(), reglages.Machine());
}

}  // namespace
