// Les polices que les skins demandent, quand le programme les porte en lui (Windows).
#pragma once

// Enregistre les polices embarquées et fait de Liberation Serif le remplaçant de Times New Roman
// là où celle-ci manque ; sans polices embarquées (Linux), ne fait rien.
void PreparerPolices();
