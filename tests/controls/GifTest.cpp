// GIF reading, writing and colour reduction, on small files built here byte by byte.
#include "controls/GifEcriture.h"
#include "controls/KxGIF.h"
#include "support/DossierTemporaire.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <unistd.h>

using platform::Couleur;

namespace {

// Literal-only LZW, independent of the encoder under test: a clear code comes before the table
// would widen the codes, so every code has the minimum width.
std::vector<uint8_t> LzwLitteral(const std::vector<uint8_t>& pixels, int tailleMin, bool avecFin = true)
{
    const int clear = 1 << tailleMin;
    std::vector<int> codes{clear};
    int depuisClear = 0;
    for (uint8_t p : pixels) {
        if (depuisClear == clear - 2) {
            codes.push_back(clear);
            depuisClear = 0;
        }
        codes.push_back(p);
        ++depuisClear;
    }
    if (avecFin)
        codes.push_back(clear + 1);
    std::vector<uint8_t> octets;
    uint32_t acc = 0;
    int n = 0;
    for (int c : codes) {
        acc |= uint32_t(c) << n;
        n += tailleMin + 1;
        while (n >= 8) {
            octets.push_back(uint8_t(acc));
            acc >>= 8;
            n -= 8;
        }
    }
    if (n > 0)
        octets.push_back(uint8_t(acc));
    std::vector<uint8_t> out{uint8_t(tailleMin)};
    for (std::size_t p = 0; p < octets.size(); p += 255) {
        const std::size_t k = std::min<std::size_t>(255, octets.size() - p);
        out.push_back(uint8_t(k));
        out.insert(out.end(), octets.begin() + long(p), octets.begin() + long(p + k));
    }
    out.push_back(0);
    return out;
}

struct CadreTest {
    int left = 0, top = 0, w = 0, h = 0;
    std::vector<Couleur> palette;   // local table when not empty
    bool interlaced = false;
    std::vector<uint8_t> pixels;    // display order, row by row
    int delai = -1;                 // graphic control extension when >= 0
    int transparent = -1;
    int disposal = 0;
    std::vector<uint8_t> donnees;   // encoded data, built from the pixels when empty
};

struct GifTest {
    std::string signature = "GIF89a";
    int w = 0, h = 0;
    std::vector<Couleur> palette;
    int fond = 0;
    std::vector<std::vector<uint8_t>> avantCadres;   // raw blocks written first
    std::vector<CadreTest> cadres;
    std::vector<std::vector<uint8_t>> apresCadres;

