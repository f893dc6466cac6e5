// Outil commun des cibles de fuzzing : une propriété violée arrête tout de suite le
// programme, ce que libFuzzer enregistre comme un plantage avec l'entrée fautive.
#pragma once

#include <cstdio>
#include <cstdlib>

#define NOVEMIA_EXIGER(condition)                                                             \
    do {                                                                                      \
        if (!(condition)) {                                                                   \
            std::fprintf(stderr, "Propriété violée (%s:%d) : %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (false)
