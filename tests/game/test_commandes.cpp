// Les commandes du menu « Grille » jouées avec une fausse interface scriptée.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "engine/compteur.h"
#include "files/fichiergrille.h"
#include "game/explicationtechnique.h"
#include "tests/game/outils.h"
#include "tests/support/dossiertemporaire.h"
#include "tests/support/partieposee.h"

namespace {

const std::string Importee = " Grille importée (grille.sdu)";
const std::string Resolue = " >>> la grille est résolue !";
using Textes = std::vector<std::string>;

class Commandes : public testing::Test {
protected:
    CDossierTemporaire dossier;
    CIhmFactice ihm;
    // Le temps de jeu lit cette horloge-ci, que le test avance à la main.
    CChrono::Duree maintenant{};
    CPartie partie{ihm, 1, {}, [this] { return maintenant; }};
    std::string grille = ChargerListe("qqwing-simple-200.txt", 1).at(0);

    void EnJeu(const std::string& nom = "grille.sdu")
    {
        Importer(partie, ihm, grille, nom);
        ASSERT_TRUE(partie.GrilleEnCours());
        ASSERT_TRUE(partie.Grille().SolutionGardee());
        ihm.OublierHistorique();
    }
    // Remplit les cases vides avec la solution gardée, comme le ferait le joueur.
    void JouerLaSolution()
    {
        for (int i = 0; i < 81; ++i) {
            if (partie.Grille().LireCase(i / 9, i % 9).chiffre == 0) {
                partie.CliquerPalette(partie.Grille().LireSolution(i / 9, i % 9).chiffre - 1);
                partie.CliquerCase(i / 9, i % 9);
            }
        }
    }
    // Saisit une grille en mode création, clic par clic.
    void Creer(const std::string& grille81)
    {
        partie.OnCreer();
        for (int i = 0; i < 81; ++i) {
            if (grille81[i] == '.') continue;
            partie.CliquerPalette(grille81[i] - '1');
            partie.CliquerCase(i / 9, i % 9);
        }
        partie.OnCreer();
    }
};

// Avant la première grille, puis en mode création, les commandes (hors « Créer ») ne font rien.
TEST_F(Commandes, RienAvantLaPremiereGrilleNiEnModeCreation)
{
    for (const bool creation : {false, true}) {
        SCOPED_TRACE(creation ? "création" : "démarrage");
        if (creation) {
            EnJeu();
            partie.OnCreer();
            ASSERT_TRUE(partie.ModeCreation());
            partie.CliquerPalette(2);
            partie.CliquerCase(0, 0);
            ihm.OublierHistorique();
        }
        const std::string indices = TexteIndices(partie.Grille());
        const auto solution = SolutionGardee(partie.Grille());
        const std::string statut = ihm.statut;
        ihm.fichiersAOuvrir = {"grille.sdu"};
        ihm.fichiersAEnregistrer = {"sortie.sdu"};

        partie.OnVerifier();
        partie.OnResoudre();
        partie.RemettreAZero();
        if (creation) {  // import et génération posent une question hors création
            partie.OnImporter();
            partie.OnExporter();
            for (auto niveau : {Facile, Moyen, Difficile, Diabolique}) partie.GenererGrille(niveau);
            partie.OnDefi(GenreDefi::Chaines);
        }
        partie.OnCoupDeMain3();
        if (creation) partie.OnImprimer();  // sans grille, il le dit

        EXPECT_TRUE(ihm.questions.empty());
        EXPECT_TRUE(ihm.impressions.empty());
        EXPECT_TRUE(ihm.messages.empty());
        EXPECT_EQ(ihm.casesMontrees, 0);
        EXPECT_EQ(ihm.statut, creation ? " Grille en mode création" : " Pas de grille");
        EXPECT_EQ(ihm.statut, statut);
        EXPECT_EQ(TexteIndices(partie.Grille()), indices);
        EXPECT_EQ(SolutionGardee(partie.Grille()), solution);
        EXPECT_EQ(ihm.fichiersAOuvrir.size(), 1u) << "aucun dialogue ouvert";
        EXPECT_FALSE(std::filesystem::exists("sortie.sdu"));
    }
}

// Incomplète, puis pleine mais fausse : des erreurs, statut inchangé. Juste : vérifiée deux
// fois, un seul suffixe ; seules les règles comptent (la solution gardée, effacée, n'est pas
// consultée). Après « Résoudre », le suffixe est remplacé.
TEST_F(Commandes, Verifier)
{
    EnJeu();
    partie.OnVerifier();
    JouerLaSolution();
    // Deux chiffres du joueur échangés dans une ligne.
    std::vector<int> joues;
    for (int k = 0; k < 9; ++k) {
        if (partie.Grille().LireCase(0, k).origine == CoupJoueur) joues.push_back(k);
    }
    ASSERT_GE(joues.size(), 2u);
    const auto echanger = [this, &joues] {
        const int a = partie.Grille().LireCase(0, joues[0]).chiffre;
        partie.CliquerPalette(partie.Grille().LireCase(0, joues[1]).chiffre - 1);
        partie.CliquerCase(0, joues[0]);
        partie.CliquerPalette(a - 1);
        partie.CliquerCase(0, joues[1]);
    };
    echanger();
    partie.OnVerifier();
    EXPECT_EQ(ihm.messages, Textes(2, "La grille comporte des erreurs !"));
    EXPECT_EQ(ihm.statut, Importee);

    echanger();
    // Les mêmes cases, sans aucune solution gardée : seules les règles comptent.
    ASSERT_TRUE(ChangerCases(partie, [](CGrille&) {}));
    ASSERT_FALSE(partie.Grille().SolutionGardee());
    ihm.OublierHistorique();
    partie.OnVerifier();
    partie.OnVerifier();
    EXPECT_EQ(ihm.statut, Importee + Resolue);
    EXPECT_EQ(ihm.messages, Textes(2, "La grille est résolue !"));

    EnJeu();
    partie.OnResoudre();
    EXPECT_EQ(ihm.statut, Importee + " >>> grille résolue automatiquement");
    partie.OnVerifier();
    EXPECT_EQ(ihm.statut, Importee + Resolue);
}

TEST_F(Commandes, ResoudreMontreLaGrilleDansLesCouleursDuSolveur)
{
    EnJeu();
    const auto solution = SolutionGardee(partie.Grille());
    partie.CliquerPalette(3);
    partie.CliquerCase(0, 0);  // un coup du joueur, perdu par la résolution
    ihm.reponses.push_back(false);
    partie.OnResoudre();
    EXPECT_EQ(ihm.questions, Textes{std::string(QuestionPerteCoups)});
    EXPECT_EQ(partie.Interface().chiffreSelectionne, 4) << "« Non » ne change rien";

    partie.OnResoudre();
    EXPECT_TRUE(partie.Grille().GrillePleine() && partie.Grille().GrilleValide());
    EXPECT_EQ(partie.Grille().CompterOrigine(CoupJoueur), 0);
    EXPECT_GT(partie.Grille().CompterOrigine(DeduitOrdi), 0);
    EXPECT_TRUE(ihm.PlateauConforme(partie.Grille()));
    EXPECT_EQ(partie.Interface().chiffreSelectionne, -1);
    EXPECT_EQ(ihm.messages.back(), "La grille est résolue !");
    EXPECT_TRUE(partie.GrilleEnCours());
    EXPECT_EQ(SolutionGardee(partie.Grille()), solution);
    EXPECT_FALSE(ihm.attenteDesequilibree);
    EXPECT_EQ(ihm.profondeurAttente, 0);
    EXPECT_TRUE(ihm.messagesSousAttente.empty());
}

TEST_F(Commandes, RemettreAZeroApresResoudre)
{
    EnJeu();
    partie.CliquerPalette(10);
    partie.CliquerPalette(6);
    partie.OnResoudre();
    const auto solution = SolutionGardee(partie.Grille());
    partie.RemettreAZero();
    EXPECT_EQ(TexteIndices(partie.Grille()), grille);
    EXPECT_EQ(partie.Grille().CompterOrigine(Vide) + partie.Grille().CompterOrigine(Init), 81);
    EXPECT_EQ(partie.Grille().NiveauCourant(), 0);
    EXPECT_EQ(ihm.statut, Importee);
    EXPECT_TRUE(ihm.PlateauConforme(partie.Grille()));
    EXPECT_EQ(partie.Interface().modeHypothese, 1);
    EXPECT_EQ(SolutionGardee(partie.Grille()), solution);

    // Seule la remarque part : un « >>> » du nom de fichier reste dans le texte de base.
#ifdef _WIN32
    // « > » est interdit dans un nom de fichier Windows : les mêmes noms, sans lui.
    for (const std::string nom : {"a b.sdu", " en tête.sdu", "A collé.sdu"}) {
#else
    for (const std::string nom : {"a >>> b.sdu", " >>> en tête.sdu", "A>>> collé.sdu"}) {
#endif
        SCOPED_TRACE(nom);
        Importer(partie, ihm, grille, nom);
        const std::string base = " Grille importée (" + nom + ")";
        ASSERT_EQ(ihm.statut, base);
        partie.OnResoudre();
        EXPECT_EQ(ihm.statut, base + " >>> grille résolue automatiquement");
        partie.OnVerifier();
        EXPECT_EQ(ihm.statut, base + " >>> la grille est résolue !");
        partie.RemettreAZero();
        EXPECT_EQ(ihm.statut, base);
    }
}

TEST_F(Commandes, ImportAnnuleLaissePlateauVideEtStatutPrecedent)
{
    EnJeu("premiere.sdu");
    const auto solution = SolutionGardee(partie.Grille());
    partie.CliquerPalette(2);
    partie.OnImporter();  // « Oui », puis dialogue annulé : la file des fichiers est vide
    EXPECT_EQ(ihm.questions, Textes{std::string(QuestionPerteGrille)});
    EXPECT_EQ(partie.Grille().CompterOrigine(Vide), 81);
    EXPECT_TRUE(ihm.PlateauConforme(partie.Grille()));
    EXPECT_EQ(ihm.statut, " Grille importée (premiere.sdu)");
    EXPECT_TRUE(partie.GrilleEnCours());
    EXPECT_EQ(partie.Interface().chiffreSelectionne, -1);
    EXPECT_EQ(partie.NomFichier(), "premiere.sdu");
    EXPECT_TRUE(ihm.messages.empty());
    EXPECT_EQ(SolutionGardee(partie.Grille()), solution);
}

TEST_F(Commandes, ImportDemandeToujoursEtNonNeChangeRien)
{
    for (const bool enJeu : {false, true}) {
        if (enJeu) EnJeu();
        ihm.reponses = {false};
        ihm.fichiersAOuvrir = {"rien.sdu"};
        partie.OnImporter();
        EXPECT_EQ(ihm.questions, Textes{std::string(QuestionPerteGrille)});
        EXPECT_EQ(ihm.fichiersAOuvrir.size(), 1u);
        EXPECT_EQ(ihm.casesMontrees, 0);
        EXPECT_EQ(partie.Grille().SolutionGardee(), enJeu);
        ihm.fichiersAOuvrir.clear();
    }
    EXPECT_EQ(TexteIndices(partie.Grille()), grille);

    // Un import réussi ne garde que le nom du fichier.
    std::filesystem::create_directory("sous");
    EcrireSdu("sous/autre.sdu", grille);
    ihm.fichiersAOuvrir = {(dossier.Chemin() / "sous" / "autre.sdu").string()};
    partie.OnImporter();
    EXPECT_EQ(partie.NomFichier(), "autre.sdu");
    EXPECT_EQ(ihm.statut, " Grille importée (autre.sdu)");
    EXPECT_TRUE(ihm.PlateauConforme(partie.Grille()));
}

// Les messages du lecteur arrivent par l'import (un cas par message, les autres cas du lecteur
// sont dans tests/files) ; après un échec la grille est vide, même lue en partie.
TEST_F(Commandes, MessagesDuLecteurALImport)
{
    EnJeu();
    const std::string l9 = grille.substr(0, 9);
    std::string neuf;
    for (int i = 0; i < 9; ++i) neuf += grille.substr(i * 9, 9) + "\n";
    const std::vector<std::pair<std::string, std::string_view>> cas{
        {neuf + l9 + "\n", MessageTropDeLignes},
        {l9 + "\n" + l9 + " \n" + neuf, MessageNeufCaracteres},
        {"123456789\n456789123\n789123456\n12\n", MessageNeufCaracteres},
        {"", MessagePasAssezDeLignes},
        {"<absent>", MessageOuvertureGrille},
        {".", MessageOuvertureGrille},
    };
    int n = 0;
    for (const auto& [contenu, message] : cas) {
        std::string nom = contenu == "<absent>" ? "absent.sdu" : contenu == "." ? "." : "";
        if (nom.empty()) {
            nom = "mauvais" + std::to_string(n++) + ".sdu";
            std::ofstream(nom, std::ios::binary) << contenu;
        }
        SCOPED_TRACE(nom);
        ihm.OublierHistorique();
        ihm.fichiersAOuvrir = {nom};
        partie.OnImporter();
        EXPECT_EQ(ihm.messages, Textes{std::string(message)});
        EXPECT_EQ(partie.Grille().CompterOrigine(Vide), 81);
        EXPECT_TRUE(ihm.PlateauConforme(partie.Grille()));
        EXPECT_EQ(ihm.statut, Importee);
        EXPECT_EQ(partie.NomFichier(), "grille.sdu");
        // Les clics voient le plateau vide, pas les chiffres lus avant l'erreur.
        partie.CliquerPalette(4);
        partie.CliquerCase(0, 0);
        EXPECT_EQ(partie.Grille().LireCase(0, 0).chiffre, 5);
    }
    // La solution gardée n'est plus celle de la grille en jeu : pas de coup de main.
    ihm.OublierHistorique();
    partie.OnCoupDeMain3();
    EXPECT_EQ(partie.Grille().CompterOrigine(CoupDeMain), 0);
    EXPECT_TRUE(ihm.messages.empty());
}

TEST_F(Commandes, ExportPuisImportRendLesIndicesSeuls)
{
    EnJeu();
    const int i = static_cast<int>(grille.find('.'));
    partie.CliquerPalette(partie.Grille().LireSolution(i / 9, i % 9).chiffre - 1);
    partie.CliquerCase(i / 9, i % 9);
    partie.OnCoupDeMain2();
    ASSERT_EQ(partie.Grille().CompterOrigine(CoupDeMain), 2);
    const std::string avant = ihm.statut;
    ihm.OublierHistorique();
    ihm.fichiersAEnregistrer = {"export.sdu"};
    partie.OnExporter();
    EXPECT_TRUE(ihm.messages.empty());
    EXPECT_EQ(ihm.casesMontrees, 0);
    EXPECT_EQ(ihm.statut, avant);
    EXPECT_EQ(std::filesystem::file_size("export.sdu"), 99u);

    ihm.fichiersAOuvrir = {"export.sdu"};
    partie.OnImporter();
    EXPECT_EQ(TexteIndices(partie.Grille()), grille);
    EXPECT_EQ(partie.Grille().CompterOrigine(CoupJoueur) + partie.Grille().CompterOrigine(CoupDeMain), 0);
}

TEST_F(Commandes, ExportVersUnEndroitInterdit)
{
    EnJeu();
    std::filesystem::create_directory("dossier.sdu");
    for (const std::string chemin : {"absent/grille.sdu", "dossier.sdu"}) {
        ihm.OublierHistorique();
        ihm.fichiersAEnregistrer = {chemin};
        partie.OnExporter();
        EXPECT_EQ(ihm.messages, Textes{std::string(MessageExportation)}) << chemin;
    }
    EXPECT_FALSE(std::filesystem::exists("absent"));
    EXPECT_EQ(TexteIndices(partie.Grille()), grille);
    ihm.OublierHistorique();
    partie.OnExporter();  // dialogue annulé
    EXPECT_TRUE(ihm.messages.empty());
}

TEST_F(Commandes, GenererSansGrilleNeDemandeRien)
{
    CPartie semee{ihm, 11};
    semee.OnMoyen();
    EXPECT_TRUE(ihm.questions.empty());
    EXPECT_TRUE(semee.GrilleEnCours());
    EXPECT_EQ(ihm.statut, " Grille générée (Niveau moyen)");

    // Avec une grille en jeu, la question ; « Non » ne touche à rien.
    const std::string indices = TexteIndices(semee.Grille());
    ihm.OublierHistorique();
    ihm.reponses = {false};
    semee.OnDiabolique();
    EXPECT_EQ(ihm.questions, Textes{std::string(QuestionPerteGrille)});
    EXPECT_EQ(TexteIndices(semee.Grille()), indices);
    EXPECT_EQ(ihm.statut, " Grille générée (Niveau moyen)");
    EXPECT_EQ(ihm.casesMontrees, 0);

    semee.OnDiabolique();
    EXPECT_EQ(ihm.statut, " Grille générée (Niveau diabolique)");
    EXPECT_TRUE(ihm.PlateauConforme(semee.Grille()));
    EXPECT_GT(ihm.attentesOuvertes, 0);
    EXPECT_EQ(ihm.profondeurAttente, 0);
    EXPECT_FALSE(ihm.attenteDesequilibree);
}

// « Imprimer… » : la grille en jeu sous la graine qui la redonne ; les chiffres posés au choix,
// demandé seulement s'il y en a. « Imprimer des grilles… » : des grilles neuves, chacune
// redonnée par sa graine, la grille en jeu intacte. Un échec est dit ; renoncer n'imprime rien.
TEST_F(Commandes, ImprimerLaGrilleEnJeuEtDesGrillesNeuves)
{
    const auto redonnee = [](const GrilleImprimee& imprimee, NiveauGrille niveau) {
        CGrille grille;
        CHasard hasard;
        hasard.Semer(static_cast<uint32_t>(std::stoul(imprimee.legende.substr(imprimee.legende.find("graine ") + 7))));
        CGenerateur(grille, hasard).ConstruireGrille(niveau);
        return GrilleAImprimer(grille, false, {}).chiffres == imprimee.chiffres;
    };
    CPartie semee{ihm, 12};
    semee.OnImprimer();
    EXPECT_EQ(ihm.messages, Textes{std::string(MessageRienAImprimer)});
    semee.OnDifficile();
    semee.OnImprimer();
    ASSERT_EQ(ihm.impressions.size(), 1u);
    const GrilleImprimee seule = ihm.impressions[0].first.at(0);
    EXPECT_EQ(seule.legende, "Niveau difficile, graine 12");
    EXPECT_TRUE(redonnee(seule, Difficile));

    int vide = 0;
    while (semee.Grille().LireCase(vide / 9, vide % 9).chiffre != 0) ++vide;
    semee.CliquerPalette(4);
    semee.CliquerCase(vide / 9, vide % 9);
    ihm.chiffresImprimes = {std::nullopt, false, true, true};
    ihm.impressions.clear();
    for (int k = 0; k < 3; ++k) semee.OnImprimer();
    ASSERT_EQ(ihm.impressions.size(), 2u);
    EXPECT_EQ(ihm.impressions[0].first.at(0).chiffres, seule.chiffres);
    EXPECT_EQ(ihm.impressions[1].first.at(0).chiffres[vide], 5);
    ihm.resultatImpression = Impression::Echouee;
    semee.OnImprimer();
    EXPECT_EQ(ihm.messages.back(), MessageImpressionEchouee);

    const std::string enJeu = semee.TexteGarde();
    ihm.impressions.clear();
    ihm.demandesGrilles = {std::nullopt, DemandeGrilles{Moyen, 3, 2}};
    semee.OnImprimerGrilles();
    semee.OnImprimerGrilles();
    ASSERT_EQ(ihm.impressions.size(), 1u);
    EXPECT_EQ(ihm.impressions[0].second, 2);
    ASSERT_EQ(ihm.impressions[0].first.size(), 3u);
    for (const GrilleImprimee& grille : ihm.impressions[0].first) EXPECT_TRUE(redonnee(grille, Moyen)) << grille.legende;
    EXPECT_EQ(semee.TexteGarde(), enJeu);
}

// Un défi de chaque genre : la question dès qu'une grille est en jeu ; une grille à une seule
// solution, gardée, dont la technique la plus dure, dite avec la note sur la ligne d'état, est
// du genre choisi. Les grilles des niveaux qui suivent sont celles d'une partie sans défi.
TEST_F(Commandes, DefiDuGenreChoisiSansToucherAuxNiveaux)
{
    CIhmFactice ihmTemoin;
    CPartie temoin{ihmTemoin, 5}, joueur{ihm, 5};
    for (int32_t g = 0; g < NombreGenresDefi; ++g) {
        const auto genre = static_cast<GenreDefi>(g);
        SCOPED_TRACE(MotDefi(genre));
        joueur.OnDefi(genre);
        const Position p = LirePosition(joueur.Grille());
        EXPECT_EQ(CompterSolutions(p, 2).solutions, 1);
        EXPECT_TRUE(joueur.Grille().SolutionGardee());
        const Bilan bilan = Noter(p);
        ASSERT_TRUE(bilan.plusDifficile.has_value());
        EXPECT_TRUE(TechniqueDuDefi(genre, *bilan.plusDifficile));
        EXPECT_EQ(ihm.statut, " Défi généré (" + std::string(NomDefi(genre)) + ") : " +
                                  std::string(NomTechnique(*bilan.plusDifficile)) + ", note " + TexteNote(bilan.note, ','));
    }
    EXPECT_EQ(ihm.questions.size(), static_cast<std::size_t>(NombreGenresDefi - 1));
    joueur.OnMoyen();
    temoin.OnMoyen();
    EXPECT_EQ(TexteIndices(joueur.Grille()), TexteIndices(temoin.Grille()));
}

TEST_F(Commandes, CreerRepondNonNeChangeQueLaSelection)
{
    EnJeu();
    partie.CliquerPalette(10);
    partie.CliquerPalette(2);
    ihm.OublierHistorique();
    ihm.reponses = {false};
    partie.OnCreer();
    EXPECT_EQ(ihm.questions, Textes{std::string(QuestionPerteGrille)});
    EXPECT_EQ(partie.Interface().chiffreSelectionne, -1);
    EXPECT_EQ(partie.Interface().modeHypothese, 1);
    EXPECT_FALSE(partie.ModeCreation());
    EXPECT_TRUE(partie.GrilleEnCours() && partie.Grille().SolutionGardee());
    EXPECT_EQ(TexteIndices(partie.Grille()), grille);
    EXPECT_EQ(ihm.statut, Importee);
    EXPECT_TRUE(ihm.etatsMenu.empty());
    EXPECT_EQ(ihm.casesMontrees, 0);
}

TEST_F(Commandes, CreerEntreEtSortDuModeCreation)
{
    // La question est posée même sans grille en jeu.
    partie.OnCreer();
    EXPECT_EQ(ihm.questions, Textes{std::string(QuestionPerteGrille)});
    EXPECT_TRUE(partie.ModeCreation());
    EXPECT_FALSE(partie.GrilleEnCours());
    EXPECT_EQ(ihm.statut, " Grille en mode création");
    EXPECT_EQ(ihm.etatsMenu, std::vector<bool>{true});
    EXPECT_TRUE(ihm.menuCreation);
    EXPECT_EQ(ihm.casesMontrees, 81);

    for (int i = 0; i < 81; ++i) {
        if (grille[i] == '.') continue;
        partie.CliquerPalette(grille[i] - '1');
        partie.CliquerCase(i / 9, i % 9);
    }
    ihm.OublierHistorique();
    partie.OnCreer();
    EXPECT_TRUE(ihm.questions.empty());
    EXPECT_FALSE(partie.ModeCreation());
    EXPECT_TRUE(partie.GrilleEnCours() && partie.Grille().SolutionGardee());
    EXPECT_EQ(ihm.statut, " Grille créée manuellement");
    EXPECT_EQ(ihm.etatsMenu, std::vector<bool>{false});
    EXPECT_FALSE(ihm.menuCreation);
    EXPECT_EQ(partie.Interface().chiffreSelectionne, -1);
    EXPECT_EQ(TexteIndices(partie.Grille()), grille);
    EXPECT_TRUE(ihm.PlateauConforme(partie.Grille()));
    EXPECT_TRUE(ihm.messages.empty());
}

// Une saisie sans solution quitte quand même le mode création ; « Résoudre » la déclare impossible.
TEST_F(Commandes, UneSaisieSansSolution)
{
    EnJeu();
    const std::string saisie = "5...5" + std::string(76, '.');  // deux 5 dans la première ligne
    Creer(saisie);
    EXPECT_EQ(ihm.messages, Textes{std::string(MessageSansSolution)});
    // Le plateau et la grille montrent la saisie seule, pas les essais du pilote.
    EXPECT_EQ(TexteIndices(partie.Grille()), saisie);
    EXPECT_EQ(partie.Grille().CompterOrigine(Init) + partie.Grille().CompterOrigine(Vide), 81);
    EXPECT_FALSE(partie.ModeCreation());
    EXPECT_TRUE(partie.GrilleEnCours());
    EXPECT_FALSE(partie.Grille().SolutionGardee());
    EXPECT_FALSE(ihm.menuCreation);
    EXPECT_TRUE(ihm.PlateauConforme(partie.Grille()));

    ihm.OublierHistorique();
    partie.OnResoudre();
    EXPECT_EQ(ihm.messages, Textes{"Cette grille est impossible à résoudre !"});
    EXPECT_EQ(ihm.statut, " Grille créée manuellement >>> grille impossible à résoudre automatiquement");
    EXPECT_TRUE(ihm.PlateauConforme(partie.Grille()));
}

// ------------------------------------------------------------------ partie gardée

// Une partie où paraît tout ce que la partie gardée doit rendre : coups de main (marques de
// la solution), notes, chiffres du joueur et hypothèses, un coup défait à refaire, palette,
// mode hypothèse, ligne d'état avec son résultat et un texte de base à échapper.
void PartieAGarder(CPartie& partie)
{
    partie.OnCoupDeMain2();
    partie.OnNoterCandidats();
    std::vector<int> vides;
    for (int i = 0; i < 81; ++i) {
        if (partie.Grille().LireCase(i / 9, i % 9).chiffre == 0) vides.push_back(i);
    }
    const auto poser = [&](int i) {
        partie.CliquerPalette(partie.Grille().LireSolution(i / 9, i % 9).chiffre - 1);
        partie.CliquerCase(i / 9, i % 9);
    };
    poser(vides[0]);
    partie.CliquerPalette(10);
    poser(vides[1]);
    partie.MontrerCurseurSur(vides[2] / 9, vides[2] % 9);
    partie.Appuyer(NoteDuTexte("9"));
    partie.Appuyer(NoteDuTexte("8"));
    partie.Annuler();
    PartieGardee etat = EtatGarde(partie);
    etat.statutBase = " Grille importée (a\\b\nc >>> d.sdu)";
    ASSERT_FALSE(Poser(partie, etat));
    partie.OnPourquoi();
}

// Ce qu'une partie est et montre, champ par champ.
void EXPECT_MEME_PARTIE(const CPartie& a, const CIhmFactice& ia, const CPartie& b, const CIhmFactice& ib)
{
    for (int i = 0; i < 81; ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        EXPECT_EQ(a.Grille().LireCase(i / 9, i % 9).chiffre, b.Grille().LireCase(i / 9, i % 9).chiffre);
        EXPECT_EQ(a.Grille().LireCase(i / 9, i % 9).origine, b.Grille().LireCase(i / 9, i % 9).origine);
    }
    EXPECT_EQ(a.Grille().SolutionGardee(), b.Grille().SolutionGardee());
    if (a.Grille().SolutionGardee()) {
        EXPECT_EQ(SolutionGardee(a.Grille()), SolutionGardee(b.Grille()));
    }
    EXPECT_EQ(a.Notes(), b.Notes());
    EXPECT_TRUE(std::ranges::equal(a.Historique().Tous(), b.Historique().Tous()));
    EXPECT_EQ(a.Historique().Joues().size(), b.Historique().Joues().size());
    EXPECT_EQ(a.Interface().chiffreSelectionne, b.Interface().chiffreSelectionne);
    EXPECT_EQ(a.Interface().modeHypothese, b.Interface().modeHypothese);
    EXPECT_EQ(a.GrilleEnCours(), b.GrilleEnCours());
    EXPECT_EQ(a.Interface().statutBase, b.Interface().statutBase);
    // Et l'écran : plateau, notes et teintes, palette, ligne d'état.
    for (int i = 0; i < 81; ++i) {
        EXPECT_EQ(ia.plateau[i / 9][i % 9].texte, ib.plateau[i / 9][i % 9].texte) << i;
        EXPECT_EQ(ia.plateau[i / 9][i % 9].origine, ib.plateau[i / 9][i % 9].origine) << i;
    }
    EXPECT_EQ(ia.aspects, ib.aspects);
    EXPECT_EQ(ia.paletteEnEvidence, ib.paletteEnEvidence);
    EXPECT_EQ(ia.statut, ib.statut);
}

// Garder puis reprendre dans une partie neuve : tout revient, et la partie reprise se joue
// comme l'autre (défaire, refaire) ; une saisie sans solution revient sans solution.
TEST_F(Commandes, PartieGardeeRepriseALIdentique)
{
    const std::pair<const char*, std::function<void()>> cas[] = {
        {"partie en cours", [&] { EnJeu(), PartieAGarder(partie); }},
        {"saisie sans solution", [&] { EnJeu(), Creer("5...5" + std::string(76, '.')); }},
    };
    for (const auto& [nom, preparer] : cas) {
        SCOPED_TRACE(nom);
        preparer();
        ASSERT_EQ(partie.Garder("partie.novemia"), Ecriture::Faite);
        CIhmFactice ihmReprise;
        CPartie reprise{ihmReprise};
        ASSERT_TRUE(reprise.Reprendre("partie.novemia"));
        EXPECT_TRUE(ihmReprise.messages.empty());
        EXPECT_MEME_PARTIE(partie, ihm, reprise, ihmReprise);
        EXPECT_EQ(reprise.TexteGarde(), partie.TexteGarde());
        // Ce qu'un éditeur ajoute (BOM, blancs et CR en fin de ligne, lignes blanches) ne change rien.
        std::string texte = "\xEF\xBB\xBF";
        for (const char c : partie.TexteGarde()) texte += c == '\n' ? " \t\r\n" : std::string(1, c);
        std::ofstream("partie.novemia", std::ios::binary) << texte + "\n \r\n";
        CIhmFactice ihmEditee;
        CPartie editee{ihmEditee};
        ASSERT_TRUE(editee.Reprendre("partie.novemia"));
        EXPECT_EQ(editee.TexteGarde(), partie.TexteGarde());
        // Écrite par une version qui ne gardait ni le temps ni les statistiques : reprise à zéro,
        // hors des statistiques.
        std::string ancienne = partie.TexteGarde(), attendue = ancienne;
        const std::size_t temps = ancienne.find("temps "), coups = ancienne.find("coups ");
        ancienne.replace(0, 16, "Novemia partie 1").erase(temps, coups - temps);
        attendue.replace(temps, coups - temps, "temps 0\nstatistiques - 0 0\n");
        std::ofstream("partie.novemia", std::ios::binary) << ancienne;
        CIhmFactice ihmAncienne;
        CPartie relue{ihmAncienne};
        ASSERT_TRUE(relue.Reprendre("partie.novemia"));
        EXPECT_EQ(relue.TexteGarde(), attendue);
        for (const auto& coup : {&CPartie::Annuler, &CPartie::Annuler, &CPartie::Refaire, &CPartie::Refaire,
                                 &CPartie::Refaire}) {
            (partie.*coup)();
            (reprise.*coup)();
            EXPECT_MEME_PARTIE(partie, ihm, reprise, ihmReprise);
        }
    }
}

// Une partie gardée qui ne peut pas servir : un message clair, une seule fois, un démarrage
// ordinaire, jamais rien de lu à moitié ni d'effacé. Une partie d'une version plus récente reste
// où elle est ; tout autre fichier est mis de côté sous un nom daté, que le message donne.
TEST_F(Commandes, PartieGardeeAbimee)
{
    EnJeu();
    PartieAGarder(partie);
    const std::string bon = partie.TexteGarde();
    // La ligne `n` (à partir de 0) du texte remplacée.
    const auto avecLigne = [&bon](int n, const std::string& ligne) {
        std::istringstream entree(bon);
        std::string texte, l;
        for (int k = 0; std::getline(entree, l); ++k) texte += (k == n ? ligne : l) + "\n";
        return texte;
    };
    const auto ligne = [&bon](int n) {
        std::istringstream entree(bon);
        std::string l;
        for (int k = 0; k <= n; ++k) std::getline(entree, l);
        return l;
    };
    const std::string etrangere = "ce n'est pas une partie de Novemia", abimee = "le fichier est abîmé";
    // Une solution aux chiffres 1 et 2 échangés : chaque ligne reste juste, pas les indices.
    std::string solution = ligne(3);
    for (char& c : solution) c = c == '1' ? '2' : c == '2' ? '1' : c;
    // Le dernier coup, qui ne mène plus à l'état gardé.
    const int dernierCoup = static_cast<int>(std::count(bon.begin(), bon.end(), '\n')) - 2;
    ASSERT_TRUE(ligne(dernierCoup).starts_with("coup -1 -1 0 0 0 0 "));
    // Un coup de main (origine 5) changé en un autre chiffre.
    std::string cases = ligne(1);
    char& revele = cases[6 + ligne(2).find('5') - 9];
    revele = static_cast<char>('1' + (revele - '0') % 9);
    // Les coups 13 (les candidats notés, « k:0:m… ») et 14 (un chiffre posé, « coup l c 0 0 d 6… »)
    // rendus sans effet sur une case : les autres coups mènent toujours à l'état gardé.
    std::string notesSansEffet = ligne(13), caseSansEffet = ligne(14);
    const std::size_t avant = notesSansEffet.find(":0:") + 1, apres = avant + 2;
    notesSansEffet.replace(avant, 1, notesSansEffet.substr(apres, notesSansEffet.find(' ', apres) - apres));
    ASSERT_EQ(caseSansEffet.substr(9, 3), "0 0");
    caseSansEffet.replace(9, 3, caseSansEffet.substr(13, 3));
    const std::tuple<const char*, std::string, std::string> cas[] = {
        {"une page web", "<!DOCTYPE html>\n<html></html>\n", etrangere},
        {"un fichier vide", "", etrangere},
        {"une version à venir", avecLigne(0, "Novemia partie 3"), "elle vient d'une version plus récente de Novemia"},
        {"coupée avant la fin", bon.substr(0, bon.size() - 4), abimee},
        {"une case illisible", avecLigne(1, "cases x" + ligne(1).substr(7)), abimee},
        {"une solution qui n'est pas celle des indices", avecLigne(3, solution), abimee},
        {"un coup de main qui n'est pas la solution", avecLigne(1, cases), abimee},
        {"un coup qui ne mène pas à l'état gardé", avecLigne(dernierCoup, ligne(dernierCoup) + " 80:0:1"), abimee},
        {"un coup qui ne change pas sa case", avecLigne(14, caseSansEffet), abimee},
        {"des notes qui ne changent pas", avecLigne(13, notesSansEffet), abimee},
        {"une case deux fois dans un coup", avecLigne(dernierCoup, ligne(dernierCoup) + ligne(dernierCoup).substr(18)), abimee},
        {"une ligne d'état qui n'est pas de l'UTF-8", avecLigne(8, "statut \xC3(\xE9)"), abimee},
        {"une ligne démesurée", avecLigne(8, "statut " + std::string(1 << 20, 'x')), abimee},
        {"un historique démesuré", avecLigne(12, "coups 100001 0"), abimee},
        {"un temps négatif", avecLigne(10, "temps -1"), abimee},
        {"une catégorie illisible", avecLigne(11, "statistiques Facile 0 0"), abimee},
    };
    for (const auto& [nom, contenu, raison] : cas) {
        SCOPED_TRACE(nom);
        std::filesystem::remove_all("gardee");
        std::filesystem::create_directory("gardee");
        std::ofstream("gardee/partie.novemia", std::ios::binary) << contenu;
        CIhmFactice ihmNeuve;
        CPartie neuve{ihmNeuve, 1, [] { return std::time_t{1700000000}; }};
        EXPECT_FALSE(neuve.Reprendre("gardee/partie.novemia"));
        // Le seul fichier du dossier : le même, à sa place ou mis de côté sous un nom daté.
        const std::filesystem::path fichier = *std::filesystem::directory_iterator("gardee");
        const std::string nom = fichier.filename().string();
        const bool laissee = raison.starts_with("elle vient");
        std::ifstream relu(fichier, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(relu), {}), contenu);
        EXPECT_TRUE(laissee ? nom == "partie.novemia"
                            : nom.starts_with("partie-abimee-2023-11-1") && nom.ends_with(".novemia") && nom.size() == 39)
            << nom;
        EXPECT_EQ(ihmNeuve.messages,
                  Textes{"La partie gardée dans gardee/partie.novemia ne peut pas être reprise : " + raison + ". " +
                         (laissee ? "Le fichier reste tel quel" : "Le fichier est mis de côté sous gardee/" + nom) +
                         " ; le jeu démarre sans elle."});
        EXPECT_FALSE(neuve.GrilleEnCours());
        EXPECT_EQ(ihmNeuve.statut, " Pas de grille");
        EXPECT_EQ(ihmNeuve.casesMontrees, 0);
        EXPECT_FALSE(neuve.Reprendre("gardee/partie.novemia"));
        EXPECT_EQ(ihmNeuve.messages.size(), 1u) << "dit une seule fois";
    }
}

// Fermer avec « Reprendre la partie au prochain lancement » : une grille en jeu est gardée
// sans question ; sans grille, l'ancienne partie gardée s'efface, une fois la fermeture
// décidée ; une saisie demande comme avant ; une partie qu'on ne peut pas garder le dit, puis
// demande. Un fichier que cette version ne sait pas reprendre n'est ni remplacé ni effacé, qu'il
// ait été lu au lancement ou non (l'option a pu être allumée en cours de partie) ; un fichier
// abîmé est mis de côté avant d'être remplacé.
TEST_F(Commandes, FermerGardeLaPartieSansQuestion)
{
    std::ofstream("bouchon") << "un fichier, pas un dossier";
    const auto enJeu = [this](CPartie& p, CIhmFactice& i) { Importer(p, i, grille); };
    const auto saisie = [](CPartie& p, CIhmFactice&) { p.OnCreer(), p.CliquerPalette(2), p.CliquerCase(0, 0); };
    const auto rien = [](CPartie&, CIhmFactice&) {};
    const auto lue = [](CPartie& p, CIhmFactice&) { p.Reprendre("partie.novemia"); };
    const auto lueEnJeu = [&](CPartie& p, CIhmFactice& i) { lue(p, i), enJeu(p, i); };
    // Ce qui attend dans le fichier : une partie d'avant, d'une version plus récente, abîmée.
    CIhmFactice ihmAvant;
    CPartie avant{ihmAvant};
    enJeu(avant, ihmAvant);
    const std::string ancienne = avant.TexteGarde(), recente = "Novemia partie 3\n", abimee = "Novemia partie 1\nx\n";
    enum Fichier { Absent, Intact, Garde };
    struct Cas {
        const char* nom;
        std::function<void(CPartie&, CIhmFactice&)> preparer;
        std::string avant, chemin;
        Textes messages, questions;
        bool reponse, ferme;
        Fichier apres;
    };
    const Textes perte{std::string(QuestionPerteGrille)};
    const std::string laissee = "La partie en cours n'est pas gardée dans partie.novemia : la partie qui s'y trouve ne "
                                "peut pas être reprise (elle vient d'une version plus récente de Novemia), et le jeu ne "
                                "la remplace pas.";
    const Cas cas[] = {
        {"une grille en jeu", enJeu, ancienne, "partie.novemia", {}, {}, false, true, Garde},
        {"sans grille", rien, ancienne, "partie.novemia", {}, {}, false, true, Absent},
        {"une saisie commencée, « Non »", saisie, ancienne, "partie.novemia", {}, perte, false, false, Intact},
        {"une saisie commencée, « Oui »", saisie, ancienne, "partie.novemia", {}, perte, true, true, Absent},
        {"un dossier impossible", enJeu, ancienne, "bouchon/partie.novemia",
         {std::string(MessageGardeImpossible) + "bouchon/partie.novemia"}, perte, false, false, Absent},
        {"une version plus récente lue au lancement, sans grille", lue, recente, "partie.novemia", {}, {}, false, true,
         Intact},
        {"une version plus récente lue au lancement, une grille en jeu", lueEnJeu, recente, "partie.novemia", {laissee},
         perte, true, true, Intact},
        {"une version plus récente jamais lue, sans grille", rien, recente, "partie.novemia", {}, {}, false, true, Intact},
        {"une version plus récente jamais lue, une grille en jeu", enJeu, recente, "partie.novemia", {laissee}, perte,
         true, true, Intact},
        {"une partie abîmée jamais lue, une grille en jeu", enJeu, abimee, "partie.novemia", {}, {}, false, true, Garde},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        std::ofstream("partie.novemia", std::ios::binary) << c.avant;
        CIhmFactice ihmCas;
        CPartie partieCas{ihmCas};
        c.preparer(partieCas, ihmCas);
        ihmCas.OublierHistorique();
        ihmCas.reponses = {c.reponse};
        EXPECT_EQ(partieCas.PeutFermer(&c.chemin), c.ferme);
        EXPECT_EQ(ihmCas.messages, c.messages);
        EXPECT_EQ(ihmCas.questions, c.questions);
        if (!c.questions.empty()) {
            EXPECT_EQ(ihmCas.boutonsParDefaut, std::vector<BoutonParDefaut>{BoutonParDefaut::Non});
        }
        std::ifstream apres(c.chemin, std::ios::binary);
        EXPECT_EQ(apres.is_open(), c.apres != Absent);
        if (c.apres == Intact) {
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(apres), {}), c.avant);
        }
        if (c.apres == Garde) {
            CIhmFactice ihmReprise;
            CPartie reprise{ihmReprise};
            EXPECT_TRUE(reprise.Reprendre(c.chemin));
            EXPECT_MEME_PARTIE(partieCas, ihmCas, reprise, ihmReprise);
        }
        // Rien d'effacé : le fichier abîmé, et lui seul, est à côté sous un nom daté.
        Textes deCote;
        for (const auto& entree : std::filesystem::directory_iterator(".")) {
            const std::string nom = entree.path().filename().string();
            if (!nom.starts_with("partie-abimee-")) continue;
            {
                std::ifstream relu(entree.path(), std::ios::binary);  // fermé avant l'effacement (Windows)
                deCote.push_back(std::string(std::istreambuf_iterator<char>(relu), {}));
            }
            std::filesystem::remove(entree.path());
        }
        EXPECT_EQ(deCote, c.avant == abimee ? Textes{abimee} : Textes{});
    }
}