    static int Bits(std::size_t n)
    {
        int b = 1;
        while ((std::size_t(1) << b) < n)
            ++b;
        return b;
    }
    std::vector<uint8_t> Octets() const
    {
        std::vector<uint8_t> o(signature.begin(), signature.end());
        auto mot = [&](int v) { o.push_back(uint8_t(v)); o.push_back(uint8_t(v >> 8)); };
        mot(w);
        mot(h);
        if (palette.empty()) {
            o.push_back(0);
        } else {
            const int b = Bits(palette.size());
            o.push_back(uint8_t(0x80 | ((b - 1) << 4) | (b - 1)));
        }
        o.push_back(uint8_t(fond));
        o.push_back(0);
        for (const Couleur& c : palette)
            o.insert(o.end(), {c.r, c.g, c.b});
        for (const auto& bloc : avantCadres)
            o.insert(o.end(), bloc.begin(), bloc.end());
        for (const CadreTest& f : cadres) {
            if (f.delai >= 0)
                o.insert(o.end(), {'!', 0xF9, 4, uint8_t((f.disposal << 2) | (f.transparent >= 0 ? 1 : 0)),
                                   uint8_t(f.delai), uint8_t(f.delai >> 8), uint8_t(std::max(f.transparent, 0)), 0});
            o.push_back(',');
            mot(f.left);
            mot(f.top);
            mot(f.w);
            mot(f.h);
            uint8_t packed = f.interlaced ? 0x40 : 0;
            const int bits = f.palette.empty() ? Bits(palette.size()) : Bits(f.palette.size());
            if (!f.palette.empty())
                packed |= uint8_t(0x80 | (bits - 1));
            o.push_back(packed);
            for (const Couleur& c : f.palette)
                o.insert(o.end(), {c.r, c.g, c.b});
            std::vector<uint8_t> d = f.donnees;
            if (d.empty()) {
                std::vector<uint8_t> ordre;
                std::vector<int> lignes;
                if (f.interlaced) {
                    for (int y = 0; y < f.h; y += 8) lignes.push_back(y);
                    for (int y = 4; y < f.h; y += 8) lignes.push_back(y);
                    for (int y = 2; y < f.h; y += 4) lignes.push_back(y);
                    for (int y = 1; y < f.h; y += 2) lignes.push_back(y);
                } else {
                    for (int y = 0; y < f.h; ++y) lignes.push_back(y);
                }
                for (int y : lignes)
                    ordre.insert(ordre.end(), f.pixels.begin() + y * f.w, f.pixels.begin() + (y + 1) * f.w);
                d = LzwLitteral(ordre, std::max(2, bits));
            }
            o.insert(o.end(), d.begin(), d.end());
        }
        for (const auto& bloc : apresCadres)
            o.insert(o.end(), bloc.begin(), bloc.end());
        o.push_back(';');
        return o;
    }
};

std::vector<Couleur> Palette(int n, int graine = 1)
{
    std::vector<Couleur> p;
    for (int i = 0; i < n; ++i)
        p.emplace_back((i * 37 + graine * 11) & 0xFF, (i * 91 + graine * 7) & 0xFF, (i * 53 + graine) & 0xFF);
    return p;
}

std::vector<uint8_t> Motif(int w, int h, int modulo)
{
    std::vector<uint8_t> p(std::size_t(w * h));
    for (int i = 0; i < w * h; ++i)
        p[std::size_t(i)] = uint8_t((i * 7 + i / w) % modulo);
    return p;
}

GifTest UnCadre(int w, int h, bool interlaced = false)
{
    GifTest g;
    g.w = w;
    g.h = h;
    g.palette = Palette(16);
    g.fond = 3;
    CadreTest f;
    f.w = w;
    f.h = h;
    f.interlaced = interlaced;
    f.pixels = Motif(w, h, 16);
    g.cadres.push_back(f);
    return g;
}

void VerifierPixels(TGIFFrame& f, const CadreTest& attendu, const std::vector<Couleur>& palette)
{
    const ImagePixels& bmp = f.DecodeBitmap();
    ASSERT_EQ(bmp.largeur, attendu.w);
    ASSERT_EQ(bmp.hauteur, attendu.h);
    for (int y = 0; y < attendu.h; ++y)
        for (int x = 0; x < attendu.w; ++x)
            ASSERT_EQ(bmp.Pixel(x, y), palette[attendu.pixels[std::size_t(y * attendu.w + x)]]) << x << "," << y;
}

std::vector<uint8_t> Comment(const std::string& texte)
{
    std::vector<uint8_t> b{'!', 0xFE, uint8_t(texte.size())};
    for (char c : texte) // byte by byte: GCC 12 warns falsely on a range insert here
        b.push_back(uint8_t(c));
    b.push_back(0);
    return b;
}

std::vector<uint8_t> Netscape(int compte)
{
    std::vector<uint8_t> b{'!', 0xFF, 11};
    for (char c : std::string("NETSCAPE2.0"))
        b.push_back(uint8_t(c));
    for (uint8_t o : {uint8_t(3), uint8_t(1), uint8_t(compte), uint8_t(compte >> 8), uint8_t(0)})
        b.push_back(o);
    return b;
}

ImagePixels ImageCouleurs(int w, int h, const std::vector<Couleur>& couleurs)
{
    ImagePixels im = ImagePixels::Couleurs(w, h);
    for (int i = 0; i < w * h; ++i)
        im.couleurs[std::size_t(i)] = couleurs[std::size_t(i * 13 + i / w) % couleurs.size()];
    return im;
}

} // namespace

