// Interface sans écran, pour jouer sans fenêtre (ligne de commande, mesures) : rien ne
// s'affiche, toute question reçoit « Oui », les dialogues de fichiers sont annulés et les
// messages vont où l'on veut (nulle part par défaut).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "game/ihm.h"

class CIhmSansEcran : public CIhm {
public:
    explicit CIhmSansEcran(std::function<void(const std::string&)> surMessage = {})
        : surMessage(std::move(surMessage))
    {
    }

    void MontrerCase(int, int, const std::string&, OrigineCase) override {}
    void MontrerPalette(int, bool) override {}
    void ChangerStatut(const std::string&) override {}
    void Message(const std::string& texte) override
    {
        if (surMessage) surMessage(texte);
    }
    bool Question(const std::string&) override { return true; }
    std::optional<std::string> ChoisirFichierAOuvrir() override { return std::nullopt; }
    std::optional<std::string> ChoisirFichierAEnregistrer() override { return std::nullopt; }
    void CurseurAttente(bool) override {}
    void EtatMenuCreation(bool) override {}

private:
    std::function<void(const std::string&)> surMessage;
};
