// La partie : affichage des cases, règles des clics et commandes du menu « Grille ».
#include "game/partie.h"

#include <string>
#include <utility>

#include "files/fichiergrille.h"
#include "game/explicationtechnique.h"

CPartie::CPartie(CIhm& ihm, uint32_t graine, Horloge horloge, CChrono::Source temps)
    : chrono(std::move(temps)), horloge(horloge ? std::move(horloge) : Horloge([] { return std::time(nullptr); })),
      ihm(ihm)
{
    hasard.Semer(graine);
    hasardDefis.Semer(graine);
}

// ---------------------------------------------------------------- affichage

void CPartie::AfficherCase(int ligne, int colonne)
{
    const Case& c = grille.LireCase(ligne, colonne);
    ihm.MontrerCase(ligne, colonne, c.chiffre, c.origine);
    MontrerAspects();
    VerifierFin();
}

void CPartie::AfficherGrille()
{
    for (int ligne = 0; ligne < 9; ++ligne) {
        for (int colonne = 0; colonne < 9; ++colonne) {
            const Case& c = grille.LireCase(ligne, colonne);
            ihm.MontrerCase(ligne, colonne, c.chiffre, c.origine);
        }
    }
    MontrerAspects();
}

void CPartie::AfficherPalette()
{
    for (int entree = 0; entree < 10; ++entree) {
        ihm.MontrerPalette(entree, etatInterface.chiffreSelectionne == (entree == 9 ? 0 : entree + 1));
    }
    ihm.MontrerPalette(10, etatInterface.modeHypothese == 1);
}

void CPartie::DeselectionnerPalette()
{
    etatInterface.chiffreSelectionne = -1;
    // L'entrée "?" et modeHypothese restent tels quels.
    for (int entree = 0; entree <= 9; ++entree) {
        ihm.MontrerPalette(entree, false);
    }
    MontrerAspects();
}

void CPartie::ChangerStatut(const std::string& base)
{
    etatInterface.statutBase = base;
    etatInterface.statutResultat.clear();
    ihm.ChangerStatut(base);
}

void CPartie::AjouterResultat(std::string_view resultat)
{
    // Le texte de base, jamais cherché dans la ligne : un nom de fichier peut contenir " >>>".
    etatInterface.statutResultat = resultat;
    ihm.ChangerStatut(etatInterface.statutBase + etatInterface.statutResultat);
}

// ---------------------------------------------------------------- clics

void CPartie::CliquerCase(int ligne, int colonne)
{
    if (!CaseValide(ligne, colonne) || etatInterface.pause) return;
    NoterCaseCliquee(ligne, colonne);
    if (!grilleEnCours && !modeCreation) return;
    const int32_t chiffreSelectionne = etatInterface.chiffreSelectionne;
    if (chiffreSelectionne < 0 || chiffreSelectionne > 9) return;

    // En création tout chiffre se change ; en jeu, seulement ceux du joueur.
    const int32_t origineMin = modeCreation ? Init : CoupJoueur;
    const Case avant = grille.LireCase(ligne, colonne);

    if (chiffreSelectionne == 0) {
        if (avant.origine < origineMin) return;
        grille.ChangerCase(ligne, colonne, 0, Vide);
    } else {
        if (avant.chiffre != 0 && avant.origine < origineMin) return;
        grille.ChangerCase(ligne, colonne, chiffreSelectionne,
                           modeCreation ? Init : static_cast<OrigineCase>(CoupJoueur + etatInterface.modeHypothese));
    }
    const Case& apres = grille.LireCase(ligne, colonne);
    if (apres.chiffre != avant.chiffre || apres.origine != avant.origine) {
        historique.Noter({ligne, colonne, avant.chiffre, avant.origine, apres.chiffre, apres.origine,
                          OterDesVoisines(ligne, colonne, apres.chiffre)});
    }
    AfficherCase(ligne, colonne);
}

