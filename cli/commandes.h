// Les sous-commandes de novemia-cli. Chacune reçoit ses arguments avec, en argv[0], le nom
// de la sous-commande, et rend le code de sortie du programme.
#pragma once

// « resoudre FICHIER [FICHIER…] [--trace JOURNAL] » et « resoudre --lignes FICHIER ».
int CommandeResoudre(int argc, char** argv);

// « generer NIVEAU [--graine N] [--nombre K] [--trace JOURNAL] ».
int CommandeGenerer(int argc, char** argv);
