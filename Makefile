# Novemia — points d'entrée. Chaque cible installe d'abord ce qui manque (paquets Debian).
.PHONY: dependances construire test run bench captures fuzz paquet

dependances:
	@bash scripts/installer-dependances.sh

construire: dependances
	cmake --preset defaut
	cmake --build --preset defaut

# Secondes de fuzzing par cible (`make fuzz DUREE=300`) ; la CI en donne 20.
DUREE ?= 60

# Configure, construit et teste le préréglage $(1), et dit le temps que la partie $(2) a pris.
define partie
	@debut=$$(date +%s); \
	cmake --preset $(1) >/dev/null && cmake --build --preset $(1) && ctest --preset $(1); \
	statut=$$?; echo "Partie $(2) (construction et tests) : $$(( $$(date +%s) - debut )) s"; exit $$statut
endef

# Toute la suite, construite sans qu'aucun avertissement ne passe (préréglage « ci », dans
# build-ci), puis encore toute la suite construite avec ASan et UBSan (préréglage
# « sanitiseurs », options et suppressions dans CMakePresets.json), puis ce qui se construit
# pour Windows, tests lancés sous Wine (préréglage « windows ») ; en CI, le fuzzing aussi.
test: dependances
	$(call partie,ci,ordinaire)
	$(call partie,sanitiseurs,sanitiseurs)
	$(call partie,windows,Windows sous Wine)
	@if [ -n "$$CI" ]; then $(MAKE) --no-print-directory fuzz DUREE=20; fi

# Chaque cible libFuzzer DUREE secondes, à partir des corpus de fuzz/corpus/.
fuzz: dependances
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz
	bash fuzz/lancer.sh build-fuzz/fuzz $(DUREE)

bench: construire
	./build/bench/novemia-bench
	./build/bench/fenetre/novemia-bench-demarrage

# Installation complète sous build/installation (les mêmes règles que la vraie), puis le jeu,
# qui trouve ses réglages de machine à côté de lui, dans build/installation/etc/xdg.
INSTALLATION = $(CURDIR)/build/installation
run: construire
	cmake --install build --prefix "$(INSTALLATION)"
	"$(INSTALLATION)/bin/novemia"

captures: construire
	cmake --build --preset defaut --target captures

# Paquet Debian dans build/ : novemia_<version>_<architecture>.deb.
paquet: construire
	cd build && cpack -G DEB
