// Les étiquettes vues par les lecteurs d'écran.
#include "ui/accessible.h"

#include "ui/colorlabel.h"

namespace {

QAccessible::Role RoleQt(RoleAccessible role)
{
    switch (role) {
    case RoleAccessible::Choix: return QAccessible::RadioButton;
    case RoleAccessible::Bascule: return QAccessible::CheckBox;
    case RoleAccessible::Etat: return QAccessible::StatusBar;
    case RoleAccessible::Case:
    case RoleAccessible::Texte: break;
    }
    return QAccessible::StaticText;
}

}  // namespace

CAccessibleEtiquette::CAccessibleEtiquette(CColorLabel* etiquette)
    : QAccessibleWidget(etiquette, RoleQt(etiquette->roleAccessible))
{
}

CColorLabel* CAccessibleEtiquette::Etiquette() const { return static_cast<CColorLabel*>(widget()); }

QString CAccessibleEtiquette::text(QAccessible::Text genre) const
{
    // Le nom donné à l'étiquette, sinon son texte (la ligne d'état se lit telle quelle).
    if (genre == QAccessible::Name) {
        const QString nom = widget()->accessibleName();
        return nom.isEmpty() ? Etiquette()->text().trimmed() : nom;
    }
    return QAccessibleWidget::text(genre);
}

QAccessible::State CAccessibleEtiquette::state() const
{
    QAccessible::State etat = QAccessibleWidget::state();
    const CColorLabel* e = Etiquette();
    switch (e->roleAccessible) {
    case RoleAccessible::Case:
        etat.focusable = true;
        etat.focused = e->focusClavier;
        break;
    case RoleAccessible::Choix:
        etat.checkable = true;
        etat.checked = e->coche;
        etat.selectable = true;
        etat.selected = e->coche;
        break;
    case RoleAccessible::Bascule:
        etat.checkable = true;
        etat.checked = e->coche;
        break;
    case RoleAccessible::Etat:
    case RoleAccessible::Texte:
        break;
    }
    return etat;
}

QAccessibleInterface* CAccessibleEtiquette::Fabrique(const QString& classe, QObject* objet)
{
    if (classe == QLatin1String("CColorLabel") && objet != nullptr && objet->isWidgetType())
        return new CAccessibleEtiquette(static_cast<CColorLabel*>(objet));
    return nullptr;
}
