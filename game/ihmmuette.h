// Une interface qui ne montre rien et répond « Oui » à toute question : pour jouer une partie
// sans écran ni personne (mesures, fuzzing). Une classe dérivée peut surveiller ce qu'on lui
// montre.
#pragma once

#include "game/ihm.h"

class CIhmMuette : public CIhm {
public:
    void MontrerCase(int, int, int32_t, OrigineCase) override {}
    void MontrerAspect(int, int, const AspectCase&) override {}
    void MontrerCurseur(int, int) override {}
    void MontrerPalette(int, bool) override {}
    void MontrerChiffresFinis(uint16_t) override {}
    void MontrerPause(bool) override {}
    void ChangerStatut(const std::string&) override {}
    void MontrerRaisonnement(const std::vector<std::string>&, const std::vector<std::pair<int, int>>&,
                             const std::vector<CandidatMontre>&) override {}
    void Message(const std::string&) override {}
    bool Question(const std::string&, BoutonParDefaut) override { return true; }
    bool MontrerStatistiques(const std::vector<std::pair<std::string, StatsCategorie>>&) override { return false; }
    std::optional<std::string> ChoisirFichierAOuvrir() override { return std::nullopt; }
    std::optional<std::string> ChoisirFichierAEnregistrer() override { return std::nullopt; }
    void CurseurAttente(bool) override {}
    std::optional<bool> ChoisirChiffresImprimes() override { return std::nullopt; }
    std::optional<DemandeGrilles> ChoisirGrillesAImprimer() override { return std::nullopt; }
    Impression Imprimer(std::span<const GrilleImprimee>, int) override { return Impression::Annulee; }
    void EtatMenuCreation(bool) override {}
};
