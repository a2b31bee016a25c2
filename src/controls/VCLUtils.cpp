#include "controls/VCLUtils.h"

#include "controls/Cadres.h"
#include "controls/CxCommon.h"

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QWidget>

#include <cstring>

namespace {

QImage SansCouleur(const QImage& image, QRgb cle)
{
    QImage resultat = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < resultat.height(); ++y) {
        auto* ligne = reinterpret_cast<QRgb*>(resultat.scanLine(y));
        for (int x = 0; x < resultat.width(); ++x)
            if ((ligne[x] & 0x00FFFFFF) == (cle & 0x00FFFFFF))
                ligne[x] = 0;
    }
    return resultat;
}

bool EstMonochrome(const QImage& image)
{
    return image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB;
}

unsigned char Octet(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

} // namespace

void StretchBitmapLeavingColour(QPainter& peintre, const QImage& image, CouleurTransparente transparent,
                                QRect destination, QRect source)
{
    if (image.isNull())
        return;
    if (destination.width() < 1)
        destination.setWidth(image.width());
    if (destination.height() < 1)
        destination.setHeight(image.height());
    if (source.isEmpty())
        source = image.rect();
    if (transparent.Genre == CouleurTransparente::Aucune) {
        peintre.drawImage(destination, image.copy(source));
        return;
    }
    QRgb cle;
    if (EstMonochrome(image))
        cle = qRgb(255, 255, 255);
    else if (transparent.Genre == CouleurTransparente::ParDefaut)
        cle = image.pixel(0, image.height() - 1);
    else
        cle = transparent.Valeur.rgb();
    BlitLeavingColour(peintre, destination, image, source, cle);
}

void BlitLeavingColour(QPainter& peintre, QRect destination, const QImage& image, QRect source, QRgb transparent)
{
    if (image.isNull() || destination.isEmpty() || source.isEmpty())
        return;
    const bool lisse = peintre.testRenderHint(QPainter::SmoothPixmapTransform);
    peintre.setRenderHint(QPainter::SmoothPixmapTransform, false);
    peintre.drawImage(destination, SansCouleur(image.copy(source), transparent));
    peintre.setRenderHint(QPainter::SmoothPixmapTransform, lisse);
}

