// L'application : les trois textes du skin en usage, gardés toute la durée du programme,
// et le lancement de la fenêtre principale, seule boucle du programme.
#pragma once

#include <memory>
#include <string>

class QApplication;
class QTranslator;

class CGrilleApp {
public:
    CGrilleApp();
    ~CGrilleApp();

    std::string nomSkin;
    std::string repertoireAppli;
    std::string repertoireSkins;

    // Application Qt, emplacements des réglages, traduction française des boîtes standard.
    void Preparer(int& argc, char** argv);
    // Prépare, construit la fenêtre principale, la mène jusqu'à sa fermeture ; rend 0.
    int Executer(int& argc, char** argv);

private:
    std::unique_ptr<QApplication> application;
    std::unique_ptr<QTranslator> traduction;
};

// Charge la traduction française de Qt dans l'application en cours ; faux si absente.
bool ChargerTraductionQt(QTranslator& traduction);
