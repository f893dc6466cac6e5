// Les commandes de la partie face aux pannes du système de fichiers : fichier disparu
// entre le dialogue et la lecture, exportation vers un endroit plein, en lecture seule ou
// inexistant, trace impossible à créer. Un message en français, rien de perdu.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "files/fichiergrille.h"
#include "files/fichiertrace.h"
#include "game/partie.h"
#include "tests/robustesse/outils.h"
#include "tests/support/dossiertemporaire.h"
#include "tests/support/ihmfactice.h"

namespace {

const std::string PremiereGrille =
    "53..7....\n6..195...\n.98....6.\n8...6...3\n4..8.3..1\n7...2...6\n.6....28.\n...419..5\n....8..79\n";

// Les chiffres et origines de toutes les cases, pour comparer deux états de la grille.
std::string Indices(const CGrille& grille)
{
    std::string s;
    for (const auto& ligne : grille.cases) {
        for (const Case& k : ligne) s += std::to_string(k.chiffre) + char('A' + k.origine);
    }
    return s;
}

// Une interface factice dont le dialogue d'ouverture peut agir juste avant de répondre.
class CIhmPiegee : public CIhmFactice {
public:
    std::function<void(const std::string&)> avantRetour;
    std::optional<std::string> ChoisirFichierAOuvrir() override
    {
        auto chemin = CIhmFactice::ChoisirFichierAOuvrir();
        if (chemin && avantRetour) avantRetour(*chemin);
        return chemin;
    }
};

class PartieEnPanne : public ::testing::Test {
protected:
    CDossierTemporaire dossier;
    CIhmPiegee ihm;
    CPartie partie{ihm};

    void SetUp() override
    {
        // Une grille en jeu, importée normalement, avec un coup du joueur.
        EcrireFichier("premiere.sdu", PremiereGrille);
        ihm.fichiersAOuvrir.push_back("premiere.sdu");
        partie.OnImporter();
        ASSERT_TRUE(ihm.messages.empty()) << ihm.messages.front();
        ASSERT_TRUE(partie.grilleEnCours);
        partie.chiffreSelectionne = 4;
        partie.CliquerCase(0, 2);
        ASSERT_EQ(partie.grille.cases[0][2].origine, CoupJoueur);
        ihm.OublierHistorique();
    }

    // L'exportation a échoué proprement : le message, la partie intacte.
    void VerifierExportationRefusee(const CGrille& avant, const std::string& statutAvant)
    {
        ASSERT_EQ(ihm.messages.size(), 1u);
        EXPECT_EQ(ihm.messages[0], MessageExportation);
        EXPECT_EQ(ihm.statut, statutAvant);
        EXPECT_TRUE(partie.grilleEnCours);
        for (int l = 0; l < 9; ++l) {
            for (int c = 0; c < 9; ++c) {
                EXPECT_EQ(partie.grille.cases[l][c].chiffre, avant.cases[l][c].chiffre);
                EXPECT_EQ(partie.grille.cases[l][c].origine, avant.cases[l][c].origine);
            }
        }
    }

    // Rien d'autre que ce qu'on a mis dans le dossier : pas de fichier temporaire oublié.
    static int NombreDeFichiers(const std::filesystem::path& d)
    {
        int n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(d)) ++n;
        return n;
    }
};

TEST_F(PartieEnPanne, FichierEffaceEntreLeDialogueEtLaLecture)
{
    EcrireFichier("fugace.sdu", PremiereGrille);
    ihm.avantRetour = [](const std::string& chemin) { std::filesystem::remove(chemin); };
    ihm.fichiersAOuvrir.push_back("fugace.sdu");
    const std::string statutAvant = ihm.statut;

    partie.OnImporter();

    ASSERT_EQ(ihm.messages.size(), 1u);
    EXPECT_EQ(ihm.messages[0], MessageOuvertureGrille);
    // La grille a été vidée par l'importation et le plateau le montre.
    EXPECT_EQ(partie.grille.CompterOrigine(Vide), 81);
    EXPECT_TRUE(ihm.PlateauConforme(partie.grille));
    EXPECT_EQ(partie.nomFichier, "premiere.sdu");
    EXPECT_EQ(ihm.statut, statutAvant);
    EXPECT_FALSE(partie.solutionConnue);
}

TEST_F(PartieEnPanne, DossierRemplaceLeFichierEntreLeDialogueEtLaLecture)
{
    EcrireFichier("change.sdu", PremiereGrille);
    ihm.avantRetour = [](const std::string& chemin) {
        std::filesystem::remove(chemin);
        std::filesystem::create_directory(chemin);
    };
    ihm.fichiersAOuvrir.push_back("change.sdu");
    partie.OnImporter();
    ASSERT_EQ(ihm.messages.size(), 1u);
    EXPECT_EQ(ihm.messages[0], MessageOuvertureGrille);
    EXPECT_TRUE(ihm.PlateauConforme(partie.grille));
}

// Endroits où l'on ne peut rien créer, même root.
TEST_F(PartieEnPanne, ExportationVersUnEndroitImpossible)
{
    for (const std::string chemin : {"dossier/absent/grille.sdu", "/proc/novemia.sdu", "/proc/self/grille.sdu"}) {
        SCOPED_TRACE(chemin);
        ihm.OublierHistorique();
        const CGrille avant = partie.grille;
        ihm.fichiersAEnregistrer.push_back(chemin);
        partie.OnExporter();
        VerifierExportationRefusee(avant, ihm.statut);
        EXPECT_FALSE(std::filesystem::exists(chemin));
    }
}

