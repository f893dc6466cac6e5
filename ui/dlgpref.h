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
    // S'ouvre sur `nomSkin`, celui en usage ; l'événement de changement est posté à `parent`.
    CDlgPref(const std::string& nomSkin, const std::string& repertoireSkins, QWidget* parent);

    // Le skin à garder une fois la boîte fermée : le choix confirmé par OK, sinon le nom
    // d'ouverture.
    std::string SkinRetenu() const;

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
