// Les réglages du programme ("s2gAppDir", "Skin", puis les choix de « Préférences » et la
// taille de la fenêtre), lus par leur nom : ceux de l'utilisateur
// d'abord, puis ceux de la machine dans l'ordre ; l'écriture va chez l'utilisateur. Deux
// magasins derrière cet en-tête, choisis à la construction :
// - Linux (registre.cpp) : des fichiers Novemia.conf. Le format est celui qu'une personne
//   écrit : une ligne « clé=valeur », la valeur étant tout ce qui suit le premier « = », telle
//   quelle (virgules, barres obliques inverses, guillemets, blancs et lettres accentuées
//   compris). Les lignes vides, les commentaires (« # », « ; »), les en-têtes « [General] » et
//   les lignes incomprises sont gardés à l'écriture.
// - Windows (registre_windows.cpp) : le registre, clé SOFTWARE\Novemia de HKEY_CURRENT_USER
//   puis de HKEY_LOCAL_MACHINE, valeurs REG_SZ ; un « fichier » ci-dessous y est une clé,
//   écrite « HKEY_CURRENT_USER\SOFTWARE\Novemia ».
#pragma once

#include <string>
#include <vector>

// Codes d'erreur à la manière du registre.
constexpr int ErreurValeurAbsente = 2;
constexpr int ErreurAccesRefuse = 5;
constexpr int ErreurValeurTropLongue = 234;
// Valeur que le magasin ne peut pas tenir (saut de ligne dans un fichier, octet nul).
constexpr int ErreurDonneesInvalides = 13;

// Fixe les fichiers lus : celui de l'utilisateur ($XDG_CONFIG_HOME, ~/.config par défaut),
// puis pour la machine chaque dossier de $XDG_CONFIG_DIRS, puis <dossierProgramme>/../etc/xdg
// (l'installation du programme, où qu'elle soit), puis /etc/xdg. Sous Windows, les deux clés
// SOFTWARE\Novemia.
void PreparerEmplacementsReglages(const std::string& dossierProgramme = {});
std::string FichierReglagesUtilisateur();
// Les fichiers de la machine, dans l'ordre où ils sont lus.
std::vector<std::string> FichiersReglagesMachine();

// Une lecture : la valeur, ou le code d'erreur qui dit pourquoi il n'y en a pas.
struct Reglage {
    int erreur = 0;           // 0, ErreurValeurAbsente, ErreurValeurTropLongue (Windows : tout code du registre)
    std::string valeur;       // le texte lu, jusqu'à son premier octet nul
    std::string dossier;      // dossier du fichier qui l'a donnée
};
Reglage LireReglage(const std::string& nom);

// Le réglage pris comme dossier : un chemin relatif part du dossier du fichier qui le donne,
// si bien qu'une installation déplacée en bloc retrouve ses données.
Reglage DossierResolu(Reglage reglage);

// Le texte qu'en voit le programme : la valeur, "ERR" si elle est vide,
// "Erreur : Base de registre (%d)" en cas d'erreur.
std::string TexteReglage(const Reglage& reglage);
// La valeur `nom` telle que le programme la montre (TexteReglage de LireReglage).
std::string LireRegistre(const std::string& nom);

// Écrit `valeur` sous `nom` chez l'utilisateur ; 0 ou le code d'erreur.
int EcrireRegistre(const std::string& nom, const std::string& valeur);
