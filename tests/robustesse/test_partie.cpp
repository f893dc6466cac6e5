// Les commandes de la partie face aux pannes du système de fichiers : fichier disparu
// entre le dialogue et la lecture, exportation vers un endroit plein, en lecture seule ou
// inexistant, trace impossible à créer. Un message en français, rien de perdu.
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include <gtest/gtest.h>

#include "files/fichiergrille.h"
#include "files/fichiertrace.h"
#include "game/partie.h"
#include "tests/robustesse/outils.h"
#include "tests/support/dossiertemporaire.h"
#include "tests/support/ihmfactice.h"

namespace fs = std::filesystem;

namespace {

const std::string PremiereGrille =
    "53..7....\n6..195...\n.98....6.\n8...6...3\n4..8.3..1\n7...2...6\n.6....28.\n...419..5\n....8..79\n";

// Les chiffres et origines de toutes les cases, pour comparer deux états de la grille.
std::string Cases(const CGrille& grille)
{
    std::string s;
    for (int i = 0; i < 81; ++i) {
        const Case& k = grille.LireCase(i / 9, i % 9);
        s += std::to_string(k.chiffre) + char('A' + k.origine);
    }
    return s;
}

int NombreDeFichiers(const fs::path& d)
{
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(d)) ++n;
    return n;
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

// Une grille en jeu, importée normalement, avec un coup du joueur.
class PartieEnPanne : public ::testing::Test {
protected:
    CDossierTemporaire dossier;
    CIhmPiegee ihm;
    static constexpr std::time_t Instant = 1700000000;
    CPartie partie{ihm, 1, [] { return Instant; }};

    void SetUp() override
    {
        EcrireFichier("premiere.sdu", PremiereGrille);
        ihm.fichiersAOuvrir.push_back("premiere.sdu");
        partie.OnImporter();
        ASSERT_TRUE(ihm.messages.empty()) << ihm.messages.front();
        partie.CliquerPalette(3);
        partie.CliquerCase(0, 2);
        ASSERT_EQ(partie.Grille().LireCase(0, 2).origine, CoupJoueur);
        ihm.OublierHistorique();
    }

    // Exporte vers `chemin` : le message d'échec, la partie et le statut intacts.
    bool ExportationRefusee(const std::string& chemin)
    {
        ihm.OublierHistorique();
        const std::string avant = Cases(partie.Grille()), statut = ihm.statut;
        ihm.fichiersAEnregistrer.push_back(chemin);
        partie.OnExporter();
        return ihm.messages == std::vector<std::string>{std::string(MessageExportation)} &&
               Cases(partie.Grille()) == avant && ihm.statut == statut && partie.GrilleEnCours();
    }
};

// Le fichier choisi disparaît ou devient un dossier avant la lecture : la grille est vidée
// et le plateau le montre ; le nom et le statut restent ceux de la grille précédente.
TEST_F(PartieEnPanne, FichierChangeEntreLeDialogueEtLaLecture)
{
    const std::function<void(const std::string&)> pieges[] = {
        [](const std::string& chemin) { fs::remove(chemin); },
        [](const std::string& chemin) { fs::remove(chemin), fs::create_directory(chemin); },
    };
    for (const auto& piege : pieges) {
        ihm.OublierHistorique();
        EcrireFichier("fugace.sdu", PremiereGrille);
        ihm.avantRetour = piege;
        ihm.fichiersAOuvrir.push_back("fugace.sdu");
        const std::string statutAvant = ihm.statut;
        partie.OnImporter();
        EXPECT_EQ(ihm.messages, std::vector<std::string>{std::string(MessageOuvertureGrille)});
        EXPECT_EQ(partie.Grille().CompterOrigine(Vide), 81);
        EXPECT_TRUE(ihm.PlateauConforme(partie.Grille()));
        EXPECT_EQ(partie.NomFichier(), "premiere.sdu");
        EXPECT_EQ(ihm.statut, statutAvant);
        EXPECT_FALSE(partie.Grille().SolutionGardee());
        fs::remove_all("fugace.sdu");
    }
}

// Endroits où l'on ne peut rien créer, même root.
TEST_F(PartieEnPanne, ExportationVersUnEndroitImpossible)
{
    for (const std::string chemin : {"dossier/absent/grille.sdu", "/proc/novemia.sdu", "/proc/self/grille.sdu"}) {
        EXPECT_TRUE(ExportationRefusee(chemin)) << chemin;
        EXPECT_FALSE(fs::exists(chemin)) << chemin;
    }
}

// Disque plein : la taille de fichier permise au processus est ramenée sous les 99 octets
// d'une grille. Le fichier déjà là n'est pas tronqué et rien ne traîne à côté.
TEST_F(PartieEnPanne, ExportationSurDisquePlein)
{
    fs::create_directory("sortie");
    const std::string ancien = "# ancienne grille, à garder\n" + PremiereGrille;
    EcrireFichier("sortie/garde.sdu", ancien);
    rlimit limite{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limite), 0);
    const auto ancienSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit petite = limite;
    petite.rlim_cur = 40;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &petite), 0);
    const bool refusee = ExportationRefusee("sortie/garde.sdu");
    setrlimit(RLIMIT_FSIZE, &limite);
    std::signal(SIGXFSZ, ancienSignal);
    EXPECT_TRUE(refusee);
    EXPECT_EQ(LireFichier("sortie/garde.sdu"), ancien);
    EXPECT_EQ(NombreDeFichiers("sortie"), 1);
}

