// Novemia : le jeu de chiffres 9×9.
#include "ui/grilleapp.h"

int main(int argc, char** argv)
{
    CGrilleApp application;
    return application.Executer(argc, argv);
}
