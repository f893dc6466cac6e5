// Boîte « Préférences » : choix du skin parmi les bitmaps du dossier des skins.
#pragma once

#include <QDialog>
#include <QEvent>
#include <string>
#include <utility>

class QComboBox;

// Événement posté à la fenêtre principale pour recharger le skin (WM_CHANGER_SKIN) ; il porte
// le nom du skin choisi, si bien que la fenêtre n'apprend le changement que par lui.
inline constexpr QEvent::Type EvenementChangerSkin = static_cast<QEvent::Type>(0x8001);

class CEvenementChangerSkin : public QEvent {
public:
    explicit CEvenementChangerSkin(std::string nom) : QEvent(EvenementChangerSkin), nomSkin(std::move(nom)) {}
    const std::string nomSkin;
};

class CDlgPref : public QDialog {
    Q_OBJECT
public:
    // S'ouvre sur `nomSkin`, celui en usage ; l'événement de changement est posté à `parent`.
    CDlgPref(const std::string& nomSkin, const std::string& repertoireSkins, QWidget* parent);

    QComboBox* comboSkin = nullptr;
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