// Un lien vers une grille rangée ailleurs : c'est la cible qui est remplacée, le lien reste.
TEST_F(PartieEnPanne, ExportationAtraversUnLien)
{
    fs::create_directory("rangement");
    EcrireFichier("rangement/vraie.sdu", "ancienne\n");
    fs::create_symlink("rangement/vraie.sdu", "lien.sdu");
    ihm.fichiersAEnregistrer.push_back("lien.sdu");
    partie.OnExporter();
    EXPECT_TRUE(ihm.messages.empty());
    EXPECT_TRUE(fs::is_symlink("lien.sdu"));
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
    EXPECT_TRUE(SansDroitsDeRoot([&] { return ExportationRefusee(chemin); }));
    EXPECT_EQ(LireFichier("protege.sdu"), PremiereGrille);
    EXPECT_EQ(NombreDeFichiers("."), 2);  // premiere.sdu et protege.sdu, rien d'autre
}

// Une partie gardée qui ne se lit pas maintenant (un dossier à sa place, sans droit de lecture,
// une erreur d'entrée-sortie) reste où elle est ; une démesurée est mise de côté sans être lue.
TEST_F(PartieEnPanne, PartieGardeeQuiNeSeLitPas)
{
    fs::create_directory("dossier.novemia");
    fs::create_symlink("/proc/self/mem", "es.novemia");
    for (const char* nom : {"interdit.novemia", "enorme.novemia"}) EcrireFichier(nom, "Novemia partie 1\n");
    fs::resize_file("enorme.novemia", TailleGardeeMax + 1);  // creux : rien sur le disque
    ASSERT_EQ(::chmod("interdit.novemia", 0) | ::chmod(dossier.Chemin().c_str(), 0777), 0);
    const std::string illisible = "le fichier ne peut pas être lu. Le fichier reste tel quel";
    for (const auto& [nom, suite] : {std::pair<std::string, std::string>{"dossier.novemia", illisible},
                                     {"es.novemia", illisible}, {"interdit.novemia", illisible},
                                     {"enorme.novemia", "le fichier est bien trop gros pour être une partie de "
                                                        "Novemia. Le fichier est mis de côté sous enorme-abimee-"}}) {
        EXPECT_TRUE(SansDroitsDeRoot([&] {
            CIhmFactice ihmReprise;
            CPartie reprise{ihmReprise};
            return !reprise.Reprendre(nom) && ihmReprise.messages.size() == 1 &&
                   ihmReprise.messages[0].starts_with("La partie gardée dans " + nom + " ne peut pas être reprise : " +
                                                      suite);
        })) << nom;
        EXPECT_EQ(fs::exists(fs::symlink_status(nom)), suite == illisible) << nom;
    }
    EXPECT_EQ(NombreDeFichiers("."), 5);  // premiere.sdu, les trois laissés, l'énorme mis de côté
}

// Un dossier qu'on peut écrire sans pouvoir le relire : la partie y est gardée, mais le système
// n'a pas pu écrire le dossier sur le disque. Le message le dit, sans parler d'échec.
TEST_F(PartieEnPanne, PartieGardeeSansConfirmationDuDisque)
{
    fs::create_directory("ecriture-seule");
    ASSERT_EQ(::chmod("ecriture-seule", 0333) | ::chmod(dossier.Chemin().c_str(), 0777), 0);
    const std::string chemin = "ecriture-seule/partie.novemia";
    EXPECT_TRUE(SansDroitsDeRoot([&] {
        return partie.PeutFermer(&chemin) && ihm.questions.empty() &&
               ihm.messages == std::vector<std::string>{"La partie en cours est gardée dans " + chemin +
                                                        ", mais le système n'a pas confirmé qu'elle est sur le "
                                                        "disque : une coupure de courant pourrait encore la perdre."};
    }));
    EXPECT_TRUE(fs::is_regular_file(chemin));
}

// Trace dans un dossier courant où l'on ne peut rien créer : le message avec le nom du
// fichier, la trace reste éteinte ; un second essai là où l'on peut écrire l'allume.
TEST_F(PartieEnPanne, TraceImpossibleACreer)
{
    std::tm heure{};
    localtime_r(&Instant, &heure);
    const std::string nom = NomFichierTrace(heure);
    fs::create_directory("disparu");
    const std::function<void()> preparations[] = {
        [] {  // dossier courant effacé
            fs::current_path("disparu");
            fs::remove(fs::current_path().parent_path() / "disparu");
        },
        [] { fs::current_path("/proc"); },
    };
    for (const auto& preparer : preparations) {
        ihm.OublierHistorique();
        preparer();
        partie.OnTrace();
        fs::current_path(dossier.Chemin());
        EXPECT_EQ(ihm.messages, std::vector<std::string>{"Impossible de créer le fichier de trace " + nom});
        EXPECT_FALSE(partie.Trace().EstOuvert());
    }
    ihm.OublierHistorique();
    partie.OnTrace();
    EXPECT_TRUE(ihm.messages.empty());
    EXPECT_TRUE(partie.Trace().EstOuvert());
    ihm.reponses.push_back(true);
    partie.OnResoudre();
    partie.OnTrace();
    EXPECT_GT(LireFichier(nom).size(), EnTeteTrace(heure).size());
}

}  // namespace