void CPartie::CliquerPalette(int entree)
{
    if ((!grilleEnCours && !modeCreation) || etatInterface.pause) return;
    if (entree < 0 || entree > 10) return;

    if (entree == 10) {
        if (modeCreation) return;  // pas d'hypothèse du joueur sur des indices
        int32_t& modeHypothese = etatInterface.modeHypothese;
        modeHypothese = modeHypothese == 0 ? 1 : 0;
        ihm.MontrerPalette(10, modeHypothese == 1);
        return;
    }

    int32_t& chiffreSelectionne = etatInterface.chiffreSelectionne;
    if (chiffreSelectionne > 0) {
        ihm.MontrerPalette(chiffreSelectionne - 1, false);
    } else if (chiffreSelectionne == 0) {
        ihm.MontrerPalette(9, false);
    }
    chiffreSelectionne = entree == 9 ? 0 : entree + 1;
    ihm.MontrerPalette(entree, true);
    MontrerAspects();
}

// ---------------------------------------------------------------- commandes

void CPartie::OnCreer()
{
    // Dans les deux sens, et même si la question reçoit « Non ».
    DeselectionnerPalette();

    if (!modeCreation) {
        if (!ihm.Question(std::string(QuestionPerteGrille))) return;
        grilleEnCours = false;
        CommencerGrille({});
        OublierCoups();
        grille.ViderGrille();
        AfficherGrille();
        modeCreation = true;
        ChangerStatut(" Grille en mode création");
        ihm.EtatMenuCreation(true);
        return;
    }

    modeCreation = false;
    ChangerStatut(" Grille créée manuellement");
    legendeGrille = "Grille saisie";
    grilleEnCours = true;
    OublierCoups();
    const FinResolution fin = ResoudreEtMemoriser();
    if (fin != FinResolution::Resolue && fin != FinResolution::Impasse) {
        // Arrêté en route, le pilote a laissé ses chiffres dans les cases sans les montrer : on
        // revient à la saisie, que le plateau montre, sinon des cases d'apparence vide
        // refuseraient les clics. (Une impasse y est déjà revenue.)
        grille.RemettreGrille();
        AfficherGrille();
    }
    CommencerGrille("saisie");
    ihm.EtatMenuCreation(false);
}

void CPartie::GenererGrille(NiveauGrille niveau)
{
    if (niveau < Facile || niveau > Diabolique) return;
    if (modeCreation) return;
    if (grilleEnCours && !ihm.Question(std::string(QuestionPerteGrille))) return;

    // La grille en jeu est perdue dès le premier semis : ses coups aussi.
    OublierCoups();
    legendeGrille = LegendeGeneree(niveau, hasard.Etat());
    {
        CAttente attente(ihm);
        generateur.ConstruireGrille(niveau, Suivi());
    }
    grilleEnCours = true;
    ResoudreEtMemoriser();
    AfficherGrille();
    ChangerStatut(" Grille générée (Niveau " + std::string(MotNiveau(niveau)) + ")");
    CommencerGrille(MotNiveau(niveau));
}

void CPartie::OnDefi(GenreDefi genre)
{
    if (modeCreation) return;
    if (grilleEnCours && !ihm.Question(std::string(QuestionPerteGrille))) return;
    std::optional<Defi> defi;
    {
        CAttente attente(ihm);
        defi = GenererDefi(genre, hasardDefis);
    }
    if (!defi) {
        ihm.Message("Aucun défi « " + std::string(NomDefi(genre)) + " » n'a pu être fait, essayez encore");
        return;
    }
    OublierCoups();
    grille.ViderGrille();
    for (int i = 0; i < 81; ++i)
        if (defi->grille[i] != 0) grille.ChangerCase(i / 9, i % 9, defi->grille[i], Init);
    grilleEnCours = true;
    ResoudreEtMemoriser();
    AfficherGrille();
    ChangerStatut(" Défi généré (" + std::string(NomDefi(genre)) + ") : " +
                  std::string(NomTechnique(*defi->bilan.plusDifficile)) + ", note " + TexteNote(defi->bilan.note, ','));
    CommencerGrille("defi");
}