void PaintParentBehind(const QWidget& controle, QPainter& peintre)
{
    QWidget* parent = controle.parentWidget();
    if (!parent)
        return;
    const QRect zone = controle.geometry();
    // render() keeps the painter's state, takes a region in the rendered widget's coordinates
    // and puts the region's top-left corner at the offset given.
    const QRect vu = zone.intersected(parent->rect());
    if (vu.isEmpty())
        return;
    parent->render(&peintre, vu.topLeft() - zone.topLeft(), QRegion(vu), QWidget::DrawWindowBackground);
    for (QObject* objet : parent->children()) {
        if (objet == &controle)
            break; // the siblings after it lie above it
        auto* frere = qobject_cast<QWidget*>(objet);
        if (!frere || frere->isWindow() || !frere->isVisibleTo(parent) || !frere->geometry().intersects(zone))
            continue;
        const QRect commun = frere->geometry().intersected(zone).translated(-frere->pos());
        frere->render(&peintre, frere->pos() - zone.topLeft() + commun.topLeft(), QRegion(commun),
                      QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
}

void DrawImageEmbossed(QPainter& peintre, const std::vector<QImage>& liste, int x, int y, int indice,
                       QColor lumiere, QColor gris, bool avecLumiere)
{
    if (indice < 0 || static_cast<std::size_t>(indice) >= liste.size())
        return;
    const QImage image = liste[static_cast<std::size_t>(indice)].convertToFormat(QImage::Format_ARGB32);
    const auto forme = [&](QColor couleur) {
        QImage f(image.size(), QImage::Format_ARGB32);
        f.fill(Qt::transparent);
        for (int v = 0; v < image.height(); ++v)
            for (int u = 0; u < image.width(); ++u)
                if (qAlpha(image.pixel(u, v)) != 0)
                    f.setPixel(u, v, couleur.rgb());
        return f;
    };
    if (avecLumiere)
        peintre.drawImage(x + 1, y + 1, forme(lumiere));
    peintre.drawImage(x, y, forme(gris));
}

void DrawBitmapRectLeavingColour(QPainter& peintre, int x, int y, QRect source, const QImage& image,
                                 CouleurTransparente transparent)
{
    StretchBitmapLeavingColour(peintre, image, transparent, QRect(x, y, source.width(), source.height()), source);
}

QImage MakeEmbossedBitmapEx(const QImage& image, QColor contour, QColor fond, QColor lumiere, QColor ombre,
                            bool avecLumiere)
{
    // A monochrome source marks its white pixels.
    const QRgb cle = EstMonochrome(image) ? qRgb(255, 255, 255) : contour.rgb();
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    QImage resultat(image.size(), QImage::Format_RGB32);
    resultat.fill(fond);
    const auto marque = [&](int x, int y) { return (source.pixel(x, y) & 0x00FFFFFF) == (cle & 0x00FFFFFF); };
    if (avecLumiere)
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                if (marque(x, y) && x + 1 < resultat.width() && y + 1 < resultat.height())
                    resultat.setPixel(x + 1, y + 1, lumiere.rgb());
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (marque(x, y))
                resultat.setPixel(x, y, ombre.rgb());
    return resultat;
}

QImage MakeEmbossedBitmap(const QImage& image, QColor contour)
{
    return MakeEmbossedBitmapEx(image, contour, CouleurSystemeQt(clBtnFace), CouleurSystemeQt(clBtnHighlight),
                                CouleurSystemeQt(clBtnShadow), true);
}

std::string ShortenText(std::string_view texte, platform::Canevas& canevas, int largeurMax)
{
    if (canevas.TextWidth(texte) <= largeurMax)
        return std::string(texte);
    for (std::size_t n = texte.size() >= 2 ? texte.size() - 2 : 0;; --n) {
        std::string court = std::string(texte.substr(0, n)) + "...";
        if (n == 0 || canevas.TextWidth(court) <= largeurMax)
            return court;
    }
}

std::string NextCommandWord(std::string_view ligne, std::size_t& pos)
{
    while (pos < ligne.size()) {
        if (Octet(ligne, pos) >= 1 && Octet(ligne, pos) <= 32)
            ++pos;
        else if (ligne[pos] == '"' && pos + 1 < ligne.size() && ligne[pos + 1] == '"')
            pos += 2;
        else
            break;
    }
    std::string mot;
    while (pos < ligne.size() && Octet(ligne, pos) > 32) {
        if (ligne[pos] == '"') {
            ++pos;
            while (pos < ligne.size() && ligne[pos] != '"')
                mot += ligne[pos++];
            if (pos < ligne.size())
                ++pos; // the closing quote
        } else {
            mot += ligne[pos++];
        }
    }
    return mot;
}

int CommandWordCount(std::string_view ligne)
{
    std::size_t pos = 0;
    int n = 0;
    while (!NextCommandWord(ligne, pos).empty())
        ++n;
    return n;
}

std::string CommandWord(std::string_view ligne, int indice)
{
    std::size_t pos = 0;
    for (int i = 0;; ++i) {
        std::string mot = NextCommandWord(ligne, pos);
        if (mot.empty() || i == indice)
            return i == indice ? mot : std::string();
    }
}

std::pair<std::string, std::string> SplitProgramAndParams(std::string_view ligne)
{
    std::size_t pos = 0;
    std::pair<std::string, std::string> r;
    r.first = NextCommandWord(ligne, pos);
    for (std::string mot = NextCommandWord(ligne, pos); !mot.empty(); mot = NextCommandWord(ligne, pos)) {
        if (!r.second.empty())
            r.second += ' ';
        r.second += mot.find(' ') != std::string::npos ? '"' + mot + '"' : mot;
    }
    return r;
}

std::function<void(const QString& texte)>& BoiteNonImplemente()
{
    static std::function<void(const QString&)> boite = [](const QString& texte) {
        QMessageBox::information(QApplication::activeWindow(), QString(), texte, QMessageBox::Ok);
    };
    return boite;
}

void ShowNotImplemented()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    if (BoiteNonImplemente())
        BoiteNonImplemente()(QString::fromUtf8("Fonction non encore implémentée"));
    throw EAbort();
}

void DropPendingMessage(QObject* destinataire, QEvent::Type type)
{
    QCoreApplication::removePostedEvents(destinataire, type);
    if (type == QEvent::Quit)
        QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::Quit));
}

bool ActiveWindowIsOurs() { return QApplication::activeWindow() != nullptr; }

std::vector<std::byte> AllocMemo(long long taille)
{
    return taille < 1 ? std::vector<std::byte>() : std::vector<std::byte>(static_cast<std::size_t>(taille));
}

void FreeMemo(std::vector<std::byte>& bloc) { std::vector<std::byte>().swap(bloc); }

bool CompareMem(const void* a, const void* b, std::size_t n) { return n == 0 || std::memcmp(a, b, n) == 0; }

void CopyMem(const void* source, void* destination, std::size_t n)
{
    if (n > 0)
        std::memmove(destination, source, n);
}
