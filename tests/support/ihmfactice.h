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
        std::string texte;  // vide tant que la case n'a jamais été montrée
        OrigineCase origine = Vide;
    };

    // Ce qui est à l'écran.
    std::array<std::array<CaseMontree, 9>, 9> plateau{};
    std::array<bool, 11> paletteEnEvidence{};
    std::string statut = " Pas de grille";
    bool menuCreation = false;

    // Ce qui s'est passé.
    int casesMontrees = 0;
    std::vector<std::pair<int, bool>> appelsPalette;  // (entrée, en évidence) dans l'ordre
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<bool> etatsMenu;
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

    void MontrerCase(int ligne, int colonne, const std::string& texte, OrigineCase origine) override
    {
        plateau[ligne][colonne] = {texte, origine};
        ++casesMontrees;
    }
    void MontrerPalette(int entree, bool enEvidence) override
    {
        paletteEnEvidence[entree] = enEvidence;
        appelsPalette.emplace_back(entree, enEvidence);
    }
    std::string TexteStatut() const override { return statut; }
    void ChangerStatut(const std::string& texte) override { statut = texte; }
    void Message(const std::string& texte) override
    {
        messages.push_back(texte);
        if (profondeurAttente > 0) messagesSousAttente.push_back(texte);
    }
    bool Question(const std::string& texte) override
    {
        questions.push_back(texte);
        if (reponses.empty()) return true;
        const bool r = reponses.front();
        reponses.pop_front();
        return r;
    }
    std::optional<std::string> ChoisirFichierAOuvrir() override { return Depiler(fichiersAOuvrir); }
    std::optional<std::string> ChoisirFichierAEnregistrer() override { return Depiler(fichiersAEnregistrer); }
    void CurseurAttente(bool actif) override
    {
        if (actif) {
            ++profondeurAttente;
            ++attentesOuvertes;
        } else if (--profondeurAttente < 0) {
            attenteDesequilibree = true;
        }
        if (surAttente) surAttente(actif);
    }
    void EtatMenuCreation(bool modeCreation) override
    {
        menuCreation = modeCreation;
        etatsMenu.push_back(modeCreation);
    }

    // Le plateau montre-t-il exactement les chiffres et origines de la grille ?
    bool PlateauConforme(const CGrille& grille) const
    {
        for (int l = 0; l < 9; ++l) {
            for (int c = 0; c < 9; ++c) {
                const Case& k = grille.cases[l][c];
                const std::string attendu = k.chiffre > 0 ? std::string(1, char('0' + k.chiffre)) : " ";
                if (plateau[l][c].texte != attendu || plateau[l][c].origine != k.origine) return false;
            }
        }
        return true;
    }

    void OublierHistorique()
    {
        casesMontrees = 0;
        appelsPalette.clear();
        messages.clear();
        questions.clear();
        etatsMenu.clear();
        attentesOuvertes = 0;
        messagesSousAttente.clear();
    }

private:
    static std::optional<std::string> Depiler(std::deque<std::optional<std::string>>& file)
    {
        if (file.empty()) return std::nullopt;
        auto r = file.front();
        file.pop_front();
        return r;
    }
};
