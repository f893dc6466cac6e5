// « novemia-cli resoudre » lancé comme depuis un terminal : sorties, messages, codes.
#include <gtest/gtest.h>

#include "cli/commandes.h"

#include <algorithm>
#include <sstream>

#include "engine/grille.h"
#include "files/fichiergrille.h"
#include "tests/support/commande.h"
#include "tests/support/dossiertemporaire.h"
#include "tests/support/listes.h"

namespace {

void Ecrire(const std::string& chemin, const std::string& texte) { std::ofstream(chemin, std::ios::binary) << texte; }

// Une grille d'une ligne (81 caractères) en fichier .sdu, avec commentaire et CRLF.
std::string EnFichier(const std::string& ligne)
{
    std::string texte = "# grille d'essai\r\n";
    for (int l = 0; l < 9; ++l) texte += ligne.substr(l * 9, 9) + "\r\n";
    return texte;
}

const std::string Facile =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
const std::string DeuxCinq = "5...5...." + std::string(72, '.');

// Un texte de 81 chiffres est-il une grille pleine, valide, qui garde les indices ?
void VerifierSolution(const std::string& solution, const std::string& indices)
{
    ASSERT_EQ(solution.size(), 81u) << solution;
    CGrille grille;
    grille.ViderGrille();
    for (int i = 0; i < 81; ++i) {
        ASSERT_TRUE(solution[i] >= '1' && solution[i] <= '9') << solution;
        if (indices[i] != '.') {
            ASSERT_EQ(solution[i], indices[i]) << i;
        }
        grille.ChangerCase(i / 9, i % 9, solution[i] - '0', Init);
    }
    EXPECT_TRUE(grille.GrillePleine() && grille.GrilleValide()) << solution;
}

std::vector<std::string> Lignes(const std::string& texte)
{
    std::vector<std::string> lignes;
    std::istringstream flux(texte);
    for (std::string l; std::getline(flux, l);) lignes.push_back(l);
    return lignes;
}

class Cli : public ::testing::Test {
protected:
    CDossierTemporaire dossier;
};

TEST_F(Cli, UnFichierNeufLignesDeNeufChiffres)
{
    Ecrire("facile.sdu", EnFichier(Facile));
    const auto r = LancerCli({"resoudre", "facile.sdu"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.erreurs, "");
    const auto lignes = Lignes(r.sortie);
    ASSERT_EQ(lignes.size(), 9u) << r.sortie;
    std::string solution;
    for (const std::string& l : lignes) {
        EXPECT_EQ(l.size(), 9u);
        solution += l;
    }
    VerifierSolution(solution, Facile);
}

// Un seul fichier fautif : son message seul et le code qui lui revient.
TEST_F(Cli, UnFichierFautif)
{
    Ecrire("cinq.sdu", EnFichier(DeuxCinq));
    Ecrire("interdit.sdu", EnFichier(std::string(80, '.') + "x"));
    const std::vector<std::tuple<std::string, int, std::string_view>> cas{
        {"cinq.sdu", 1, MessageSansSolution},
        {"interdit.sdu", 2, MessageCaractereInterdit},
        {".", 2, MessageOuvertureGrille},
    };
    for (const auto& [nom, code, message] : cas) {
        SCOPED_TRACE(nom);
        const auto r = LancerCli({"resoudre", nom});
        EXPECT_EQ(r.code, code);
        EXPECT_EQ(r.sortie, "");
        EXPECT_EQ(r.erreurs, std::string(message) + "\n");
    }
}

TEST_F(Cli, PlusieursFichiersLeCodeLePlusGraveGagne)
{
    Ecrire("a.sdu", EnFichier(Facile));
    Ecrire("b.sdu", EnFichier(DeuxCinq));
    Ecrire("c.sdu", "123456789\n");
    Ecrire("d.sdu", EnFichier(Facile));
    const auto r = LancerCli({"resoudre", "a.sdu", "b.sdu", "c.sdu", "absent.sdu", "d.sdu"});
    EXPECT_EQ(r.code, 2);
    const auto lignes = Lignes(r.sortie);
    ASSERT_EQ(lignes.size(), 20u) << r.sortie;
    EXPECT_EQ(lignes[0], "# a.sdu");
    EXPECT_EQ(lignes[10], "# d.sdu");
    for (const auto& attendu : {"b.sdu : " + std::string(MessageSansSolution),
                                "c.sdu : " + std::string(MessagePasAssezDeLignes),
                                "absent.sdu : " + std::string(MessageOuvertureGrille)}) {
        EXPECT_NE(r.erreurs.find(attendu), std::string::npos) << r.erreurs;
    }
    // Sans fichier illisible, la grille sans solution donne 1.
    EXPECT_EQ(LancerCli({"resoudre", "a.sdu", "b.sdu"}).code, 1);
}

TEST_F(Cli, LignesDansLOrdreAvecErreursApresCoup)
{
    std::string zeros = Facile;
    for (char& c : zeros) c = c == '.' ? '0' : c;
    Ecrire("liste.txt", "# commentaire\n\n" + Facile + "\r\n   \n" + zeros + "\n" + Facile.substr(1) + "\n" +
                            DeuxCinq + "\n" + Facile.substr(0, 80) + "?\n" + Facile);
    const auto r = LancerCli({"resoudre", "--lignes", "liste.txt"});
    EXPECT_EQ(r.code, 2);
    const auto lignes = Lignes(r.sortie);
    ASSERT_EQ(lignes.size(), 4u) << r.sortie;
    VerifierSolution(lignes[0], Facile);
    EXPECT_EQ(lignes[1], lignes[0]) << "« 0 » est une case vide";
    EXPECT_EQ(lignes[2], MessageSansSolution);
    EXPECT_EQ(lignes[3], lignes[0]) << "la dernière ligne, sans fin de ligne";
    EXPECT_EQ(Lignes(r.erreurs).size(), 2u) << r.erreurs;
    EXPECT_NE(r.erreurs.find("ligne 6 :"), std::string::npos) << r.erreurs;
    EXPECT_NE(r.erreurs.find("ligne 8 :"), std::string::npos) << r.erreurs;

    // Une grille sans solution et aucune ligne fautive : 1.
    Ecrire("sans.txt", Facile + "\n" + DeuxCinq + "\n");
    EXPECT_EQ(LancerCli({"resoudre", "--lignes", "sans.txt"}).code, 1);
}

TEST_F(Cli, LignesDepuisLEntreeStandardEtLigneDemesuree)
{
    const auto r = LancerCli({"resoudre", "--lignes", "-"}, Facile + "\n" + std::string(1 << 20, '1') + "\n" + Facile);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(Lignes(r.sortie).size(), 2u);
    EXPECT_NE(r.erreurs.find("ligne 2 :"), std::string::npos);
    const auto absent = LancerCli({"resoudre", "--lignes", "absent.txt"});
    EXPECT_EQ(absent.code, 2);
    EXPECT_FALSE(absent.erreurs.empty());
    EXPECT_EQ(LancerCli({"resoudre", "--lignes", "/dev/zero"}).code, 2);
}

TEST_F(Cli, TraceDesResolutionsALaSuite)
{
    const auto corps = [](const std::string& journal) {
        const size_t fin = journal.find("--------\r\n\r\n");
        return fin == std::string::npos ? std::string("(pas d'en-tête)") : journal.substr(fin + 12);
    };
    Ecrire("a.sdu", EnFichier(Facile));
    Ecrire("b.sdu", EnFichier(std::string(81, '.')));
    ASSERT_EQ(LancerCli({"resoudre", "a.sdu", "--trace", "ta.txt"}).code, 0);
    ASSERT_EQ(LancerCli({"resoudre", "--trace", "tb.txt", "b.sdu"}).code, 0);
    ASSERT_EQ(LancerCli({"resoudre", "a.sdu", "b.sdu", "--trace", "tab.txt"}).code, 0);
    const std::string journal = Contenu("tab.txt");
    EXPECT_EQ(journal.rfind("-------- Trace du ", 0), 0u) << journal.substr(0, 60);
    EXPECT_NE(journal.find(" \xE0 "), std::string::npos) << "en-tête en page de code 1252";
    EXPECT_EQ(corps(journal), corps(Contenu("ta.txt")) + corps(Contenu("tb.txt")));
    EXPECT_NE(journal.find("D\xE9" "duction par \xE9limination -> Case("), std::string::npos);
    EXPECT_EQ(journal.find("\xC3"), std::string::npos) << "pas d'UTF-8 sur le disque";
    for (size_t i = journal.find('\n'); i != std::string::npos; i = journal.find('\n', i + 1)) {
        ASSERT_TRUE(i > 0 && journal[i - 1] == '\r') << "LF sans CR à l'octet " << i;
    }
    const auto r = LancerCli({"resoudre", "a.sdu", "--trace", "pas/de/dossier.txt"});
    EXPECT_EQ(r.code, 73);
    EXPECT_EQ(r.sortie, "");
#ifndef _WIN32
    // Une trace qui ne peut pas s'écrire en entier (disque plein) : 74, comme la sortie standard.
    for (const std::vector<std::string>& commande :
         {std::vector<std::string>{"resoudre", "a.sdu"}, {"generer", "facile", "--graine", "3"}}) {
        auto arguments = commande;
        arguments.insert(arguments.end(), {"--trace", "/dev/full"});
        EXPECT_EQ(LancerCli(arguments).code, 74) << commande[0];
    }
#endif
}

// « expliquer » : un pas numéroté par ligne, puis la solution même de « resoudre » ; une grille
// qui demande des hypothèses les montre, avec ses retours en arrière.
TEST_F(Cli, ExpliquerDonneLeRaisonnementPuisLaSolution)
{
    Ecrire("facile.sdu", EnFichier(Facile));
    Ecrire("verrouilles.sdu", EnFichier(ChargerListe("top95.txt", 1).at(0)));  // seuls et candidats verrouillés suffisent
    // Ni les techniques ni les preuves par l'absurde ne suffisent : il faut des hypothèses.
    Ecrire("hypotheses.sdu", EnFichier(ChargerListe("difficiles-375.txt", 1).at(0)));
    Ecrire("deux-cinq.sdu", EnFichier(DeuxCinq));
    for (const char* nom : {"facile.sdu", "verrouilles.sdu", "hypotheses.sdu"}) {
        SCOPED_TRACE(nom);
        const auto r = LancerCli({"expliquer", nom});
        ASSERT_EQ(r.code, 0) << r.erreurs;
        const auto lignes = Lignes(r.sortie);
        const auto solution = std::find(lignes.begin(), lignes.end(), "Solution :");
        ASSERT_NE(solution, lignes.end());
        // Des étapes numérotées de 1 jusqu'à la solution, puis la grille de « resoudre », puis
        // le bilan.
        const auto etapes = static_cast<size_t>(solution - lignes.begin());
        for (size_t k = 0; k < etapes; ++k) {
            EXPECT_EQ(lignes[k].rfind(std::to_string(k + 1) + ". ", 0), 0u) << lignes[k];
        }
        ASSERT_GE(lignes.size(), etapes + 11);
        std::string grille;
        for (size_t k = etapes + 1; k < etapes + 10; ++k) grille += lignes[k] + "\n";
        EXPECT_EQ(grille, LancerCli({"resoudre", nom}).sortie);
        EXPECT_EQ(lignes[etapes + 10].rfind("Bilan : ", 0), 0u);
        const bool hypotheses = r.sortie.find(". hypothèse : ligne ") != std::string::npos;
        EXPECT_EQ(hypotheses, std::string(nom) == "hypotheses.sdu");
        EXPECT_EQ(r.sortie.find("candidats verrouillés") != std::string::npos, std::string(nom) != "facile.sdu");
    }
    // Des indices répétés sont nommés, sans rien chercher.
    const auto repetes = LancerCli({"expliquer", "deux-cinq.sdu"});
    EXPECT_EQ(repetes.code, 1);
    EXPECT_EQ(repetes.sortie, "ligne 1 : le 5 deux fois, colonnes 1 et 5\n");
    EXPECT_EQ(LancerCli({"expliquer", "absent.sdu"}).code, 2);
    // « noter » : la note, la technique la plus dure, le fichier.
    const auto notes = LancerCli({"noter", "facile.sdu", "verrouilles.sdu", "deux-cinq.sdu"});
    EXPECT_EQ(notes.code, 1);
    const auto lignes = Lignes(notes.sortie);
    ASSERT_EQ(lignes.size(), 3u) << notes.sortie;
    EXPECT_EQ(lignes[1].rfind("2.0\tcandidats verrouillés", 0), 0u) << lignes[1];
    EXPECT_EQ(lignes[2], "0.0\tsans solution\tdeux-cinq.sdu");
    // Une grille déjà pleine est résolue : notée comme son bilan la dit.
    Ecrire("pleine.sdu", LancerCli({"resoudre", "facile.sdu"}).sortie);
    const auto pleine = LancerCli({"noter", "pleine.sdu"});
    EXPECT_EQ(pleine.code, 0);
    EXPECT_EQ(pleine.sortie, "0.0\tgrille déjà pleine\tpleine.sdu\n");
    EXPECT_NE(LancerCli({"expliquer", "pleine.sdu"}).sortie.find("\nBilan : grille déjà pleine\n"), std::string::npos);

    // En JSON, chaque objet commence par son entrée, nom échappé ou numéro de ligne.
#ifdef _WIN32
    const std::string nom = "facile.sdu", nomJson = nom;
#else
    const std::string nom = "fa\"ci\\le.sdu", nomJson = "fa\\\"ci\\\\le.sdu";
    Ecrire(nom, EnFichier(Facile));
#endif
    const auto fichiers = LancerCli({"expliquer", "--json", nom, "deux-cinq.sdu"});
    EXPECT_EQ(fichiers.sortie.rfind("{\"fichier\": \"" + nomJson + "\", \"depart\": \"", 0), 0u) << fichiers.sortie;
    EXPECT_NE(fichiers.sortie.find("\n{\"fichier\": \"deux-cinq.sdu\", \"depart\": \""), std::string::npos);
    Ecrire("liste.txt", "# commentaire\n" + Facile + "\n");
    const auto liste = LancerCli({"expliquer", "--json", "--lignes", "liste.txt"});
    EXPECT_EQ(liste.sortie.rfind("{\"ligne\": 2, \"depart\": ", 0), 0u) << liste.sortie;
}

// Un tube fermé après la première ligne (« | head -1 ») : la commande s'arrête à la première
// écriture en échec, avec le code 74, sans lire la suite de la liste (ni sa ligne fautive).
TEST_F(Cli, TubeFermeArreteLaCommande)
{
    std::string liste;
    for (int k = 0; k < 20000; ++k) liste += Facile + "\n";
    Ecrire("liste.txt", liste + "fautive\n");
    const auto r = LancerCliPremiereLigne({"resoudre", "--lignes", "liste.txt"});
    EXPECT_EQ(r.code, 74);
    EXPECT_EQ(r.sortie, LancerCli({"resoudre", "--lignes", "liste.txt"}).sortie.substr(0, 82));
    EXPECT_EQ(r.erreurs, "novemia-cli resoudre : écriture impossible sur la sortie standard\n");
}

// Mauvais arguments : code 64, usage sur la sortie d'erreur, rien sur la sortie standard.
TEST_F(Cli, MauvaisArgumentsDonnentLUsageEtLeCode64)
{
    Ecrire("a.sdu", EnFichier(Facile));
    const std::vector<std::vector<std::string>> cas{
        {}, {"deviner"}, {"resoudre"}, {"resoudre", "--vite", "a.sdu"}, {"resoudre", "a.sdu", "--trace"},
        {"resoudre", "--lignes"}, {"resoudre", "--lignes", "x", "a.sdu"},
        {"resoudre", "--lignes", "x", "--lignes", "y"}, {"resoudre", "a.sdu", "--trace", ""},
        {"generer"}, {"generer", "Facile"}, {"generer", "extreme"}, {"generer", "moyen", "difficile"},
        {"generer", "moyen", "--nombre", "0"}, {"generer", "moyen", "--nombre", "trois"},
        {"generer", "moyen", "--nombre", "3x"}, {"generer", "moyen", "--nombre", "-2"},
        {"generer", "moyen", "--nombre"}, {"generer", "moyen", "--graine", "4294967296"},
        {"generer", "moyen", "--graine", "+1"}, {"generer", "moyen", "--graine", ""},
        {"generer", "moyen", "--trace", ""}, {"generer", "moyen", "--vite"},
        {"generer", "--defi", "pieges"}, {"generer", "--defi", "chaines", "moyen"}, {"generer", "--defi"},
        {"generer", "--defi", "chaines", "--trace", "journal.txt"},
        {"expliquer"}, {"expliquer", "--lignes", "x", "a.sdu"}, {"expliquer", "--vite"}, {"noter"},
        {"noter", "--json", "a.sdu"},
        // Une option répétée est refusée par toutes les commandes.
        {"generer", "moyen", "--graine", "1", "--graine", "2"}, {"resoudre", "a.sdu", "--trace", "x", "--trace", "y"},
        // Une trace qui est une entrée, sous un autre nom (l'entrée standard est entree.txt).
        {"resoudre", "a.sdu", "--trace", "./a.sdu"}, {"resoudre", "--lignes", "a.sdu", "--trace", "a.sdu"},
        {"resoudre", "--lignes", "-", "--trace", "entree.txt"},
        // Un nom qui casserait les lignes ou les colonnes de la sortie.
        {"noter", "a.sdu", "b\tc.sdu"},
#ifndef _WIN32
        {"expliquer", "a.sdu", "b\nc.sdu"}, {"resoudre", "a.sdu", "b\rc.sdu"},
#endif
    };
    for (const auto& arguments : cas) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        const auto r = LancerCli(arguments);
        EXPECT_EQ(r.code, 64);
        const bool generer = !arguments.empty() && arguments[0] == "generer";
        EXPECT_NE(r.erreurs.find(generer ? "Usage : novemia-cli generer NIVEAU" : "Usage : novemia-cli"),
                  std::string::npos) << r.erreurs;
        EXPECT_EQ(r.sortie, "");
    }
    EXPECT_EQ(Contenu("a.sdu"), EnFichier(Facile)) << "rien n'est ouvert en écriture avant le refus";
}

TEST_F(Cli, AideSurLaSortieStandard)
{
    EXPECT_NE(LancerCli({"resoudre", "--aide"}).sortie.find("--lignes FICHIER"), std::string::npos);
    // Partout la même aide, avec la même table des codes de sortie, et le code 0.
    for (const char* aide : {"--help", "-h", "--aide"}) {
        for (const std::string_view nom : {"", "resoudre", "generer", "expliquer", "noter"}) {
            const std::string commande(nom);
            std::vector<std::string> arguments{aide};
            if (!commande.empty()) arguments.insert(arguments.begin(), commande);
            const auto r = LancerCli(arguments);
            EXPECT_EQ(r.code, 0) << commande << " " << aide;
            EXPECT_NE(r.sortie.find("Usage : novemia-cli " + commande), std::string::npos) << r.sortie;
            EXPECT_NE(r.sortie.find(TexteCodesSortie), std::string::npos) << r.sortie;
#ifndef _WIN32
            // Une aide qui n'a pas pu s'écrire : 74, comme toute sortie.
            const std::string pleine = LigneCli(arguments, "> /dev/full 2> erreurs.txt");
            EXPECT_EQ(CodeDeSortie(std::system(pleine.c_str())), 74) << commande << " " << aide;
#endif
        }
    }
    // Après « -- », un nom qui commence par un tiret est un fichier.
    Ecrire("-a.sdu", EnFichier(Facile));
    EXPECT_EQ(LancerCli({"resoudre", "--", "-a.sdu"}).code, 0);
}

}  // namespace