// Le temps de jeu, mené par l'horloge du test : il ne court que pour une grille en jeu, la
// fenêtre active et hors de la pause ; défaire ne le fait pas reculer ; il s'arrête quand la
// grille est remplie sans faute et revient avec la partie gardée.
TEST_F(Commandes, TempsDeJeu)
{
    using namespace std::chrono_literals;
    int vide = 0;
    const std::tuple<const char*, std::function<void()>, CChrono::Duree> pas[] = {
        {"sans grille", [&] { partie.ChangerActivite(true); }, 0s},
        {"une grille en jeu", [&] { EnJeu(); }, 10s},
        {"la fenêtre inactive ou réduite", [&] { partie.ChangerActivite(false); }, 10s},
        {"de nouveau active", [&] { partie.ChangerActivite(true); }, 20s},
        {"en pause, plateau et palette sans effet",
         [&] {
             while (partie.Grille().LireCase(vide / 9, vide % 9).chiffre != 0) ++vide;
             partie.OnPause();
             partie.CliquerPalette(0);
             partie.CliquerCase(vide / 9, vide % 9);
             EXPECT_TRUE(ihm.pause);
             EXPECT_EQ(partie.Interface().chiffreSelectionne, -1);
         },
         20s},
        {"hors de la pause", [&] { partie.OnPause(); }, 30s},
        {"un chiffre posé puis défait",
         [&] {
             partie.CliquerPalette(0);
             partie.CliquerCase(vide / 9, vide % 9);
             partie.Annuler();
         },
         40s},
        {"en pause, puis une autre grille", [&] { partie.OnPause(), EnJeu(); }, 10s},
        {"la grille remplie sans faute", [&] { JouerLaSolution(); }, 10s},
    };
    for (const auto& [nom, faire, attendu] : pas) {
        SCOPED_TRACE(nom);
        faire();
        maintenant += 10s;
        EXPECT_EQ(partie.TempsDeJeu(), attendu);
    }
    EXPECT_FALSE(ihm.pause);
    ASSERT_EQ(partie.Garder("partie.novemia"), Ecriture::Faite);
    CIhmFactice ihmReprise;
    CPartie reprise{ihmReprise};
    ASSERT_TRUE(reprise.Reprendre("partie.novemia"));
    EXPECT_EQ(reprise.TempsDeJeu(), 10s);
}

