// Les cases et les chiffres dits avec les mots du joueur, lignes et colonnes comptées de 1 à 9 :
// pour les lecteurs d'écran, « Pourquoi ? » et « novemia-cli expliquer ». La trace, elle, garde
// ses numéros de 0 à 8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/grille.h"

// Le numéro que lit le joueur, de 1 à 9, d'une ligne, d'une colonne ou d'une région comptée de 0 à 8.
std::string Numero(int32_t base0);
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
