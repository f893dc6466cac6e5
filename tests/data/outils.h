// Petits outils communs aux tests des données livrées : noms des skins, lecture simple
// d'un fichier de couleurs, luminance et contraste.
#pragma once

#include <QColor>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <cmath>
#include <map>
#include <string>
#include <vector>

inline QStringList NomsSkins() { return QString(NOVEMIA_NOMS_SKINS).split(QLatin1Char(',')); }

// Les mêmes, pour nommer lisiblement les cas des tests paramétrés.
inline std::vector<std::string> NomsSkinsStd()
{
    std::vector<std::string> noms;
    for (const QString& nom : NomsSkins())
        noms.push_back(nom.toStdString());
    return noms;
}

inline QString CheminSkin(const QString& nom, const char* extension)
{
    return QStringLiteral(NOVEMIA_DOSSIER_SKINS "/") + nom + QLatin1Char('.') + QLatin1String(extension);
}

inline const QStringList& ClesCouleurs()
{
    static const QStringList cles{"Init", "DeduitOrdi", "HypoOrdi", "CoupDeMain", "CoupJoueur", "HypoJoueur"};
    return cles;
}

// Lecture stricte, pour des fichiers qu'on livre : chaque clé en tête de ligne suivie de
// valeurs entières écrites en clair. Les valeurs de chaque clé, dans l'ordre des lignes.
struct FichierCouleurs {
    bool lisible = false;
    std::map<QString, std::vector<std::vector<int>>> valeurs;  // clé -> une liste par ligne
    QStringList fautes;                                        // champs qui ne sont pas des nombres
};

inline FichierCouleurs LireCouleurs(const QString& chemin)
{
    FichierCouleurs f;
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly | QIODevice::Text))
        return f;
    f.lisible = true;
    QTextStream flux(&fichier);
    while (!flux.atEnd()) {
        const QString ligne = flux.readLine();
        for (const QString& cle : ClesCouleurs()) {
            if (!ligne.startsWith(cle + QLatin1Char('=')))
                continue;
            std::vector<int> nombres;
            for (const QString& champ : ligne.mid(cle.size() + 1).split(QLatin1Char(','))) {
                bool ok = false;
                const int v = champ.toInt(&ok);
                if (ok)
                    nombres.push_back(v);
                else
                    f.fautes << cle + QStringLiteral(" : « ") + champ + QStringLiteral(" »");
            }
            f.valeurs[cle].push_back(nombres);
        }
    }
    return f;
}

// Luminance relative et rapport de contraste, au sens des recommandations d'accessibilité.
inline double Luminance(const QColor& c)
{
    auto lineaire = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lineaire(c.red()) + 0.7152 * lineaire(c.green()) + 0.0722 * lineaire(c.blue());
}

inline double Contraste(const QColor& a, const QColor& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Écart de luminosité perçue, 0 à 255.
inline int EcartClarte(const QColor& a, const QColor& b) { return std::abs(qGray(a.rgb()) - qGray(b.rgb())); }
