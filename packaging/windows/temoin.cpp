// Le témoin « Novemia est ouvert » : un mutex nommé, dans la session et pour toutes les
// sessions, qui vit autant que le programme (le système le ferme à sa sortie). L'installateur
// et le désinstalleur le cherchent et refusent de remplacer ou d'ôter les fichiers tant qu'il
// existe (packaging/windows/novemia.nsh.in).
#include <windows.h>

namespace {

[[maybe_unused]] const bool temoinPose = [] {
    CreateMutexW(nullptr, FALSE, L"Novemia-ouvert");
    CreateMutexW(nullptr, FALSE, L"Global\\Novemia-ouvert");
    return true;
}();

}  // namespace
