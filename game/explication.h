// Les pas du solveur dits avec les mots du joueur, lignes, colonnes et régions comptées de 1
// à 9 (régions en lecture, de gauche à droite puis de haut en bas) : pour « Pourquoi ? » et
// pour « novemia-cli expliquer ». La trace, elle, garde ses numéros de 0 à 8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/grille.h"

// "ligne 4, colonne 6" (ligne et colonne de 0 à 8 en entrée).
std::string NommerCase(int32_t ligne, int32_t colonne);
// Les chiffres d'un masque (bit d-1) : "7", "2 ou 7", "2, 5 ou 7".
std::string NommerChiffres(uint16_t chiffres);

// Une case pour qui ne la voit pas : "Ligne 3, colonne 5 : 7, chiffre du joueur",
// "Ligne 3, colonne 5 : vide" (un mot par origine : indice, déduction…).
std::string DecrireCase(int32_t ligne, int32_t colonne, int32_t chiffre, OrigineCase origine);
// La même, avec ce qui s'ajoute à la case : ", notes : 2, 5, 7" pour une case vide qui a des
// notes, ", en conflit" pour un chiffre répété dans sa ligne, sa colonne ou sa région.
std::string DecrireCase(int32_t ligne, int32_t colonne, int32_t chiffre, OrigineCase origine, uint16_t notes,
                        bool enConflit);

// Une pose ou l'hypothèse à faire, en une phrase : "ligne 4, colonne 6 : seul chiffre
// possible, le 7", "ligne 2 : le 4 ne peut aller qu'en colonne 9", "aucune déduction simple :
// il faut une hypothèse, par exemple ligne 3, colonne 5 (2 ou 7)"…
std::string DecrirePas(const Pas& pas);

// Tout le chemin du solveur, une phrase numérotée par pas ; une contradiction et la reprise
// qui la suit font une seule phrase.
std::vector<std::string> DecrireChemin(const std::vector<Pas>& chemin);