// Remplie sans faute, la grille le dit une fois, avec son temps, et « nouveau record » quand il
// bat le meilleur temps sans aide du niveau ; rien sans le choix ; « Vérifier » ne change pas.
TEST_F(Commandes, FinDiteUneFois)
{
    using namespace std::chrono_literals;
    partie.ChangerActivite(true);
    const std::string bravo = "Bravo ! Grille terminée en ";
    const std::tuple<const char*, bool, CChrono::Duree, bool, Textes> cas[] = {
        {"sans le choix", false, 70s, false, {}},
        {"plus lente", true, 75s, false, {bravo + "1:15 !"}},
        {"plus rapide", true, 62s, false, {bravo + "1:02, nouveau record (Grilles importées) !"}},
        {"plus rapide, avec un coup de main", true, 5s, true, {bravo + "0:05 !"}},
        {"plus rapide d'une heure", true, 1h + 1min + 1s, false, {bravo + "1:01:01 !"}},
    };
    for (const auto& [nom, felicitations, duree, aide, messages] : cas) {
        SCOPED_TRACE(nom);
        EnJeu();
        partie.ChangerOptions({false, false, felicitations});
        maintenant += duree;
        if (aide) partie.OnCoupDeMain1();
        JouerLaSolution();
        EXPECT_EQ(ihm.messages, messages);
    }
    // Un chiffre effacé puis reposé remplit encore la grille : rien de plus n'est dit.
    int joue = 0;
    while (partie.Grille().LireCase(joue / 9, joue % 9).origine != CoupJoueur) ++joue;
    const int32_t chiffre = partie.Grille().LireCase(joue / 9, joue % 9).chiffre;
    ihm.OublierHistorique();
    partie.CliquerPalette(9);
    partie.CliquerCase(joue / 9, joue % 9);
    partie.CliquerPalette(chiffre - 1);
    partie.CliquerCase(joue / 9, joue % 9);
    partie.OnVerifier();
    EXPECT_EQ(ihm.messages, Textes{"La grille est résolue !"});
    partie.OnStatistiques();
    ASSERT_EQ(ihm.statistiquesMontrees.size(), 1u);
    const StatsCategorie importees{5, 5, 4, 62000, (70 + 75 + 62 + 3661) * 1000};
    EXPECT_EQ(ihm.statistiquesMontrees[0].back(), std::pair(std::string("Grilles importées"), importees));
}

