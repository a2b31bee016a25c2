#include "controls/GifQt.h"

#include <QMimeData>
#include <QPainter>

using platform::Couleur;

QImage QImageDe(const ImagePixels& bitmap)
{
    if (bitmap.Vide())
        return {};
    // Every pixel is opaque, or left clear by QImageDeCadre: the same values premultiplied,
    // which a painter draws in one pass instead of converting each line (on other threads).
    QImage image(bitmap.largeur, bitmap.hauteur, QImage::Format_ARGB32_Premultiplied);
    for (int32_t y = 0; y < bitmap.hauteur; ++y) {
        auto* ligne = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int32_t x = 0; x < bitmap.largeur; ++x) {
            const Couleur c = bitmap.Pixel(x, y);
            ligne[x] = qRgb(c.r, c.g, c.b);
        }
    }
    return image;
}

ImagePixels ImagePixelsDe(const QImage& image)
{
    if (image.isNull())
        return {};
    if (image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono ||
        image.format() == QImage::Format_MonoLSB) {
        const QImage i8 = image.convertToFormat(QImage::Format_Indexed8);
        const int n = static_cast<int>(i8.colorTable().size());
        const int bits = n <= 2 ? 1 : n <= 16 ? 4 : 8;
        std::vector<Couleur> palette;
        for (QRgb c : i8.colorTable())
            palette.emplace_back(qRed(c), qGreen(c), qBlue(c));
        ImagePixels im = ImagePixels::Indexee(i8.width(), i8.height(), bits, std::move(palette));
        for (int y = 0; y < i8.height(); ++y)
            for (int x = 0; x < i8.width(); ++x)
                im.indices[std::size_t(y) * std::size_t(i8.width()) + std::size_t(x)] =
                    static_cast<uint8_t>(i8.constScanLine(y)[x] & ((1 << bits) - 1));
        return im;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    ImagePixels im = ImagePixels::Couleurs(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* ligne = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            im.couleurs[std::size_t(y) * std::size_t(rgb.width()) + std::size_t(x)] =
                Couleur(qRed(ligne[x]), qGreen(ligne[x]), qBlue(ligne[x]));
    }
    return im;
}

QImage QImageDeCadre(TGIFFrame& cadre, bool avecTransparence)
{
    QImage image = QImageDe(cadre.DecodeBitmap());
    if (avecTransparence && cadre.transparentColor != clNone && !image.isNull()) {
        const Couleur t = Couleur::DeValeur(cadre.transparentColor);
        const QRgb cle = qRgb(t.r, t.g, t.b);
        for (int y = 0; y < image.height(); ++y) {
            auto* ligne = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (ligne[x] == cle)
                    ligne[x] = 0;
        }
    }
    return image;
}

std::vector<CadreAffiche> CadresAvecDelais(TGIFImage& gif)
{
    std::vector<CadreAffiche> cadres;
    for (auto& f : gif.frames)
        cadres.push_back({QImageDeCadre(*f, gif.GetTransparent()), f->left, f->top, f->delay});
    return cadres;
}

void DessinerGIF(QPainter& peintre, const QRect& rect, TGIFImage& gif)
{
    if (gif.frameIndex < 0 || gif.frameIndex >= static_cast<int32_t>(gif.frames.size()))
        return;
    TGIFFrame& cadre = *gif.frames[static_cast<std::size_t>(gif.frameIndex)];
    const QImage image = QImageDeCadre(cadre, cadre.transparentColor != clNone && gif.GetTransparent());
    if (!image.isNull())
        peintre.drawImage(rect, image);
}

QString TypeMimeGIF() { return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(CF_GIFNom); }

void SaveToClipboardFormat(TGIFImage& gif, QMimeData& donnees)
{
    if (gif.frames.empty())
        return;
    donnees.setImageData(QImageDe(gif.frames[0]->DecodeBitmap()));
    for (const auto& f : gif.frames)
        if (f->EncodedVide())
            return;
    const std::vector<uint8_t> octets = gif.WriteData();
    donnees.setData(TypeMimeGIF(), QByteArray(reinterpret_cast<const char*>(octets.data()), qsizetype(octets.size())));
}

void LoadFromClipboardFormat(TGIFImage& gif, const QMimeData& donnees)
{
    if (donnees.hasFormat(TypeMimeGIF())) {
        const QByteArray octets = donnees.data(TypeMimeGIF());
        const auto* p = reinterpret_cast<const uint8_t*>(octets.constData());
        const std::size_t n = std::size_t(octets.size());
        if (n < 4)
            throw EInvalidGraphicOperation(SReadError);
        const uint32_t longueur = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        if (longueur > n - 4)
            throw EInvalidGraphicOperation(SReadError);
        ReadGIFStream(gif, p + 4, longueur, false);
        if (!gif.frames.empty()) {
            gif.frameIndex = 0;
            if (donnees.hasImage())
                gif.frames[0]->bitmap = std::make_unique<ImagePixels>(
                    ImagePixelsDe(qvariant_cast<QImage>(donnees.imageData())));
        }
        return;
    }
    if (donnees.hasImage())
        gif.Assign(ImagePixelsDe(qvariant_cast<QImage>(donnees.imageData())));
}

TGIFPicture::TGIFPicture(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TGIFImage"));
    gif_.onChange = [this] { update(); };
}

QSize TGIFPicture::sizeHint() const
{
    return QSize(gif_.screenWidth, gif_.screenHeight);
}

void TGIFPicture::paintEvent(QPaintEvent*)
{
    QPainter peintre(this);
    DessinerGIF(peintre, rect(), gif_);
}