TEST(GifLecture, UnCadreSimpleEtEntrelace)
{
    for (bool entrelace : {false, true}) {
        // 11 rows put a row in every interlace pass and leave the last pass uneven.
        const GifTest g = UnCadre(13, 11, entrelace);
        TGIFImage im;
        im.LoadFromBytes(g.Octets());
        EXPECT_EQ(im.version, 2);
        ASSERT_EQ(im.frames.size(), 1u);
        EXPECT_EQ(im.frameIndex, 0);
        EXPECT_EQ(im.GetWidth(), 13);
        EXPECT_EQ(im.GetHeight(), 11);
        EXPECT_EQ(im.backgroundColor, g.palette[3].Valeur());
        EXPECT_EQ(im.frames[0]->interlaced, entrelace);
        EXPECT_FALSE(im.frames[0]->corrupted);
        EXPECT_FALSE(im.GetTransparent());
        EXPECT_EQ(im.frames[0]->bitmap->bitsParPixel, 4);
        VerifierPixels(*im.frames[0], g.cadres[0], g.palette);
    }
}

TEST(GifLecture, SignatureEnMinusculesEtOctetsNulsApresLaFin)
{
    GifTest g = UnCadre(4, 4);
    g.signature = "gif87A";
    std::vector<uint8_t> o = g.Octets();
    o.pop_back();
    o.insert(o.end(), {0, 0, 0});
    TGIFImage im;
    im.LoadFromBytes(o);
    EXPECT_EQ(im.version, 1);
    ASSERT_EQ(im.frames.size(), 1u);
    VerifierPixels(*im.frames[0], g.cadres[0], g.palette);
}

TEST(GifLecture, PlusieursCadresDelaisDispositionEtPalettes)
{
    GifTest g;
    g.w = 10;
    g.h = 8;
    g.palette = Palette(4);
    CadreTest a;
    a.w = 10; a.h = 8; a.pixels = Motif(10, 8, 4); a.delai = 25; a.disposal = 2; a.transparent = 1;
    CadreTest b;
    b.left = 3; b.top = 2; b.w = 5; b.h = 4; b.palette = Palette(8, 5); b.pixels = Motif(5, 4, 8);
    b.delai = 7; b.disposal = 3;
    g.cadres = {a, b};
    g.avantCadres.push_back(Netscape(0));
    TGIFImage im;
    im.LoadFromBytes(g.Octets());
    ASSERT_EQ(im.frames.size(), 2u);
    EXPECT_TRUE(im.looping);
    EXPECT_EQ(im.repeatCount, 0);
    TGIFFrame& f0 = *im.frames[0];
    TGIFFrame& f1 = *im.frames[1];
    EXPECT_EQ(f0.delay, 250);
    EXPECT_EQ(f0.disposal, 2);
    EXPECT_EQ(f0.transparentColor, g.palette[1].Valeur());
    EXPECT_FALSE(f0.localColors);
    EXPECT_EQ(f1.delay, 70);
    EXPECT_EQ(f1.disposal, 3);
    EXPECT_EQ(f1.transparentColor, clNone);
    EXPECT_TRUE(f1.localColors);
    EXPECT_EQ(f1.left, 3);
    EXPECT_EQ(f1.top, 2);
    EXPECT_TRUE(im.GetTransparent());
    VerifierPixels(f0, a, g.palette);
    VerifierPixels(f1, b, b.palette);
    // The first frame is decoded at load time, the second only on demand.
    TGIFImage paresseuse;
    paresseuse.LoadFromBytes(g.Octets().data(), g.Octets().size(), false);
    EXPECT_EQ(paresseuse.frames[0]->bitmap, nullptr);
}