// Disque plein : la taille de fichier permise au processus est ramenée sous les 99 octets
// d'une grille. Le fichier déjà là n'est pas tronqué et rien ne traîne à côté.
TEST_F(PartieEnPanne, ExportationSurDisquePlein)
{
    std::filesystem::create_directory("sortie");
    const std::string ancien = "# ancienne grille, à garder\n" + PremiereGrille;
    EcrireFichier("sortie/garde.sdu", ancien);
    const CGrille avant = partie.grille;
    const std::string statutAvant = ihm.statut;

    rlimit limite{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limite), 0);
    const auto ancienSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit petite = limite;
    petite.rlim_cur = 40;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &petite), 0);
    ihm.fichiersAEnregistrer.push_back("sortie/garde.sdu");
    partie.OnExporter();
    setrlimit(RLIMIT_FSIZE, &limite);
    std::signal(SIGXFSZ, ancienSignal);

    VerifierExportationRefusee(avant, statutAvant);
    EXPECT_EQ(LireFichier("sortie/garde.sdu"), ancien);
    EXPECT_EQ(NombreDeFichiers("sortie"), 1);
}

// Un périphérique plein (le même que /dev/full, créé dans le dossier du test) : le message,
// et le périphérique reste un périphérique.
TEST_F(PartieEnPanne, ExportationVersUnPeripheriquePlein)
{
    if (::mknod("plein.sdu", S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "impossible de créer un périphérique ici (droits du conteneur)";
    }
    const CGrille avant = partie.grille;
    ihm.fichiersAEnregistrer.push_back("plein.sdu");
    partie.OnExporter();
    VerifierExportationRefusee(avant, ihm.statut);
    struct stat etat {};
    ASSERT_EQ(::stat("plein.sdu", &etat), 0);
    EXPECT_TRUE(S_ISCHR(etat.st_mode));
    EXPECT_EQ(NombreDeFichiers("."), 2);  // premiere.sdu et le périphérique
}

// Un lien vers une grille rangée ailleurs : c'est la cible qui est remplacée, le lien reste.
TEST_F(PartieEnPanne, ExportationAtraversUnLien)
{
    std::filesystem::create_directory("rangement");
    EcrireFichier("rangement/vraie.sdu", "ancienne\n");
    std::filesystem::create_symlink("rangement/vraie.sdu", "lien.sdu");
    ihm.fichiersAEnregistrer.push_back("lien.sdu");
    partie.OnExporter();
    EXPECT_TRUE(ihm.messages.empty());
    EXPECT_TRUE(std::filesystem::is_symlink("lien.sdu"));
    CGrille relue;
    EXPECT_FALSE(LireFichierGrille(std::string("rangement/vraie.sdu"), relue).has_value());
    EXPECT_EQ(relue.CompterOrigine(Init), 30);
}

// Un fichier protégé en écriture n'est pas remplacé en douce, même dans un dossier ouvert.
TEST_F(PartieEnPanne, ExportationVersUnFichierProtege)
{
    EcrireFichier("protege.sdu", PremiereGrille);
    ASSERT_EQ(::chmod("protege.sdu", 0444), 0);
    ASSERT_EQ(::chmod(dossier.Chemin().c_str(), 0777), 0);
    const std::string chemin = (dossier.Chemin() / "protege.sdu").string();
    const CGrille avant = partie.grille;
    EXPECT_TRUE(SansDroitsDeRoot([&] {
        ihm.fichiersAEnregistrer.push_back(chemin);
        partie.OnExporter();
        return ihm.messages == std::vector<std::string>{std::string(MessageExportation)} &&
               Indices(partie.grille) == Indices(avant);
    }));
    EXPECT_EQ(LireFichier("protege.sdu"), PremiereGrille);
    EXPECT_EQ(NombreDeFichiers("."), 2);  // premiere.sdu et protege.sdu, rien d'autre
}

// Trace dans un dossier courant où l'on ne peut rien créer : le message avec le nom du
// fichier, la trace reste éteinte et la résolution marche quand même.
TEST_F(PartieEnPanne, TraceImpossibleACreer)
{
    partie.horloge = [] { return std::time_t{1700000000}; };
    std::time_t t = partie.horloge();
    std::tm heure{};
    localtime_r(&t, &heure);
    const std::string nom = NomFichierTrace(heure);

    std::filesystem::create_directory("disparu");
    const struct {
        const char* cas;
        std::function<void()> preparer;
    } cas[] = {
        {"dossier courant effacé",
         [] {
             std::filesystem::current_path("disparu");
             std::filesystem::remove(std::filesystem::current_path().parent_path() / "disparu");
         }},
        {"dossier courant dans /proc", [] { std::filesystem::current_path("/proc"); }},
    };
    const auto racine = dossier.Chemin();
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        ihm.OublierHistorique();
        c.preparer();
        partie.OnTrace();
        std::filesystem::current_path(racine);

        ASSERT_EQ(ihm.messages.size(), 1u);
        EXPECT_EQ(ihm.messages[0], "Impossible de créer le fichier de trace " + nom);
        EXPECT_FALSE(partie.grille.traceActive);
        EXPECT_FALSE(partie.fichierTrace.EstOuvert());
    }
    // Un second essai là où l'on peut écrire allume bien la trace.
    ihm.OublierHistorique();
    partie.OnTrace();
    EXPECT_TRUE(ihm.messages.empty());
    EXPECT_TRUE(partie.grille.traceActive);
    ihm.reponses.push_back(true);
    partie.OnResoudre();
    partie.OnTrace();
    EXPECT_GT(LireFichier(nom).size(), EnTeteTrace(heure).size());
}

}  // namespace
