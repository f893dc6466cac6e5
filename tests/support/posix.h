// Les quelques fonctions POSIX des tests, sous Windows écrites avec celles de son CRT : les
// tests restent les mêmes sur les deux systèmes.
#pragma once

#include <cstdlib>
#include <ctime>

#ifdef _WIN32
inline int setenv(const char* nom, const char* valeur, int) { return _putenv_s(nom, valeur); }
inline int unsetenv(const char* nom) { return _putenv_s(nom, ""); }
#ifndef _POSIX_THREAD_SAFE_FUNCTIONS  // sinon mingw-w64 la donne déjà
inline std::tm* localtime_r(const std::time_t* instant, std::tm* heure)
{
    return localtime_s(heure, instant) == 0 ? heure : nullptr;
}
#endif
#endif
