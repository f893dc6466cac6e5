# Novemia — points d'entrée. Chaque cible installe d'abord ce qui manque (paquets Debian).
.PHONY: dependances construire test run bench captures

dependances:
	@bash scripts/installer-dependances.sh

construire: dependances
	cmake --preset defaut
	cmake --build --preset defaut

test: construire
	ctest --preset defaut

bench: construire
	./build/bench/novemia-bench

run: construire
	@echo "(la fenêtre arrive avec le jeu)"

captures: construire
	cmake --build --preset defaut --target captures