TEST(GifLecture, ExtensionsEtCommentaires)
{
    {   // loop count clamped; comments after the last image joined by a blank line pair
        GifTest g = UnCadre(3, 3);
        g.avantCadres.push_back(Netscape(40000));
        g.apresCadres.push_back(Comment("first"));
        g.apresCadres.push_back(Comment("second"));
        TGIFImage im;
        im.LoadFromBytes(g.Octets());
        EXPECT_EQ(im.repeatCount, 30000);
        EXPECT_EQ(im.data->comment, (std::vector<std::string>{"first", "\r\n\r\n", "second"}));
    }
    {   // a graphic control before a plain-text block is lost with it
        GifTest g = UnCadre(3, 3);
        std::vector<uint8_t> gce{'!', 0xF9, 4, 1, 10, 0, 2, 0};
        std::vector<uint8_t> texte{'!', 0x01, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 'h', 'i', 0};
        g.avantCadres = {gce, texte};
        TGIFImage im;
        im.LoadFromBytes(g.Octets());
        EXPECT_EQ(im.frames[0]->transparentColor, clNone);
        EXPECT_EQ(im.frames[0]->delay, 0);
        EXPECT_TRUE(im.frames[0]->extensions.empty());
    }
    {   // transparent index outside a 16-colour local table leaves the colour alone
        GifTest g = UnCadre(3, 3);
        g.cadres[0].palette = Palette(16, 3);
        g.cadres[0].delai = 0;
        g.cadres[0].transparent = 200;
        TGIFImage im;
        im.LoadFromBytes(g.Octets());
        EXPECT_EQ(im.frames[0]->transparentColor, clNone);
    }
    {   // a delay of more than 655 seconds does not wrap around
        GifTest g = UnCadre(3, 3);
        g.cadres[0].delai = 7000;
        TGIFImage im;
        im.LoadFromBytes(g.Octets());
        EXPECT_EQ(im.frames[0]->delay, 65535);
    }
}

// Files whose logical screen is 0x0, or smaller than their frames, are common and other readers
// open them: the frames are read whole and the screen grows to hold them.
TEST(GifLecture, EcranTropPetitOuNulAgrandi)
{
    struct Cas {
        const char* nom;
        int ecranL, ecranH;
        std::vector<std::pair<int, int>> positions; // left, top of each 6x5 frame
        int attenduL, attenduH;
    };
    const Cas cas[] = {
        {"ecran 0x0", 0, 0, {{0, 0}}, 6, 5},
        {"cadre decale hors de l'ecran", 6, 5, {{1, 2}}, 7, 7},
        {"second cadre au-dela", 6, 5, {{0, 0}, {4, 0}}, 10, 5},
        {"ecran plus grand garde", 40, 30, {{3, 3}}, 40, 30},
        {"au bord des champs de 16 bits", 0, 0, {{65533, 65534}}, 65535, 65535},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        GifTest g = UnCadre(6, 5);
        g.w = c.ecranL;
        g.h = c.ecranH;
        const CadreTest modele = g.cadres[0];
        g.cadres.clear();
        for (auto [left, top] : c.positions) {
            CadreTest f = modele;
            f.left = left;
            f.top = top;
            g.cadres.push_back(f);
        }
        TGIFImage im;
        im.LoadFromBytes(g.Octets());
        ASSERT_EQ(im.frames.size(), c.positions.size());
        EXPECT_EQ(im.screenWidth, c.attenduL);
        EXPECT_EQ(im.screenHeight, c.attenduH);
        for (std::size_t i = 0; i < im.frames.size(); ++i) {
            EXPECT_EQ(im.frames[i]->left, c.positions[i].first);
            EXPECT_FALSE(im.frames[i]->corrupted);
            VerifierPixels(*im.frames[i], modele, g.palette);
        }
    }
    // The frame limit still holds whatever the screen says.
    GifTest g = UnCadre(6, 5);
    g.w = g.h = 0;
    g.cadres[0].w = g.cadres[0].h = 65535;
    g.cadres[0].donnees = LzwLitteral({1, 2, 3}, 4);
    TGIFImage im;
    EXPECT_THROW(im.LoadFromBytes(g.Octets()), EInvalidGraphicOperation);
}

