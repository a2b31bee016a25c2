#include "controls/GifEcriture.h"

#include <algorithm>
#include <array>
#include <cstring>

using platform::Couleur;

uint8_t MethodeReductionParDefaut = ReductionPopularite;

namespace {

[[noreturn]] void Erreur(const char* texte) { throw EInvalidGraphicOperation(texte); }

void Mot(std::vector<uint8_t>& out, int32_t v)
{
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

int BitsPour(int32_t nombre)
{
    int bits = 1;
    while (bits < 8 && (1 << bits) < nombre)
        ++bits;
    return bits;
}

// Each line as sub-blocks of at most 255 bytes (a longer line goes on in the next block rather
// than being cut), empty lines skipped, then the terminator.
void EcrireLignes(std::vector<uint8_t>& out, const std::vector<std::string>& lignes)
{
    for (const std::string& l : lignes) {
        for (std::size_t p = 0; p < l.size(); p += 255) {
            const std::size_t k = std::min<std::size_t>(255, l.size() - p);
            out.push_back(static_cast<uint8_t>(k));
            out.insert(out.end(), l.begin() + static_cast<std::ptrdiff_t>(p), l.begin() + static_cast<std::ptrdiff_t>(p + k));
        }
    }
    out.push_back(0);
}

// Encoded bytes as stored; data cut short in the file it came from gets the terminator it lost
// so that the written file stays readable.
void EcrireDonnees(std::vector<uint8_t>& out, const std::vector<uint8_t>& d)
{
    out.insert(out.end(), d.begin(), d.end());
    std::size_t p = 1;
    while (p < d.size() && d[p] != 0)
        p += std::size_t(d[p]) + 1;
    if (d.empty() || p != d.size() - 1)
        out.push_back(0);
}

class EcrivainCodes {
public:
    explicit EcrivainCodes(std::vector<uint8_t>& out) : out_(out) {}
    void Code(int code, int taille)
    {
        acc_ |= static_cast<uint32_t>(code) << nbits_;
        nbits_ += taille;
        while (nbits_ >= 8) {
            Octet(static_cast<uint8_t>(acc_ & 0xFF));
            acc_ >>= 8;
            nbits_ -= 8;
        }
    }
    void Terminer()
    {
        if (nbits_ > 0)
            Octet(static_cast<uint8_t>(acc_ & 0xFF));
        if (!bloc_.empty()) {
            out_.push_back(static_cast<uint8_t>(bloc_.size()));
            out_.insert(out_.end(), bloc_.begin(), bloc_.end());
        }
        out_.push_back(0);
    }

private:
    void Octet(uint8_t o)
    {
        bloc_.push_back(o);
        if (bloc_.size() == 255) {
            out_.push_back(255);
            out_.insert(out_.end(), bloc_.begin(), bloc_.end());
            bloc_.clear();
        }
    }
    std::vector<uint8_t>& out_;
    std::vector<uint8_t> bloc_;
    uint32_t acc_ = 0;
    int nbits_ = 0;
};

constexpr int SlotsHachage = 17777;

} // namespace

std::vector<uint8_t> EncodeGIFLZW(const ImagePixels& bmp, bool interlaced, const ProgressionGIF& progression)
{
    if (!bmp.Indexee() || (bmp.bitsParPixel != 1 && bmp.bitsParPixel != 4 && bmp.bitsParPixel != 8))
        Erreur(SGIFEncodeError);
    const int tailleDepart = bmp.bitsParPixel == 1 ? 3 : bmp.bitsParPixel + 1;
    const int tailleMin = tailleDepart - 1;
    const int clear = 1 << tailleMin;
    const int fin = clear + 1;
    const int masque = (1 << bmp.bitsParPixel) - 1;

    std::vector<uint8_t> out;
    out.push_back(static_cast<uint8_t>(tailleMin));
    EcrivainCodes codes(out);

    struct Entree {
        int prefixe = -1;
        int pixel = 0;
        int code = -1;
    };
    std::vector<Entree> table(SlotsHachage);
    auto vider = [&] { std::fill(table.begin(), table.end(), Entree{}); };

    int taille = tailleDepart;
    int suivant = clear + 2;
    codes.Code(clear, taille);

    const std::vector<int32_t> lignes = OrdreLignesGIF(bmp.hauteur, interlaced);

    if (progression)
        progression(0, 0);
    int courant = -1;       // code of the pending string, -1 when none
    uint64_t hachage = 0;   // hash of the pending string
    int longueur = 0;       // its number of pixels
    for (std::size_t r = 0; r < lignes.size(); ++r) {
        const std::size_t base = static_cast<std::size_t>(lignes[r]) * static_cast<std::size_t>(bmp.largeur);
        for (int32_t x = 0; x < bmp.largeur; ++x) {
            const int p = bmp.indices[base + static_cast<std::size_t>(x)] & masque;
            if (courant < 0) {
                courant = p;
                hachage = uint64_t(p + 3) * 301;
                longueur = 1;
                continue;
            }
            const uint64_t h2 = (uint64_t(p + longueur + 4) * hachage) % SlotsHachage;
            std::size_t slot = static_cast<std::size_t>(h2);
            bool trouve = false;
            while (table[slot].code >= 0) {
                if (table[slot].prefixe == courant && table[slot].pixel == p) {
                    trouve = true;
                    break;
                }
                slot = (slot + 1) % SlotsHachage;
            }
            if (trouve) {
                courant = table[slot].code;
                hachage = h2;
                ++longueur;
                continue;
            }
            codes.Code(courant, taille);
            table[slot] = Entree{courant, p, suivant};
            const int nouveau = suivant++;
            courant = p;
            hachage = uint64_t(p + 3) * 301;
            longueur = 1;
            if (nouveau == (1 << taille) && taille < 12) {
                ++taille;
            } else if (nouveau == 4094) {
                // The table is full: flush the one-pixel string and start afresh.
                codes.Code(courant, taille);
                codes.Code(clear, taille);
                vider();
                taille = tailleDepart;
                suivant = clear + 2;
                courant = -1;
            }
        }
        if (progression)
            progression(1, static_cast<int>(100 * (r + 1) / lignes.size()));
    }
    if (courant >= 0)
        codes.Code(courant, taille);
    codes.Code(fin, taille);
    codes.Terminer();
    if (progression)
        progression(2, 100);
    return out;
}

// ---------------------------------------------------------------------------------------------

void TGIFFrame::SyncControlExtension()
{
    auto gce = std::find_if(extensions.begin(), extensions.end(),
                            [](const TExtension& e) { return e.kind == TExtensionKind::GraphicControl; });
    if (gce == extensions.end() && (delay > 0 || transparentColor != clNone || disposal != 0)) {
        extensions.push_back(TExtension{TExtensionKind::GraphicControl, {}, {4, 0, 0, 0, 0, 0}});
        gce = extensions.end() - 1;
    }
    if (gce != extensions.end()) {
        std::vector<uint8_t>& h = gce->header;
        h.resize(6);
        const int centiemes = delay / 10;
        h[2] = static_cast<uint8_t>(centiemes & 0xFF);
        h[3] = static_cast<uint8_t>(centiemes >> 8);
        int index = -1;
        if (transparentColor != clNone && item)
            for (int i = 0; i < item->colorMap.count; ++i)
                if (item->colorMap.colors[static_cast<std::size_t>(i)].Valeur() == transparentColor) {
                    index = i;
                    break;
                }
        if (index >= 0) {
            h[4] = static_cast<uint8_t>(index);
            h[1] |= 1;
        } else {
            h[1] &= static_cast<uint8_t>(~1u);
        }
        // The former method is cleared first: OR-ing over it would mix two methods.
        h[1] = static_cast<uint8_t>((h[1] & ~0x1C) | ((disposal & 7) << 2));
    }
    extensions.erase(std::remove_if(extensions.begin(), extensions.end(),
                                    [](const TExtension& e) { return e.kind == TExtensionKind::Comment && e.lines.empty(); }),
                     extensions.end());
    if (!extensions.empty() && owner)
        owner->version = 2;
}

void TGIFFrame::EncodeFromBitmap()
{
    if (!bitmap || bitmap->Vide())
        Erreur(SNoGIFData);
    if (bitmap->Indexee() && (bitmap->bitsParPixel == 1 || bitmap->bitsParPixel == 4 || bitmap->bitsParPixel == 8)) {
        EncodePixels(*bitmap);
        return;
    }
    const uint8_t methode = grayscale ? uint8_t(ReductionGris) : MethodeReductionParDefaut;
    if (methode == ReductionGris)
        grayscale = true;
    EncodePixels(QuantizeToPalette(*bitmap, 8, methode));
}

void TGIFFrame::EncodePixels(const ImagePixels& bmp)
{
    int nombre = 0;
    if (bmp.Indexee() && bmp.bitsParPixel == 1)
        nombre = 2;
    else if (bmp.Indexee() && bmp.bitsParPixel == 4)
        nombre = 16;
    else if (bmp.Indexee() && bmp.bitsParPixel == 8)
        nombre = 256;
    else
        Erreur(SGIFEncodeError);
    auto nouvel = std::make_shared<TGIFItem>();
    interlaced = false;
    nouvel->colorMap.count = nombre;
    for (int i = 0; i < nombre; ++i)
        nouvel->colorMap.colors[static_cast<std::size_t>(i)] =
            i < static_cast<int>(bmp.palette.size()) ? bmp.palette[static_cast<std::size_t>(i)] : Couleur();
    nouvel->imageData = EncodeGIFLZW(bmp, false, owner ? owner->onProgress : ProgressionGIF{});
    nouvel->bitsPerPixel = static_cast<uint8_t>(BitsPour(nombre));
    nouvel->width = bmp.largeur;
    nouvel->height = bmp.hauteur;
    item = std::move(nouvel);
    if (owner) {
        TGIFData& data = *owner->data;
        if (data.colorMap.count == 0) {
            data.colorMap = item->colorMap;
            data.bitsPerPixel = item->bitsPerPixel;
            localColors = false;
        } else {
            localColors = true;
        }
        owner->screenWidth = std::max(owner->screenWidth, left + bmp.largeur);
        owner->screenHeight = std::max(owner->screenHeight, top + bmp.hauteur);
    }
}

std::vector<uint8_t> WriteGIFStream(TGIFImage& image, bool avecLongueur)
{
    if (image.frames.empty())
        Erreur(SNoGIFData);
    for (auto& f : image.frames)
        if (f->EncodedVide())
            f->EncodeFromBitmap();
    for (auto& f : image.frames)
        f->SyncControlExtension();
    TGIFData& data = *image.data;
    const bool boucle = image.looping && image.frames.size() >= 2;
    if (!data.comment.empty() || boucle)
        image.version = 2;

    std::vector<uint8_t> out;
    out.insert(out.end(), {'G', 'I', 'F'});
    const char* version = image.version == 2 ? "89a" : "87a";
    out.insert(out.end(), version, version + 3);

    image.RecomputeScreenSize();
    Mot(out, image.screenWidth);
    Mot(out, image.screenHeight);
    if (data.colorMap.count == 0) {
        out.push_back(0);
    } else {
        int b = -1;
        for (int i = 1; i <= 8; ++i)
            if (data.colorMap.count == (1 << i))
                b = i;
        if (b < 0)
            Erreur(SWrongGIFColors);
        const int ecranBits = data.bitsPerPixel >= 1 && data.bitsPerPixel <= 8 ? data.bitsPerPixel : b;
        out.push_back(static_cast<uint8_t>(0x80 + ((b - 1) << 4) + (ecranBits - 1)));
    }
    int fond = 0;
    if (image.backgroundColor != clNone)
        for (int i = 0; i < data.colorMap.count; ++i)
            if (data.colorMap.colors[static_cast<std::size_t>(i)].Valeur() == image.backgroundColor) {
                fond = i;
                break;
            }
    out.push_back(static_cast<uint8_t>(fond));
    out.push_back(data.aspectRatio);
    for (int i = 0; i < data.colorMap.count; ++i) {
        const Couleur c = data.colorMap.colors[static_cast<std::size_t>(i)];
        out.insert(out.end(), {c.r, c.g, c.b});
    }

    if (boucle) {
        out.insert(out.end(), {'!', 0xFF, 11});
        const char* id = "NETSCAPE2.0";
        out.insert(out.end(), id, id + 11);
        out.insert(out.end(), {3, 1, static_cast<uint8_t>(image.repeatCount & 0xFF),
                               static_cast<uint8_t>(image.repeatCount >> 8), 0});
    }

    static constexpr uint8_t labels[4] = {0xF9, 0x01, 0xFF, 0xFE};
    for (auto& f : image.frames) {
        for (const TExtension& e : f->extensions) {
            out.push_back('!');
            out.push_back(labels[static_cast<int>(e.kind)]);
            out.insert(out.end(), e.header.begin(), e.header.end());
            if (e.kind != TExtensionKind::GraphicControl)
                EcrireLignes(out, e.lines);
        }
        const TGIFItem& item = *f->item;
        out.push_back(',');
        Mot(out, f->left);
        Mot(out, f->top);
        Mot(out, item.width);
        Mot(out, item.height);
        const int bits = BitsPour(item.colorMap.count);
        uint8_t packed = f->localColors ? static_cast<uint8_t>(0x80 + (bits - 1)) : 0;
        if (f->interlaced)
            packed |= 0x40;
        out.push_back(packed);
        if (f->localColors)
            for (int i = 0; i < (1 << bits); ++i) {
                const Couleur c = i < item.colorMap.count ? item.colorMap.colors[static_cast<std::size_t>(i)] : Couleur();
                out.insert(out.end(), {c.r, c.g, c.b});
            }
        EcrireDonnees(out, item.imageData);
    }
    if (!data.comment.empty()) {
        out.insert(out.end(), {'!', 0xFE});
        EcrireLignes(out, data.comment);
    }
    out.push_back(';');

    if (!avecLongueur)
        return out;
    std::vector<uint8_t> avec;
    const auto n = static_cast<uint32_t>(out.size());
    avec.insert(avec.end(), {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n >> 16),
                             static_cast<uint8_t>(n >> 24)});
    avec.insert(avec.end(), out.begin(), out.end());
    return avec;
}

