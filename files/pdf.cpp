// Le plus petit PDF qui porte nos pages : un catalogue, l'arbre des pages, deux polices
// standard, puis pour chaque page son objet et son contenu (non compressé), et la table des
// positions de chaque objet, comptées à l'octet.
#include "files/pdf.h"

#include <algorithm>
#include <charconv>

#include "files/fichiertrace.h"

namespace {

// Deux décimales, point décimal quelle que soit la locale.
std::string Nombre(double valeur)
{
    char tampon[32];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, valeur + 0.0, std::chars_format::fixed, 2).ptr;
    std::string texte(tampon, fin);
    if (texte == "-0.00") texte = "0.00";
    return texte;
}

// Une chaîne PDF littérale, en WinAnsi ; parenthèses, barres obliques inverses et octets de
// contrôle échappés.
std::string Chaine(const std::string& utf8)
{
    std::string chaine = "(";
    for (const char c : VersDisque(utf8)) {
        const auto octet = static_cast<unsigned char>(c);
        if (c == '(' || c == ')' || c == '\\') {
            chaine += '\\';
            chaine += c;
        } else if (octet < 0x20 || octet == 0x7F) {
            chaine += {'\\', static_cast<char>('0' + (octet >> 6)), static_cast<char>('0' + ((octet >> 3) & 7)),
                       static_cast<char>('0' + (octet & 7))};
        } else {
            chaine += c;
        }
    }
    return chaine + ")";
}

std::string Contenu(const Page& page, double hauteur)
{
    std::string flux = "2 J\n";
    for (const TraitPage& t : page.traits) {
        flux += Nombre(t.epaisseur) + " w " + Nombre(t.x1) + " " + Nombre(hauteur - t.y1) + " m " + Nombre(t.x2) + " " +
                Nombre(hauteur - t.y2) + " l S\n";
    }
    for (const TextePage& t : page.textes) {
        flux += "BT /" + std::string(t.police == PolicePage::Grasse ? "F2 " : "F1 ") + Nombre(t.taille) + " Tf " +
                Nombre(t.gris) + " g " + Nombre(t.x) + " " + Nombre(hauteur - t.y) + " Td " + Chaine(t.texte) +
                " Tj ET\n";
    }
    return flux;
}

}  // namespace

std::string EnPdf(const DocumentPages& document)
{
    // Objets : 1 catalogue, 2 pages, 3 et 4 polices, puis page et contenu pour chaque page.
    std::vector<std::string> objets{
        "<< /Type /Catalog /Pages 2 0 R >>",
        "",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>",
    };
    std::string enfants;
    const std::string boite = "[0 0 " + Nombre(document.largeur) + " " + Nombre(document.hauteur) + "]";
    for (const Page& page : document.pages) {
        const std::size_t numero = objets.size() + 1;
        enfants += (enfants.empty() ? "" : " ") + std::to_string(numero) + " 0 R";
        objets.push_back("<< /Type /Page /Parent 2 0 R /MediaBox " + boite +
                         " /Resources << /Font << /F1 3 0 R /F2 4 0 R >> >> /Contents " + std::to_string(numero + 1) +
                         " 0 R >>");
        const std::string flux = Contenu(page, document.hauteur);
        objets.push_back("<< /Length " + std::to_string(flux.size()) + " >>\nstream\n" + flux + "endstream");
    }
    objets[1] = "<< /Type /Pages /Kids [" + enfants + "] /Count " + std::to_string(document.pages.size()) + " >>";

    // Le commentaire d'octets hauts dit aux outils que le fichier est binaire.
    std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> positions;
    for (std::size_t k = 0; k < objets.size(); ++k) {
        positions.push_back(pdf.size());
        pdf += std::to_string(k + 1) + " 0 obj\n" + objets[k] + "\nendobj\n";
    }
    const std::size_t table = pdf.size();
    pdf += "xref\n0 " + std::to_string(objets.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t position : positions) {
        const std::string nombre = std::to_string(position);
        pdf += std::string(10 - std::min<std::size_t>(10, nombre.size()), '0') + nombre + " 00000 n \n";
    }
    pdf += "trailer\n<< /Size " + std::to_string(objets.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
           std::to_string(table) + "\n%%EOF\n";
    return pdf;
}