TEST(GifLecture, FichiersMalformesRefuses)
{
    struct Cas {
        const char* nom;
        std::vector<uint8_t> octets;
        const char* message;   // nullptr: loads, with the frame marked corrupted
    };
    std::vector<Cas> cas;
    auto avec = [](auto modifier) {
        GifTest g = UnCadre(6, 5);
        modifier(g);
        return g.Octets();
    };
    cas.push_back({"vide de signature", {'G', 'I'}, SGIFVersion});
    cas.push_back({"version inconnue", avec([](GifTest& g) { g.signature = "GIF90a"; }), SGIFVersion});
    cas.push_back({"pas un GIF", avec([](GifTest& g) { g.signature = "PNG89a"; }), SGIFVersion});
    for (int taille : {0, 1, 10, 12, 255})
        cas.push_back({"taille de code", avec([&](GifTest& g) {
                           g.cadres[0].donnees = LzwLitteral(g.cadres[0].pixels, 4);
                           g.cadres[0].donnees[0] = uint8_t(taille);
                       }), SGIFBadCodeSize});
    cas.push_back({"largeur nulle", avec([](GifTest& g) { g.cadres[0].w = 0; g.cadres[0].pixels.clear(); }), SGIFDecodeError});
    cas.push_back({"hauteur nulle", avec([](GifTest& g) { g.cadres[0].h = 0; g.cadres[0].pixels.clear(); }), SGIFDecodeError});
    cas.push_back({"ecran immense", avec([](GifTest& g) {
                       g.w = g.h = 65535;
                       g.cadres[0].w = g.cadres[0].h = 65535;
                       g.cadres[0].donnees = LzwLitteral({1, 2, 3}, 4);
                   }), SGIFDecodeError});
    cas.push_back({"extension inconnue", avec([](GifTest& g) { g.avantCadres.push_back({'!', 0x42, 0}); }),
                   "Unrecognized extension block: 42"});
    cas.push_back({"introducteur inconnu", avec([](GifTest& g) { g.avantCadres.push_back({'X'}); }), SReadError});
    cas.push_back({"table locale tronquee", {'G', 'I', 'F', '8', '9', 'a', 4, 0, 4, 0, 0, 0, 0, ',', 0, 0, 0, 0, 4, 0, 4, 0, 0x87, 1, 2}, SReadError});
    // Codes beyond the table, and data that ends before the end code: the frame is kept, marked.
    cas.push_back({"code hors table", avec([](GifTest& g) {
                       // clear (16), 1, then 30 while the next free code is 18.
                       g.cadres[0].donnees = {4, 3, 0x10, 0xE0, 0x03, 0};
                   }), nullptr});
    cas.push_back({"premier code hors table", avec([](GifTest& g) { g.cadres[0].donnees = {4, 2, 0x10, 0x1F, 0}; }), nullptr});
    cas.push_back({"fin des donnees", avec([](GifTest& g) {
                       g.cadres[0].donnees = LzwLitteral(std::vector<uint8_t>(10, 1), 4, false);
                   }), nullptr});
    cas.push_back({"sous-bloc trop long", avec([](GifTest& g) { g.cadres[0].donnees = {4, 200, 0x10, 1}; }), nullptr});

    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TGIFImage im;
        if (c.message) {
            try {
                im.LoadFromBytes(c.octets);
                ADD_FAILURE() << "accepted";
            } catch (const EInvalidGraphicOperation& e) {
                EXPECT_STREQ(e.what(), c.message);
            }
        } else {
            im.LoadFromBytes(c.octets);
            ASSERT_EQ(im.frames.size(), 1u);
            EXPECT_TRUE(im.frames[0]->corrupted);
            // Strict decoding reports the same data as corrupt.
            ImagePixels bmp = ImagePixels::Indexee(6, 5, 4, {});
            EXPECT_THROW(DecodeGIFLZW(*im.frames[0]->item, bmp, false, false), EInvalidGraphicOperation);
        }
    }
}

TEST(GifLecture, TronqueAChaqueOctet)
{
    GifTest g = UnCadre(9, 7, true);
    g.avantCadres.push_back(Netscape(3));
    g.cadres[0].delai = 4;
    g.cadres[0].transparent = 2;
    g.cadres.push_back(g.cadres[0]);
    g.cadres[1].palette = Palette(16, 9);
    g.apresCadres.push_back(Comment("fin"));
    const std::vector<uint8_t> complet = g.Octets();
    const auto debut = std::chrono::steady_clock::now();
    for (std::size_t n = 0; n < complet.size(); ++n) {
        // A copy of exactly n bytes: reading past it would show up under a sanitizer.
        const std::vector<uint8_t> tronque(complet.begin(), complet.begin() + long(n));
        TGIFImage im;
        try {
            im.LoadFromBytes(tronque.data(), tronque.size(), true);
        } catch (const EInvalidGraphicOperation&) {
            continue;
        }
        for (auto& f : im.frames)
            f->DecodeBitmap();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(10));
}

