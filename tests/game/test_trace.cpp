// La commande de trace : fichier du jour, en-tête, une ligne par déduction et hypothèse.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "files/fichiertrace.h"
#include "tests/game/outils.h"
#include "tests/support/dossiertemporaire.h"

namespace {

// Retient les lignes qu'un solveur écrit.
class CSortieMemoire : public CSortieTrace {
public:
    std::string texte;
    int lignes = 0;
    void Ecrire(std::string_view ligne) override
    {
        texte += ligne;
        ++lignes;
    }
};

std::string LireFichier(const std::string& nom)
{
    std::ifstream entree(nom, std::ios::binary);
    return {std::istreambuf_iterator<char>(entree), std::istreambuf_iterator<char>()};
}

// Ce que le solveur écrit pour ces indices, avec la limite donnée.
CSortieMemoire TraceAttendue(const std::string& indices, int32_t limite)
{
    CSortieMemoire sortie;
    CGrille g;
    PoserIndices(g, indices);
    g.sortieTrace = &sortie;
    g.traceActive = true;
    g.Resoudre(limite);
    return sortie;
}

class Trace : public testing::Test {
protected:
    CDossierTemporaire dossier;
    CIhmFactice ihm;
    CPartie partie{ihm};
    std::time_t instant = 1'780'000'000;  // un instant fixe, en 2026
    std::tm local{};
    // Une grille qui demande des hypothèses : la trace en contient.
    std::string difficile = GrillesReference("top95.txt", 1).at(0);
    std::string simple = GrillesReference("qqwing-simple-200.txt", 1).at(0);

    void SetUp() override
    {
        partie.horloge = [this] { return instant; };
        localtime_r(&instant, &local);
    }
};

TEST_F(Trace, EnTetePuisUneLigneParDeductionEtHypothese)
{
    const auto attendue = TraceAttendue(difficile, LimiteJoueur);
    ASSERT_NE(attendue.texte.find("Hypothese -> "), std::string::npos);

    partie.OnTrace();
    EXPECT_TRUE(partie.grille.traceActive);
    Importer(partie, ihm, difficile);
    partie.OnTrace();
    EXPECT_FALSE(partie.grille.traceActive);

    const std::string contenu = LireFichier(NomFichierTrace(local));
    EXPECT_EQ(contenu, VersDisque(EnTeteTrace(local) + attendue.texte));
    // L'en-tête : l'heure de la mise en route, en page 1252 (« à » sur un octet).
    EXPECT_EQ(contenu.find("-------- Trace du "), 0u);
    EXPECT_NE(contenu.find("\xE0"), std::string::npos);

    // Trace éteinte : plus rien n'arrive dans le fichier.
    partie.OnResoudre();
    EXPECT_EQ(LireFichier(NomFichierTrace(local)), contenu);
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

    EXPECT_EQ(LireFichier(NomFichierTrace(local)),
              VersDisque(EnTeteTrace(local) + TraceAttendue(simple, LimiteJoueur).texte));
}

TEST_F(Trace, FichierImpossibleACreer)
{
    // Dossier courant supprimé : aucun fichier ne peut y être créé, même avec tous les droits.
    std::filesystem::create_directory("parti");
    std::filesystem::current_path("parti");
    std::filesystem::remove(dossier.Chemin() / "parti");

    partie.OnTrace();
    EXPECT_EQ(ihm.messages,
              std::vector<std::string>{"Impossible de créer le fichier de trace " + NomFichierTrace(local)});
    EXPECT_FALSE(partie.grille.traceActive);
    EXPECT_FALSE(partie.fichierTrace.EstOuvert());

    // La commande suivante réessaie la mise en route, sans l'éteindre.
    std::filesystem::current_path(dossier.Chemin());
    partie.OnTrace();
    EXPECT_TRUE(partie.grille.traceActive);
    EXPECT_EQ(ihm.messages.size(), 1u);
}

TEST_F(Trace, FermerLeProgrammeTraceAllumeeLaisseUnFichierComplet)
{
    std::string attendu;
    {
        CIhmFactice ihm2;
        CPartie p{ihm2};
        p.horloge = [this] { return instant; };
        p.OnTrace();
        Importer(p, ihm2, difficile);
        attendu = VersDisque(EnTeteTrace(local) + TraceAttendue(difficile, LimiteJoueur).texte);
    }
    EXPECT_EQ(LireFichier(NomFichierTrace(local)), attendu);
}

}  // namespace
