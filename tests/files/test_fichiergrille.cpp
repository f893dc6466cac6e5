// Le fichier de grille : lecture contrôlée ligne à ligne, écriture des indices en CR LF.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "files/fichiergrille.h"
#include "support/dossiertemporaire.h"

namespace {

const std::string Lignes[9] = {"53..7....", "6..195...", ".98....6.", "8...6...3", "4..8.3..1",
                               "7...2...6", ".6....28.", "...419..5", "....8..79"};

// Les neuf lignes jointes par `fin`, avec `fin` après la dernière si `finale`.
std::string Grille(const std::string& fin = "\n", bool finale = true)
{
    std::string texte;
    for (int l = 0; l < 9; ++l) texte += Lignes[l] + (l < 8 || finale ? fin : "");
    return texte;
}

std::optional<std::string> Lire(const std::string& texte, CGrille& grille)
{
    std::istringstream entree(texte);
    grille.ViderGrille();
    return LireFichierGrille(entree, grille);
}

// Vérifie que la grille porte exactement les indices de `Lignes` (jusqu'à la ligne `n`).
void VerifierIndices(const CGrille& grille, int n = 9)
{
    for (int l = 0; l < 9; ++l)
        for (int c = 0; c < 9; ++c) {
            const char car = l < n ? Lignes[l][c] : '.';
            const Case& k = grille.cases[l][c];
            if (car == '.') {
                EXPECT_EQ(k.chiffre, 0) << l << "," << c;
                EXPECT_EQ(k.origine, Vide);
            } else {
                EXPECT_EQ(k.chiffre, car - '0') << l << "," << c;
                EXPECT_EQ(k.origine, Init);
            }
        }
}

TEST(LectureGrille, AccepteLesFinsDeLigneEtLesCommentaires)
{
    const std::string variantes[] = {
        Grille("\n"),
        Grille("\r\n"),
        Grille("\n", false),                         // dernière ligne sans fin
        Grille("\r\n", false),
        "# avant\n" + Grille("\n"),
        Lignes[0] + "\n#entre\n##\n#\n" + Grille("\n").substr(10) + "# après, même très long " +
            std::string(5000, 'x') + "\n",
    };
    for (const std::string& texte : variantes) {
        CGrille grille;
        EXPECT_EQ(Lire(texte, grille), std::nullopt) << texte;
        VerifierIndices(grille);
    }
}

struct CasErreur {
    std::string texte;
    std::string_view message;
    int lignesGardees;  // lignes de grille dont les indices restent
};

class ErreurLecture : public ::testing::TestWithParam<CasErreur> {};

TEST_P(ErreurLecture, MessageEtIndicesDejaLus)
{
    CGrille grille;
    EXPECT_EQ(Lire(GetParam().texte, grille), std::string(GetParam().message));
    VerifierIndices(grille, GetParam().lignesGardees);
}

const std::string Bom = "\xEF\xBB\xBF";

INSTANTIATE_TEST_SUITE_P(
    Cas, ErreurLecture,
    ::testing::Values(
        CasErreur{"", MessagePasAssezDeLignes, 0},
        CasErreur{"# seulement\n#des commentaires\n", MessagePasAssezDeLignes, 0},
        CasErreur{Grille().substr(0, 80), MessagePasAssezDeLignes, 8},
        CasErreur{Lignes[0] + "\n\n" + Grille().substr(10), MessageNeufCaracteres, 1},  // ligne vide
        CasErreur{Grille() + "\n", MessageTropDeLignes, 9},                              // ligne vide après la 9e
        CasErreur{Grille() + "123456789\n", MessageTropDeLignes, 9},
        CasErreur{Grille() + std::string(100000, '7'), MessageTropDeLignes, 9},
        CasErreur{Lignes[0] + " \n" + Grille().substr(10), MessageNeufCaracteres, 0},  // blanc final
        CasErreur{Bom + Grille(), MessageNeufCaracteres, 0},
        CasErreur{Bom + "# commentaire\n" + Grille(), MessageNeufCaracteres, 0},
        CasErreur{" # pas un commentaire\n" + Grille(), MessageNeufCaracteres, 0},
        CasErreur{Lignes[0] + "\r\r\n" + Grille().substr(10), MessageNeufCaracteres, 0},
        CasErreur{Lignes[0] + "\n" + Lignes[1] + "\n" + "12x456789\n", MessageCaractereInterdit, 2},
        CasErreur{"53..7... \n", MessageCaractereInterdit, 0},
        CasErreur{"53..7...x9\n", MessageNeufCaracteres, 0},  // la longueur d'abord
        CasErreur{std::string("53..7..\0.", 9) + "\n", MessageCaractereInterdit, 0},
        CasErreur{"53..7...\xC3\xA9\n", MessageNeufCaracteres, 0}));  // 10 octets

TEST(LectureGrille, ZeroEstUneCaseVide)
{
    std::string texte = Grille();
    for (char& c : texte)
        if (c == '.') c = '0';
    CGrille grille;
    EXPECT_EQ(Lire(texte, grille), std::nullopt);
    VerifierIndices(grille);
}

TEST(LectureGrille, PointLaisseLaCaseTelleQuelle)
{
    CGrille grille;
    grille.ViderGrille();
    grille.cases[0][2] = {4, 0x1FF, 0, CoupJoueur};
    std::istringstream entree(Grille());
    EXPECT_EQ(LireFichierGrille(entree, grille), std::nullopt);
    EXPECT_EQ(grille.cases[0][2].chiffre, 4);
    EXPECT_EQ(grille.cases[0][2].origine, CoupJoueur);
}

// Un flux sans fin de caractères, produit à la demande : rien n'est gardé en mémoire.
class CFluxGenere : public std::streambuf {
public:
    CFluxGenere(std::string debut, char remplissage, long long longueur)
        : debut(std::move(debut)), remplissage(remplissage), reste(longueur)
    {
        bloc.assign(1 << 16, remplissage);
    }
    long long lus = 0;

protected:
    int_type underflow() override
    {
        if (!debut.empty()) {
            courant = std::move(debut);
            debut.clear();
            setg(courant.data(), courant.data(), courant.data() + courant.size());
            lus += static_cast<long long>(courant.size());
            return traits_type::to_int_type(courant[0]);
        }
        if (reste <= 0) return traits_type::eof();
        const long long n = std::min<long long>(reste, static_cast<long long>(bloc.size()));
        reste -= n;
        lus += n;
        setg(bloc.data(), bloc.data(), bloc.data() + n);
        return traits_type::to_int_type(bloc[0]);
    }

private:
    std::string debut, courant, bloc;
    char remplissage;
    long long reste;
};

long MemoireMaxKo()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST(LectureGrille, LigneDemesureeSansMemoire)
{
    const long avant = MemoireMaxKo();
    {
        // Une ligne de grille d'un gigaoctet : refusée dès qu'elle dépasse, sans tout lire.
        CFluxGenere flux(Lignes[0] + "\n", '5', 1LL << 30);
        std::istream entree(&flux);
        CGrille grille;
        grille.ViderGrille();
        EXPECT_EQ(LireFichierGrille(entree, grille), std::string(MessageNeufCaracteres));
        EXPECT_LT(flux.lus, 1 << 20);
    }
    {
        // Un commentaire de 256 Mo : lu jusqu'au bout et passé, puis les neuf lignes.
        CFluxGenere flux("#", 'x', 1LL << 28);
        std::istream entree(&flux);
        CGrille grille;
        grille.ViderGrille();
        EXPECT_EQ(LireFichierGrille(entree, grille), std::string(MessagePasAssezDeLignes));
        EXPECT_GT(flux.lus, 1LL << 28);
    }
    EXPECT_LT(MemoireMaxKo() - avant, 16 * 1024) << "la mémoire a grandi avec la ligne";
}

TEST(LectureGrille, CheminIllisible)
{
    CDossierTemporaire dossier;
    CGrille grille;
    grille.ViderGrille();
    EXPECT_EQ(LireFichierGrille(std::string("absent.sdu"), grille), std::string(MessageOuvertureGrille));
    std::filesystem::create_directory("dossier.sdu");
    EXPECT_EQ(LireFichierGrille(std::string("dossier.sdu"), grille), std::string(MessageOuvertureGrille));
    EXPECT_EQ(LireFichierGrille(std::string("/dev/zero"), grille), std::string(MessageOuvertureGrille));
    {
        std::ofstream("cache.sdu") << Grille();
    }
    ::chmod("cache.sdu", 0);
    if (::geteuid() != 0) {  // root lit tout
        EXPECT_EQ(LireFichierGrille(std::string("cache.sdu"), grille), std::string(MessageOuvertureGrille));
    }
    ::chmod("cache.sdu", 0644);
    EXPECT_EQ(LireFichierGrille(std::string("cache.sdu"), grille), std::nullopt);
    VerifierIndices(grille);
}

TEST(EcritureGrille, IndicesSeulsEnQuatreVingtDixNeufOctets)
{
    CGrille grille;
    ASSERT_EQ(Lire(Grille(), grille), std::nullopt);
    // Des chiffres d'autres origines : le joueur, un coup de main, le solveur.
    grille.cases[0][2] = {1, 0x1FF, 0, CoupJoueur};
    grille.cases[0][3] = {2, 0x1FF, 0, HypoJoueur};
    grille.cases[1][1] = {7, 0x1FF, 0, CoupDeMain};
    grille.cases[8][0] = {3, 0x1FF, 2, HypoOrdi};
    grille.cases[8][1] = {1, 0x1FF, 2, DeduitOrdi};
    std::ostringstream sortie;
    EcrireFichierGrille(sortie, grille);
    EXPECT_EQ(sortie.str(), Grille("\r\n"));
    EXPECT_EQ(sortie.str().size(), 99u);

    CGrille vide;
    vide.ViderGrille();
    std::ostringstream rien;
    EcrireFichierGrille(rien, vide);
    std::string attendu;
    for (int l = 0; l < 9; ++l) attendu += ".........\r\n";
    EXPECT_EQ(rien.str(), attendu);
}

TEST(EcritureGrille, ExporterPuisImporter)
{
    CDossierTemporaire dossier;
    CGrille grille;
    ASSERT_EQ(Lire(Grille(), grille), std::nullopt);
    grille.cases[4][4] = {5, 0x1FF, 0, CoupJoueur};
    ASSERT_TRUE(EcrireFichierGrille(std::string("grille.sdu"), grille));
    EXPECT_EQ(std::filesystem::file_size("grille.sdu"), 99u);
    CGrille relue;
    relue.ViderGrille();
    EXPECT_EQ(LireFichierGrille(std::string("grille.sdu"), relue), std::nullopt);
    VerifierIndices(relue);
}

TEST(EcritureGrille, RemplacementGardeLesDroitsDuFichier)
{
    CDossierTemporaire dossier;
    CGrille grille;
    ASSERT_EQ(Lire(Grille(), grille), std::nullopt);
    for (const ::mode_t droits : {0600, 0640, 0604}) {
        { std::ofstream("prive.sdu") << "ancien"; }
        ::chmod("prive.sdu", droits);
        ASSERT_TRUE(EcrireFichierGrille(std::string("prive.sdu"), grille));
        struct stat etat {};
        ASSERT_EQ(::stat("prive.sdu", &etat), 0);
        EXPECT_EQ(etat.st_mode & 07777, droits);
        EXPECT_EQ(etat.st_size, 99);
    }
}

TEST(EcritureGrille, EchecLaisseLAncienFichierIntact)
{
    CDossierTemporaire dossier;
    CGrille grille;
    ASSERT_EQ(Lire(Grille(), grille), std::nullopt);
    EXPECT_FALSE(EcrireFichierGrille(std::string("pas/de/dossier.sdu"), grille));
    std::filesystem::create_directory("un_dossier.sdu");
    EXPECT_FALSE(EcrireFichierGrille(std::string("un_dossier.sdu"), grille));
    EXPECT_TRUE(std::filesystem::is_directory("un_dossier.sdu"));

    { std::ofstream("ancien.sdu") << "contenu précédent"; }
    std::filesystem::create_directory("lecture_seule");
    { std::ofstream("lecture_seule/ancien.sdu") << "contenu précédent"; }
    ::chmod("lecture_seule", 0555);
    if (::geteuid() != 0) {
        EXPECT_FALSE(EcrireFichierGrille(std::string("lecture_seule/ancien.sdu"), grille));
        std::ifstream relu("lecture_seule/ancien.sdu");
        std::string contenu((std::istreambuf_iterator<char>(relu)), std::istreambuf_iterator<char>());
        EXPECT_EQ(contenu, "contenu précédent");
    }
    ::chmod("lecture_seule", 0755);
    // Remplacement réussi : plus rien de l'ancien, aucun fichier de travail laissé.
    EXPECT_TRUE(EcrireFichierGrille(std::string("ancien.sdu"), grille));
    EXPECT_EQ(std::filesystem::file_size("ancien.sdu"), 99u);
    int fichiers = 0;
    for (const auto& entree : std::filesystem::directory_iterator(".")) fichiers += entree.is_regular_file();
    EXPECT_EQ(fichiers, 1);
}

TEST(NomFichier, SansDossier)
{
    EXPECT_EQ(NomSansDossier("/home/joueur/grilles/difficile.sdu"), "difficile.sdu");
    EXPECT_EQ(NomSansDossier("difficile.sdu"), "difficile.sdu");
    EXPECT_EQ(NomSansDossier("rel/a.b.sdu"), "a.b.sdu");
    EXPECT_EQ(NomSansDossier(""), "");
}

}  // namespace
