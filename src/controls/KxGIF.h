#pragma once
// GIF picture (87a and 89a) of the component library: the global screen data, a list of frames
// each holding its encoded image exactly as read, and the decoding of a frame into an indexed
// bitmap on demand. Headless: the Qt side (drawing, QImage conversion) lives in GifQt.
//
// Every size, count and code read from a file is checked against the bytes that remain: a
// malformed file raises EInvalidGraphicOperation, never reads beyond its data and never loops
// without consuming input.
#include "platform/Couleur.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Windows colour value (red + 256 green + 65536 blue); the high byte marks the special values.
using TColor = int32_t;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clWindow = static_cast<TColor>(0x80000005u);

inline TColor CouleurVersTColor(platform::Couleur c) { return c.Valeur(); }

// The library's string table, as far as the picture classes use it.
inline constexpr const char* SGIFVersion = "Unknown GIF version";
inline constexpr const char* SGIFEncodeError = "GIF image encoding error";
inline constexpr const char* SGIFDecodeError = "GIF encoded data is corrupt";
inline constexpr const char* SGIFBadCodeSize = "GIF code size not in range 2 to 9";
inline constexpr const char* SWrongGIFColors = "Wrong number of colors; must be a power of 2";
inline constexpr const char* SBadGIFExtension = "Unrecognized extension block: %.2x";
inline constexpr const char* SNoGIFData = "No GIF Data to write";
inline constexpr const char* SChangeGIFSize = "Cannot change the Size of a GIF image";
inline constexpr const char* SGIFImage = "CompuServe GIF Image";
inline constexpr const char* SReadError = "Erreur de lecture du flux";
inline constexpr const char* SInvalidBitmap = "Image bitmap incorrecte";
inline constexpr const char* SNotImplemented = "Fonction non encore implémentée";

// The clipboard format under which pictures travel between programs.
inline constexpr const char* CF_GIFNom = "GIF Image";

class EInvalidGraphicOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EInvalidGraphic : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// The library's stop for operations it does not implement: the caller abandons what it did.
class EFonctionNonImplementee : public std::runtime_error {
public:
    EFonctionNonImplementee() : std::runtime_error(SNotImplemented) {}
};

// A bitmap without any platform behind it: either indexed (1, 4 or 8 bits per pixel, one byte
// per pixel in `indices`, values below 2^bits) with its palette, or true colour (24 bits, one
// colour per pixel in `couleurs`). Rows top to bottom.
struct ImagePixels {
    int32_t largeur = 0;
    int32_t hauteur = 0;
    int bitsParPixel = 24;
    std::vector<platform::Couleur> palette;
    std::vector<uint8_t> indices;
    std::vector<platform::Couleur> couleurs;
    // Number of palette entries in use as the colour reduction reported it (0 = all).
    int32_t couleursImportantes = 0;
    bool monochrome = false;
    bool transparent = false;
    TColor couleurTransparente = clNone;

    bool Vide() const { return largeur <= 0 || hauteur <= 0; }
    bool Indexee() const { return bitsParPixel <= 8; }
    platform::Couleur Pixel(int32_t x, int32_t y) const;
    static ImagePixels Indexee(int32_t largeur, int32_t hauteur, int bits, std::vector<platform::Couleur> palette);
    static ImagePixels Couleurs(int32_t largeur, int32_t hauteur, platform::Couleur fond = {});
};

struct TGIFColorTable {
    int32_t count = 0;
    std::array<platform::Couleur, 256> colors{};
};

struct TGIFData {
    std::vector<std::string> comment;
    uint8_t aspectRatio = 0;
    uint8_t bitsPerPixel = 0;
    uint8_t colorResBits = 0;
    TGIFColorTable colorMap;
};

struct TGIFItem {
    // Code-size byte, data sub-blocks and the zero terminator, as in the file.
    std::vector<uint8_t> imageData;
    int32_t width = 0;
    int32_t height = 0;
    uint8_t packedFields = 0;
    uint8_t bitsPerPixel = 0;
    TGIFColorTable colorMap;
};

enum class TExtensionKind : uint8_t { GraphicControl = 0, PlainText = 1, Application = 2, Comment = 3 };

struct TExtension {
    TExtensionKind kind = TExtensionKind::GraphicControl;
    std::vector<std::string> lines;
    // Fixed header bytes as read: 6 for a graphic control (block size, packed, delay low, delay
    // high, transparent index, terminator), 13 for plain text, 12 for an application block.
    std::vector<uint8_t> header;
};

