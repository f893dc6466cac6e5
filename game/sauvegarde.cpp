// La partie gardée sur le disque : où et comment elle s'écrit (d'un bloc), se relit (bornée, sans
// rien effacer) et part avec la fenêtre qui se ferme. Son format est dans partiegardee.cpp.
#include <filesystem>
#include <fstream>
#include <system_error>

#include "files/ecriture.h"
#include "files/plateforme.h"
#include "game/partie.h"

namespace {

// Ce qu'on trouve à un emplacement de partie gardée : rien, une partie qu'on peut reprendre
// (sans raison), ou la raison de ne pas la reprendre.
struct Relecture {
    bool absent = false;
    std::optional<std::string> raison;
};

Relecture Relire(const std::string& chemin, PartieGardee& lue)
{
    const std::filesystem::path systeme = CheminSysteme(chemin);
    std::error_code erreur;
    const std::filesystem::file_status etat = std::filesystem::status(systeme, erreur);
    if (etat.type() == std::filesystem::file_type::not_found) return {true, std::nullopt};
    std::uintmax_t taille = 0;
    if (!std::filesystem::is_regular_file(etat) || (taille = std::filesystem::file_size(systeme, erreur), erreur)) {
        return {false, std::string(RaisonIllisible)};
    }
    if (taille > TailleGardeeMax) return {false, std::string(RaisonTropGros)};
    std::ifstream entree(systeme, std::ios::binary);
    if (!entree.is_open()) return {false, std::string(RaisonIllisible)};
    return {false, LirePartieGardee(entree, lue)};
}

// Une partie d'une version plus récente, ou un fichier qui ne se lit pas maintenant, pourra
// servir plus tard : il reste où il est. Un fichier abîmé est mis de côté, pour qu'on puisse
// encore le regarder.
bool ResteEnPlace(std::string_view raison) { return raison == RaisonVersion || raison == RaisonIllisible; }

}  // namespace

PartieGardee CPartie::AGarder() const
{
    return {grille,
            notes,
            historique,
            etatInterface.chiffreSelectionne,
            etatInterface.modeHypothese,
            etatInterface.statutBase,
            etatInterface.statutResultat,
            chrono.Ecoule().count(),
            categorie,
            aidee,
            finie};
}

void CPartie::Prendre(PartieGardee lue)
{
    grille = lue.grille;
    grilleEnCours = true;
    modeCreation = false;
    notes = lue.notes;
    historique = std::move(lue.historique);
    etatInterface.chiffreSelectionne = lue.chiffreSelectionne;
    etatInterface.modeHypothese = lue.modeHypothese;
    etatInterface.statutBase = std::move(lue.statutBase);
    legendeGrille = etatInterface.statutBase.substr(etatInterface.statutBase.starts_with(' ') ? 1 : 0);
    etatInterface.statutResultat = std::move(lue.statutResultat);
    FinirPause();
    chrono.Remettre(CChrono::Duree(lue.tempsMs));
    categorie = std::move(lue.categorie);
    aidee = lue.aidee;
    finie = lue.finie;
    AfficherGrille();
    AfficherPalette();
    ihm.ChangerStatut(etatInterface.statutBase + etatInterface.statutResultat);
}

std::string CPartie::TexteGarde() const { return EcrirePartieGardee(AGarder()); }

std::optional<std::string> CPartie::ReprendreDepuis(std::istream& entree)
{
    PartieGardee lue;
    if (auto raison = LirePartieGardee(entree, lue)) return raison;
    Prendre(std::move(lue));
    return std::nullopt;
}

Ecriture CPartie::Garder(const std::string& chemin)
{
    std::error_code erreur;
    std::filesystem::create_directories(CheminSysteme(chemin).parent_path(), erreur);
    // Jamais réécrite sur place : une panne ne doit pas laisser une partie à moitié écrite.
    const Ecriture ecriture = EcrireFichierEnBloc(chemin, TexteGarde(), RecoursSurPlace::Refuse);
    if (ecriture != Ecriture::Echouee) partieEcrite = chemin;
    return ecriture;
}