void CPartie::OnImporter()
{
    if (modeCreation) return;
    if (!ihm.Question(std::string(QuestionPerteGrille))) return;

    // La grille d'avant est vidée, même si rien n'est lu : son temps et son compte s'arrêtent.
    CommencerGrille({});
    OublierCoups();
    grille.ViderGrille();
    AfficherGrille();
    DeselectionnerPalette();

    if (!LireGrille()) {
        // Les indices lus avant une erreur de format ne doivent pas rester invisibles.
        grille.ViderGrille();
        return;
    }
    ChangerStatut(" Grille importée (" + nomFichier + ")");
    legendeGrille = "Grille importée (" + nomFichier + ")";
    ResoudreEtMemoriser();
    AfficherGrille();
    CommencerGrille("importee");
}

bool CPartie::LireGrille()
{
    const auto chemin = ihm.ChoisirFichierAOuvrir();
    if (!chemin) return false;

    if (const auto erreur = LireFichierGrille(*chemin, grille)) {
        ihm.Message(*erreur);
        return false;
    }
    grilleEnCours = true;
    etatInterface.chiffreSelectionne = -1;
    nomFichier = NomSansDossier(*chemin);
    return true;
}

void CPartie::OnExporter()
{
    if (modeCreation) return;
    const auto chemin = ihm.ChoisirFichierAEnregistrer();
    if (!chemin) return;
    if (!EcrireFichierGrille(*chemin, grille)) {
        ihm.Message(std::string(MessageExportation));
    }
}

void CPartie::RemettreAZero()
{
    if (!grilleEnCours) return;
    grille.RemettreGrille();
    OublierCoups();
    etatInterface.statutResultat.clear();
    ihm.ChangerStatut(etatInterface.statutBase);
    AfficherGrille();
}

void CPartie::OnResoudre()
{
    if (!grilleEnCours) return;
    if (!ihm.Question(std::string(QuestionPerteCoups))) return;

    aidee = true;
    RemettreAZero();
    DeselectionnerPalette();

    FinResolution fin;
    {
        CAttente attente(ihm);
        fin = grille.Resoudre(LimiteJoueur, Suivi());
        // Sans niveau à défaire, le pilote rend la main : la grille revient à ses indices.
        if (fin == FinResolution::Impasse) RemettreAZero();
    }
    AfficherGrille();
    if (fin == FinResolution::Resolue) {
        ihm.Message("La grille est résolue !");
        AjouterResultat(" >>> grille résolue automatiquement");
    } else {
        ihm.Message("Cette grille est impossible à résoudre !");
        AjouterResultat(" >>> grille impossible à résoudre automatiquement");
    }
    VerifierTrace();
}

void CPartie::OnVerifier()
{
    if (!grilleEnCours) return;
    // Seules les règles comptent : la solution gardée n'est pas consultée.
    if (grille.GrillePleine() && grille.GrilleValide()) {
        ihm.Message("La grille est résolue !");
        AjouterResultat(" >>> la grille est résolue !");
    } else {
        ihm.Message("La grille comporte des erreurs !");
    }
}

void CPartie::OnTrace()
{
    if (fichierTrace.EstOuvert()) {
        if (!fichierTrace.Fermer()) ihm.Message(std::string(MessageEcritureTrace) + fichierTrace.Nom());
        return;
    }
    if (!fichierTrace.Ouvrir(horloge())) {
        ihm.Message("Impossible de créer le fichier de trace " + fichierTrace.Nom());
    }
}

void CPartie::VerifierTrace()
{
    if (fichierTrace.EstOuvert() && !fichierTrace.Vider()) {
        fichierTrace.Fermer();
        ihm.Message(std::string(MessageEcritureTrace) + fichierTrace.Nom());
    }
}

FinResolution CPartie::ResoudreEtMemoriser()
{
    FinResolution fin;
    {
        CAttente attente(ihm);
        fin = grille.ResoudreEtMemoriser(Suivi());
        if (fin == FinResolution::Impasse) RemettreAZero();
    }
    if (fin != FinResolution::Resolue) {
        ihm.Message(std::string(MessageSansSolution));
    }
    VerifierTrace();
    return fin;
}
