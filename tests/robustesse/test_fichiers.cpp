// Lecteur de grille face à ce qu'un disque peut offrir de pire : dossiers, tubes,
// périphériques, fichiers illisibles, binaires ou démesurés. Toujours un message du
// programme, jamais de blocage, jamais une case hors de 0-9.
#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "files/fichiergrille.h"
#include "tests/robustesse/outils.h"
#include "tests/support/dossiertemporaire.h"

namespace {

const std::string GrilleValide =
    "53..7....\n6..195...\n.98....6.\n8...6...3\n4..8.3..1\n7...2...6\n.6....28.\n...419..5\n....8..79\n";

// Lit `chemin` : rien d'autre que des chiffres 0-9, des cases vides et des indices.
std::optional<std::string> LireSur(const std::string& chemin, CGrille& grille)
{
    const auto message = LireFichierGrille(chemin, grille);
    for (int i = 0; i < 81; ++i) {
        const Case& k = grille.LireCase(i / 9, i % 9);
        EXPECT_TRUE(k.chiffre >= 0 && k.chiffre <= 9) << k.chiffre;
        EXPECT_TRUE(k.origine == Vide || k.origine == Init) << k.origine;
    }
    return message;
}

// Ce qui ne peut pas s'ouvrir ni se lire comme un fichier : toujours le message d'ouverture.
TEST(LectureHostile, CheminsQuiNeSontPasDesFichiersLisibles)
{
    CDossierTemporaire dossier;
    std::filesystem::create_directory("dossier.sdu");
    ASSERT_EQ(::mkfifo("tube.sdu", 0600), 0);  // sans écrivain : l'ouvrir bloquerait
    // /proc/self/mem s'ouvre mais ne se lit pas (erreur d'entrée-sortie dès le premier octet).
    for (const char* chemin : {"dossier.sdu", "absent.sdu", "nulle/part.sdu", "", "tube.sdu", "/dev/zero",
                               "/dev/urandom", "/proc/self/mem"}) {
        SCOPED_TRACE(chemin);
        CGrille g;
        EXPECT_EQ(LireSur(chemin, g), std::string(MessageOuvertureGrille));
    }
}

TEST(LectureHostile, FichierSansDroitDeLecture)
{
    CDossierTemporaire dossier;
    EcrireFichier("interdit.sdu", GrilleValide);
    ASSERT_EQ(::chmod("interdit.sdu", 0), 0);
    ASSERT_EQ(::chmod(dossier.Chemin().c_str(), 0755), 0);  // seul le fichier est protégé
    const std::string chemin = (dossier.Chemin() / "interdit.sdu").string();
    EXPECT_TRUE(SansDroitsDeRoot([&chemin] {
        CGrille g;
        return LireFichierGrille(chemin, g) == std::optional<std::string>(MessageOuvertureGrille) &&
               g.CompterOrigine(Vide) == 81;
    }));
}

// Un binaire (ce programme de test, des octets pseudo-aléatoires où tous figurent, neuf
// lignes de bonne longueur portant un octet nul ou haut) : refusé par un message de format.
TEST(LectureHostile, FichiersBinaires)
{
    CDossierTemporaire dossier;
    std::filesystem::copy_file("/proc/self/exe", "programme.sdu");
    std::string octets;
    uint32_t etat = 12345;
    for (int i = 0; i < 1 << 16; ++i) octets += static_cast<char>((etat = etat * 1103515245u + 12345u) >> 24);
    EcrireFichier("hasard.sdu", octets);
    std::string nul = GrilleValide, haut = GrilleValide;
    nul[3 * 10 + 4] = '\0';
    haut[5 * 10 + 1] = static_cast<char>(0xE9);
    EcrireFichier("nul.sdu", nul);
    EcrireFichier("haut.sdu", haut);
    const std::set<std::string_view> formats = {MessageTropDeLignes, MessageNeufCaracteres, MessagePasAssezDeLignes,
                                           MessageCaractereInterdit};
    for (const char* nom : {"programme.sdu", "hasard.sdu", "nul.sdu", "haut.sdu"}) {
        SCOPED_TRACE(nom);
        CGrille g;
        const auto message = LireSur(nom, g);
        ASSERT_TRUE(message.has_value());
        EXPECT_TRUE(formats.contains(*message)) << *message;
    }
    CGrille g;
    EXPECT_EQ(LireSur("nul.sdu", g), std::string(MessageCaractereInterdit));
}

// 100 Mo sur une seule ligne, refusés ; un commentaire de 100 Mo, passé sans être gardé,
// puis la grille lue entière. La mémoire de pointe ne grandit presque pas.
TEST(LectureHostile, LignesDeCentMegaOctets)
{
    CDossierTemporaire dossier;
    EcrireGrosFichier("une-ligne.sdu", "", '5', 100ull << 20, "");
    EcrireGrosFichier("commentaire.sdu", "#", 'x', 100ull << 20, "\n" + GrilleValide);
    ASSERT_EQ(std::filesystem::file_size("une-ligne.sdu"), 100ull << 20);
    const long avant = PointeKio();
    CGrille g;
    EXPECT_EQ(LireSur("une-ligne.sdu", g), std::string(MessageNeufCaracteres));
    CGrille grille;
    EXPECT_EQ(LireSur("commentaire.sdu", grille), std::nullopt);
    EXPECT_EQ(grille.LireCase(0, 0).chiffre, 5);
    EXPECT_EQ(grille.LireCase(8, 8).chiffre, 9);
    EXPECT_EQ(grille.CompterOrigine(Init), 30);
    EXPECT_LT(PointeKio() - avant, 16 * 1024) << "kio de plus en pointe pour 100 Mo";
}

}  // namespace
