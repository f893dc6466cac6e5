// Le clavier du plateau. Chaque touche est le clic qu'elle remplace (CPartie::Appuyer) : les
// flèches mènent un curseur de case, un chiffre choisit l'entrée de la palette puis clique
// la case du curseur, etc. Ici, seulement la traduction d'un texte tapé en touche du jeu.
#pragma once

#include <string_view>

enum class ToucheJeu { Aucune, Haut, Bas, Gauche, Droite, Chiffre, Gomme, Espace, Hypothese, Note };

struct Touche {
    ToucheJeu genre = ToucheJeu::Aucune;
    int chiffre = 0;  // 1 à 9 pour ToucheJeu::Chiffre et ToucheJeu::Note
};

// La touche d'un texte tapé (UTF-8) : "1" à "9", et la rangée des chiffres d'un clavier
// français sans majuscule (« &é"'(-è_ç ») ; "0" et « à » pour la gomme ; "?", "h" et "H" pour
// l'hypothèse ; l'espace. Tout autre texte ne donne aucune touche.
Touche ToucheDuTexte(std::string_view texte);
// La même touche tenue avec Ctrl : le chiffre qu'elle tape devient une note de la case du
// curseur (Ctrl+1, Ctrl+& en AZERTY…) ; toute autre touche ne donne rien.
Touche NoteDuTexte(std::string_view texte);
