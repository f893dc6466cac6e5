// Boîte « Préférences » : choix du skin parmi les bitmaps du dossier des skins, puis, sous
// lui, les choix qui changent la partie (conflits, surlignage, partie gardée, temps de jeu,
// félicitations).
#pragma once

#include <QDialog>
#include <QEvent>
#include <string>
#include <utility>

#include "ui/options.h"

class QCheckBox;
class QComboBox;

// Événement posté à la fenêtre principale pour recharger le skin (WM_CHANGER_SKIN) ; il porte
// le nom du skin choisi, si bien que la fenêtre n'apprend le changement que par lui.
inline constexpr QEvent::Type EvenementChangerSkin = static_cast<QEvent::Type>(0x8001);

class CEvenementChangerSkin : public QEvent {
public:
    explicit CEvenementChangerSkin(std::string nom) : QEvent(EvenementChangerSkin), nomSkin(std::move(nom)) {}
    const std::string nomSkin;
};

// Événement posté à la fenêtre principale quand les choix de la partie changent ; il les porte.
inline constexpr QEvent::Type EvenementChangerOptions = static_cast<QEvent::Type>(0x8002);

class CEvenementChangerOptions : public QEvent {
public:
    explicit CEvenementChangerOptions(const OptionsJeu& choix) : QEvent(EvenementChangerOptions), options(choix) {}
    const OptionsJeu options;
};

class CDlgPref : public QDialog {
    Q_OBJECT
public:
    // S'ouvre sur `nomSkin`, celui en usage, et sur les choix en usage ; les événements de
    // changement sont postés à `parent`.
    CDlgPref(const std::string& nomSkin, const std::string& repertoireSkins, QWidget* parent,
             const OptionsJeu& options = LireOptionsJeu());

    QComboBox* comboSkin = nullptr;
    QCheckBox* caseConflits = nullptr;
    QCheckBox* caseSurligner = nullptr;
    QCheckBox* caseReprendre = nullptr;
    QCheckBox* caseChronometre = nullptr;
    QCheckBox* caseFelicitations = nullptr;
    OptionsJeu optionsInitiales;
    OptionsJeu OptionsCochees() const;
    std::string skinInitial;
    std::string skinChoisi;  // seul un choix dans la liste le change

    bool OnInitDialog();
    void RemplirListeSkins();
    void OnCbnSelchangeSkin(int index);
    void OnBnClickedOk();

protected:
    // Entrée dans le champ du combo : le bouton par défaut, pas un choix dans la liste.
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    const std::string repertoireSkins;
};
