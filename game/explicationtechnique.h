// Les étapes du raisonnement par techniques (engine/raisonnement.h) dites avec les mots du
// joueur, lignes, colonnes et régions comptées de 1 à 9 (régions en lecture), les cases
// nommées comme partout (game/explication.h) ; et leur forme JSON, écrite à la main.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/raisonnement.h"

// L'identifiant court d'une technique, pour le JSON : "seul_candidat", "x_wing"…
std::string_view IdTechnique(Technique technique);
// Son nom français : "seul candidat", "paire cachée", "X-wing"…
std::string_view NomTechnique(Technique technique);
// "ligne 4", "colonne 5", "région 3".
std::string NommerUnite(const Unite& unite);

// "ligne 1 : le 5 deux fois, colonnes 2 et 7".
std::string DecrireRepetition(const Repetition& repetition);

// Une étape en une phrase : "ligne 4, colonne 6 : seul chiffre possible, le 7", "paire nue
// dans la ligne 2 : …", "hypothèse : …", "contradiction : …", "la grille est pleine : …".
// Sous hypothèse, chaque phrase nomme son niveau : une technique finit par "… (niveau 2)",
// une contradiction le dit après ce qu'elle ôte, la fin nomme les hypothèses ouvertes.
std::string DecrireEtape(const Etape& etape);

// Un indice en trois temps sur une étape : d'abord la technique et où regarder (« une paire
// cachée dans la région 5 », « un X-wing sur le 4 », « une preuve par l'absurde : essayez le 4
// en ligne 1, colonne 1 ») ; puis, en plus, chaque case en jeu et ses candidats en jeu
// (« … : ligne 4, colonne 5 (le 2 et le 6) et ligne 6, colonne 4 (le 2 et le 6) ») ; enfin la
// phrase entière (DecrireEtape). Une contradiction et la fin se disent tout de suite en entier.
std::string IndiceOu(const Etape& etape);
std::string IndiceCandidats(const Etape& etape);

// Ce que « Pourquoi ? » montre d'une réponse au temps `temps` d'un indice : 1, la technique de
// la première étape et où regarder ; 2, ses cases et ses candidats en jeu, et ce qu'elle ôte ;
// 3 (et au-delà), la réponse entière, chaque étape de la chaîne et tout ce qu'elle ôte. Une
// hypothèse, une position pleine ou sans solution se disent tout de suite en entier.
struct IndiceMontre {
    std::string resume;                // pour la ligne d'état
    std::vector<std::string> phrases;  // pour le panneau
    std::vector<Coordonnees> cases;    // à teinter
    std::vector<CaseChiffre> enJeu;    // les candidats dont l'étape se sert
    std::vector<CaseChiffre> retraits; // ceux qu'elle ôte
    bool suite = false;                // un autre appui en montre plus
};
IndiceMontre MontrerIndice(const ProchainePose& reponse, int32_t temps);

// Ce que répond « Pourquoi ? » : une phrase par étape de la chaîne, la pose en dernier ; ou
// l'hypothèse à faire.
std::vector<std::string> DecrireProchainePose(const ProchainePose& reponse);
// La même réponse en une phrase, vraie telle quelle : la pose elle-même quand elle vient
// seule ("ligne 4, colonne 6 : seul chiffre possible, le 7"), sinon "en 3 étapes, le 7 va en
// ligne 4, colonne 6" ; ou l'hypothèse à faire, en disant d'une position à plusieurs
// solutions qu'aucun raisonnement ne la finit seul.
std::string ResumerProchainePose(const ProchainePose& reponse);

// Une note avec un chiffre après le point (ou `virgule`), quelle que soit la locale : "4.2".
std::string TexteNote(double note, char virgule = '.');

// Le bilan en quelques lignes : la technique la plus dure et la note, puis le nombre
// d'étapes de chaque technique employée.
std::vector<std::string> DecrireBilan(const Bilan& bilan);

// Toute l'explication en un objet JSON (UTF-8, lignes et colonnes de 1 à 9) :
// {"depart": "<81 chiffres>", "etapes": [{"technique", "texte", "niveau", "poses",
//  "retraits", "cases", "unites", "chiffres"[, "faux", "abandon"][, "unique"]}…],
//  "solution": "<81 chiffres>" ou null,
//  "resume": {"techniques": {id: nombre…}, "plus_difficile": id ou null, "niveau_max", "note"}}
std::string ExplicationEnJson(const Explication& explication);
// Un texte UTF-8 en chaîne JSON, guillemets compris.
std::string TexteJson(std::string_view texte);
