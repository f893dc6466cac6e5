// Lecture et écriture des réglages dans des fichiers Novemia.conf temporaires.
#include "tests/support/reglagestemporaires.h"
#include "skin/registre.h"
#include "tests/support/sansroot.h"

#include <QDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    const std::string absente = "Erreur : Base de registre (2)", longue = "Erreur : Base de registre (234)";
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
        // Une valeur écrite à la main revient telle quelle, quoi qu'elle contienne.
        {"s2gAppDir=/opt/a,b\n", "", "s2gAppDir", "/opt/a,b"},
        {"s2gAppDir=C:\\Jeux\n", "", "s2gAppDir", "C:\\Jeux"},
        {"G=\"a, b\"\n", "", "G", "\"a, b\""},
        {"Skin=a;b=c #d\n", "", "Skin", "a;b=c #d"},
        {"Skin= Forêt \n", "", "Skin", " Forêt "},
        {"R=@Rect(1 2 3 4)\n", "", "R", "@Rect(1 2 3 4)"},
        {"Skin=Bois\r\n", "", "Skin", "Bois"},
        {"  Skin\t=Bois\n", "", "Skin", "Bois"},
        // Commentaires, autres sections et lignes incomprises ne donnent rien ; la dernière
        // ligne d'une clé l'emporte.
        {"# Skin=Zinc\n; Skin=Zinc\n[Autre]\nSkin=Zinc\n", "", "Skin", absente},
        {"[General]\nSkin=Bois\n[Autre]\nSkin=Zinc\n[General]\nN=12\n", "", "Skin", "Bois"},
        {"[General\nSkin\nSkin=Bois\nSkin=Zinc", "", "Skin", "Zinc"},
        // Le texte s'arrête au premier octet nul.
        {QByteArray("A=Bois\0Zinc\n", 12), "", "A", "Bois"},
        {QByteArray("B=\0Zinc\n", 8), "", "B", "ERR"},
    };
    for (const CasLecture& c : cas) {
        SCOPED_TRACE(c.machine.left(60).toStdString() + " / " + c.utilisateur.toStdString() + " / " + c.cle);
        QFile::remove(reglages.FichierMachine());
        QFile::remove(reglages.FichierUtilisateur());
        if (!c.machine.isEmpty()) Machine(c.machine);
        if (!c.utilisateur.isEmpty()) Utilisateur(c.utilisateur);
        EXPECT_EQ(TexteReglage(LireReglage(c.cle)), c.attendu);
    }
}

// Écrire puis relire, par le programme et tel qu'une personne lit le fichier.
struct CasEcriture {
    QByteArray avant;  // fichier de l'utilisateur (absent si vide)
    std::string valeur;
    QByteArray apres;
};

TEST_F(Registre, EcritDansLeFichierDeLUtilisateurSansToucherLeReste)
{
    const QByteArray machine = "[General]\ns2gAppDir=/usr/share/novemia\nSkin=Bois\n";
    Machine(machine);
    const CasEcriture cas[] = {
        {"", "Nuit, étoilée", "Skin=Nuit, étoilée\n"},
        {"", "C:\\Jeux\\ \"a;b=c\" ", "Skin=C:\\Jeux\\ \"a;b=c\" \n"},
        {"# à moi\n[General]\nAutre=garde\nSkin=Vieux\n[Section]\nSkin=autre\n", "Zinc",
         "# à moi\n[General]\nAutre=garde\nSkin=Zinc\n[Section]\nSkin=autre\n"},
        {"Autre=garde\r\n[Section]\nx=1\n", "Zinc", "Autre=garde\r\nSkin=Zinc\r\n[Section]\nx=1\n"},
        {"[General\nAutre=garde", "Zinc", "[General\nAutre=garde\nSkin=Zinc\n"},
    };
    for (const CasEcriture& c : cas) {
        SCOPED_TRACE(c.avant.toStdString() + " / " + c.valeur);
        QFile::remove(reglages.FichierUtilisateur());
        if (!c.avant.isEmpty()) Utilisateur(c.avant);
        EXPECT_EQ(EcrireRegistre("Skin", c.valeur), 0);
        EXPECT_EQ(TexteReglage(LireReglage("Skin")), c.valeur);
        EXPECT_EQ(reglages.Lire(reglages.FichierUtilisateur()), c.apres);
    }
    EXPECT_EQ(reglages.Lire(reglages.FichierMachine()), machine);
    // Un dossier d'utilisateur absent est créé.
    CReglagesTemporaires::Pointer(reglages.Chemin(QStringLiteral("neuf/config")), reglages.Machine());
    EXPECT_EQ(EcrireRegistre("Skin", "Zinc"), 0);
    EXPECT_TRUE(QFile::exists(reglages.Chemin(QStringLiteral("neuf/config/Novemia.conf"))));
    EXPECT_EQ(TexteReglage(LireReglage("Skin")), "Zinc");
    CReglagesTemporaires::Pointer(reglages.Utilisateur(), reglages.Machine());
}