bool CPartie::Reprendre(const std::string& chemin)
{
    // Un fichier laissé en place a déjà été dit pendant ce lancement.
    if (chemin == partieLaissee) return false;
    PartieGardee lue;
    const Relecture relue = Relire(chemin, lue);
    // Rien de gardé : le démarrage ordinaire, sans un mot.
    if (relue.absent) return false;
    if (!relue.raison) {
        Prendre(std::move(lue));
        return true;
    }
    // Dit une fois ; rien de ce que le joueur a gardé n'est effacé.
    const std::string& raison = *relue.raison;
    std::string suite = "Le fichier reste tel quel ; le jeu démarre sans elle.";
    if (ResteEnPlace(raison)) {
        partieLaissee = chemin;
    } else if (const auto deCote = MettreDeCote(chemin, "abimee", HeureLocale(horloge()))) {
        suite = "Le fichier est mis de côté sous " + *deCote + " ; le jeu démarre sans elle.";
    } else {
        partieLaissee = chemin;
        suite = "Le fichier n'a pas pu être mis de côté et reste tel quel ; le jeu démarre sans elle.";
    }
    ihm.Message("La partie gardée dans " + chemin + " ne peut pas être reprise : " + raison + ". " + suite);
    return false;
}

std::optional<std::string> CPartie::RaisonDeLaisser(const std::string& chemin)
{
    if (chemin == partieEcrite) return std::nullopt;
    // Ni lu au lancement (l'option a pu être allumée depuis) ni écrit depuis : relu d'abord.
    PartieGardee lue;
    const Relecture relue = Relire(chemin, lue);
    if (!relue.raison) return std::nullopt;
    // Un fichier abîmé part de côté, comme au lancement, et sa place se libère.
    if (!ResteEnPlace(*relue.raison) && MettreDeCote(chemin, "abimee", HeureLocale(horloge()))) return std::nullopt;
    return relue.raison;
}

bool CPartie::PeutFermer(const std::string* cheminGarde)
{
    if (cheminGarde != nullptr && grilleEnCours) {
        // La partie part avec la fenêtre et reviendra : rien à demander.
        const std::optional<std::string> laisser = RaisonDeLaisser(*cheminGarde);
        const Ecriture ecriture = laisser ? Ecriture::Echouee : Garder(*cheminGarde);
        if (ecriture == Ecriture::NonConfirmee) {
            ihm.Message("La partie en cours est gardée dans " + *cheminGarde +
                        ", mais le système n'a pas confirmé qu'elle est sur le disque : une coupure de courant "
                        "pourrait encore la perdre.");
        }
        if (ecriture != Ecriture::Echouee) return true;
        ihm.Message(laisser ? "La partie en cours n'est pas gardée dans " + *cheminGarde +
                                  " : la partie qui s'y trouve ne peut pas être reprise (" + *laisser +
                                  "), et le jeu ne la remplace pas."
                            : std::string(MessageGardeImpossible) + *cheminGarde);
    }
    // Une saisie commencée en mode création se perd aussi bien qu'une grille en jeu.
    const bool saisie = modeCreation && grille.CompterOrigine(Vide) < 81;
    // Cette question-ci n'est pas celle d'une commande : une touche Entrée tenue ne doit pas
    // y répondre « Oui » et perdre la partie.
    if ((grilleEnCours || saisie) && !ihm.Question(std::string(QuestionPerteGrille), BoutonParDefaut::Non)) {
        return false;
    }
    // La fermeture est décidée : sans grille en jeu, une partie gardée plus tôt ne doit pas revenir.
    if (cheminGarde != nullptr && !grilleEnCours && !RaisonDeLaisser(*cheminGarde)) EffacerFichier(*cheminGarde);
    return true;
}
