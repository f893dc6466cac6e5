// Les deux réglages du programme, "s2gAppDir" et "Skin", dans un magasin par machine
// (QSettings, organisation "Novemia") : le fichier de l'utilisateur est lu d'abord, puis
// celui de la machine ; "Skin" s'écrit dans le fichier de l'utilisateur.
#pragma once

#include <string>

// Codes d'erreur à la manière du registre.
constexpr int ErreurValeurAbsente = 2;
constexpr int ErreurAccesRefuse = 5;
constexpr int ErreurValeurTropLongue = 234;
// Valeur qui n'est pas du texte, ou fichier de réglages mal formé.
constexpr int ErreurDonneesInvalides = 13;

// Fixe les emplacements des fichiers de réglages d'après XDG_CONFIG_HOME et XDG_CONFIG_DIRS ;
// à appeler avant tout usage de QSettings.
void PreparerEmplacementsReglages();
// Les deux fichiers lus, dans cet ordre : celui de l'utilisateur, puis celui de la machine.
std::string FichierReglagesUtilisateur();
std::string FichierReglagesMachine();

// La valeur `nom` ; "Erreur : Base de registre (%d)" en cas d'erreur, "ERR" si elle est vide.
std::string LireRegistre(const std::string& nom);
// Écrit `valeur` sous `nom` dans le fichier de l'utilisateur ; 0 ou le code d'erreur.
int EcrireRegistre(const std::string& nom, const std::string& valeur);
