// « novemia-cli generer » lancé comme depuis un terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tests/support/commande.h"
#include "tests/support/dossiertemporaire.h"
#include "engine/compteur.h"
#include "game/defi.h"
#include "game/explicationtechnique.h"
#include "tests/support/pdf.h"
#include "tests/game/outils.h"

namespace {

class Generer : public testing::Test {
protected:
    CDossierTemporaire dossier;
};

TEST_F(Generer, MemeGraineMemeSortieQueLaPartie)
{
    const auto a = LancerCli({"generer", "moyen", "--graine", "1", "--nombre", "3"});
    ASSERT_EQ(a.code, 0) << a.erreurs;
    EXPECT_TRUE(a.erreurs.empty()) << a.erreurs;
    EXPECT_EQ(LancerCli({"generer", "--nombre", "3", "moyen", "--graine", "1"}).sortie, a.sortie);
    EXPECT_NE(LancerCli({"generer", "moyen", "--graine", "2", "--nombre", "3"}).sortie, a.sortie);

    // Les mêmes grilles que trois générations successives dans une partie.
    CIhmFactice ihm;
    CPartie partie{ihm, 1};
    std::string attendu;
    for (int k = 1; k <= 3; ++k) {
        partie.OnMoyen();
        attendu += "# moyen " + std::to_string(k) + "/3\n";
        const std::string indices = TexteIndices(partie.Grille());
        for (int l = 0; l < 9; ++l) attendu += indices.substr(l * 9, 9) + "\n";
    }
    EXPECT_EQ(a.sortie, attendu);
    EXPECT_EQ(ihm.questions.size(), 2u) << "une question par grille remplacée";

    // Sans graine ni nombre : une grille.
    const auto r = LancerCli({"generer", "diabolique"});
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(r.sortie.size(), std::string("# diabolique 1/1\n").size() + 90);
    EXPECT_EQ(r.sortie.rfind("# diabolique 1/1\n", 0), 0u);
}

TEST_F(Generer, LaTraceRecoitChaqueResolution)
{
    const auto sans = LancerCli({"generer", "facile", "--graine", "8"});
    const auto avec = LancerCli({"generer", "facile", "--graine", "8", "--trace", "journal.txt"});
    ASSERT_EQ(avec.code, 0) << avec.erreurs;
    EXPECT_EQ(avec.sortie, sans.sortie) << "la trace ne change pas la grille";
    const std::string journal = Contenu("journal.txt");
    EXPECT_EQ(journal.rfind("-------- Trace du ", 0), 0u);
    EXPECT_NE(journal.find("Hypothese -> Case("), std::string::npos);
    EXPECT_NE(journal.find("\r\n"), std::string::npos);

    const auto impossible = LancerCli({"generer", "facile", "--trace", "absent/journal.txt"});
    EXPECT_EQ(impossible.code, 73);
    EXPECT_NE(impossible.erreurs.find("absent/journal.txt"), std::string::npos);
    EXPECT_TRUE(impossible.sortie.empty());
}

// --pdf : les mêmes octets pour la même graine ; K grilles sur K/P pages, arrondi au-dessus ;
// relue, chaque grille est la même que sur la sortie, à sa place, sous la graine qui la redonne
// seule. Les refus, comme pour les autres options.
TEST_F(Generer, PdfDeGrillesQueLeurGraineRedonne)
{
    for (const int parPage : {1, 2, 4, 6}) {
        SCOPED_TRACE(parPage);
        const std::vector<std::string> arguments{"generer", "difficile", "--graine", "5", "--nombre", "7",
                                                 "--pdf", "g.pdf", "--par-page", std::to_string(parPage)};
        const auto r = LancerCli(arguments);
        ASSERT_EQ(r.code, 0) << r.erreurs;
        EXPECT_EQ(r.sortie + r.erreurs, "");
        const std::string pdf = Contenu("g.pdf");
        ASSERT_EQ(LancerCli(arguments).code, 0);
        EXPECT_EQ(Contenu("g.pdf"), pdf);
        if (PdfLisible) {
            EXPECT_EQ(std::ranges::count(TexteDuPdf("g.pdf"), '\f'), (7 + parPage - 1) / parPage);
        }
    }

    // Une grille par page : la première sous la graine donnée, chacune redonnée par la sienne.
    ASSERT_EQ(LancerCli({"generer", "difficile", "--graine", "5", "--nombre", "3", "--pdf", "g.pdf"}).code, 0);
    const std::string pages = TexteDuPdf("g.pdf");
    EXPECT_EQ(pages.find("Niveau difficile, graine 5\n"), PdfLisible ? 0u : std::string::npos);
    for (std::size_t debut = 0, k = 1; PdfLisible && k <= 3; ++k) {
        const std::size_t fin = pages.find('\f', debut);
        ASSERT_NE(fin, std::string::npos);
        const std::string page = pages.substr(debut, fin - debut);
        debut = fin + 1;
        const std::size_t graine = page.find("graine ") + 7;
        std::string indices =
            LancerCli({"generer", "difficile", "--graine", page.substr(graine, page.find('\n', graine) - graine)}).sortie;
        indices.erase(0, indices.find('\n'));  // sans « # difficile 1/1 »
        std::erase_if(indices, [](char c) { return c < '1' || c > '9'; });
        EXPECT_EQ(ChiffresDesCases(page), indices) << page;
    }

    const std::pair<std::vector<std::string>, int> refus[] = {
        {{"--pdf", "g.pdf", "--par-page", "3"}, 64},
        {{"--par-page", "2"}, 64},
        {{"--pdf", "g.pdf", "--trace", "./g.pdf"}, 64},
        {{"--pdf", "absent/g.pdf"}, 73},
    };
    for (const auto& [options, code] : refus) {
        std::vector<std::string> arguments{"generer", "facile"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const auto r = LancerCli(arguments);
        EXPECT_EQ(r.code, code) << options.back();
        EXPECT_NE(r.erreurs.find(code == 73 ? "absent/g.pdf" : "Usage"), std::string::npos) << r.erreurs;
    }
}

// Les défis : la même graine donne les mêmes grilles ; chaque grille n'a qu'une solution, sa
// note et sa technique la plus dure, écrites en tête, sont celles que donne « noter », et
// cette technique est du genre demandé.
TEST_F(Generer, DefisDeChaqueGenre)
{
    for (int32_t g = 0; g < NombreGenresDefi; ++g) {
        const auto genre = static_cast<GenreDefi>(g);
        const std::string mot(MotDefi(genre));
        SCOPED_TRACE(mot);
        const auto a = LancerCli({"generer", "--defi", mot, "--graine", "4", "--nombre", "2"});
        ASSERT_EQ(a.code, 0) << a.erreurs;
        EXPECT_EQ(LancerCli({"generer", "--nombre", "2", "--graine", "4", "--defi", mot}).sortie, a.sortie);
        std::istringstream lignes(a.sortie);
        for (int k = 1; k <= 2; ++k) {
            std::string entete, grille, ligne;
            std::getline(lignes, entete);
            for (int l = 0; l < 9 && std::getline(lignes, ligne); ++l) grille += ligne;
            Position p{};
            for (int i = 0; i < 81; ++i) p[i] = grille[i] == '.' ? 0 : grille[i] - '0';
            EXPECT_EQ(CompterSolutions(p, 2).solutions, 1) << grille;
            const Bilan bilan = Noter(p);
            ASSERT_TRUE(bilan.plusDifficile.has_value());
            EXPECT_TRUE(TechniqueDuDefi(genre, *bilan.plusDifficile)) << NomTechnique(*bilan.plusDifficile);
            EXPECT_EQ(entete, "# " + mot + " " + std::to_string(k) + "/2 : " + TexteNote(bilan.note) + ", " +
                                  std::string(NomTechnique(*bilan.plusDifficile)));
            std::ofstream("grille.txt", std::ios::binary) << grille << "\n";
            EXPECT_EQ(LancerCli({"noter", "--lignes", "grille.txt"}).sortie,
                      TexteNote(bilan.note) + "\t" + std::string(NomTechnique(*bilan.plusDifficile)) + "\t" + grille + "\n");
        }
    }
}

}  // namespace
