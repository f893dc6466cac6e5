// Fausse interface pour les tests : retient tout ce que la partie montre et répond aux
// questions et aux dialogues de fichiers selon un script donné d'avance.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/ihm.h"

class CIhmFactice : public CIhm {
public:
    struct CaseMontree {
        std::string texte;  // vide tant que la case n'a jamais été montrée, " " pour une case vide
        OrigineCase origine = Vide;
    };

    // Ce qui est à l'écran.
    std::array<std::array<CaseMontree, 9>, 9> plateau{};
    std::array<bool, 11> paletteEnEvidence{};
    std::array<std::array<AspectCase, 9>, 9> aspects{};  // notes visibles et teintes
    std::optional<std::pair<int, int>> curseur;  // (ligne, colonne) une fois montré
    std::string statut = " Pas de grille";
    std::vector<std::string> raisonnement;  // le dernier « Pourquoi ? »
    std::vector<std::pair<int, int>> casesRaisonnement;
    std::vector<CandidatMontre> candidatsRaisonnement;
    bool menuCreation = false;
    uint16_t chiffresFinis = 0;
    bool pause = false;

    // Ce qui s'est passé.
    int casesMontrees = 0;
    std::vector<std::pair<int, bool>> appelsPalette;  // (entrée, en évidence) dans l'ordre
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<BoutonParDefaut> boutonsParDefaut;  // celui de chaque question
    std::vector<bool> etatsMenu;
    // Les lignes de chaque boîte « Statistiques » montrée ; la réponse : demander la remise à zéro.
    std::vector<std::vector<std::pair<std::string, StatsCategorie>>> statistiquesMontrees;
    bool demanderRemiseAZero = false;
    int profondeurAttente = 0;
    int attentesOuvertes = 0;
    bool attenteDesequilibree = false;
    std::vector<std::string> messagesSousAttente;
    // Appelé à chaque changement du curseur d'attente, après la mise à jour de la profondeur.
    std::function<void(bool)> surAttente;

    // Le script : réponses aux questions (« Oui » quand il est épuisé) et aux dialogues
    // (annulation quand il est épuisé).
    std::deque<bool> reponses;
    std::deque<std::optional<std::string>> fichiersAOuvrir;
    std::deque<std::optional<std::string>> fichiersAEnregistrer;
    // L'impression : les choix (renoncement quand le script est épuisé), ce qui a été imprimé.
    std::deque<std::optional<bool>> chiffresImprimes;
    std::deque<std::optional<DemandeGrilles>> demandesGrilles;
    Impression resultatImpression = Impression::Faite;
    std::vector<std::pair<std::vector<GrilleImprimee>, int>> impressions;  // (grilles, par page)

    void MontrerCase(int ligne, int colonne, int32_t chiffre, OrigineCase origine) override
    {
        plateau[ligne][colonne] = {chiffre > 0 ? std::to_string(chiffre) : " ", origine};
        ++casesMontrees;
    }
    void MontrerAspect(int ligne, int colonne, const AspectCase& aspect) override { aspects[ligne][colonne] = aspect; }
    void MontrerCurseur(int ligne, int colonne) override { curseur = {ligne, colonne}; }
    void MontrerPalette(int entree, bool enEvidence) override
    {
        paletteEnEvidence[entree] = enEvidence;
        appelsPalette.emplace_back(entree, enEvidence);
    }
    void MontrerChiffresFinis(uint16_t finis) override { chiffresFinis = finis; }
    void MontrerPause(bool enPause) override { pause = enPause; }
    void ChangerStatut(const std::string& texte) override { statut = texte; }
    void MontrerRaisonnement(const std::vector<std::string>& phrases,
                             const std::vector<std::pair<int, int>>& cases,
                             const std::vector<CandidatMontre>& candidats) override
    {
        raisonnement = phrases;
        casesRaisonnement = cases;
        candidatsRaisonnement = candidats;
    }
    void Message(const std::string& texte) override
    {
        messages.push_back(texte);
        if (profondeurAttente > 0) messagesSousAttente.push_back(texte);
    }
    bool Question(const std::string& texte, BoutonParDefaut parDefaut) override
    {
        questions.push_back(texte);
        boutonsParDefaut.push_back(parDefaut);
        return Depiler(reponses).value_or(true);
    }
    bool MontrerStatistiques(const std::vector<std::pair<std::string, StatsCategorie>>& lignes) override
    {
        statistiquesMontrees.push_back(lignes);
        return demanderRemiseAZero;
    }
    std::optional<std::string> ChoisirFichierAOuvrir() override { return Depiler(fichiersAOuvrir).value_or(std::nullopt); }
    std::optional<std::string> ChoisirFichierAEnregistrer() override { return Depiler(fichiersAEnregistrer).value_or(std::nullopt); }
    void CurseurAttente(bool actif) override
    {
        attentesOuvertes += actif;
        profondeurAttente += actif ? 1 : -1;
        attenteDesequilibree = attenteDesequilibree || profondeurAttente < 0;
        if (surAttente) surAttente(actif);
    }
    std::optional<bool> ChoisirChiffresImprimes() override { return Depiler(chiffresImprimes).value_or(std::nullopt); }
    std::optional<DemandeGrilles> ChoisirGrillesAImprimer() override { return Depiler(demandesGrilles).value_or(std::nullopt); }
    Impression Imprimer(std::span<const GrilleImprimee> grilles, int parPage) override
    {
        impressions.emplace_back(std::vector<GrilleImprimee>(grilles.begin(), grilles.end()), parPage);
        return resultatImpression;
    }
    void EtatMenuCreation(bool modeCreation) override
    {
        menuCreation = modeCreation;
        etatsMenu.push_back(modeCreation);
    }

    // Le plateau montre-t-il exactement les chiffres et origines de la grille ?
    bool PlateauConforme(const CGrille& grille) const
    {
        for (int i = 0; i < 81; ++i) {
            const Case& k = grille.LireCase(i / 9, i % 9);
            const CaseMontree& m = plateau[i / 9][i % 9];
            if (m.texte != (k.chiffre > 0 ? std::to_string(k.chiffre) : " ") || m.origine != k.origine) return false;
        }
        return true;
    }

    void OublierHistorique()
    {
        casesMontrees = attentesOuvertes = 0;
        appelsPalette.clear();
        messages.clear();
        questions.clear();
        boutonsParDefaut.clear();
        etatsMenu.clear();
        messagesSousAttente.clear();
    }

private:
    // Le prochain élément du script, rien quand il est épuisé.
    template <typename T>
    static std::optional<T> Depiler(std::deque<T>& file)
    {
        if (file.empty()) return std::nullopt;
        std::optional<T> r = std::move(file.front());
        file.pop_front();
        return r;
    }
};