TEST(GifEcriture, RelireUnFichierGardeLesDonneesCodees)
{
    GifTest g;
    g.w = 12;
    g.h = 9;
    g.palette = Palette(8);
    g.fond = 5;
    CadreTest a;
    a.w = 12; a.h = 9; a.interlaced = true; a.pixels = Motif(12, 9, 8); a.delai = 12; a.transparent = 4; a.disposal = 1;
    CadreTest b;
    b.left = 2; b.top = 1; b.w = 4; b.h = 3; b.palette = Palette(2, 4); b.pixels = Motif(4, 3, 2);
    g.cadres = {a, b};
    g.avantCadres.push_back(Netscape(5));
    g.apresCadres.push_back(Comment("hello"));
    TGIFImage im;
    im.LoadFromBytes(g.Octets());
    const std::vector<uint8_t> ecrit = im.SaveToStream();
    TGIFImage relu;
    relu.LoadFromBytes(ecrit);
    ASSERT_EQ(relu.frames.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(relu.frames[i]->item->imageData, im.frames[i]->item->imageData);
        EXPECT_EQ(relu.frames[i]->delay, im.frames[i]->delay);
        EXPECT_EQ(relu.frames[i]->disposal, im.frames[i]->disposal);
        EXPECT_EQ(relu.frames[i]->transparentColor, im.frames[i]->transparentColor);
        EXPECT_EQ(relu.frames[i]->interlaced, im.frames[i]->interlaced);
        EXPECT_EQ(relu.frames[i]->localColors, im.frames[i]->localColors);
    }
    VerifierPixels(*relu.frames[0], a, g.palette);
    VerifierPixels(*relu.frames[1], b, b.palette);
    EXPECT_EQ(relu.backgroundColor, g.palette[5].Valeur());
    EXPECT_TRUE(relu.looping);
    EXPECT_EQ(relu.repeatCount, 5);
    EXPECT_EQ(relu.data->comment, std::vector<std::string>{"hello"});

    // Form streaming puts the length in front, and reads back the same.
    const std::vector<uint8_t> flux = im.WriteData();
    ASSERT_EQ(flux.size(), ecrit.size() + 4);
    TGIFImage deFlux;
    EXPECT_EQ(deFlux.ReadData(flux.data(), flux.size()), flux.size());
    EXPECT_EQ(deFlux.frames.size(), 2u);
    EXPECT_THROW(deFlux.ReadData(flux.data(), flux.size() - 1), EInvalidGraphicOperation);
}

TEST(GifEcriture, ExtensionDeControle)
{
    TGIFImage im;
    ImagePixels bmp = ImagePixels::Indexee(4, 4, 1, {Couleur(0, 0, 0), Couleur(255, 255, 255)});
    im.AppendFrame(bmp);
    im.looping = true;
    TGIFFrame& f = *im.frames[0];
    f.transparentColor = Couleur(255, 255, 255).Valeur();
    f.disposal = 2;
    f.delay = 120;
    std::vector<uint8_t> o = im.SaveToStream();
    // A single frame writes no loop block even when looping.
    EXPECT_EQ(std::search(o.begin(), o.end(), std::begin("NETSCAPE"), std::end("NETSCAPE") - 1), o.end());
    ASSERT_EQ(f.extensions.size(), 1u);
    EXPECT_EQ(f.extensions[0].header, (std::vector<uint8_t>{4, 1 | (2 << 2), 12, 0, 1, 0}));
    // A 1-bit frame is coded with the minimum code size 2.
    EXPECT_EQ(f.item->imageData[0], 2);
    // Changing the method replaces the former one; clNone clears the transparent flag.
    f.disposal = 1;
    f.transparentColor = clNone;
    f.SyncControlExtension();
    EXPECT_EQ(f.extensions[0].header[1], 1 << 2);
    TGIFImage relu;
    relu.LoadFromBytes(im.SaveToStream());
    EXPECT_EQ(relu.frames[0]->disposal, 1);
    EXPECT_EQ(relu.frames[0]->transparentColor, clNone);
    EXPECT_EQ(relu.version, 2);
    EXPECT_THROW(TGIFImage().SaveToStream(), EInvalidGraphicOperation);
    EXPECT_THROW(im.SetWidth(3), EInvalidGraphicOperation);
}

