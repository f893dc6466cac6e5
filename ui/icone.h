// L'icône du programme : celle installée avec lui (thème hicolor), sinon une grille dessinée.
#pragma once

#include <QIcon>

QIcon IconeApplication();
// La grille dessinée, à défaut d'icône installée.
QIcon IconeDessinee();