std::vector<uint8_t> TGIFImage::WriteData() { return WriteGIFStream(*this, true); }
std::vector<uint8_t> TGIFImage::SaveToStream() { return WriteGIFStream(*this, false); }

// ---------------------------------------------------------------------------------------------
// Colour reduction

namespace {

ImagePixels EnCouleurs(const ImagePixels& src)
{
    if (!src.Indexee())
        return src;
    ImagePixels im = ImagePixels::Couleurs(src.largeur, src.hauteur);
    for (int32_t y = 0; y < src.hauteur; ++y)
        for (int32_t x = 0; x < src.largeur; ++x)
            im.couleurs[static_cast<std::size_t>(y) * static_cast<std::size_t>(src.largeur) + static_cast<std::size_t>(x)] = src.Pixel(x, y);
    return im;
}

int Distance2(Couleur a, Couleur b)
{
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

int PlusProche(const std::vector<Couleur>& palette, Couleur c)
{
    int meilleur = 0;
    int dmin = Distance2(palette[0], c);
    for (std::size_t i = 1; i < palette.size(); ++i) {
        const int d = Distance2(palette[i], c);
        if (d < dmin) {
            dmin = d;
            meilleur = static_cast<int>(i);
        }
    }
    return meilleur;
}

// The platform's own conversion to 1 and 4 bits: the nearest colour of its standard palettes.
ImagePixels ConversionPlateforme(const ImagePixels& src, int bits)
{
    static const std::vector<Couleur> noirBlanc{Couleur(0, 0, 0), Couleur(255, 255, 255)};
    static const std::vector<Couleur> vga{
        {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
        {0, 128, 128},   {128, 128, 128}, {192, 192, 192}, {255, 0, 0}, {0, 255, 0},  {255, 255, 0},
        {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    const std::vector<Couleur>& palette = bits == 1 ? noirBlanc : vga;
    ImagePixels im = ImagePixels::Indexee(src.largeur, src.hauteur, bits, palette);
    for (int32_t y = 0; y < src.hauteur; ++y)
        for (int32_t x = 0; x < src.largeur; ++x)
            im.indices[static_cast<std::size_t>(y) * static_cast<std::size_t>(src.largeur) + static_cast<std::size_t>(x)] =
                static_cast<uint8_t>(PlusProche(palette, src.Pixel(x, y)));
    return im;
}

void Popularite(const ImagePixels& src, ImagePixels& dest)
{
    constexpr int Slots = 5191;
    constexpr int MaxCouleurs = 2049;
    struct Entree {
        Couleur c;
        int32_t compte = 0;
        int index = -1;
        bool utilise = false;
    };
    std::vector<Entree> table;
    int mr = 255, mg = 255, mb = 255;
    auto masquer = [&](Couleur c) { return Couleur(c.r & mr, c.g & mg, c.b & mb); };
    auto slotDe = [&](Couleur c) {
        std::size_t s = static_cast<std::size_t>(((c.r + c.g) * (c.g + c.b) * (c.b + c.r)) % Slots);
        while (table[s].utilise && !(table[s].c == c))
            s = (s + 1) % Slots;
        return s;
    };
    for (;;) {
        table.assign(Slots, Entree{});
        int distinctes = 0;
        bool trop = false;
        for (const Couleur& brute : src.couleurs) {
            const Couleur c = masquer(brute);
            const std::size_t s = slotDe(c);
            if (!table[s].utilise) {
                if (++distinctes > MaxCouleurs) {
                    trop = true;
                    break;
                }
                table[s].utilise = true;
                table[s].c = c;
            }
            ++table[s].compte;
        }
        if (!trop)
            break;
        if (mr < mg)
            mg = (mg << 1) & 0xFF;
        else if (mr > mb)
            mr = (mr << 1) & 0xFF;
        else
            mb = (mb << 1) & 0xFF;
    }
    std::vector<Couleur> choisies;
    while (choisies.size() < 256) {
        int meilleur = -1;
        for (int s = 0; s < Slots; ++s)
            if (table[static_cast<std::size_t>(s)].compte > 0 &&
                (meilleur < 0 || table[static_cast<std::size_t>(s)].compte > table[static_cast<std::size_t>(meilleur)].compte))
                meilleur = s;
        if (meilleur < 0)
            break;
        Entree& e = table[static_cast<std::size_t>(meilleur)];
        e.index = static_cast<int>(choisies.size());
        e.compte = 0;
        choisies.push_back(e.c);
    }
    dest.palette = choisies;
    dest.palette.resize(256, Couleur(128, 128, 128));
    for (Entree& e : table)
        if (e.utilise && e.index < 0)
            e.index = PlusProche(choisies, e.c);
    for (std::size_t i = 0; i < src.couleurs.size(); ++i)
        dest.indices[i] = static_cast<uint8_t>(table[slotDe(masquer(src.couleurs[i]))].index);
}

void MedianCut(const ImagePixels& src, ImagePixels& dest)
{
    auto cellule = [](Couleur c) { return (c.r & 0xF0) * 16 + (c.g & 0xF0) + (c.b & 0xF0) / 16; };
    auto canal = [](int cell, int k) { return k == 0 ? (cell >> 8) & 15 : k == 1 ? (cell >> 4) & 15 : cell & 15; };
    std::vector<int32_t> histogramme(4096, 0);
    for (const Couleur& c : src.couleurs)
        ++histogramme[static_cast<std::size_t>(cellule(c))];
    struct Boite {
        std::vector<int> cellules;
        int64_t total = 0;
        int min[3] = {0, 0, 0};
        int largeur[3] = {255, 255, 255};
    };
    std::vector<Boite> boites(1);
    for (int c = 0; c < 4096; ++c)
        if (histogramme[static_cast<std::size_t>(c)] > 0) {
            boites[0].cellules.push_back(c);
            boites[0].total += histogramme[static_cast<std::size_t>(c)];
        }
    while (boites.size() < 256) {
        int b = -1, k = 0;
        for (std::size_t i = 0; i < boites.size(); ++i) {
            if (boites[i].cellules.size() < 2)
                continue;
            for (int ch = 0; ch < 3; ++ch)
                if (b < 0 || boites[i].largeur[ch] > boites[static_cast<std::size_t>(b)].largeur[k]) {
                    b = static_cast<int>(i);
                    k = ch;
                }
        }
        if (b < 0)
            break;
        Boite& boite = boites[static_cast<std::size_t>(b)];
        std::vector<int>& cells = boite.cellules;
        // Quicksort around the middle element, insertion sort for short runs.
        auto cle = [&](int cell) { return canal(cell, k); };
        auto trier = [&](auto&& soi, int g, int d) -> void {
            while (d - g + 1 >= 8) {
                const int pivot = cle(cells[static_cast<std::size_t>((g + d) / 2)]);
                int i = g, j = d;
                while (i <= j) {
                    while (cle(cells[static_cast<std::size_t>(i)]) < pivot) ++i;
                    while (cle(cells[static_cast<std::size_t>(j)]) > pivot) --j;
                    if (i <= j)
                        std::swap(cells[static_cast<std::size_t>(i++)], cells[static_cast<std::size_t>(j--)]);
                }
                if (j - g < d - i) {
                    soi(soi, g, j);
                    g = i;
                } else {
                    soi(soi, i, d);
                    d = j;
                }
            }
            for (int i = g + 1; i <= d; ++i) {
                const int v = cells[static_cast<std::size_t>(i)];
                int j = i - 1;
                while (j >= g && cle(cells[static_cast<std::size_t>(j)]) > cle(v)) {
                    cells[static_cast<std::size_t>(j + 1)] = cells[static_cast<std::size_t>(j)];
                    --j;
                }
                cells[static_cast<std::size_t>(j + 1)] = v;
            }
        };
        trier(trier, 0, static_cast<int>(cells.size()) - 1);
        const int64_t moitie = boite.total / 2;
        std::size_t n = 1;
        int64_t somme = histogramme[static_cast<std::size_t>(cells[0])];
        while (n < cells.size() - 1 && somme + histogramme[static_cast<std::size_t>(cells[n])] <= moitie) {
            somme += histogramme[static_cast<std::size_t>(cells[n])];
            ++n;
        }
        Boite nouvelle;
        nouvelle.cellules.assign(cells.begin() + static_cast<std::ptrdiff_t>(n), cells.end());
        cells.resize(n);
        nouvelle.total = boite.total - somme;
        boite.total = somme;
        for (int ch = 0; ch < 3; ++ch) {
            nouvelle.min[ch] = boite.min[ch];
            nouvelle.largeur[ch] = boite.largeur[ch];
        }
        nouvelle.min[k] = canal(nouvelle.cellules[0], k) * 16;
        nouvelle.largeur[k] = boite.min[k] + boite.largeur[k] - nouvelle.min[k];
        boite.largeur[k] = canal(cells.back(), k) * 16 - boite.min[k];
        boites.push_back(std::move(nouvelle));
    }
    dest.palette.assign(256, Couleur(0, 0, 0));
    std::vector<uint8_t> boiteDe(4096, 0);
    for (std::size_t i = 0; i < boites.size(); ++i) {
        const Boite& bo = boites[i];
        if (bo.cellules.empty())
            continue;
        int v[3];
        for (int ch = 0; ch < 3; ++ch) {
            int s = 0;
            for (int cell : bo.cellules)
                s += canal(cell, ch);
            v[ch] = (s * 16 + 15) / static_cast<int>(bo.cellules.size());
        }
        if (!(v[0] <= 16 && v[1] <= 16 && v[2] <= 16))
            dest.palette[i] = Couleur(v[0], v[1], v[2]);
        for (int cell : bo.cellules)
            boiteDe[static_cast<std::size_t>(cell)] = static_cast<uint8_t>(i);
    }
    for (std::size_t i = 0; i < src.couleurs.size(); ++i)
        dest.indices[i] = boiteDe[static_cast<std::size_t>(cellule(src.couleurs[i]))];
    dest.couleursImportantes = static_cast<int32_t>(boites.size());
}

int NiveauProche(const int* niveaux, int n, int v)
{
    int meilleur = 0;
    for (int i = 1; i < n; ++i)
        if (std::abs(niveaux[i] - v) < std::abs(niveaux[meilleur] - v))
            meilleur = i;
    return meilleur;
}

void PaletteFixe(const ImagePixels& src, ImagePixels& dest, uint8_t methode)
{
    static constexpr int r7[7] = {0, 43, 85, 128, 170, 213, 255};
    static constexpr int g8[8] = {0, 36, 73, 109, 146, 182, 219, 255};
    static constexpr int b4[4] = {0, 85, 170, 255};
    static constexpr int n6[6] = {0, 51, 102, 153, 204, 255};
    dest.palette.assign(256, Couleur(128, 128, 128));
    if (methode == ReductionFixe784) {
        for (int r = 0; r < 7; ++r)
            for (int g = 0; g < 8; ++g)
                for (int b = 0; b < 4; ++b)
                    dest.palette[static_cast<std::size_t>((r * 8 + g) * 4 + b)] = Couleur(r7[r], g8[g], b4[b]);
        for (std::size_t i = 0; i < src.couleurs.size(); ++i) {
            const Couleur c = src.couleurs[i];
            dest.indices[i] = static_cast<uint8_t>((NiveauProche(r7, 7, c.r) * 8 + NiveauProche(g8, 8, c.g)) * 4 +
                                                   NiveauProche(b4, 4, c.b));
        }
        dest.couleursImportantes = 224;
    } else {
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    dest.palette[static_cast<std::size_t>(r * 36 + g * 6 + b)] = Couleur(n6[r], n6[g], n6[b]);
        for (std::size_t i = 0; i < src.couleurs.size(); ++i) {
            const Couleur c = src.couleurs[i];
            dest.indices[i] = static_cast<uint8_t>(NiveauProche(n6, 6, c.r) * 36 + NiveauProche(n6, 6, c.g) * 6 +
                                                   NiveauProche(n6, 6, c.b));
        }
        dest.couleursImportantes = 216;
    }
}

void Bandes(const ImagePixels& src, ImagePixels& dest)
{
    dest.palette.assign(256, Couleur(0, 0, 0));
    for (int i = 0; i < 64; ++i) {
        dest.palette[static_cast<std::size_t>(i)] = Couleur(i * 4, 0, 0);
        dest.palette[static_cast<std::size_t>(64 + i)] = Couleur(0, i * 4, 0);
        dest.palette[static_cast<std::size_t>(128 + i)] = Couleur(0, 0, i * 4);
    }
    for (int32_t y = 0; y < src.hauteur; ++y)
        for (int32_t x = 0; x < src.largeur; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(src.largeur) + static_cast<std::size_t>(x);
            const Couleur c = src.couleurs[i];
            const int phase = (x + y) % 3;
            dest.indices[i] = static_cast<uint8_t>(phase == 0 ? c.r / 4 : phase == 1 ? c.g / 4 + 64 : c.b / 4 + 128);
        }
}

void Gris(const ImagePixels& src, ImagePixels& dest)
{
    dest.palette.resize(256);
    for (int i = 0; i < 256; ++i)
        dest.palette[static_cast<std::size_t>(i)] = Couleur(i, i, i);
    for (std::size_t i = 0; i < src.couleurs.size(); ++i) {
        const Couleur c = src.couleurs[i];
        dest.indices[i] = static_cast<uint8_t>((c.r * 77 + c.g * 150 + c.b * 29) / 256);
    }
}

} // namespace

ImagePixels QuantizeToPalette(const ImagePixels& bitmap, int bits, uint8_t methode)
{
    if (bitmap.Vide())
        throw EInvalidGraphic(SInvalidBitmap);
    const int actuels = bitmap.Indexee() ? bitmap.bitsParPixel : 24;
    if (actuels == bits && methode != ReductionGris)
        return bitmap;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        throw EFonctionNonImplementee();
    if (bits == 24)
        return EnCouleurs(bitmap);
    if (bits == 1 || bits == 4)
        return ConversionPlateforme(bitmap, bits);
    const ImagePixels src = EnCouleurs(bitmap);
    ImagePixels dest = ImagePixels::Indexee(src.largeur, src.hauteur, 8, {});
    switch (methode) {
    case ReductionPopularite: Popularite(src, dest); break;
    case ReductionMedianCut: MedianCut(src, dest); break;
    case ReductionFixe784:
    case ReductionFixe666: PaletteFixe(src, dest, methode); break;
    case ReductionBandes: Bandes(src, dest); break;
    case ReductionGris: Gris(src, dest); break;
    default: throw EFonctionNonImplementee();
    }
    dest.transparent = bitmap.transparent;
    dest.couleurTransparente = bitmap.couleurTransparente;
    return dest;
}

ImagePixels QuantizeToPalette(const ImagePixels& bitmap, int nombreCouleurs)
{
    const int bits = nombreCouleurs <= 2 ? 1 : nombreCouleurs <= 16 ? 4 : nombreCouleurs <= 256 ? 8 : 24;
    return QuantizeToPalette(bitmap, bits, MethodeReductionParDefaut);
}
