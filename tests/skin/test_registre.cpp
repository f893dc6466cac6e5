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
    void Utilisateur(const QByteArray& contenu)
    {
        reglages.Ecrire(reglages.FichierUtilisateur(), contenu);
    }
};

TEST_F(Registre, ValeurAbsenteOuSansFichier)
{
    EXPECT_EQ(LireRegistre("Skin"), "Erreur : Base de registre (2)");
    Machine("[General]\ns2gAppDir=/usr/share/novemia\n");
    EXPECT_EQ(LireRegistre("Skin"), "Erreur : Base de registre (2)");
    EXPECT_EQ(LireRegistre("skin2"), "Erreur : Base de registre (2)");
    EXPECT_EQ(LireRegistre(""), "Erreur : Base de registre (2)");
}

TEST_F(Registre, ValeurDeLaMachine)
{
    Machine("[General]\ns2gAppDir=/usr/share/novemia\nSkin=Bois\n");
    EXPECT_EQ(LireRegistre("s2gAppDir"), "/usr/share/novemia");
    EXPECT_EQ(LireRegistre("Skin"), "Bois");
}

TEST_F(Registre, LUtilisateurPasseAvantLaMachine)
{
    Machine("[General]\ns2gAppDir=/usr/share/novemia\nSkin=Bois\n");
    Utilisateur("[General]\nSkin=Ardoise\n");
    EXPECT_EQ(LireRegistre("Skin"), "Ardoise");
    // Ce que l'utilisateur n'a pas se lit toujours chez la machine.
    EXPECT_EQ(LireRegistre("s2gAppDir"), "/usr/share/novemia");
}

TEST_F(Registre, ValeurVide)
{
    Machine("[General]\nSkin=\n");
    EXPECT_EQ(LireRegistre("Skin"), "ERR");
    // Vide chez l'utilisateur : c'est elle qui compte, pas celle de la machine.
    Machine("[General]\nSkin=Bois\n");
    Utilisateur("[General]\nSkin=\n");
    EXPECT_EQ(LireRegistre("Skin"), "ERR");
}

TEST_F(Registre, LongueurDuTampon)
{
    const std::string longue1023(1023, 'a');
    Machine("[General]\nA=" + QByteArray::fromStdString(longue1023) + "\nB=" +
            QByteArray(1024, 'b') + "\nC=" + QByteArray(5000, 'c') + "\n");
    EXPECT_EQ(LireRegistre("A"), longue1023);
    EXPECT_EQ(LireRegistre("B"), "Erreur : Base de registre (234)");
    EXPECT_EQ(LireRegistre("C"), "Erreur : Base de registre (234)");
    // La longueur se compte en octets : 512 « é » en font 1024.
    QString accents;
    accents.fill(QChar(0xE9), 512);
    Machine("[General]\nD=" + accents.toUtf8() + "\nE=" + accents.chopped(1).toUtf8() + "\n");
    EXPECT_EQ(LireRegistre("D"), "Erreur : Base de registre (234)");
    EXPECT_EQ(LireRegistre("E"), accents.chopped(1).toStdString());
}

TEST_F(Registre, ValeursQuiNeSontPasDuTexte)
{
    Machine("[General]\n"
            "Liste=a, b\n"
            "Guillemets=\"a, b\"\n"
            "Octets=@ByteArray(Bois)\n"
            "Rect=@Rect(1 2 3 4)\n"
            "Nombre=12\n");
    // Une liste ne redonne pas son texte d'origine : erreur plutôt qu'un texte faux.
    EXPECT_EQ(LireRegistre("Liste"), "Erreur : Base de registre (13)");
    EXPECT_EQ(LireRegistre("Guillemets"), "a, b");
    EXPECT_EQ(LireRegistre("Rect"), "Erreur : Base de registre (13)");
    EXPECT_EQ(LireRegistre("Octets"), "Bois");
    EXPECT_EQ(LireRegistre("Nombre"), "12");
    {
        // Une date, que QSettings range en @Variant(...) binaire.
        QSettings fichier(reglages.FichierMachine(), QSettings::IniFormat);
        fichier.setValue("Variant", QDate(2024, 5, 1));
    }
    ASSERT_TRUE(reglages.Lire(reglages.FichierMachine()).contains("@Variant("));
    EXPECT_EQ(LireRegistre("Variant"), "Erreur : Base de registre (13)");
}

TEST_F(Registre, LeTexteSArreteAuPremierOctetNul)
{
    Machine("[General]\nA=@ByteArray(Bois\\0Zinc)\nB=@ByteArray(\\0Zinc)\n");
    EXPECT_EQ(LireRegistre("A"), "Bois");
    EXPECT_EQ(LireRegistre("B"), "ERR");
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
}

TEST_F(Registre, CreeLeDossierDeLUtilisateur)
{
    CReglagesTemporaires::Pointer(reglages.Chemin(QStringLiteral("neuf/config")), reglages.Machine());
    EXPECT_EQ(EcrireRegistre("Skin", "Zinc"), 0);
    EXPECT_TRUE(QFile::exists(reglages.Chemin(QStringLiteral("neuf/config/Novemia.conf"))));
    EXPECT_EQ(LireRegistre("Skin"), "Zinc");
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
}

TEST_F(Registre, FichierDeLUtilisateurMalFormeGardeTel)
{
    Machine("[General]\nSkin=Bois\n");
    const QByteArray malForme = "[General\nAutre=garde\n";
    Utilisateur(malForme);
    EXPECT_EQ(EcrireRegistre("Skin", "Zinc"), ErreurDonneesInvalides);
    EXPECT_EQ(reglages.Lire(reglages.FichierUtilisateur()), malForme);
}

TEST_F(Registre, VariablesXdgAbsentesOuRelatives)
{
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(reglages.Chemin(QStringLiteral("maison"))));
    // Un chemin relatif ne compte pas : on retombe sur ~/.config et sur le dossier suivant.
    qputenv("XDG_CONFIG_HOME", "relatif/config");
    qputenv("XDG_CONFIG_DIRS", "relatif::" + QFile::encodeName(reglages.Machine()) + ":/etc/xdg");
    PreparerEmplacementsReglages();
    EXPECT_EQ(FichierReglagesUtilisateur(), reglages.Chemin(QStringLiteral("maison/.config/Novemia.conf")).toStdString());
    EXPECT_EQ(FichierReglagesMachine(), reglages.FichierMachine().toStdString());
    Machine("[General]\nSkin=Bois\n");
    EXPECT_EQ(LireRegistre("Skin"), "Bois");
    EXPECT_EQ(EcrireRegistre("Skin", "Zinc"), 0);
    EXPECT_EQ(LireRegistre("Skin"), "Zinc");

    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CONFIG_DIRS");
    PreparerEmplacementsReglages();
    EXPECT_EQ(FichierReglagesMachine(), "/etc/xdg/Novemia.conf");
    EXPECT_EQ(FichierReglagesUtilisateur(), reglages.Chemin(QStringLiteral("maison/.config/Novemia.conf")).toStdString());
    // Retour aux dossiers temporaires avant toute lecture.
    qputenv("HOME", home);
    CReglagesTemporaires::Pointer(reglages.Utilisateur(), reglages.Machine());
}

}  // namespace
