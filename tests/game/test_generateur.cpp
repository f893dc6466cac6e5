// Le générateur : reproductible depuis la graine, semis de 18 indices, tirages dans l'ordre,
// propriétés de chaque niveau, et une solution pour toute grille générée.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <vector>

#include "tests/game/outils.h"
#include "tests/support/dossiertemporaire.h"

namespace {

constexpr int GrainesParNiveau = 250;

int Compter(const std::string& indices) { return 81 - static_cast<int>(std::count(indices.begin(), indices.end(), '.')); }

// Le semis : 18 indices, chaque chiffre deux fois, aucun chiffre répété dans une unité.
void VerifierSemis(const std::string& semis)
{
    ASSERT_EQ(Compter(semis), 18) << semis;
    for (char d = '1'; d <= '9'; ++d) EXPECT_EQ(std::count(semis.begin(), semis.end(), d), 2) << semis;
    CGrille g;
    Remplir(g, semis);
    EXPECT_TRUE(g.GrilleValide()) << semis;
}

// Le générateur seul, sur sa grille et sa source de hasard.
class Generateur : public testing::Test {
protected:
    CGrille grille;
    CHasard hasard;
    CGenerateur generateur{grille, hasard};
};

TEST(GenerationDeLaPartie, MemeGraineMemesGrilles)
{
    for (auto niveau : {Facile, Diabolique}) {
        std::vector<std::string> grilles[3];
        const uint32_t graines[3] = {1234, 1234, 1235};
        for (int k = 0; k < 3; ++k) {
            CIhmFactice i;
            CPartie p{i, graines[k]};
            for (int n = 0; n < 3; ++n) {
                p.GenererGrille(niveau);
                grilles[k].push_back(TexteIndices(p.Grille()));
            }
        }
        EXPECT_EQ(grilles[0], grilles[1]);
        EXPECT_NE(grilles[0], grilles[2]);
        EXPECT_EQ(std::set<std::string>(grilles[0].begin(), grilles[0].end()).size(), 3u) << "grilles successives";
    }
}

TEST_F(Generateur, SemerGrilleDonneDeuxFoisChaqueChiffreDansLOrdreDesTirages)
{
    std::set<std::string> vus;
    for (uint32_t graine = 0; graine < 200; ++graine) {
        hasard.Semer(graine);
        CHasard temoin = hasard;
        generateur.SemerGrille();
        VerifierSemis(TexteIndices(grille));
        EXPECT_EQ(grille.CompterOrigine(Vide), 81 - 18);
        vus.insert(TexteIndices(grille));
        // Le premier 1 va dans la première case tirée (ligne puis colonne), forcément libre.
        const int ligne = temoin.Tirer() % 9;
        const int colonne = temoin.Tirer() % 9;
        EXPECT_EQ(grille.LireCase(ligne, colonne).chiffre, 1);
    }
    EXPECT_EQ(vus.size(), 200u);
}

TEST_F(Generateur, FixerHypotheseChoisitLaKiemeCaseHypothese)
{
    // Sans case d'hypothèse : -1 et aucun tirage consommé.
    grille.ViderGrille();
    hasard.Semer(5);
    CHasard temoin = hasard;
    EXPECT_EQ(generateur.FixerHypothese(), -1);
    EXPECT_EQ(grille.CompterOrigine(Init), 0);
    EXPECT_EQ(hasard.Tirer(), temoin.Tirer());

    const std::vector<int> codes{3, 27, 40, 88};
    for (int code : codes) grille.ChangerCase(code / 10, code % 10, 5, HypoOrdi);
    hasard.Semer(9);
    temoin = hasard;
    const int attendu = codes[temoin.Tirer() % 4];
    EXPECT_EQ(generateur.FixerHypothese(), attendu);
    EXPECT_EQ(grille.LireCase(attendu / 10, attendu % 10).origine, Init);
    EXPECT_EQ(grille.LireCase(attendu / 10, attendu % 10).chiffre, 5);
    EXPECT_EQ(grille.CompterOrigine(HypoOrdi), 3);
}

TEST_F(Generateur, CompleterGrilleRespecteLaCibleEtLesLimitesDesUnites)
{
    const auto grilles = ChargerListe("qqwing-simple-200.txt", 40);
    const int cible = generateur.nbInitNiveau[Difficile];
    int atteintes = 0;
    for (size_t i = 0; i < grilles.size(); ++i) {
        SCOPED_TRACE(grilles[i]);
        // Grille pleine dont seuls les premiers indices le restent, comme après EpurerGrille.
        Remplir(grille, grilles[i]);
        ASSERT_EQ(grille.Resoudre(LimiteJoueur), FinResolution::Resolue);
        int k = 0;
        for (int p = 0; p < 81; ++p) {
            if (grille.LireCase(p / 9, p % 9).origine == Init && k++ >= 14 + static_cast<int>(i % 16)) {
                grille.ChangerOrigine(p / 9, p % 9, DeduitOrdi);
            }
        }
        const std::string avant = TexteIndices(grille);
        hasard.Semer(static_cast<uint32_t>(i));
        CHasard depart = hasard;
        generateur.CompleterGrille(Difficile);
        const std::string apres = TexteIndices(grille);
        EXPECT_TRUE(grille.GrillePleine());
        if (Compter(avant) >= cible) {
            EXPECT_EQ(apres, avant);
            continue;
        }
        if (Compter(apres) >= cible) {
            ++atteintes;
            EXPECT_EQ(Compter(apres), cible) << "un ajout de trop";
        } else {
            // Cible manquée : les 100 tirages (200 nombres) ont été consommés.
            for (int n = 0; n < 200; ++n) depart.Tirer();
            EXPECT_EQ(depart.Tirer(), hasard.Tirer());
        }
        // Chaque unité qui a gagné un indice garde au moins 4 cases à remplir.
        for (int p = 0; p < 81; ++p) {
            if (avant[p] != '.' || apres[p] == '.') continue;
            const int l = p / 9, c = p % 9;
            int ligne = 0, colonne = 0, region = 0;
            for (int q = 0; q < 81; ++q) {
                if (apres[q] != '.') continue;
                ligne += q / 9 == l;
                colonne += q % 9 == c;
                region += q / 27 == l / 3 && (q % 9) / 3 == c / 3;
            }
            EXPECT_GE(std::min({ligne, colonne, region}), 4) << p;
        }
    }
    EXPECT_GT(atteintes, 0);
}

// Générateur témoin, écrit pas à pas d'après les règles, sur le moteur seul (sans partie,
// donc sans remise à zéro du pilote) : chaque tirage dans l'ordre dit (ligne puis colonne
// % 9, places % n, case d'hypothèse % n), et un nouveau semis quand un essai échoue. Il
// garde le dernier semis, celui d'où vient la grille.
struct GenerateurTemoin {
    CGrille g;
    CHasard hasard;
    const std::array<int, 4> cibles{31, 28, 26, 25};
    std::string semis;

