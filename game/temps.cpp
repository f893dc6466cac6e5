// Le temps de jeu, la pause, la fin d'une grille et les statistiques qui la comptent.
#include <algorithm>
#include <vector>

#include "files/plateforme.h"
#include "game/partie.h"

void CPartie::SuivreTemps()
{
    // Seulement une grille en jeu pas encore remplie sans faute, la fenêtre active, hors pause.
    const bool aJouer = grilleEnCours && !modeCreation && !(grille.GrillePleine() && grille.GrilleValide());
    chrono.Courir(aJouer && etatInterface.fenetreActive && !etatInterface.pause);
}

void CPartie::ChangerActivite(bool active)
{
    etatInterface.fenetreActive = active;
    SuivreTemps();
}

void CPartie::OnPause()
{
    if (etatInterface.pause) {
        FinirPause();
        return;
    }
    if (!grilleEnCours || modeCreation) return;
    etatInterface.pause = true;
    ihm.MontrerPause(true);
    SuivreTemps();
}

void CPartie::FinirPause()
{
    if (!etatInterface.pause) return;
    etatInterface.pause = false;
    ihm.MontrerPause(false);
    SuivreTemps();
}

void CPartie::DireStatistiques(const std::optional<std::string>& message)
{
    if (message) ihm.Message(*message);
}

void CPartie::CommencerGrille(std::string_view cat)
{
    FinirPause();
    categorie = grilleEnCours ? cat : std::string_view();
    aidee = false;
    finie = false;
    chrono.Remettre({});
    SuivreTemps();
    if (categorie.empty()) return;
    std::optional<std::string> message;
    statistiques.Changer([this](Statistiques& tout) { ++tout[categorie].commencees; }, message,
                         HeureLocale(horloge()));
    DireStatistiques(message);
}

void CPartie::VerifierFin()
{
    if (!grilleEnCours || modeCreation || finie || !grille.GrillePleine() || !grille.GrilleValide()) return;
    finie = true;
    SuivreTemps();
    const int64_t ms = chrono.Ecoule().count();
    bool record = false;
    if (!categorie.empty()) {
        std::optional<std::string> message;
        statistiques.Changer(
            [&](Statistiques& tout) {
                StatsCategorie& s = tout[categorie];
                ++s.finies;
                if (aidee) return;
                // Un record bat un meilleur temps : la première grille n'en bat aucun.
                record = s.meilleurMs >= 0 && ms < s.meilleurMs;
                if (s.meilleurMs < 0 || ms < s.meilleurMs) s.meilleurMs = ms;
                ++s.finiesSansAide;
                s.totalSansAideMs += ms;
            },
            message, HeureLocale(horloge()));
        DireStatistiques(message);
    }
    if (!etatInterface.options.felicitations) return;
    ihm.Message("Bravo ! Grille terminée en " + TexteDuree(ms) +
                (record ? ", nouveau record (" + std::string(NomCategorie(categorie)) + ")" : std::string()) + " !");
}

void CPartie::ChangerFichierStatistiques(const std::string& chemin) { statistiques = CFichierStatistiques(chemin); }

void CPartie::OnStatistiques()
{
    std::optional<std::string> message;
    const Statistiques tout = statistiques.Lire(message, HeureLocale(horloge()));
    DireStatistiques(message);
    // Les quatre niveaux toujours ; les autres catégories dès qu'elles ont servi, les inconnues
    // (d'une autre version) à la fin.
    std::vector<std::pair<std::string, StatsCategorie>> lignes;
    for (const Categorie& c : Categories) {
        const auto trouvee = tout.find(c.cle);
        if (trouvee != tout.end() || lignes.size() < 4)
            lignes.emplace_back(c.nom, trouvee != tout.end() ? trouvee->second : StatsCategorie{});
    }
    for (const auto& [cle, s] : tout) {
        if (std::ranges::find(Categories, cle, &Categorie::cle) == Categories.end()) lignes.emplace_back(cle, s);
    }
    if (!ihm.MontrerStatistiques(lignes)) return;
    if (!ihm.Question(std::string(QuestionEffacerStatistiques), BoutonParDefaut::Non)) return;
    statistiques.Changer([](Statistiques& s) { s.clear(); }, message, HeureLocale(horloge()));
    DireStatistiques(message);
}
