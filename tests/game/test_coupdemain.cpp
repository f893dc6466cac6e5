// Le coup de main : chiffres révélés depuis la solution gardée, cases marquées, refus ; et
// « Pourquoi ? », qui dit le prochain pas sans rien poser.
#include <gtest/gtest.h>

#include <set>

#include "game/explication.h"
#include "tests/game/outils.h"
#include "tests/support/dossiertemporaire.h"
#include "tests/support/partieposee.h"

namespace {

class CoupDeMainTest : public testing::Test {
protected:
    CDossierTemporaire dossier;
    CIhmFactice ihm;
    static constexpr uint32_t Graine = 3;
    CPartie partie{ihm, Graine};

    void SetUp() override
    {
        Importer(partie, ihm, ChargerListe("qqwing-simple-200.txt", 2).at(1));
        ASSERT_TRUE(partie.Grille().SolutionGardee());
        ihm.OublierHistorique();
    }
    std::vector<int> Cases(OrigineCase origine) const
    {
        std::vector<int> v;
        for (int i = 0; i < 81; ++i) {
            if (partie.Grille().LireCase(i / 9, i % 9).origine == origine) v.push_back(i);
        }
        return v;
    }
    std::set<int> Reveles() const
    {
        const auto v = Cases(CoupDeMain);
        return {v.begin(), v.end()};
    }
};

TEST_F(CoupDeMainTest, ReveleLesChiffresDeLaSolutionDansLOrdreDesTirages)
{
    // La première case vide tirée (ligne puis colonne) est la première révélée : l'import
    // n'a rien tiré.
    CHasard temoin;
    temoin.Semer(Graine);
    int premiere = -1;
    while (premiere < 0) {
        const int l = temoin.Tirer() % 9;
        const int c = temoin.Tirer() % 9;
        if (partie.Grille().LireCase(l, c).origine == Vide) premiere = l * 9 + c;
    }
    for (int n = 1; n <= 3; ++n) {
        const auto avant = Reveles();
        partie.DonnerCoupDeMain(n);
        if (n == 1) {
            EXPECT_EQ(Reveles(), std::set<int>{premiere});
        }
        EXPECT_EQ(Reveles().size(), avant.size() + n);
    }
    for (int i : Reveles()) {
        const Case& c = partie.Grille().LireCase(i / 9, i % 9);
        EXPECT_EQ(c.chiffre, partie.Grille().LireSolution(i / 9, i % 9).chiffre);
        EXPECT_EQ(partie.Grille().LireSolution(i / 9, i % 9).marque, CoupDeMain);
        EXPECT_EQ(ihm.plateau[i / 9][i % 9].origine, CoupDeMain);
        EXPECT_EQ(ihm.plateau[i / 9][i % 9].texte, std::to_string(c.chiffre));
    }
    EXPECT_EQ(ihm.casesMontrees, 6);
    EXPECT_TRUE(ihm.messages.empty());

    // Un chiffre révélé ne se change ni ne s'efface.
    const int i = premiere;
    const int chiffre = partie.Grille().LireCase(i / 9, i % 9).chiffre;
    for (int entree : {chiffre % 9, 9}) {
        partie.CliquerPalette(entree);
        partie.CliquerCase(i / 9, i % 9);
    }
    EXPECT_EQ(partie.Grille().LireCase(i / 9, i % 9).chiffre, chiffre);
    EXPECT_EQ(partie.Grille().LireCase(i / 9, i % 9).origine, CoupDeMain);
}

TEST_F(CoupDeMainTest, MoinsDeCasesQueDemande)
{
    // Le joueur remplit juste toutes les cases vides sauf deux.
    const auto vides = Cases(Vide);
    for (size_t k = 2; k < vides.size(); ++k) {
        partie.CliquerPalette(partie.Grille().LireSolution(vides[k] / 9, vides[k] % 9).chiffre - 1);
        partie.CliquerCase(vides[k] / 9, vides[k] % 9);
    }
    partie.OnCoupDeMain3();
    EXPECT_EQ(Reveles(), (std::set<int>{vides[0], vides[1]}));
    EXPECT_TRUE(ihm.messages.empty());
    EXPECT_TRUE(partie.Grille().GrillePleine());

    // Grille pleine et juste : plus rien à révéler, sans message.
    ihm.OublierHistorique();
    partie.OnCoupDeMain2();
    EXPECT_EQ(ihm.casesMontrees, 0);
    EXPECT_TRUE(ihm.messages.empty());
}

TEST_F(CoupDeMainTest, ChiffreRepeteDonneLeMessage)
{
    // Deux fois le même chiffre dans une ligne, des cases vides restent.
    const int i = Cases(Vide).at(0);
    int doublon = 0;
    for (int c = 0; c < 9; ++c) {
        if (partie.Grille().LireCase(i / 9, c).origine == Init) doublon = partie.Grille().LireCase(i / 9, c).chiffre;
    }
    ASSERT_GT(doublon, 0);
    partie.CliquerPalette(doublon - 1);
    partie.CliquerCase(i / 9, i % 9);
    partie.OnCoupDeMain1();
    EXPECT_EQ(ihm.messages, std::vector<std::string>{"La grille en l'état comporte des erreurs !"});
    EXPECT_TRUE(Reveles().empty());
}

TEST_F(CoupDeMainTest, ApresRemiseAZeroLesCasesReveleesSontSautees)
{
    partie.OnCoupDeMain3();
    const auto premiers = Reveles();
    ASSERT_EQ(premiers.size(), 3u);
    partie.RemettreAZero();
    EXPECT_TRUE(Reveles().empty());

    // Tous les coups de main possibles : les trois premières cases restent vides.
    const size_t libres = Cases(Vide).size() - premiers.size();
    for (size_t k = 0; k < libres + 3; ++k) partie.OnCoupDeMain1();
    EXPECT_EQ(Reveles().size(), libres);
    for (int i : premiers) EXPECT_EQ(partie.Grille().LireCase(i / 9, i % 9).origine, Vide) << i;
}

TEST_F(CoupDeMainTest, RienTantQueLaSolutionNEstPasCelleDeLaGrille)
{
    // Import annulé : plateau vide, solution d'une autre grille.
    partie.OnImporter();
    partie.OnCoupDeMain3();
    EXPECT_TRUE(Reveles().empty());

    // Saisie sans solution, faute d'un chiffre répété : le message vient quand même d'abord.
    partie.OnCreer();
    partie.CliquerPalette(0);
    partie.CliquerCase(0, 0);
    partie.CliquerCase(0, 1);
    partie.OnCreer();
    ihm.OublierHistorique();
    partie.OnCoupDeMain3();
    EXPECT_TRUE(Reveles().empty());
    EXPECT_EQ(ihm.messages, std::vector<std::string>{"La grille en l'état comporte des erreurs !"});

    // Une partie en jeu sans chiffre ni solution gardée.
    CIhmFactice ihm2;
    CPartie neuve{ihm2};
    ASSERT_FALSE(Poser(neuve, PartieGardee{}));
    neuve.OnCoupDeMain3();
    EXPECT_EQ(neuve.Grille().CompterOrigine(Vide), 81);
}

// ------------------------------------------------------------------ Pourquoi ?

TEST(Explication, CasesEtChiffresNommes)
{
    // Une case pour un lecteur d'écran : un mot par origine.
    const std::pair<OrigineCase, std::string> origines[] = {
        {Init, "indice"}, {DeduitOrdi, "déduction"}, {DeduitOrdiUnicite, "déduction par unicité"},
        {HypoOrdi, "hypothèse du solveur"}, {CoupDeMain, "coup de main"}, {CoupJoueur, "chiffre du joueur"},
        {HypoJoueur, "hypothèse du joueur"}};
    for (const auto& [origine, mot] : origines) EXPECT_EQ(DecrireCase(2, 4, 7, origine), "Ligne 3, colonne 5 : 7, " + mot);
    EXPECT_EQ(DecrireCase(8, 0, 0, Vide), "Ligne 9, colonne 1 : vide");
    EXPECT_EQ(NommerChiffres(0b100), "3");
    EXPECT_EQ(NommerChiffres(0b100010010), "2, 5 ou 9");
    EXPECT_EQ(NommerChiffres(0x1FF), "1, 2, 3, 4, 5, 6, 7, 8 ou 9");
}

// Les cinq réponses de « Pourquoi ? » : grille fautive, résolue, sans issue (depuis le coup
// fautif), une déduction, une hypothèse. Rien n'est posé, le curseur montre la case. Une
// déduction vient en trois appels sur la même position (où regarder, les candidats, la
// réponse) ; un coup fait repartir du début.
TEST_F(CoupDeMainTest, PourquoiDitLeProchainPasSansRienPoser)
{
    const std::string base = ihm.statut;
    const std::vector<int> vides = Cases(Vide);
    const auto solution = [this](int i) { return partie.Grille().LireSolution(i / 9, i % 9).chiffre; };
    const auto jouer = [this](int i, int chiffre) {
        partie.CliquerPalette(chiffre - 1);
        partie.CliquerCase(i / 9, i % 9);
    };
    // Un chiffre faux mais permis (aucun doublon), puis un juste ailleurs.
    const auto fauxPermis = [&](int i) {
        int faux = 1;
        for (; faux <= 9; ++faux) {
            CGrille essai = partie.Grille();
            essai.ChangerCase(i / 9, i % 9, faux, CoupJoueur);
            if (faux != solution(i) && essai.GrilleValide()) break;
        }
        return faux;
    };
    const int fautive = vides.at(0), autre = vides.at(2);
    ASSERT_LE(fauxPermis(fautive), 9);
    jouer(fautive, fauxPermis(fautive));
    jouer(vides.at(1), solution(vides.at(1)));
    const std::string avant = TexteIndices(partie.Grille());
    const auto sansSolutionDepuis = [&](int i) {
        partie.OnPourquoi();
        EXPECT_EQ(ihm.statut, base + " >>> vos chiffres ne mènent à aucune solution (depuis " + NommerCase(i / 9, i % 9) + ")");
        EXPECT_EQ(ihm.curseur, std::pair(i / 9, i % 9));
    };
    sansSolutionDepuis(fautive);
    EXPECT_EQ(TexteIndices(partie.Grille()), avant);
    // Le chiffre faux effacé, puis un autre posé ailleurs : sans solution depuis ce dernier, pas
    // depuis le premier, qui n'est plus là.
    partie.CliquerPalette(9);
    partie.CliquerCase(fautive / 9, fautive % 9);
    ASSERT_LE(fauxPermis(autre), 9);
    jouer(autre, fauxPermis(autre));
    sansSolutionDepuis(autre);

    // Les chiffres faux repris : d'abord où regarder, le curseur laissé où il était ; puis les
    // candidats en jeu, ceux qu'ôte l'étape jamais le chiffre de la solution ; puis la prochaine
    // pose, dite et montrée, celle de la solution ; le raisonnement en entier se sert de sa case
    // et finit par elle.
    for (int k = 0; k < 4; ++k) partie.Annuler();
    const auto encore = [this](const char* suite) {
        EXPECT_NE(ihm.statut.find(std::string("(« Pourquoi ? » encore : ") + suite + ")"), std::string::npos) << ihm.statut;
    };
    partie.OnPourquoi();
    encore("les candidats");
    EXPECT_EQ(ihm.curseur, std::pair(autre / 9, autre % 9));
    EXPECT_TRUE(ihm.candidatsRaisonnement.empty());
    partie.OnPourquoi();
    encore("la réponse");
    EXPECT_EQ(ihm.curseur, std::pair(autre / 9, autre % 9));
    ASSERT_FALSE(ihm.candidatsRaisonnement.empty());
    for (const CandidatMontre& c : ihm.candidatsRaisonnement) {
        EXPECT_EQ(partie.Grille().LireCase(c.ligne, c.colonne).chiffre, 0);
        if (c.ote) {
            EXPECT_NE(solution(c.ligne * 9 + c.colonne), c.chiffre) << c.ligne << "," << c.colonne;
        }
    }
    partie.OnPourquoi();
    ASSERT_TRUE(ihm.curseur.has_value());
    const int montree = ihm.curseur->first * 9 + ihm.curseur->second;
    EXPECT_EQ(partie.Grille().LireCase(montree / 9, montree % 9).chiffre, 0);
    EXPECT_NE(ihm.statut.find("le " + std::to_string(solution(montree))), std::string::npos) << ihm.statut;
    EXPECT_NE(ihm.statut.find(NommerCase(montree / 9, montree % 9)), std::string::npos) << ihm.statut;
    ASSERT_FALSE(ihm.raisonnement.empty());
    EXPECT_NE(ihm.raisonnement.back().find("le " + std::to_string(solution(montree))), std::string::npos);
    EXPECT_NE(std::find(ihm.casesRaisonnement.begin(), ihm.casesRaisonnement.end(), *ihm.curseur),
              ihm.casesRaisonnement.end());
    EXPECT_EQ(Cases(Vide), vides) << "rien n'est posé";

    // Une seule case vide : un coup fait repartir du début, même défait ensuite ; seul chiffre
    // possible ; puis la grille résolue.
    for (size_t k = 1; k < vides.size(); ++k) jouer(vides[k], solution(vides[k]));
    partie.OnPourquoi();
    encore("les candidats");
    jouer(vides[0], solution(vides[0]));
    partie.Annuler();
    partie.OnPourquoi();
    encore("les candidats");
    partie.OnPourquoi();
    partie.OnPourquoi();
    EXPECT_EQ(ihm.statut, base + " >>> " + NommerCase(vides[0] / 9, vides[0] % 9) + " : seul chiffre possible, le " +
                              std::to_string(solution(vides[0])));
    jouer(vides[0], solution(vides[0]));
    partie.OnPourquoi();
    EXPECT_EQ(ihm.statut, base + " >>> la grille est résolue !");

    // Un doublon : le message des coups de main, rien d'autre.
    ihm.OublierHistorique();
    jouer(vides[0], partie.Grille().LireCase(vides[0] / 9, (vides[0] % 9 + 1) % 9).chiffre);
    const std::string statut = ihm.statut;
    partie.OnPourquoi();
    EXPECT_EQ(ihm.messages, std::vector<std::string>{std::string(MessageGrilleFautive)});
    EXPECT_EQ(ihm.statut, statut);

    // Une grille saisie vide : elle a plusieurs solutions, aucun raisonnement ne la finit,
    // l'hypothèse du solveur. En saisie, rien.
    partie.OnCreer();
    ihm.OublierHistorique();
    partie.OnPourquoi();
    EXPECT_TRUE(ihm.messages.empty());
    EXPECT_EQ(ihm.statut, " Grille en mode création");
    partie.OnCreer();
    partie.OnPourquoi();
    EXPECT_EQ(ihm.statut, " Grille créée manuellement >>> la grille a plusieurs solutions, aucun raisonnement ne "
                          "peut la finir seul : il faut une hypothèse, par exemple ligne 1, colonne 1 (1, 2, 3, 4, 5, "
                          "6, 7, 8 ou 9)");
    EXPECT_EQ(ihm.curseur, std::pair(0, 0));
    EXPECT_FALSE(partie.Trace().EstOuvert());
}

}  // namespace