class TGIFImage;

// Progress of a long coding: stage 0 start, 1 running, 2 end; percentage done.
using ProgressionGIF = std::function<void(int etape, int pourcent)>;

class TGIFFrame {
public:
    explicit TGIFFrame(TGIFImage* owner);

    TGIFImage* owner = nullptr;
    std::unique_ptr<ImagePixels> bitmap;
    std::shared_ptr<TGIFItem> item;
    std::vector<TExtension> extensions;
    int32_t left = 0;
    int32_t top = 0;
    bool interlaced = false;
    bool corrupted = false;
    bool grayscale = false;
    TColor transparentColor = clNone;
    uint16_t delay = 0;      // milliseconds
    uint8_t disposal = 0;    // 0..7 as stored in the graphic control extension
    bool localColors = false;

    // The decoded bitmap, made on the first call; empty when there is no encoded data.
    const ImagePixels& DecodeBitmap();
    void Assign(const TGIFFrame& source);
    void Assign(const TGIFImage& source);
    void Assign(const ImagePixels* graphique);

    // Writing half (GifEcriture.cpp).
    void EncodeFromBitmap();
    void EncodePixels(const ImagePixels& bmp);
    void SyncControlExtension();

    bool EncodedVide() const { return !item || item->imageData.empty(); }
};

class TAnimatedCursorImage;

class TGIFImage {
public:
    TGIFImage();
    TGIFImage(const TGIFImage&) = delete;
    TGIFImage& operator=(const TGIFImage&) = delete;

    std::shared_ptr<TGIFData> data;
    uint8_t version = 0;   // 0 not set, 1 "87a", 2 "89a"
    std::vector<std::unique_ptr<TGIFFrame>> frames;
    int32_t frameIndex = -1;
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    TColor backgroundColor = clNone;
    bool looping = false;
    uint16_t repeatCount = 1;
    bool transparent = true;    // the graphic's own Transparent flag
    int changements = 0;        // change notifications fired
    std::function<void()> onChange;
    ProgressionGIF onProgress;

    void Clear();
    void Changed();

    // Whole GIF file bytes; errors raise EInvalidGraphicOperation.
    void LoadFromBytes(const uint8_t* octets, std::size_t n, bool decoderPremiere = true);
    void LoadFromBytes(const std::vector<uint8_t>& octets) { LoadFromBytes(octets.data(), octets.size()); }
    // Form streaming: a 32-bit length, then that many bytes; returns the bytes consumed.
    std::size_t ReadData(const uint8_t* octets, std::size_t n);
    std::vector<uint8_t> WriteData();
    std::vector<uint8_t> SaveToStream();

    void Assign(const TGIFImage* source);
    void Assign(const TGIFFrame& source);
    void Assign(const ImagePixels& bitmap);
    void Assign(const TAnimatedCursorImage& curseur);
    void AppendFrame(const ImagePixels& graphique);

    bool Equals(const TGIFImage& autre) const { return data == autre.data; }
    bool GetEmpty() const;
    int32_t GetWidth();
    int32_t GetHeight();
    bool GetTransparent() const;
    [[noreturn]] void SetWidth(int32_t);
    [[noreturn]] void SetHeight(int32_t);
    // The current frame's bitmap; an image without frames gets an empty frame 0.
    ImagePixels& Bitmap();
    TGIFFrame* CurrentFrame();
    void RecomputeScreenSize();
};

// Reads `n` bytes of a GIF file into the image (cleared first).
void ReadGIFStream(TGIFImage& image, const uint8_t* octets, std::size_t n, bool decoderPremiere);

// The rows of an image of `hauteur` rows in the order its pixels are coded: top to bottom, or
// for an interlaced image the four passes (every 8th row from 0, from 4, every 4th from 2,
// every 2nd from 1).
std::vector<int32_t> OrdreLignesGIF(int32_t hauteur, bool interlaced);

// Decodes the encoded image of an item into `dest`, a zero-filled indexed bitmap of the item's
// size whose bit count holds the pixel values. Returns true when the data was corrupt (only when
// corruption is tolerated; otherwise raises SGIFDecodeError).
bool DecodeGIFLZW(const TGIFItem& item, ImagePixels& dest, bool interlaced, bool tolererCorruption,
                  const ProgressionGIF& progression = {});

// Largest frame area the decoder accepts: a few header bytes could otherwise ask for gigabytes.
inline constexpr int64_t MaxPixelsGIF = int64_t(1) << 26;
