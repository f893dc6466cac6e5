// « novemia-cli generer » lancé comme depuis un terminal.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/game/outils.h"
#include "tests/support/dossiertemporaire.h"

namespace {

struct Resultat {
    int code = -1;
    std::string sortie;
    std::string erreurs;
};

std::string Lire(const std::string& nom)
{
    std::ifstream entree(nom, std::ios::binary);
    return {std::istreambuf_iterator<char>(entree), std::istreambuf_iterator<char>()};
}

// Entoure un argument d'apostrophes pour le shell.
std::string Citer(const std::string& arg)
{
    std::string s = "'";
    for (char c : arg) s += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return s + "'";
}

Resultat Lancer(const std::vector<std::string>& args)
{
    std::string commande = Citer(NOVEMIA_CLI) + " generer";
    for (const auto& a : args) commande += " " + Citer(a);
    commande += " > sortie.txt 2> erreurs.txt";
    const int etat = std::system(commande.c_str());
    Resultat r;
    r.code = WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    r.sortie = Lire("sortie.txt");
    r.erreurs = Lire("erreurs.txt");
    return r;
}

class Cli : public testing::Test {
protected:
    CDossierTemporaire dossier;
};

TEST_F(Cli, MemeGraineMemeSortieQueLaPartie)
{
    const Resultat a = Lancer({"moyen", "--graine", "1", "--nombre", "3"});
    ASSERT_EQ(a.code, 0) << a.erreurs;
    EXPECT_TRUE(a.erreurs.empty()) << a.erreurs;
    EXPECT_EQ(Lancer({"--nombre", "3", "moyen", "--graine", "1"}).sortie, a.sortie);

    // Les mêmes grilles que trois générations successives dans une partie.
    CIhmFactice ihm;
    CPartie partie{ihm};
    partie.hasard.Semer(1);
    std::string attendu;
    for (int k = 1; k <= 3; ++k) {
        partie.OnMoyen();
        attendu += "# moyen " + std::to_string(k) + "/3\n";
        const std::string indices = Indices(partie.grille);
        for (int l = 0; l < 9; ++l) attendu += indices.substr(l * 9, 9) + "\n";
    }
    EXPECT_EQ(a.sortie, attendu);
    EXPECT_EQ(ihm.questions.size(), 2u) << "une question par grille remplacée";

    EXPECT_NE(Lancer({"moyen", "--graine", "2", "--nombre", "3"}).sortie, a.sortie);
}

TEST_F(Cli, SansGraineUneGrilleParDefaut)
{
    const Resultat r = Lancer({"diabolique"});
    ASSERT_EQ(r.code, 0) << r.erreurs;
    ASSERT_EQ(r.sortie.size(), std::string("# diabolique 1/1\n").size() + 90);
    EXPECT_EQ(r.sortie.rfind("# diabolique 1/1\n", 0), 0u);
}

TEST_F(Cli, MauvaisArgumentsDonnentLUsageEtLeCode64)
{
    const std::vector<std::vector<std::string>> cas{
        {},
        {"Facile"},
        {"extreme"},
        {"moyen", "difficile"},
        {"moyen", "--nombre", "0"},
        {"moyen", "--nombre", "trois"},
        {"moyen", "--nombre", "3x"},
        {"moyen", "--nombre", "-2"},
        {"moyen", "--nombre"},
        {"moyen", "--graine", "4294967296"},
        {"moyen", "--graine", "+1"},
        {"moyen", "--graine", ""},
        {"moyen", "--trace", ""},
        {"moyen", "--vite"},
    };
    for (const auto& args : cas) {
        std::string ligne;
        for (const auto& a : args) ligne += "[" + a + "]";
        const Resultat r = Lancer(args);
        EXPECT_EQ(r.code, 64) << ligne;
        EXPECT_TRUE(r.sortie.empty()) << ligne;
        EXPECT_NE(r.erreurs.find("Usage : novemia-cli generer NIVEAU"), std::string::npos) << ligne;
    }
}

TEST_F(Cli, LaTraceRecoitChaqueResolution)
{
    const Resultat sans = Lancer({"facile", "--graine", "8"});
    const Resultat avec = Lancer({"facile", "--graine", "8", "--trace", "journal.txt"});
    ASSERT_EQ(avec.code, 0) << avec.erreurs;
    EXPECT_EQ(avec.sortie, sans.sortie) << "la trace ne change pas la grille";
    const std::string journal = Lire("journal.txt");
    EXPECT_EQ(journal.rfind("-------- Trace du ", 0), 0u);
    EXPECT_NE(journal.find("Hypothese -> Case("), std::string::npos);
    EXPECT_NE(journal.find("\r\n"), std::string::npos);

    const Resultat impossible = Lancer({"facile", "--trace", "absent/journal.txt"});
    EXPECT_EQ(impossible.code, 73);
    EXPECT_NE(impossible.erreurs.find("absent/journal.txt"), std::string::npos);
    EXPECT_TRUE(impossible.sortie.empty());
}

}  // namespace
