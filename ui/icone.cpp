#include "ui/icone.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>

QIcon IconeDessinee()
{
    QIcon icone;
    for (int taille : {16, 32, 48}) {
        QPixmap image(taille, taille);
        image.fill(Qt::transparent);
        QPainter peintre(&image);
        peintre.setRenderHint(QPainter::Antialiasing, false);
        peintre.fillRect(0, 0, taille, taille, QColor(250, 246, 232));
        // Neuf régions, bordures épaisses : on la reconnaît même en 16 px.
        const double pas = (taille - 1) / 3.0;
        peintre.setPen(QPen(QColor(40, 40, 60), taille >= 32 ? 2 : 1));
        for (int i = 0; i <= 3; ++i) {
            const int p = static_cast<int>(i * pas);
            peintre.drawLine(p, 0, p, taille - 1);
            peintre.drawLine(0, p, taille - 1, p);
        }
        peintre.fillRect(static_cast<int>(pas) + 2, static_cast<int>(pas) + 2, static_cast<int>(pas) - 3,
                         static_cast<int>(pas) - 3, QColor(200, 60, 40));
        peintre.end();
        icone.addPixmap(image);
    }
    return icone;
}

QIcon IconeApplication()
{
    // Installée à côté du programme : <préfixe>/bin/novemia et <préfixe>/share/icons/hicolor.
    const QString racine = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/icons/hicolor/");
    QIcon icone;
    for (int taille : {16, 24, 32, 48, 64, 128, 256}) {
        const QString chemin =
            racine + QStringLiteral("%1x%1/apps/novemia.png").arg(taille);
        if (QFileInfo::exists(chemin))
            icone.addFile(chemin, QSize(taille, taille));
    }
    // Dans l'arbre de construction, avant toute installation : <construction>/icones.
    if (icone.isNull()) {
        const QString construction = QCoreApplication::applicationDirPath() + QStringLiteral("/../icones/");
        for (int taille : {16, 32, 48, 64, 128, 256}) {
            const QString chemin = construction + QStringLiteral("novemia-%1.png").arg(taille);
            if (QFileInfo::exists(chemin))
                icone.addFile(chemin, QSize(taille, taille));
        }
    }
    // Sous Windows, les icônes voyagent dans le programme.
    if (icone.isNull()) {
        for (int taille : {16, 32, 48, 64, 128, 256}) {
            const QString chemin = QStringLiteral(":/icones/novemia-%1.png").arg(taille);
            if (QFileInfo::exists(chemin))
                icone.addFile(chemin, QSize(taille, taille));
        }
    }
    if (!icone.isNull())
        return icone;
    const QIcon theme = QIcon::fromTheme(QStringLiteral("novemia"));
    return theme.isNull() ? IconeDessinee() : theme;
}
