// Fichier de trace daté de la résolution : "Trace_%d-%m-%Y.txt" dans le dossier courant,
// en-tête "-------- Trace du %d/%m/%Y à %H:%M:%S --------", écrit en page de code 1252
// avec des fins de ligne CR LF.
#pragma once

#include <ctime>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "engine/grille.h"

// Nom et en-tête formés d'une même heure locale, ou sans date quand le système n'a pas su
// la donner.
std::string NomFichierTrace(const std::optional<std::tm>& heureLocale);
std::string EnTeteTrace(const std::optional<std::tm>& heureLocale);  // UTF-8, se termine par "\n\n"

// Convertit un texte UTF-8 en page de code 1252 et LF en CR LF, tel qu'il va sur le disque.
std::string VersDisque(std::string_view texteUtf8);

// La ligne de trace d'un pas du solveur (UTF-8, terminée par "\n").
std::string LigneDeTrace(const Pas& pas);

// Le fichier de trace suit le solveur : chaque pas qu'on lui annonce y devient sa ligne.
// Ouvert, la trace est active ; c'est le seul endroit qui le dit.
class CFichierTrace : public CSuiviSolveur {
public:
    CFichierTrace() = default;
    ~CFichierTrace() override;  // ferme (et vide) le fichier s'il est ouvert
    CFichierTrace(const CFichierTrace&) = delete;
    CFichierTrace& operator=(const CFichierTrace&) = delete;

    // Crée ou vide `chemin` (vide : le fichier du jour de `maintenant` dans le dossier courant)
    // et y écrit l'en-tête de `maintenant`. Renvoie faux si le fichier n'a pu être créé
    // (rien n'est alors ouvert).
    bool Ouvrir(std::time_t maintenant, const std::string& chemin = {});
    // Écrit un texte UTF-8 (converti comme VersDisque) ; sans effet si rien n'est ouvert.
    void Ecrire(std::string_view ligne);
    void Noter(const Pas& pas) override { Ecrire(LigneDeTrace(pas)); }
    // Pousse jusqu'au système ce qui est écrit ; faux si une écriture a échoué depuis
    // l'ouverture (disque plein…) : la trace n'est alors plus entière.
    bool Vider();
    // Ferme ; faux si la trace n'a pas pu être écrite en entier.
    bool Fermer();
    bool EstOuvert() const { return fichier != nullptr; }
    // Chemin du dernier fichier ouvert ou tenté (le nom seul pour le fichier du jour).
    const std::string& Nom() const { return nom; }

private:
    std::FILE* fichier = nullptr;
    std::string nom;
    bool enEchec = false;
};
