// Boîte « À propos » : l'icône, le nom et la version, un bouton OK. Rien d'autre.
#pragma once

#include <QDialog>
#include <QIcon>

class CDlgAPropos : public QDialog {
    Q_OBJECT
public:
    explicit CDlgAPropos(const QIcon& icone, QWidget* parent = nullptr);
};
