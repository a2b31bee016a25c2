#include "controls/KxGIF.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

using platform::Couleur;

platform::Couleur ImagePixels::Pixel(int32_t x, int32_t y) const
{
    const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(largeur) + static_cast<std::size_t>(x);
    if (!Indexee())
        return couleurs[i];
    const uint8_t v = indices[i];
    return v < palette.size() ? palette[v] : Couleur(128, 128, 128);
}

ImagePixels ImagePixels::Indexee(int32_t largeur, int32_t hauteur, int bits, std::vector<platform::Couleur> palette)
{
    ImagePixels im;
    im.largeur = largeur;
    im.hauteur = hauteur;
    im.bitsParPixel = bits;
    im.palette = std::move(palette);
    im.indices.assign(static_cast<std::size_t>(std::max(largeur, 0)) * static_cast<std::size_t>(std::max(hauteur, 0)), 0);
    return im;
}

ImagePixels ImagePixels::Couleurs(int32_t largeur, int32_t hauteur, platform::Couleur fond)
{
    ImagePixels im;
    im.largeur = largeur;
    im.hauteur = hauteur;
    im.bitsParPixel = 24;
    im.couleurs.assign(static_cast<std::size_t>(std::max(largeur, 0)) * static_cast<std::size_t>(std::max(hauteur, 0)), fond);
    return im;
}

