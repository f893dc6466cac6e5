// Le coup de main : révèle au hasard un à trois chiffres de la solution gardée, ou, avec
// « Pourquoi ? », dit la prochaine pose et son raisonnement sans rien poser.
#include <algorithm>

#include "engine/raisonnement.h"
#include "game/explication.h"
#include "game/explicationtechnique.h"
#include "game/partie.h"

void CPartie::DonnerCoupDeMain(int n)
{
    if (!grille.GrilleValide()) {
        ihm.Message(std::string(MessageGrilleFautive));
        return;
    }
    // Une solution qui n'est pas celle de la grille en jeu donnerait de faux chiffres.
    if (!grille.SolutionGardee()) return;

    auto peutRecevoir = [this](int ligne, int colonne) {
        return grille.LireCase(ligne, colonne).origine == Vide && grille.LireSolution(ligne, colonne).marque == 0;
    };

    int possibles = 0;
    for (int ligne = 0; ligne < 9; ++ligne) {
        for (int colonne = 0; colonne < 9; ++colonne) possibles += peutRecevoir(ligne, colonne);
    }
    n = std::min(n, possibles);
    // Les coups d'avant ne se défont plus par-dessus un chiffre révélé ; les notes restent,
    // comme pour un chiffre que le joueur pose, sans celles que le chiffre révélé exclut.
    if (n > 0) {
        historique.Oublier();
        aidee = true;
    }

    for (int reveles = 0; reveles < n;) {
        const int ligne = hasard.Tirer() % 9;
        const int colonne = hasard.Tirer() % 9;
        if (!peutRecevoir(ligne, colonne)) continue;
        const int32_t chiffre = grille.LireSolution(ligne, colonne).chiffre;
        grille.MarquerSolution(ligne, colonne, CoupDeMain);
        grille.ChangerCase(ligne, colonne, chiffre, CoupDeMain);
        OterDesVoisines(ligne, colonne, chiffre);
        AfficherCase(ligne, colonne);
        ++reveles;
    }
    if (n > 0) MontrerAspects();
}

void CPartie::OnPourquoi()
{
    if (!grilleEnCours || modeCreation) return;
    if (!grille.GrilleValide()) {
        ihm.Message(std::string(MessageGrilleFautive));
        return;
    }
    if (grille.GrillePleine()) {
        AjouterResultat(" >>> la grille est résolue !");
        return;
    }
    aidee = true;
    if (!grille.MeneAUneSolution()) {
        std::string texte = " >>> vos chiffres ne mènent à aucune solution";
        if (const auto coup = PremierCoupSansSolution(grille, historique.Joues())) {
            texte += " (depuis " + NommerCase(coup->ligne, coup->colonne) + ")";
            MontrerCurseurSur(coup->ligne, coup->colonne);
        }
        AjouterResultat(texte);
        return;
    }
    // Le même appel sur la même position va plus loin ; tout coup fait repartir du début.
    const Position position = LirePosition(grille);
    const std::pair coups(historique.Joues().size(), historique.Tous().size());
    EtatInterface& e = etatInterface;
    const bool memePosition =
        e.tempsIndice > 0 && position == e.positionIndice && notes == e.notesIndice && coups == e.coupsIndice;
    e.tempsIndice = memePosition ? std::min(e.tempsIndice + 1, 3) : 1;
    e.positionIndice = position;
    e.notesIndice = notes;
    e.coupsIndice = coups;
    // Le raisonnement d'une personne, pas celui du solveur : la prochaine pose et la plus
    // courte chaîne d'étapes qui y mène, ou l'hypothèse à faire.
    const ProchainePose reponse = ExpliquerProchainePose(position);
    const IndiceMontre indice = MontrerIndice(reponse, e.tempsIndice);
    // Le curseur ne montre la case qu'avec la réponse : avant, il la dirait.
    if (!indice.suite && reponse.issue == ProchainePose::Pose) {
        const CaseChiffre& pose = reponse.chaine.back().poses.front();
        MontrerCurseurSur(pose.ligne, pose.colonne);
    } else if (reponse.issue == ProchainePose::Hypothese) {
        MontrerCurseurSur(reponse.caseHypothese.ligne, reponse.caseHypothese.colonne);
    }
    AjouterResultat(" >>> " + indice.resume);
    std::vector<std::pair<int, int>> cases;
    for (const Coordonnees& c : indice.cases) cases.emplace_back(c.ligne, c.colonne);
    std::vector<CandidatMontre> candidats;
    for (const CaseChiffre& c : indice.enJeu) candidats.push_back({c.ligne, c.colonne, c.chiffre, false});
    for (const CaseChiffre& c : indice.retraits) candidats.push_back({c.ligne, c.colonne, c.chiffre, true});
    ihm.MontrerRaisonnement(indice.phrases, cases, candidats);
}