TEST(GifEcriture, LzwAllerRetour)
{
    std::mt19937 alea(7);
    struct Cas {
        int bits, w, h, couleurs;
    };
    // The flat 8-bit picture fills the table several times over: the coder must clear it.
    for (const Cas& c : {Cas{8, 300, 200, 1}, Cas{8, 257, 131, 256}, Cas{8, 64, 64, 3}, Cas{4, 33, 17, 16},
                         Cas{1, 70, 9, 2}, Cas{8, 1, 1, 1}}) {
        ImagePixels bmp = ImagePixels::Indexee(c.w, c.h, c.bits, Palette(1 << c.bits));
        for (auto& v : bmp.indices)
            v = uint8_t(alea() % unsigned(c.couleurs));
        for (bool entrelace : {false, true}) {
            TGIFItem item;
            item.imageData = EncodeGIFLZW(bmp, entrelace);
            item.bitsPerPixel = uint8_t(c.bits);
            item.width = c.w;
            item.height = c.h;
            ImagePixels relu = ImagePixels::Indexee(c.w, c.h, c.bits, {});
            EXPECT_FALSE(DecodeGIFLZW(item, relu, entrelace, false));
            EXPECT_EQ(relu.indices, bmp.indices) << c.w << "x" << c.h << " " << entrelace;
        }
    }
}

TEST(GifEcriture, ReductionDesCouleursAllerRetour)
{
    std::mt19937 alea(3);
    std::vector<Couleur> beaucoup;
    for (int i = 0; i < 5000; ++i)
        beaucoup.emplace_back(int(alea() & 0xFF), int(alea() & 0xFF), int(alea() & 0xFF));
    const ImagePixels riche = ImageCouleurs(97, 61, beaucoup);
    // Few colours chosen so that each method can keep them exactly.
    const std::vector<Couleur> exactes[6] = {
        {{1, 2, 3}, {250, 10, 99}, {7, 7, 7}, {200, 201, 202}},
        {{0x1F, 0x2F, 0xFF}, {0xFF, 0x0F, 0x0F}, {0x7F, 0x7F, 0x7F}, {0x0F, 0xEF, 0x3F}},
        {{0, 36, 85}, {255, 255, 255}, {128, 146, 170}, {43, 0, 0}},
        {{0, 51, 102}, {255, 204, 153}, {51, 51, 51}},
        {},
        {{0, 0, 0}, {17, 17, 17}, {128, 128, 128}, {255, 255, 255}},
    };
    for (uint8_t methode = 0; methode < 6; ++methode) {
        SCOPED_TRACE(int(methode));
        MethodeReductionParDefaut = methode;
        TGIFImage im;
        im.AppendFrame(riche);
        TGIFImage relu;
        relu.LoadFromBytes(im.SaveToStream());
        std::set<int32_t> vues;
        const ImagePixels& bmp = relu.frames[0]->DecodeBitmap();
        for (int y = 0; y < bmp.hauteur; ++y)
            for (int x = 0; x < bmp.largeur; ++x)
                vues.insert(bmp.Pixel(x, y).Valeur());
        EXPECT_LE(vues.size(), 256u);
        EXPECT_EQ(bmp.largeur, 97);
        EXPECT_EQ(im.frames[0]->grayscale, methode == ReductionGris);
        if (exactes[methode].empty())
            continue;
        const ImagePixels peu = ImageCouleurs(23, 19, exactes[methode]);
        TGIFImage im2;
        im2.AppendFrame(peu);
        TGIFImage relu2;
        relu2.LoadFromBytes(im2.SaveToStream());
        const ImagePixels& b2 = relu2.frames[0]->DecodeBitmap();
        for (int y = 0; y < 19; ++y)
            for (int x = 0; x < 23; ++x)
                ASSERT_EQ(b2.Pixel(x, y), peu.couleurs[std::size_t(y * 23 + x)]) << x << "," << y;
    }
    MethodeReductionParDefaut = ReductionPopularite;
    // The fixed palettes report how many entries they use.
    EXPECT_EQ(QuantizeToPalette(riche, 8, ReductionFixe784).couleursImportantes, 224);
    EXPECT_EQ(QuantizeToPalette(riche, 8, ReductionFixe666).couleursImportantes, 216);
    EXPECT_LE(QuantizeToPalette(riche, 8, ReductionMedianCut).couleursImportantes, 256);
    EXPECT_THROW(QuantizeToPalette(ImagePixels(), 8, 0), EInvalidGraphic);
    EXPECT_THROW(QuantizeToPalette(riche, 16, 0), EFonctionNonImplementee);
    EXPECT_EQ(QuantizeToPalette(riche, 2).bitsParPixel, 1);
    EXPECT_EQ(QuantizeToPalette(riche, 16).bitsParPixel, 4);
}

