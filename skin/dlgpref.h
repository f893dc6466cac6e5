// Boîte « Préférences » : choix du skin parmi les bitmaps du dossier des skins.
#pragma once

#include <QDialog>
#include <QEvent>
#include <string>

class QComboBox;

// Événement posté à la fenêtre principale pour recharger le skin (WM_CHANGER_SKIN).
inline constexpr QEvent::Type EvenementChangerSkin = static_cast<QEvent::Type>(0x8001);

class CDlgPref : public QDialog {
    Q_OBJECT
public:
    // `nomSkin` est celui de l'application (lu et modifié) ; l'événement de changement
    // est posté à `parent`.
    CDlgPref(std::string& nomSkin, const std::string& repertoireSkins, QWidget* parent);

    QComboBox* comboSkin = nullptr;
    std::string skinInitial;

    bool OnInitDialog();
    void RemplirListeSkins();
    void OnCbnSelchangeSkin(int index);
    void OnBnClickedOk();

    void reject() override;  // Annuler remet nomSkin à sa valeur d'ouverture

protected:
    // Entrée dans le champ du combo : le bouton par défaut, pas un choix dans la liste.
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    std::string& nomSkin;
    const std::string repertoireSkins;
};