namespace {

[[noreturn]] void Erreur(const char* texte) { throw EInvalidGraphicOperation(texte); }

// Cursor over the bytes of a file: every read says whether the bytes were there.
class Curseur {
public:
    Curseur(const uint8_t* octets, std::size_t n) : p_(octets), n_(n) {}
    bool Fin() const { return pos_ >= n_; }
    std::size_t Reste() const { return n_ - pos_; }
    std::size_t Position() const { return pos_; }
    bool Lire(uint8_t* dest, std::size_t k)
    {
        if (k > Reste())
            return false;
        if (k > 0)
            std::memcpy(dest, p_ + pos_, k);
        pos_ += k;
        return true;
    }
    // The bytes must be there, or the file is refused with the stream read error.
    void LireTout(uint8_t* dest, std::size_t k)
    {
        if (!Lire(dest, k))
            Erreur(SReadError);
    }
    bool Octet(uint8_t& o) { return Lire(&o, 1); }
    const uint8_t* Ici() const { return p_ + pos_; }
    void Avancer(std::size_t k) { pos_ += std::min(k, Reste()); }

private:
    const uint8_t* p_;
    std::size_t n_;
    std::size_t pos_ = 0;
};

uint16_t Mot(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

int Log2Exact(int32_t n)
{
    for (int b = 1; b <= 8; ++b)
        if (n == (1 << b))
            return b;
    return -1;
}

bool EgalSansCasse(const uint8_t* a, const char* b, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        auto minus = [](int c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
        if (minus(a[i]) != minus(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

void LireTable(Curseur& c, TGIFColorTable& table, int bits)
{
    table.count = 1 << bits;
    uint8_t rgb[768];
    c.LireTout(rgb, static_cast<std::size_t>(table.count) * 3);
    for (int i = 0; i < table.count; ++i)
        table.colors[static_cast<std::size_t>(i)] = Couleur(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]);
}

// Sub-blocks up to a zero length or the end of the data; each non-empty one is one line.
void LireSousBlocs(Curseur& c, std::vector<std::string>& lignes)
{
    uint8_t longueur = 0;
    while (c.Octet(longueur) && longueur != 0) {
        const std::size_t k = std::min<std::size_t>(longueur, c.Reste());
        lignes.emplace_back(reinterpret_cast<const char*>(c.Ici()), k);
        c.Avancer(k);
        if (k < longueur)
            break;
    }
}

TExtension LireExtension(Curseur& c)
{
    uint8_t label = 0;
    if (!c.Octet(label))
        Erreur(SReadError);
    TExtension ext;
    switch (label) {
    case 0xF9:
        ext.kind = TExtensionKind::GraphicControl;
        ext.header.resize(6);
        c.LireTout(ext.header.data(), 6);
        break;
    case 0xFE:
        ext.kind = TExtensionKind::Comment;
        LireSousBlocs(c, ext.lines);
        break;
    case 0x01:
        ext.kind = TExtensionKind::PlainText;
        ext.header.resize(13);
        c.LireTout(ext.header.data(), 13);
        LireSousBlocs(c, ext.lines);
        break;
    case 0xFF:
        ext.kind = TExtensionKind::Application;
        ext.header.resize(12);
        c.LireTout(ext.header.data(), 12);
        LireSousBlocs(c, ext.lines);
        break;
    default: {
        char texte[64];
        std::snprintf(texte, sizeof texte, "Unrecognized extension block: %.2x", label);
        throw EInvalidGraphicOperation(texte);
    }
    }
    return ext;
}

void LireImage(Curseur& c, TGIFImage& image, TGIFFrame& frame)
{
    uint8_t desc[9];
    c.LireTout(desc, 9);
    TGIFItem& item = *frame.item;
    frame.left = Mot(desc);
    frame.top = Mot(desc + 2);
    item.width = Mot(desc + 4);
    item.height = Mot(desc + 6);
    item.packedFields = desc[8];
    frame.interlaced = (desc[8] & 0x40) != 0;
    // A frame with no pixels, or one whose bitmap would be enormous, can only come from a
    // damaged or hostile file.
    if (item.width == 0 || item.height == 0 || int64_t(item.width) * int64_t(item.height) > MaxPixelsGIF)
        Erreur(SGIFDecodeError);
    // Many writers leave the logical screen at 0x0 or smaller than their frames, and other
    // readers open such files: the screen grows to hold every frame, as it does when frames
    // are assigned, up to what its 16-bit fields hold (the frame itself is kept whole).
    image.screenWidth = std::min<int32_t>(65535, std::max(image.screenWidth, frame.left + item.width));
    image.screenHeight = std::min<int32_t>(65535, std::max(image.screenHeight, frame.top + item.height));
    if (desc[8] & 0x80) {
        const int bits = (desc[8] & 7) + 1;
        LireTable(c, item.colorMap, bits);
        item.bitsPerPixel = static_cast<uint8_t>(bits);
        frame.localColors = true;
    } else {
        item.colorMap = image.data->colorMap;
    }
    // The code-size byte and the sub-blocks are kept exactly as in the file.
    uint8_t taille = 0;
    if (!c.Octet(taille)) {
        frame.corrupted = true;
    } else {
        item.imageData.push_back(taille);
        for (;;) {
            uint8_t longueur = 0;
            if (!c.Octet(longueur)) {
                frame.corrupted = true;
                break;
            }
            if (longueur == 0) {
                item.imageData.push_back(0);
                break;
            }
            if (longueur > c.Reste()) {
                frame.corrupted = true;
                break;
            }
            item.imageData.push_back(longueur);
            item.imageData.insert(item.imageData.end(), c.Ici(), c.Ici() + longueur);
            c.Avancer(longueur);
        }
    }
    int32_t delai = 0;
    for (const TExtension& ext : frame.extensions) {
        if (ext.kind != TExtensionKind::GraphicControl)
            continue;
        const uint8_t packed = ext.header[1];
        if (packed & 1) {
            const int index = ext.header[4];
            if (index < item.colorMap.count)
                frame.transparentColor = item.colorMap.colors[static_cast<std::size_t>(index)].Valeur();
        } else {
            frame.transparentColor = clNone;
        }
        // Hundredths of a second in 16 bits: in milliseconds it may not fit the field.
        delai = std::max(delai, int32_t(Mot(ext.header.data() + 2)) * 10);
        frame.disposal = static_cast<uint8_t>((packed & 0x1C) >> 2);
    }
    frame.delay = static_cast<uint16_t>(std::min(delai, 65535));
}

bool EstBoucleNetscape(const TExtension& ext)
{
    if (ext.header[0] != 11 || std::memcmp(ext.header.data() + 1, "NETSCAPE2.0", 11) != 0)
        return false;
    return !ext.lines.empty() && ext.lines[0].size() >= 3 && ext.lines[0][0] == 1;
}

} // namespace

void ReadGIFStream(TGIFImage& image, const uint8_t* octets, std::size_t n, bool decoderPremiere)
{
    image.Clear();
    // The source is consumed before anything is interpreted.
    const std::vector<uint8_t> copie(octets, octets + n);
    if (n == 0) {
        image.Changed();
        return;
    }
    Curseur c(copie.data(), copie.size());

    uint8_t sig[6];
    if (!c.Lire(sig, 6) || !EgalSansCasse(sig, "GIF", 3))
        Erreur(SGIFVersion);
    if (EgalSansCasse(sig + 3, "87a", 3))
        image.version = 1;
    else if (EgalSansCasse(sig + 3, "89a", 3))
        image.version = 2;
    else
        Erreur(SGIFVersion);

    uint8_t ecran[7];
    c.LireTout(ecran, 7);
    image.screenWidth = Mot(ecran);
    image.screenHeight = Mot(ecran + 2);
    TGIFData& data = *image.data;
    data.bitsPerPixel = static_cast<uint8_t>((ecran[4] & 7) + 1);
    data.colorResBits = static_cast<uint8_t>(((ecran[4] & 0x70) >> 4) + 1);
    data.aspectRatio = ecran[6];
    if (ecran[4] & 0x80) {
        LireTable(c, data.colorMap, data.bitsPerPixel);
        if (ecran[5] < data.colorMap.count)
            image.backgroundColor = data.colorMap.colors[ecran[5]].Valeur();
    }

    uint8_t intro = ';';
    if (!c.Octet(intro))
        intro = ';';
    while (intro != 0 && intro != ';') {
        std::vector<TExtension> collectees;
        while (intro == '!') {
            TExtension ext = LireExtension(c);
            if (ext.kind == TExtensionKind::PlainText) {
                collectees.clear();
            } else if (ext.kind == TExtensionKind::Application) {
                if (EstBoucleNetscape(ext)) {
                    image.looping = true;
                    const auto* p = reinterpret_cast<const uint8_t*>(ext.lines[0].data());
                    image.repeatCount = static_cast<uint16_t>(std::min<int>(30000, Mot(p + 1)));
                }
            } else {
                collectees.push_back(std::move(ext));
            }
            if (!c.Octet(intro))
                intro = ';';
        }
        if (intro != ',') {
            if (data.comment.empty() && !collectees.empty()) {
                bool premiere = true;
                for (const TExtension& ext : collectees) {
                    if (ext.kind != TExtensionKind::Comment)
                        continue;
                    if (!premiere)
                        data.comment.emplace_back("\r\n\r\n");
                    premiere = false;
                    data.comment.insert(data.comment.end(), ext.lines.begin(), ext.lines.end());
                }
            } else if (intro != 0 && intro != ';') {
                Erreur(SReadError);
            }
            // Anything but an end marker left after the comments is refused on the next turn.
            if (intro != 0 && intro != ';' && intro != '!' && intro != ',')
                Erreur(SReadError);
            continue;
        }
        auto frame = std::make_unique<TGIFFrame>(&image);
        frame->item = std::make_shared<TGIFItem>();
        if (data.colorMap.count > 0) {
            const int bits = Log2Exact(data.colorMap.count);
            if (bits < 0)
                Erreur(SWrongGIFColors);
            frame->item->bitsPerPixel = static_cast<uint8_t>(bits);
        }
        frame->extensions = std::move(collectees);
        LireImage(c, image, *frame);
        image.frames.push_back(std::move(frame));
        intro = ';';
        uint8_t o = 0;
        while (c.Octet(o)) {
            if (o != 0) {
                intro = o;
                break;
            }
        }
        if (intro != '!' && intro != ',' && intro != ';')
            break;
    }

    if (!image.frames.empty()) {
        image.frameIndex = 0;
        if (decoderPremiere)
            image.frames[0]->DecodeBitmap();
    }
    image.Changed();
}

std::vector<int32_t> OrdreLignesGIF(int32_t h, bool interlaced)
{
    std::vector<int32_t> lignes;
    lignes.reserve(static_cast<std::size_t>(std::max(h, 0)));
    if (interlaced) {
        static constexpr int debut[4] = {0, 4, 2, 1};
        static constexpr int pas[4] = {8, 8, 4, 2};
        for (int passe = 0; passe < 4; ++passe)
            for (int32_t y = debut[passe]; y < h; y += pas[passe])
                lignes.push_back(y);
    } else {
        for (int32_t y = 0; y < h; ++y)
            lignes.push_back(y);
    }
    return lignes;
}

bool DecodeGIFLZW(const TGIFItem& item, ImagePixels& dest, bool interlaced, bool tolererCorruption,
                  const ProgressionGIF& progression)
{
    const std::vector<uint8_t>& src = item.imageData;
    if (src.empty())
        return false;
    const int tailleMin = src[0];
    if (tailleMin < 2 || tailleMin > 9)
        Erreur(SGIFBadCodeSize);

    // Codes come only from the bytes of the data sub-blocks.
    std::vector<uint8_t> flux;
    flux.reserve(src.size());
    for (std::size_t p = 1; p < src.size();) {
        const std::size_t longueur = src[p++];
        if (longueur == 0)
            break;
        const std::size_t k = std::min(longueur, src.size() - p);
        flux.insert(flux.end(), src.begin() + static_cast<std::ptrdiff_t>(p), src.begin() + static_cast<std::ptrdiff_t>(p + k));
        p += k;
    }

    const int32_t w = dest.largeur;
    const int32_t h = dest.hauteur;
    const std::vector<int32_t> lignes = OrdreLignesGIF(h, interlaced);
    if (w <= 0 || lignes.empty())
        return false;

    const int bpp = std::clamp<int>(item.bitsPerPixel, 1, 8);
    const int masque = (1 << bpp) - 1;
    const int clear = 1 << tailleMin;
    const int fin = clear + 1;
    std::array<int16_t, 4096> prefixe{};
    std::array<uint8_t, 4096> suffixe{};
    std::array<uint8_t, 4096> premier{};
    for (int i = 0; i < clear; ++i) {
        prefixe[static_cast<std::size_t>(i)] = -1;
        // A code-size wider than the colours leaves literal codes above the mask: they are
        // kept within the palette instead of being looked up in an empty table.
        suffixe[static_cast<std::size_t>(i)] = static_cast<uint8_t>(i & masque);
        premier[static_cast<std::size_t>(i)] = static_cast<uint8_t>(i & masque);
    }
    std::vector<uint8_t> pile;
    pile.reserve(4096);

    int taille = tailleMin + 1;
    int suivant = clear + 2;
    int ancien = -1;
    std::size_t bit = 0;
    const std::size_t totalBits = flux.size() * 8;
    std::size_t ligne = 0;
    int32_t x = 0;
    bool corrompu = false;
    bool termine = false;

    auto emettre = [&](uint8_t v) {
        if (termine)
            return;
        dest.indices[static_cast<std::size_t>(lignes[ligne]) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] = v;
        if (++x == w) {
            x = 0;
            if (++ligne == lignes.size())
                termine = true;
        }
    };

    if (progression)
        progression(0, 0);
    while (!termine) {
        if (bit + static_cast<std::size_t>(taille) > totalBits) {
            // The data ended before the end code and before the last row.
            corrompu = true;
            break;
        }
        int code = 0;
        for (int i = 0; i < taille; ++i, ++bit)
            code |= ((flux[bit >> 3] >> (bit & 7)) & 1) << i;
        if (progression)
            progression(1, static_cast<int>(100 * (bit / 8) / std::max<std::size_t>(flux.size(), 1)));
        if (code == clear) {
            taille = tailleMin + 1;
            suivant = clear + 2;
            ancien = -1;
            continue;
        }
        if (code == fin)
            break;
        if (ancien < 0) {
            if (code > clear) {
                corrompu = true;
                break;
            }
            emettre(suffixe[static_cast<std::size_t>(code)]);
            ancien = code;
            continue;
        }
        int cur = code;
        pile.clear();
        if (code > suivant || (code == suivant && suivant >= 4096)) {
            corrompu = true;
            break;
        }
        if (code == suivant) {
            cur = ancien;
        }
        while (cur >= clear) {
            if (pile.size() >= 4096) {
                corrompu = true;
                break;
            }
            pile.push_back(suffixe[static_cast<std::size_t>(cur)]);
            cur = prefixe[static_cast<std::size_t>(cur)];
        }
        if (corrompu)
            break;
        const uint8_t tete = suffixe[static_cast<std::size_t>(cur)];
        emettre(tete);
        for (auto it = pile.rbegin(); it != pile.rend(); ++it)
            emettre(*it);
        if (code == suivant)
            emettre(tete);
        if (suivant < 4096) {
            prefixe[static_cast<std::size_t>(suivant)] = static_cast<int16_t>(ancien);
            suffixe[static_cast<std::size_t>(suivant)] = tete;
            premier[static_cast<std::size_t>(suivant)] = tete;
            ++suivant;
            if (suivant == (1 << taille) && taille < 12)
                ++taille;
        }
        ancien = code;
    }
    if (progression)
        progression(2, 100);
    if (corrompu && !tolererCorruption)
        Erreur(SGIFDecodeError);
    return corrompu;
}

// ---------------------------------------------------------------------------------------------

TGIFFrame::TGIFFrame(TGIFImage* proprietaire) : owner(proprietaire), item(std::make_shared<TGIFItem>()) {}

const ImagePixels& TGIFFrame::DecodeBitmap()
{
    if (bitmap && !bitmap->Vide())
        return *bitmap;
    bitmap = std::make_unique<ImagePixels>();
    bitmap->bitsParPixel = 8;
    if (EncodedVide())
        return *bitmap;
    int bits = 0;
    const int bpp = item->bitsPerPixel;
    if (bpp == 1)
        bits = 1;
    else if (bpp >= 2 && bpp <= 4)
        bits = 4;
    else if (bpp >= 5 && bpp <= 8)
        bits = 8;
    else
        Erreur(SWrongGIFColors);
    if (item->width <= 0 || item->height <= 0 || int64_t(item->width) * int64_t(item->height) > MaxPixelsGIF)
        Erreur(SGIFDecodeError);
    std::vector<Couleur> palette(static_cast<std::size_t>(1) << bits, Couleur(128, 128, 128));
    for (int i = 0; i < std::min<int>(item->colorMap.count, static_cast<int>(palette.size())); ++i)
        palette[static_cast<std::size_t>(i)] = item->colorMap.colors[static_cast<std::size_t>(i)];
    ImagePixels im = ImagePixels::Indexee(item->width, item->height, bits, std::move(palette));
    if (DecodeGIFLZW(*item, im, interlaced, true, owner ? owner->onProgress : ProgressionGIF{}))
        corrupted = true;
    *bitmap = std::move(im);
    return *bitmap;
}

void TGIFFrame::Assign(const TGIFFrame& source)
{
    if (&source == this)
        return;
    item = source.item;
    localColors = (source.owner == owner) ? source.localColors : true;
    left = source.left;
    top = source.top;
    interlaced = source.interlaced;
    // A bitmap of the former encoded data would no longer match it.
    bitmap = source.bitmap ? std::make_unique<ImagePixels>(*source.bitmap) : nullptr;
    transparentColor = source.transparentColor;
    delay = source.delay;
    disposal = source.disposal;
    grayscale = source.grayscale;
    corrupted = source.corrupted;
    auto commentaire = std::find_if(source.extensions.begin(), source.extensions.end(),
                                    [](const TExtension& e) { return e.kind == TExtensionKind::Comment; });
    if (commentaire != source.extensions.end() && !commentaire->lines.empty()) {
        auto mien = std::find_if(extensions.begin(), extensions.end(),
                                 [](const TExtension& e) { return e.kind == TExtensionKind::Comment; });
        if (mien == extensions.end()) {
            extensions.push_back(TExtension{TExtensionKind::Comment, {}, {}});
            mien = extensions.end() - 1;
        }
        mien->lines = commentaire->lines;
    }
    if (owner)
        owner->RecomputeScreenSize();
}

void TGIFFrame::Assign(const TGIFImage& source)
{
    if (source.frames.empty())
        return;
    const int32_t i = source.frameIndex < 0 || source.frameIndex >= static_cast<int32_t>(source.frames.size())
                          ? 0 : source.frameIndex;
    Assign(*source.frames[static_cast<std::size_t>(i)]);
}

void TGIFFrame::Assign(const ImagePixels* graphique)
{
    item = std::make_shared<TGIFItem>();
    if (!graphique || graphique->Vide()) {
        bitmap.reset();
    } else {
        bitmap = std::make_unique<ImagePixels>(*graphique);
        if (graphique->transparent)
            transparentColor = graphique->couleurTransparente;
    }
    if (owner)
        owner->RecomputeScreenSize();
}

// ---------------------------------------------------------------------------------------------

TGIFImage::TGIFImage() : data(std::make_shared<TGIFData>()) {}

void TGIFImage::Clear()
{
    data = std::make_shared<TGIFData>();
    frames.clear();
    frameIndex = -1;
    backgroundColor = clNone;
    repeatCount = 1;
    looping = false;
    version = 0;
    screenWidth = 0;
    screenHeight = 0;
}

void TGIFImage::Changed()
{
    ++changements;
    if (onChange)
        onChange();
}

void TGIFImage::LoadFromBytes(const uint8_t* octets, std::size_t n, bool decoderPremiere)
{
    ReadGIFStream(*this, octets, n, decoderPremiere);
}

std::size_t TGIFImage::ReadData(const uint8_t* octets, std::size_t n)
{
    if (n < 4)
        Erreur(SReadError);
    const uint32_t longueur = uint32_t(octets[0]) | uint32_t(octets[1]) << 8 | uint32_t(octets[2]) << 16 |
                              uint32_t(octets[3]) << 24;
    if (longueur > n - 4)
        Erreur(SReadError);
    ReadGIFStream(*this, octets + 4, longueur, true);
    return 4 + std::size_t(longueur);
}

void TGIFImage::Assign(const TGIFImage* source)
{
    if (source == this)
        return;
    if (!source) {
        Clear();
        Changed();
        return;
    }
    data = source->data;
    version = source->version;
    backgroundColor = source->backgroundColor;
    repeatCount = source->repeatCount;
    looping = source->looping;
    frames.clear();
    for (const auto& f : source->frames) {
        auto nouvelle = std::make_unique<TGIFFrame>(this);
        nouvelle->Assign(*f);
        nouvelle->localColors = f->localColors;
        frames.push_back(std::move(nouvelle));
    }
    screenWidth = source->screenWidth;
    screenHeight = source->screenHeight;
    frameIndex = source->frameIndex;
    Changed();
}

void TGIFImage::Assign(const TGIFFrame& source)
{
    // The source may belong to this very image: keep what it refers to alive.
    const TGIFImage* proprietaire = source.owner;
    TGIFFrame copie(nullptr);
    copie.Assign(source);
    copie.owner = source.owner;
    TGIFData donnees;
    if (proprietaire)
        donnees = *proprietaire->data;
    Clear();
    if (proprietaire) {
        data->aspectRatio = donnees.aspectRatio;
        data->bitsPerPixel = donnees.bitsPerPixel;
        data->colorResBits = donnees.colorResBits;
        data->colorMap = donnees.colorMap;
    }
    auto f = std::make_unique<TGIFFrame>(this);
    frames.push_back(std::move(f));
    frameIndex = 0;
    frames[0]->Assign(copie);
    if (proprietaire)
        frames[0]->localColors = copie.localColors;
    if (version == 0)
        version = 1;
    Changed();
}

void TGIFImage::Assign(const ImagePixels& bitmap)
{
    const ImagePixels copie = bitmap;
    Clear();
    AppendFrame(copie);
    Changed();
}

void TGIFImage::AppendFrame(const ImagePixels& graphique)
{
    frames.push_back(std::make_unique<TGIFFrame>(this));
    frameIndex = static_cast<int32_t>(frames.size()) - 1;
    frames.back()->Assign(&graphique);
    if (version == 0)
        version = 1;
    if (frames.size() >= 2)
        version = 2;
}

TGIFFrame* TGIFImage::CurrentFrame()
{
    if (frames.empty())
        return nullptr;
    if (frameIndex < 0 || frameIndex >= static_cast<int32_t>(frames.size()))
        return frames[0].get();
    return frames[static_cast<std::size_t>(frameIndex)].get();
}

bool TGIFImage::GetEmpty() const
{
    if (frames.empty())
        return true;
    const TGIFFrame& f = *frames[frameIndex < 0 || frameIndex >= static_cast<int32_t>(frames.size()) ? 0 : static_cast<std::size_t>(frameIndex)];
    return (!f.bitmap || f.bitmap->Vide()) && f.EncodedVide();
}

int32_t TGIFImage::GetWidth()
{
    if (GetEmpty() || frameIndex < 0 || frameIndex >= static_cast<int32_t>(frames.size()))
        return 0;
    return frames[static_cast<std::size_t>(frameIndex)]->DecodeBitmap().largeur;
}

int32_t TGIFImage::GetHeight()
{
    if (GetEmpty() || frameIndex < 0 || frameIndex >= static_cast<int32_t>(frames.size()))
        return 0;
    return frames[static_cast<std::size_t>(frameIndex)]->DecodeBitmap().hauteur;
}

bool TGIFImage::GetTransparent() const
{
    return transparent && std::any_of(frames.begin(), frames.end(),
                                      [](const auto& f) { return f->transparentColor != clNone; });
}

void TGIFImage::SetWidth(int32_t) { Erreur(SChangeGIFSize); }
void TGIFImage::SetHeight(int32_t) { Erreur(SChangeGIFSize); }

ImagePixels& TGIFImage::Bitmap()
{
    if (frames.empty()) {
        frames.push_back(std::make_unique<TGIFFrame>(this));
        frames[0]->bitmap = std::make_unique<ImagePixels>();
        frameIndex = 0;
    }
    TGIFFrame& f = *CurrentFrame();
    f.DecodeBitmap();
    return *f.bitmap;
}

void TGIFImage::RecomputeScreenSize()
{
    int32_t w = 0;
    int32_t h = 0;
    for (const auto& f : frames) {
        int32_t fw = f->item ? f->item->width : 0;
        int32_t fh = f->item ? f->item->height : 0;
        if (f->EncodedVide() && f->bitmap) {
            fw = f->bitmap->largeur;
            fh = f->bitmap->hauteur;
        }
        w = std::max(w, fw + f->left);
        h = std::max(h, fh + f->top);
    }
    screenWidth = w;
    screenHeight = h;
}
