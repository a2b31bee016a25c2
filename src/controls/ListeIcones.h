#pragma once
// Icons of the picture side of the component library, headless: an icon held as the bytes of a
// Windows icon file, a streamable list of icons, and animated cursors (RIFF "ACON" files) read
// into frames of one icon each, which can be handed on as an icon, an icon list, a strip bitmap
// or a GIF picture.
//
// Icon files, icon-list streams and animated cursors are untrusted: every count, size and
// offset is checked against the bytes that are there before anything is allocated or read.
#include "controls/KxGIF.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// An icon: the bytes of a Windows icon file (directory type 1), checked when loaded.
class TIcon {
public:
    std::function<void()> onChange;

    bool Vide() const { return octets_.empty(); }
    const std::vector<uint8_t>& Octets() const { return octets_; }
    // Raises EInvalidGraphic when the bytes are not an icon file this reader can hold.
    void LoadFromBytes(const std::vector<uint8_t>& octets);
    void Assign(const TIcon* source);
    void Clear();
    // Size of the first image of the directory (a stored 0 means 256).
    int32_t Largeur() const { return largeur_; }
    int32_t Hauteur() const { return hauteur_; }
    // The first image drawn over `fond` at (x, y) of a true-colour bitmap, clipped to it; its
    // AND mask leaves the background visible. Compressed (PNG) images draw nothing.
    void Dessiner(ImagePixels& dest, int32_t x, int32_t y) const;

private:
    void Changer();
    std::vector<uint8_t> octets_;
    int32_t largeur_ = 0;
    int32_t hauteur_ = 0;
};

class EListError : public std::runtime_error {
public:
    EListError() : std::runtime_error("List index out of bounds") {}
};

class TIconList {
public:
    TIconList() = default;
    TIconList(const TIconList&) = delete;
    TIconList& operator=(const TIconList&) = delete;

    std::function<void()> OnChange;

    void Changed();
    TIcon* Get(int index) const;
    int Count() const { return static_cast<int>(icones_.size()); }
    void Put(int index, const TIcon& icone);
    int Add(const TIcon& icone);
    void Clear();
    void Delete(int index);
    void Exchange(int a, int b);
    int IndexOf(const TIcon* icone) const;
    void Insert(int index, const TIcon& icone);
    void Move(int depuis, int vers);
    void BeginUpdate() { ++miseAJour_; }
    void EndUpdate();
    void Assign(const TIconList* source);
    void Assign(const TIcon& source);

    // The binary property "Icons": a 32-bit count, then per entry a 32-bit size and that many
    // bytes of icon file (0 for an empty entry).
    std::vector<uint8_t> WriteIcons() const;
    // Raises EReadError when the stream is short or its counts are impossible.
    void ReadIcons(const std::vector<uint8_t>& octets);
    // Whether form streaming writes the property, given the ancestor's list (or none).
    bool DoitEcrire(const TIconList* ancetre) const;

private:
    void Brancher(TIcon& icone);
    void Verifier(int index) const;
    std::vector<std::unique_ptr<TIcon>> icones_;
    int miseAJour_ = 0;
};

struct TIconFrame {
    std::unique_ptr<TIcon> icon;
    uint8_t isIcon = 0;
    char chunkId[4] = {0, 0, 0, 0};
    uint32_t chunkSize = 0;
    int32_t hotSpotX = 0;
    int32_t hotSpotY = 0;
    int32_t displayRate = 0;   // sixtieths of a second
    int32_t sequence = -1;

    TIcon& Icon();
    void Assign(const TIconFrame& source);
};

struct TAniHeader {
    uint32_t cbSizeOf = 0;
    uint32_t cFrames = 0;
    uint32_t cSteps = 0;
    uint32_t cx = 0;
    uint32_t cy = 0;
    uint32_t cBitCount = 0;
    uint32_t cPlanes = 0;
    uint32_t jifRate = 0;
    uint32_t flags = 0;
};

class TAnimatedCursorImage {
public:
    TAnimatedCursorImage() = default;
    TAnimatedCursorImage(const TAnimatedCursorImage&) = delete;
    TAnimatedCursorImage& operator=(const TAnimatedCursorImage&) = delete;

    TAniHeader header;
    std::string title;    // at most 255 bytes
    std::string author;
    std::vector<std::unique_ptr<TIconFrame>> frames;
    uint16_t iconColors = 0;

    void Clear();
    int FrameCount() const { return static_cast<int>(frames.size()); }
    TIconFrame& Frame(int index) const;
    // Raises EReadError (SReadError) on any malformed file; the object is then cleared or
    // partly filled.
    void LoadFromStream(const uint8_t* octets, std::size_t n);
    void LoadFromFile(const std::string& chemin);
    [[noreturn]] void SaveToStream(std::vector<uint8_t>&) const;
    void Assign(const TAnimatedCursorImage* source);
    void AssignTo(TIcon& icone) const;
    void AssignTo(ImagePixels& bitmap, TColor fond = CouleurVersTColor(platform::clWhite)) const;
    void AssignTo(TIconList& liste) const;
    void DrawStrip(ImagePixels& bitmap, TColor fond, bool versLeBas, bool reduire) const;
};

// Name of the clipboard format under which icons travel; registered once.
inline constexpr const char* CF_IconeNom = "application/x-lyrandaxis-icon";
const char* RegisterClipboardIconFormat();
