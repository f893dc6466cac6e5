// Le temps de jeu d'une grille : il ne court que quand la partie le laisse courir (grille en jeu,
// fenêtre active, pas de pause). Il lit une source de temps monotone qu'on lui donne : l'horloge
// du système dans le jeu, une horloge menée à la main dans les tests, qui ne dorment jamais.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <utility>

class CChrono {
public:
    using Duree = std::chrono::milliseconds;
    // Un instant d'une horloge qui ne recule jamais ; seules les différences comptent.
    using Source = std::function<Duree()>;

    explicit CChrono(Source source = {})
        : source(source ? std::move(source) : Source([] {
              return std::chrono::duration_cast<Duree>(std::chrono::steady_clock::now().time_since_epoch());
          }))
    {
    }

    Duree Ecoule() const { return cumul + (depuis ? source() - *depuis : Duree{}); }
    bool Court() const { return depuis.has_value(); }
    void Courir(bool oui)
    {
        if (oui == Court()) return;
        if (oui) {
            depuis = source();
        } else {
            cumul = Ecoule();
            depuis.reset();
        }
    }
    // Repart de `ecoule` (une nouvelle grille : zéro ; une partie reprise : son temps gardé).
    void Remettre(Duree ecoule)
    {
        cumul = ecoule;
        if (depuis) depuis = source();
    }

private:
    Source source;
    Duree cumul{};
    std::optional<Duree> depuis;  // l'instant où il s'est mis à courir
};
