// Écrire un fichier d'un bloc : le nouveau contenu est écrit à côté puis mis à la place de
// l'ancien, si bien qu'une panne en route laisse l'ancien fichier entier. Sans Qt.
#pragma once

#include <string>
#include <string_view>

// Comment finir quand le dossier n'accepte aucun fichier nouveau.
enum class RecoursSurPlace {
    Permis,  // un fichier existant qu'on a le droit d'écrire est réécrit sur place
    Refuse,  // l'écriture échoue : le fichier ne doit jamais être vu à moitié écrit
};

// Écrit `texte` dans `chemin` (UTF-8) ; un lien est suivi, le fichier remplacé garde ses
// droits ; seul un fichier ordinaire est remplacé. Faux si rien n'a pu être écrit.
bool EcrireFichierEnBloc(const std::string& chemin, std::string_view texte,
                         RecoursSurPlace recours = RecoursSurPlace::Permis);

// Efface `chemin` s'il existe ; faux seulement s'il existe encore après.
bool EffacerFichier(const std::string& chemin);
