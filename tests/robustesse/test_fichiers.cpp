// Lecteur de grille face à ce qu'un disque peut offrir de pire : dossiers, tubes,
// périphériques, fichiers illisibles, binaires ou démesurés. Toujours un message du
// programme, jamais de blocage, jamais une case hors de 0-9.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "files/fichiergrille.h"
#include "tests/robustesse/outils.h"
#include "tests/support/dossiertemporaire.h"

namespace {

const std::string GrilleValide =
    "53..7....\n6..195...\n.98....6.\n8...6...3\n4..8.3..1\n7...2...6\n.6....28.\n...419..5\n....8..79\n";

bool MessageDuProgramme(const std::string& m)
{
    return m == MessageOuvertureGrille || m == MessageTropDeLignes || m == MessageNeufCaracteres ||
           m == MessagePasAssezDeLignes || m == MessageCaractereInterdit;
}

// Rien d'autre que des chiffres 0-9, des cases vides et des indices.
void VerifierCases(const CGrille& grille)
{
    for (const auto& ligne : grille.cases) {
        for (const Case& k : ligne) {
            ASSERT_GE(k.chiffre, 0);
            ASSERT_LE(k.chiffre, 9);
            ASSERT_TRUE(k.origine == Vide || k.origine == Init);
        }
    }
}

class LectureHostile : public ::testing::Test {
protected:
    CDossierTemporaire dossier;
    CGrille grille;
};

// Ce qui ne peut pas s'ouvrir ni se lire comme un fichier : toujours le message d'ouverture.
TEST_F(LectureHostile, CheminsQuiNeSontPasDesFichiersLisibles)
{
    std::filesystem::create_directory("dossier.sdu");
    ASSERT_EQ(::mkfifo("tube.sdu", 0600), 0);  // sans écrivain : l'ouvrir bloquerait
    const struct {
        const char* cas;
        std::string chemin;
    } cas[] = {
        {"dossier", "dossier.sdu"},
        {"fichier absent", "absent.sdu"},
        {"dossier parent absent", "nulle/part.sdu"},
        {"chemin vide", ""},
        {"tube nommé", "tube.sdu"},
        {"périphérique sans fin", "/dev/zero"},
        {"périphérique aléatoire", "/dev/urandom"},
        // S'ouvre mais ne se lit pas (erreur d'entrée-sortie dès le premier octet).
        {"erreur de lecture", "/proc/self/mem"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        CGrille g;
        const auto message = LireFichierGrille(c.chemin, g);
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(*message, MessageOuvertureGrille);
        VerifierCases(g);
    }
}

TEST_F(LectureHostile, FichierSansDroitDeLecture)
{
    EcrireFichier("interdit.sdu", GrilleValide);
    ASSERT_EQ(::chmod("interdit.sdu", 0), 0);
    // Le dossier reste traversable : seul le fichier est protégé.
    ASSERT_EQ(::chmod(dossier.Chemin().c_str(), 0755), 0);
    const std::string chemin = (dossier.Chemin() / "interdit.sdu").string();
    EXPECT_TRUE(SansDroitsDeRoot([&chemin] {
        CGrille g;
        return LireFichierGrille(chemin, g) == std::optional<std::string>(MessageOuvertureGrille) &&
               g.CompterOrigine(Vide) == 81;
    }));
}

// Un binaire (ce programme de test lui-même, puis des octets pseudo-aléatoires où tous
// les octets figurent) : refusé par l'un des messages de format.
TEST_F(LectureHostile, FichiersBinaires)
{
    std::filesystem::copy_file("/proc/self/exe", "programme.sdu");
    std::string octets;
    uint32_t etat = 12345;
    for (int i = 0; i < 1 << 16; ++i) {
        etat = etat * 1103515245u + 12345u;
        octets += static_cast<char>(etat >> 24);
    }
    EcrireFichier("hasard.sdu", octets);
    // Neuf lignes dont une porte un octet nul et une un octet haut : longueur juste, contenu faux.
    std::string nul = GrilleValide;
    nul[3 * 10 + 4] = '\0';
    EcrireFichier("nul.sdu", nul);
    std::string haut = GrilleValide;
    haut[5 * 10 + 1] = static_cast<char>(0xE9);
    EcrireFichier("haut.sdu", haut);

    for (const char* nom : {"programme.sdu", "hasard.sdu", "nul.sdu", "haut.sdu"}) {
        SCOPED_TRACE(nom);
        CGrille g;
        const auto message = LireFichierGrille(std::string(nom), g);
        ASSERT_TRUE(message.has_value());
        EXPECT_TRUE(MessageDuProgramme(*message)) << *message;
        EXPECT_NE(*message, MessageOuvertureGrille);
        VerifierCases(g);
    }
    CGrille g;
    EXPECT_EQ(LireFichierGrille(std::string("nul.sdu"), g), std::string(MessageCaractereInterdit));
}

// 100 Mo sur une seule ligne : refusé, et la mémoire de pointe ne grandit presque pas.
TEST_F(LectureHostile, LigneDeCentMegaOctets)
{
    constexpr uint64_t taille = 100ull << 20;
    {
        std::ofstream f("une-ligne.sdu", std::ios::binary);
        AjouterRepete(f, '5', taille);
    }
    ASSERT_EQ(std::filesystem::file_size("une-ligne.sdu"), taille);
    const long avant = PointeKio();
    const auto message = LireFichierGrille(std::string("une-ligne.sdu"), grille);
    const long croissance = PointeKio() - avant;
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(*message, MessageNeufCaracteres);
    VerifierCases(grille);
    EXPECT_LT(croissance, 16 * 1024) << "kio de plus en pointe pour une ligne de 100 Mo";
}

// Un commentaire de 100 Mo se lit jusqu'au bout sans être gardé : la grille qui suit
// est lue entière.
TEST_F(LectureHostile, CommentaireDeCentMegaOctetsPuisGrille)
{
    {
        std::ofstream f("commentaire.sdu", std::ios::binary);
        f << '#';
        AjouterRepete(f, 'x', 100ull << 20);
        f << '\n' << GrilleValide;
    }
    const long avant = PointeKio();
    const auto message = LireFichierGrille(std::string("commentaire.sdu"), grille);
    const long croissance = PointeKio() - avant;
    ASSERT_FALSE(message.has_value()) << *message;
    EXPECT_EQ(grille.cases[0][0].chiffre, 5);
    EXPECT_EQ(grille.cases[8][8].chiffre, 9);
    EXPECT_EQ(grille.CompterOrigine(Init), 30);
    EXPECT_LT(croissance, 16 * 1024) << "kio de plus en pointe pour un commentaire de 100 Mo";
}

}  // namespace