    void Semer()
    {
        g.ViderGrille();
        for (int d = 1; d <= 9; ++d) {
            for (int copie = 0; copie < 2; ++copie) {
                for (;;) {
                    const int l = hasard.Tirer() % 9;
                    const int c = hasard.Tirer() % 9;
                    bool libre = g.LireCase(l, c).chiffre == 0;
                    for (int i = 0; i < 9; ++i) {
                        libre = libre && g.LireCase(l, i).chiffre != d && g.LireCase(i, c).chiffre != d &&
                                g.LireCase(l / 3 * 3 + i / 3, c / 3 * 3 + i % 3).chiffre != d;
                    }
                    if (libre) {
                        g.PoserIndice(l, c, d);
                        break;
                    }
                }
            }
        }
        semis = TexteIndices(g);
    }
    int Fixer()
    {
        std::vector<int> hypos;
        for (int i = 0; i < 81; ++i) {
            if (g.LireCase(i / 9, i % 9).origine == HypoOrdi) hypos.push_back(i);
        }
        if (hypos.empty()) return -1;
        const int i = hypos[hasard.Tirer() % static_cast<int>(hypos.size())];
        g.ChangerOrigine(i / 9, i % 9, Init);
        return i / 9 * 10 + i % 9;
    }
    void Epurer()
    {
        const int n = g.CompterOrigine(Init);
        std::vector<int> places(n, -1);
        for (int i = 0; i < 81; ++i) {
            if (g.LireCase(i / 9, i % 9).origine != Init) continue;
            int p;
            do p = hasard.Tirer() % n;
            while (places[p] != -1);
            places[p] = i;
        }
        for (int i : places) {
            const int chiffre = g.LireCase(i / 9, i % 9).chiffre;
            g.ChangerCase(i / 9, i % 9, 0, Vide);
            g.RemettreGrille();
            g.Resoudre(LimiteGeneration);
            if (g.NiveauCourant() > 0) g.PoserIndice(i / 9, i % 9, chiffre);
        }
        g.RemettreGrille();
    }
    int NonIndices(int l0, int l1, int c0, int c1) const
    {
        int n = 0;
        for (int l = l0; l <= l1; ++l) {
            for (int c = c0; c <= c1; ++c) n += g.LireCase(l, c).origine != Init;
        }
        return n;
    }
    void Completer(NiveauGrille niveau)
    {
        g.Resoudre(LimiteGeneration);
        int compte = g.CompterOrigine(Init);
        for (int essais = 1; compte < cibles[niveau]; ++essais) {
            const int l = hasard.Tirer() % 9;
            const int c = hasard.Tirer() % 9;
            if (g.LireCase(l, c).origine != Init) {
                g.ChangerOrigine(l, c, Init);
                const int rl = l / 3 * 3, rc = c / 3 * 3;
                if (NonIndices(l, l, 0, 8) <= 3 || NonIndices(0, 8, c, c) <= 3 ||
                    NonIndices(rl, rl + 2, rc, rc + 2) <= 3) {
                    g.ChangerOrigine(l, c, Vide);
                } else {
                    ++compte;
                }
            }
            if (essais == 100) break;
        }
        if (niveau != Facile) return;
        for (int r = 0; r < 9; ++r) {
            std::vector<int> libres;  // l * 9 + c
            for (int i = 0; i < 9; ++i) {
                const int l = r / 3 * 3 + i / 3, c = r % 3 * 3 + i % 3;
                if (g.LireCase(l, c).origine != Init) libres.push_back(l * 9 + c);
            }
            for (int i = 0; i + 6 < static_cast<int>(libres.size()); ++i) g.ChangerOrigine(libres[i] / 9, libres[i] % 9, Init);
        }
    }
    void Generer(NiveauGrille niveau)
    {
        for (bool fini = false; !fini;) {
            do Semer();
            while (g.Resoudre(LimiteGeneration) != FinResolution::Resolue);
            bool echec = false;
            int dernier = -1;
            const int32_t plafond = niveau == Diabolique ? 2 : 0;
            while (!echec && g.NiveauCourant() > plafond) {
                dernier = Fixer();
                g.RemettreGrille();
                echec = dernier < 0 || g.Resoudre(LimiteGeneration) != FinResolution::Resolue;
            }
            if (echec) continue;
            if (niveau == Diabolique) {
                if (g.NiveauCourant() == 0 && dernier >= 0) g.ChangerOrigine(dernier / 10, dernier % 10, HypoOrdi);
                g.RemettreGrille();
            } else {
                Epurer();
                Completer(niveau);
            }
            fini = true;
        }
        ASSERT_EQ(g.ResoudreEtMemoriser(), FinResolution::Resolue);
    }
};

// La partie tire exactement comme le témoin : mêmes indices, même solution gardée, y compris
// pour les grilles suivantes d'une même partie (grille en jeu, remise à zéro du pilote branchée).
TEST(GenerationDeLaPartie, TiragesDansLOrdreDesRegles)
{
    for (auto niveau : {Facile, Moyen, Difficile, Diabolique}) {
        for (uint32_t graine = 0; graine < 12; ++graine) {
            CIhmFactice ihm;
            CPartie partie{ihm, graine};
            GenerateurTemoin temoin;
            temoin.hasard.Semer(graine);
            // La quatrième grille dit aussi que la troisième n'a rien tiré en plus ou en moins.
            for (int n = 0; n < 4; ++n) {
                partie.GenererGrille(niveau);
                temoin.Generer(niveau);
                ASSERT_EQ(TexteIndices(partie.Grille()), TexteIndices(temoin.g)) << MotNiveau(niveau) << " graine " << graine;
                for (int i = 0; i < 81; ++i) {
                    ASSERT_EQ(partie.Grille().LireSolution(i / 9, i % 9).chiffre, temoin.g.LireSolution(i / 9, i % 9).chiffre);
                    ASSERT_EQ(partie.Grille().LireSolution(i / 9, i % 9).marque, temoin.g.LireSolution(i / 9, i % 9).marque);
                }
            }
        }
    }
}

class GenerationParNiveau : public testing::TestWithParam<NiveauGrille> {
protected:
    CDossierTemporaire dossier;
};

// Des centaines de graines par niveau : toute grille a une solution, chaque niveau tient
// ses promesses.
TEST_P(GenerationParNiveau, ProprietesSurDesCentainesDeGraines)
{
    const NiveauGrille niveau = GetParam();
    CIhmFactice ihm;
    CPartie partie{ihm, 2026u + static_cast<uint32_t>(niveau)};
    // Le témoin, tiré en même temps, dit de quel semis vient chaque grille.
    GenerateurTemoin temoin;
    temoin.hasard.Semer(2026u + static_cast<uint32_t>(niveau));
    // Le curseur d'attente couvre la construction de la grille ; rien ne s'affiche avant la fin.
    ihm.surAttente = [&](bool actif) {
        if (!actif) {
            EXPECT_EQ(ihm.casesMontrees, 0);
        }
    };
    int sousLaCible = 0;
    for (int n = 0; n < GrainesParNiveau; ++n) {
        ihm.OublierHistorique();
        partie.GenererGrille(niveau);
        temoin.Generer(niveau);
        const std::string indices = TexteIndices(partie.Grille());
        ASSERT_EQ(indices, TexteIndices(temoin.g));
        const std::string& semis = temoin.semis;
        SCOPED_TRACE(indices);

        EXPECT_GE(ihm.attentesOuvertes, 1);
        EXPECT_EQ(ihm.profondeurAttente, 0);
        EXPECT_FALSE(ihm.attenteDesequilibree);
        ASSERT_TRUE(ihm.messages.empty());
        ASSERT_TRUE(partie.Grille().SolutionGardee());
        EXPECT_EQ(partie.Grille().NiveauCourant(), 0);
        EXPECT_EQ(partie.Grille().CompterOrigine(Init) + partie.Grille().CompterOrigine(Vide), 81);
        EXPECT_EQ(ihm.statut, " Grille générée (Niveau " + std::string(MotNiveau(niveau)) + ")");
        EXPECT_TRUE(ihm.PlateauConforme(partie.Grille()));

        // La solution gardée prolonge les indices et respecte les règles.
        CGrille s;
        for (int i = 0; i < 81; ++i) {
            s.ChangerCase(i / 9, i % 9, partie.Grille().LireSolution(i / 9, i % 9).chiffre, Init);
            if (indices[i] != '.') {
                ASSERT_EQ(indices[i] - '0', partie.Grille().LireSolution(i / 9, i % 9).chiffre);
            }
        }
        ASSERT_TRUE(s.GrillePleine() && s.GrilleValide());
        VerifierSemis(semis);

        if (niveau == Diabolique) {
            for (int i = 0; i < 81; ++i) {
                if (semis[i] != '.') {
                    ASSERT_EQ(indices[i], semis[i]) << "les 18 du semis restent";
                }
            }
            continue;
        }
        // Les indices seuls se résolvent sans hypothèse.
        CGrille g;
        Remplir(g, indices);
        EXPECT_TRUE(g.Resoudre(LimiteGeneration) == FinResolution::Resolue && g.NiveauCourant() == 0);
        sousLaCible += Compter(indices) < temoin.cibles[niveau];
        for (int r = 0; niveau == Facile && r < 9; ++r) {
            int k = 0;
            for (int i = 0; i < 81; ++i) k += indices[i] != '.' && i / 27 == r / 3 && (i % 9) / 3 == r % 3;
            EXPECT_GE(k, 3) << "région " << r;
        }
    }
    // Les 100 tirages suffisent presque toujours à atteindre la cible.
    if (niveau != Diabolique) {
        EXPECT_LT(sousLaCible, GrainesParNiveau / 10);
    }
}

INSTANTIATE_TEST_SUITE_P(Niveaux, GenerationParNiveau, testing::Values(Facile, Moyen, Difficile, Diabolique),
                         [](const testing::TestParamInfo<NiveauGrille>& info) {
                             return std::string(MotNiveau(info.param));
                         });

}  // namespace
