// Makes the splash window's two files of the data folder: its picture, drawn here and written
// with the program's own GIF writer, and its built-in tune, synthesised here:
//   cmake --build build --target lyrx_fichiers_demarrage && build/tools/lyrx_fichiers_demarrage data
// They are files so that the splash only has to read them: making them takes far longer than
// the program may take to start.
#include "controls/GifEcriture.h"
#include "controls/GifQt.h"
#include "print/SonDemarrage.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>
#include <string>
#include <vector>

namespace {

QFont Police(int pixels, bool gras, bool italique = false)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(pixels);
    f.setBold(gras);
    f.setItalic(italique);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

QImage Dessiner(int largeur, int hauteur)
{
    QImage image(largeur, hauteur, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient fond(0, 0, 0, hauteur);
    fond.setColorAt(0.0, QColor(24, 40, 88));
    fond.setColorAt(1.0, QColor(6, 10, 24));
    p.fillRect(image.rect(), fond);

    // A stave of tablature across the lower half, with a few frets on it.
    const int gauche = 14, droite = largeur - 14, haut = hauteur / 2 + 6, ecart = 9;
    p.setPen(QColor(120, 140, 190));
    for (int c = 0; c < 6; ++c)
        p.drawLine(gauche, haut + c * ecart, droite, haut + c * ecart);
    p.drawLine(gauche, haut, gauche, haut + 5 * ecart);
    p.drawLine(droite, haut, droite, haut + 5 * ecart);
    p.drawLine((gauche + droite) / 2, haut, (gauche + droite) / 2, haut + 5 * ecart);
    static constexpr struct {
        int colonne, corde;
        const char* frette;
    } notes[] = {{1, 5, "0"}, {2, 4, "2"}, {3, 3, "2"}, {4, 2, "1"}, {5, 1, "0"}, {6, 2, "1"},
                 {8, 6, "1"}, {9, 4, "3"}, {10, 3, "2"}, {11, 2, "1"}, {12, 1, "1"}, {13, 3, "2"}};
    p.setFont(Police(10, true));
    const int pasColonne = (droite - gauche) / 15;
    for (const auto& n : notes) {
        const QRect case_(gauche + n.colonne * pasColonne - 5, haut + (n.corde - 1) * ecart - 5, 10, 10);
        p.fillRect(case_, QColor(10, 18, 42));
        p.setPen(QColor(240, 200, 90));
        p.drawText(case_, Qt::AlignCenter, QString::fromLatin1(n.frette));
    }

    p.setPen(Qt::white);
    p.setFont(Police(30, true));
    p.drawText(QRect(0, 14, largeur, 40), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Lyrandaxis"));
    p.setPen(QColor(200, 210, 235));
    p.setFont(Police(11, false, true));
    p.drawText(QRect(0, 52, largeur, 16), Qt::AlignHCenter | Qt::AlignVCenter,
               QStringLiteral("Guitar and bass tablature  -  version 2.2"));
    p.setPen(QColor(120, 140, 190));
    p.drawRect(0, 0, largeur - 1, hauteur - 1);
    return image;
}

} // namespace

bool Ecrire(const std::string& chemin, const std::vector<uint8_t>& octets)
{
    std::FILE* f = std::fopen(chemin.c_str(), "wb");
    const bool ok = f && std::fwrite(octets.data(), 1, octets.size(), f) == octets.size();
    if ((f && std::fclose(f) != 0) || !ok) {
        std::fprintf(stderr, "%s cannot be written\n", chemin.c_str());
        return false;
    }
    return true;
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s data-folder\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const std::string dossier = std::string(argv[1]) + "/";
    const ImagePixels couleurs = ImagePixelsDe(Dessiner(279, 176));
    TGIFImage gif;
    gif.Assign(QuantizeToPalette(couleurs, 256));
    if (!Ecrire(dossier + "Splash.gif", WriteGIFStream(gif, false)))
        return 1;
    return Ecrire(dossier + "Splash.wav", AirDemarrageIntegre()) ? 0 : 1;
}