// Les statistiques dans leur fichier : relues par une autre partie, remises à zéro seulement
// une fois confirmé ; un fichier abîmé est dit une fois et mis de côté, un fichier d'une version
// plus récente reste tel quel.
TEST_F(Commandes, StatistiquesDansLeurFichier)
{
    using namespace std::chrono_literals;
    const std::string chemin = "donnees/statistiques.novemia";
    partie.ChangerFichierStatistiques(chemin);
    partie.ChangerActivite(true);
    EnJeu();
    maintenant += 90s;
    JouerLaSolution();
    EnJeu();
    CIhmFactice ihmAutre;
    CPartie autre{ihmAutre};
    autre.ChangerFichierStatistiques(chemin);
    autre.OnStatistiques();
    ASSERT_EQ(ihmAutre.statistiquesMontrees.size(), 1u);
    const auto& lignes = ihmAutre.statistiquesMontrees[0];
    ASSERT_EQ(lignes.size(), 5u);
    EXPECT_EQ(lignes[0], std::pair(std::string("Facile"), StatsCategorie{}));
    EXPECT_EQ(lignes[4], std::pair(std::string("Grilles importées"), StatsCategorie{2, 1, 1, 90000, 90000}));
    const auto lire = [](const std::string& nom) {
        std::ifstream f(nom, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    };
    const std::string avant = lire(chemin);
    ihmAutre.demanderRemiseAZero = true;
    ihmAutre.reponses = {false};
    autre.OnStatistiques();
    EXPECT_EQ(lire(chemin), avant);
    ihmAutre.reponses = {true};
    autre.OnStatistiques();
    EXPECT_EQ(ihmAutre.questions, Textes(2, std::string(QuestionEffacerStatistiques)));
    EXPECT_EQ(lire(chemin), EcrireStatistiques({}));

    const std::string debut = "Les statistiques gardées dans " + chemin + " ne peuvent pas être lues : ";
    const std::tuple<const char*, std::string, std::string> cas[] = {
        {"abîmé", "Novemia statistiques 1\nfacile 1 2 3 - 0\nfin\n",
         debut + "le fichier est abîmé. Le fichier est mis de côté sous donnees/statistiques-abimee-2023-11-1"},
        {"d'une version plus récente", "Novemia statistiques 2\n",
         debut + "elle vient d'une version plus récente de Novemia. Le fichier reste tel quel ; elles ne sont "
                 "pas tenues pendant ce lancement."},
    };
    for (const auto& [nom, contenu, message] : cas) {
        SCOPED_TRACE(nom);
        std::ofstream(chemin, std::ios::binary) << contenu;
        CIhmFactice ihmCas;
        CPartie partieCas{ihmCas, 1, [] { return std::time_t{1700000000}; }};
        partieCas.ChangerFichierStatistiques(chemin);
        for (int n = 0; n < 2; ++n) Importer(partieCas, ihmCas, grille);
        ASSERT_EQ(ihmCas.messages.size(), 1u) << "dit une seule fois";
        EXPECT_TRUE(ihmCas.messages[0].starts_with(message)) << ihmCas.messages[0];
        const bool deCote = ihmCas.messages[0].find("mis de côté") != std::string::npos;
        EXPECT_EQ(lire(chemin), deCote ? "Novemia statistiques 1\nimportee 2 0 0 - 0\nfin\n" : contenu);
        int fichiers = 0;
        for (const auto& entree : std::filesystem::directory_iterator("donnees")) {
            ++fichiers;
            if (entree.path().filename() != "statistiques.novemia") {
                EXPECT_EQ(lire(entree.path().string()), contenu);
            }
        }
        EXPECT_EQ(fichiers, deCote ? 2 : 1);
        std::filesystem::remove_all("donnees");
        std::filesystem::create_directory("donnees");
    }
}

}  // namespace
