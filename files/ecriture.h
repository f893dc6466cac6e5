// Écrire un fichier d'un bloc : le nouveau contenu est écrit à côté puis mis à la place de
// l'ancien, si bien qu'une panne en route laisse l'ancien fichier entier. C'est le seul
// chemin par lequel le programme remplace un fichier (grille exportée, partie gardée,
// réglages). Sans Qt.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// Comment finir quand le dossier n'accepte aucun fichier nouveau.
enum class RecoursSurPlace {
    Refuse,  // l'écriture échoue : le fichier ne doit jamais être vu à moitié écrit
    Permis,  // un fichier existant qu'on a le droit d'écrire est vidé puis réécrit sur place
};

// Ce qu'une écriture a fait.
enum class Ecriture {
    Echouee,       // rien n'a changé : l'ancien fichier, s'il y en avait un, est intact
    Faite,         // le nouveau contenu est en place, et sur le disque
    NonConfirmee,  // le nouveau contenu est en place, mais le système n'a pas pu écrire son
                   // dossier sur le disque : une coupure de courant pourrait encore rendre l'ancien
};

// Écrit `texte` dans `chemin` (UTF-8) ; un lien est suivi, le fichier remplacé garde ses
// droits ; seul un fichier ordinaire est remplacé.
Ecriture EcrireFichierEnBloc(const std::string& chemin, std::string_view texte,
                             RecoursSurPlace recours = RecoursSurPlace::Refuse);

// Efface `chemin` s'il existe ; faux seulement s'il existe encore après.
bool EffacerFichier(const std::string& chemin);

// Met `chemin` de côté, dans son dossier, sous « <nom>-<mot>-<AAAA-MM-JJ-HHMMSS><extension> »
// (« date-inconnue » sans heure locale ; suivi de « -2 », « -3 »… si ce nom est pris) : aucun
// fichier n'est écrasé. Rend le nouveau chemin, rien si le fichier n'a pas pu être déplacé.
std::optional<std::string> MettreDeCote(const std::string& chemin, std::string_view mot,
                                        const std::optional<std::tm>& heureLocale);