TEST(GifEcriture, PopulariteAuDelaDe2049Couleurs)
{
    // 2200 colours that pair up on the lowest blue bit: blue loses that bit first, red and
    // green keep full precision.
    std::vector<Couleur> couleurs;
    for (int i = 0; i < 1100; ++i) {
        couleurs.emplace_back(i % 256, i / 256 * 40 + 1, 2 * (i % 100));
        couleurs.emplace_back(i % 256, i / 256 * 40 + 1, 2 * (i % 100) + 1);
    }
    ImagePixels im = ImagePixels::Couleurs(int(couleurs.size()), 1);
    im.couleurs = couleurs;
    const ImagePixels r = QuantizeToPalette(im, 8, ReductionPopularite);
    std::set<int32_t> sorties;
    for (int x = 0; x < r.largeur; ++x) {
        const Couleur c = r.Pixel(x, 0);
        EXPECT_EQ(c.b % 2, 0);
        sorties.insert(c.Valeur());
    }
    EXPECT_EQ(sorties.size(), 256u);
    // Exact when at most 2049 colours: a pixel keeps its colour whenever it was chosen.
    EXPECT_EQ(r.Pixel(0, 0), Couleur(0, 1, 0));
}

TEST(GifEcriture, RelectureParImageMagick)
{
    if (access("/usr/bin/convert", X_OK) != 0)
        GTEST_SKIP() << "ImageMagick absent";
    const GifTest g = UnCadre(21, 13, true);
    TGIFImage im;
    MethodeReductionParDefaut = ReductionPopularite;
    std::vector<Couleur> couleurs = Palette(40, 2);
    im.AppendFrame(ImageCouleurs(21, 13, couleurs));
    const std::vector<uint8_t> o = im.SaveToStream();
    const std::string base = (lyrx_test::DossierDuTest() / "image").string();
    {
        std::ofstream f(base + ".gif", std::ios::binary);
        f.write(reinterpret_cast<const char*>(o.data()), long(o.size()));
    }
    const std::string commande = "/usr/bin/convert " + base + ".gif -depth 8 rgb:" + base + ".rgb 2>/dev/null";
    ASSERT_EQ(std::system(commande.c_str()), 0);
    std::ifstream f(base + ".rgb", std::ios::binary);
    std::vector<uint8_t> rgb((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    ASSERT_EQ(rgb.size(), std::size_t(21 * 13 * 3));
    const ImagePixels attendu = ImageCouleurs(21, 13, couleurs);
    for (std::size_t i = 0; i < attendu.couleurs.size(); ++i)
        ASSERT_EQ(Couleur(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]), attendu.couleurs[i]) << i;
}

TEST(GifLecture, OctetsAlteresAuHasard)
{
    // Random damage to a valid file: an error or a picture, in bounded time, whatever the bytes.
    GifTest g = UnCadre(17, 9, true);
    g.cadres.push_back(g.cadres[0]);
    g.cadres[1].palette = Palette(4, 2);
    g.cadres[1].pixels = Motif(17, 9, 4);
    g.cadres[1].delai = 3;
    const std::vector<uint8_t> sain = g.Octets();
    std::mt19937 alea(11);
    const auto debut = std::chrono::steady_clock::now();
    for (int essai = 0; essai < 3000; ++essai) {
        std::vector<uint8_t> o = sain;
        for (int k = 0; k < 1 + essai % 4; ++k)
            o[alea() % o.size()] = uint8_t(alea());
        TGIFImage im;
        try {
            im.LoadFromBytes(o.data(), o.size(), false);
            for (auto& f : im.frames)
                f->DecodeBitmap();
            if (!im.frames.empty())
                im.SaveToStream();
        } catch (const EInvalidGraphicOperation&) {
        }
    }
    EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(20));
}
