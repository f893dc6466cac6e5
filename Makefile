# Novemia — points d'entrée. Chaque cible installe d'abord ce qui manque (paquets Debian).
.PHONY: dependances construire test run bench captures fuzz paquet qt-windows test-windows paquet-windows windows-bout-en-bout

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

# La Qt pour Windows du préréglage « windows » : construite une fois par machine, hors du
# dépôt, par scripts/qt-windows.sh (environ une heure sur 2 cœurs) ; ensuite rien à faire.
QT_WINDOWS = $(shell bash scripts/qt-windows.sh --chemin 2>/dev/null)
# Le jeu entier pour Windows quand cette Qt est là ; sans elle, ce qui se construit sans Qt.
PRESET_WINDOWS = $(if $(wildcard $(QT_WINDOWS)/novemia-qt-complete),windows,windows-sans-fenetre)

# Toute la suite, construite sans qu'aucun avertissement ne passe (préréglage « ci », dans
# build-ci), puis encore toute la suite construite avec ASan et UBSan (préréglage
# « sanitiseurs », options et suppressions dans CMakePresets.json), puis ce qui se construit
# pour Windows, tests lancés sous Wine : le jeu entier si la Qt pour Windows est déjà faite
# (préréglage « windows »), sinon le reste (« windows-sans-fenetre ») ; en CI, le fuzzing aussi.
test: dependances
	$(call partie,ci,ordinaire)
	$(call partie,sanitiseurs,sanitiseurs)
	$(call partie,$(PRESET_WINDOWS),Windows sous Wine ($(PRESET_WINDOWS)))
	@if [ "$(PRESET_WINDOWS)" != windows ]; then \
	  echo "La fenêtre pour Windows n'a pas été construite : make test-windows (Qt pour Windows d'abord)"; fi
	@if [ -n "$$CI" ]; then $(MAKE) --no-print-directory fuzz DUREE=20; fi

qt-windows: dependances
	@bash scripts/qt-windows.sh >/dev/null

# Windows entier : la Qt (construite si elle manque), le jeu et tous ses tests sous Wine,
# l'installateur, puis l'essai de bout en bout de l'installateur dans un Wine neuf.
test-windows: qt-windows
	$(call partie,windows,Windows sous Wine)
	$(MAKE) --no-print-directory windows-bout-en-bout

# L'installateur : build-windows/Novemia-<version>-win64.exe (CPack construit d'abord tout le
# préréglage, tests compris).
paquet-windows: qt-windows
	cmake --preset windows >/dev/null
	cmake --build --preset windows
	cd build-windows && cpack -G NSIS

# L'installateur installé en silence dans un préfixe Wine neuf, le jeu lancé sur un écran
# virtuel et joué au clavier, puis désinstallé (scripts/windows-bout-en-bout.sh).
windows-bout-en-bout: paquet-windows
	@debut=$$(date +%s); \
	bash scripts/windows-bout-en-bout.sh build-windows/Novemia-*-win64.exe build-windows/bout-en-bout; \
	statut=$$?; echo "Essai de bout en bout sous Wine : $$(( $$(date +%s) - debut )) s"; exit $$statut

# Chaque cible libFuzzer DUREE secondes, à partir des corpus de fuzz/corpus/.
fuzz: dependances
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz
	bash fuzz/lancer.sh build-fuzz/fuzz $(DUREE)

# Les outils de la mesure du démarrage vue de l'extérieur vivent à côté du dépôt
# (../shared/mesures) ; là où ils manquent (dépôt cloné seul), cette mesure est sautée.
MESURES ?= $(CURDIR)/../shared/mesures

bench: construire
	./build/bench/novemia-bench
	./build/bench/fenetre/novemia-bench-demarrage
	python3 bench/fenetre/exterieur.py build "$(MESURES)"

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