TEST_F(Registre, EcritureImpossible)
{
    Machine("[General]\nSkin=Bois\n");
    // Une valeur qu'une ligne ne peut tenir n'est pas écrite.
    for (const std::string& valeur : {std::string("a\nSkin=b"), std::string("a\r"), std::string("a\0b", 3)}) {
        EXPECT_EQ(EcrireRegistre("Skin", valeur), ErreurDonneesInvalides);
    }
    EXPECT_FALSE(QFile::exists(reglages.FichierUtilisateur()));
    // Le fichier de l'utilisateur est un dossier.
    QDir().mkpath(reglages.FichierUtilisateur());
    EXPECT_EQ(EcrireRegistre("Skin", "Zinc"), ErreurAccesRefuse);
    EXPECT_EQ(TexteReglage(LireReglage("Skin")), "Bois");
    // Le dossier de l'utilisateur est un fichier : rien ne peut s'y créer, même pour root.
    const QString fichier = reglages.Chemin(QStringLiteral("pas-un-dossier"));
    reglages.Ecrire(fichier, "x");
    CReglagesTemporaires::Pointer(fichier + QStringLiteral("/config"), reglages.Machine());
    EXPECT_EQ(EcrireRegistre("Skin", "Zinc"), ErreurAccesRefuse);
    EXPECT_EQ(reglages.Lire(fichier), QByteArray("x"));
    EXPECT_EQ(reglages.Lire(reglages.FichierMachine()), QByteArray("[General]\nSkin=Bois\n"));
    // La lecture suivante, comme au prochain démarrage, donne l'ancien nom.
    EXPECT_EQ(TexteReglage(LireReglage("Skin")), "Bois");
    CReglagesTemporaires::Pointer(reglages.Utilisateur(), reglages.Machine());
    // Un dossier où l'on ne peut rien créer : le fichier n'y est pas réécrit sur place, où une
    // panne le laisserait à moitié écrit ; il reste entier, le réglage est refusé.
    QDir(reglages.FichierUtilisateur()).removeRecursively();
    Utilisateur("Autre=garde\nSkin=Bois\n");
    const auto droits = [&](const QString& chemin, int mode) { ::chmod(QFile::encodeName(chemin).constData(), mode); };
    droits(reglages.Chemin({}), 0755), droits(reglages.FichierUtilisateur(), 0666), droits(reglages.Utilisateur(), 0555);
    EXPECT_TRUE(SansDroitsDeRoot([] { return EcrireRegistre("Skin", "Zinc") == ErreurAccesRefuse; }));
    droits(reglages.Utilisateur(), 0755);
    EXPECT_EQ(reglages.Lire(reglages.FichierUtilisateur()), QByteArray("Autre=garde\nSkin=Bois\n"));
}

TEST_F(Registre, OuSeTrouventLesReglages)
{
    const QByteArray home = qgetenv("HOME");
    const std::string maison = reglages.Chemin(QStringLiteral("maison/.config/Novemia.conf")).toStdString();
    qputenv("HOME", QFile::encodeName(reglages.Chemin(QStringLiteral("maison"))));
    // Une installation quelconque : <préfixe>/bin et <préfixe>/etc/xdg.
    const QString installation = reglages.Chemin(QStringLiteral("préfixe"));
    const std::string programme = (installation + QStringLiteral("/bin")).toStdString();
    const std::string deLInstallation = (installation + QStringLiteral("/etc/xdg/Novemia.conf")).toStdString();
    QDir().mkpath(installation + QStringLiteral("/etc/xdg"));
    reglages.Ecrire(QString::fromStdString(deLInstallation), "s2gAppDir=../../share/novemia\nSkin=Papier\n");

    // Un chemin relatif ne compte pas : on retombe sur ~/.config et sur le dossier suivant.
    // Puis l'installation du programme, puis /etc/xdg, chacun une fois.
    qputenv("XDG_CONFIG_HOME", "relatif/config");
    qputenv("XDG_CONFIG_DIRS", "relatif::" + QFile::encodeName(reglages.Machine()) + ":/etc/xdg");
    PreparerEmplacementsReglages(programme);
    EXPECT_EQ(FichierReglagesUtilisateur(), maison);
    EXPECT_EQ(FichiersReglagesMachine(), (std::vector<std::string>{reglages.FichierMachine().toStdString(),
                                                                   "/etc/xdg/Novemia.conf", deLInstallation}));
    Machine("[General]\nSkin=Bois\n");
    EXPECT_EQ(TexteReglage(LireReglage("Skin")), "Bois");
    EXPECT_EQ(EcrireRegistre("Skin", "Zinc"), 0);
    EXPECT_EQ(TexteReglage(LireReglage("Skin")), "Zinc");
    // Un dossier relatif part du fichier qui le donne : l'installation déplacée en bloc suit.
    EXPECT_EQ(TexteReglage(LireReglage("s2gAppDir")), "../../share/novemia");
    EXPECT_EQ(TexteReglage(DossierResolu(LireReglage("s2gAppDir"))),
              (installation + QStringLiteral("/share/novemia")).toStdString());

    // Sans aucune variable XDG : l'installation du programme, puis /etc/xdg.
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CONFIG_DIRS");
    PreparerEmplacementsReglages(programme);
    EXPECT_EQ(FichierReglagesUtilisateur(), maison);
    EXPECT_EQ(FichiersReglagesMachine(), (std::vector<std::string>{deLInstallation, "/etc/xdg/Novemia.conf"}));
    EXPECT_EQ(TexteReglage(LireReglage("Skin")), "Zinc");  // celui de l'utilisateur d'abord
    QFile::remove(QString::fromStdString(maison));
    EXPECT_EQ(TexteReglage(LireReglage("Skin")), "Papier");
    PreparerEmplacementsReglages();
    EXPECT_EQ(FichiersReglagesMachine(), std::vector<std::string>{"/etc/xdg/Novemia.conf"});
    // Retour aux dossiers temporaires avant toute lecture.
    qputenv("HOME", home);
    CReglagesTemporaires::Pointer(reglages.Utilisateur(), reglages.Machine());
}

}  // namespace
