// La commande de trace : fichier du jour, en-tête, une ligne par déduction et hypothèse.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/fichiertrace.h"
#include "tests/game/outils.h"
#include "tests/support/commande.h"
#include "tests/support/dossiertemporaire.h"
#include "tests/support/posix.h"
#include "tests/support/sortiememoire.h"

namespace {

class Trace : public testing::Test {
protected:
    CDossierTemporaire dossier;
    CIhmFactice ihm;
    CPartie partie{ihm, 1, HorlogeFixe()};
    std::time_t instant = 1'780'000'000;  // un instant fixe, en 2026
    std::tm local{};
    // Une grille qui demande des hypothèses : la trace en contient.
    std::string difficile = ChargerListe("top95.txt", 1).at(0);
    std::string simple = ChargerListe("qqwing-simple-200.txt", 1).at(0);

    void SetUp() override { localtime_r(&instant, &local); }
    // L'heure des parties du test : `instant`, tel qu'il est à chaque lecture.
    CPartie::Horloge HorlogeFixe()
    {
        return [this] { return instant; };
    }
    // Le fichier attendu : l'en-tête puis ce que le solveur seul écrit pour ces indices.
    std::string Attendu(const std::string& indices)
    {
        CSortieMemoire sortie;
        CGrille g;
        Remplir(g, indices);
        g.Resoudre(LimiteJoueur, &sortie);
        return VersDisque(EnTeteTrace(local) + sortie.texte);
    }
    std::string Fichier() { return Contenu(NomFichierTrace(local)); }
};

TEST_F(Trace, EnTetePuisUneLigneParDeductionEtHypothese)
{
    partie.OnTrace();
    EXPECT_TRUE(partie.Trace().EstOuvert());
    Importer(partie, ihm, difficile);
    partie.OnTrace();
    EXPECT_FALSE(partie.Trace().EstOuvert());

    const std::string contenu = Fichier();
    EXPECT_EQ(contenu, Attendu(difficile));
    EXPECT_NE(contenu.find("Hypothese -> "), std::string::npos);
    // L'en-tête : l'heure de la mise en route, en page 1252 (« à » sur un octet).
    EXPECT_EQ(contenu.find("-------- Trace du "), 0u);
    EXPECT_NE(contenu.find("\xE0"), std::string::npos);

    // Trace éteinte : plus rien n'arrive dans le fichier.
    partie.OnResoudre();
    EXPECT_EQ(Fichier(), contenu);
}

TEST_F(Trace, DeuxiemeMiseEnRouteLeMemeJourNeGardeQueLaDeuxieme)
{
    partie.OnTrace();
    Importer(partie, ihm, difficile, "a.sdu");
    partie.OnTrace();

    instant += 60;  // une minute plus tard, même jour
    localtime_r(&instant, &local);
    partie.OnTrace();
    Importer(partie, ihm, simple, "b.sdu");
    partie.OnTrace();
    EXPECT_EQ(Fichier(), Attendu(simple));
}

#ifndef _WIN32
// Un disque plein : la trace ne peut pas s'écrire en entier, la partie le dit une fois et
// l'éteint ; le jeu continue.
TEST_F(Trace, EcritureImpossibleDiteEtTraceEteinte)
{
    std::filesystem::create_symlink("/dev/full", NomFichierTrace(local));
    partie.OnTrace();
    ASSERT_TRUE(partie.Trace().EstOuvert());
    Importer(partie, ihm, difficile);
    EXPECT_EQ(ihm.messages, std::vector<std::string>{std::string(MessageEcritureTrace) + NomFichierTrace(local)});
    EXPECT_FALSE(partie.Trace().EstOuvert());
    EXPECT_TRUE(partie.GrilleEnCours());
}
#endif

TEST_F(Trace, FermerLeProgrammeTraceAllumeeLaisseUnFichierComplet)
{
    {
        CIhmFactice ihm2;
        CPartie p{ihm2, 1, HorlogeFixe()};
        p.OnTrace();
        Importer(p, ihm2, difficile);
    }
    EXPECT_EQ(Fichier(), Attendu(difficile));
}

}  // namespace
