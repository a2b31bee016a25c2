#pragma once
// A text of fixed capacity as the song file stores it: one length byte followed by N bytes
// (Windows-1252). Longer input is cut to the capacity, so the file image can always be
// written whole and read back byte for byte.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

template <std::size_t N>
class TexteCourt {
    static_assert(N >= 1 && N <= 255, "a length byte holds at most 255");

public:
    static constexpr std::size_t Capacite = N;
    // Size of the file image: the length byte and the whole capacity.
    static constexpr std::size_t TailleImage = N + 1;

    TexteCourt() = default;
    TexteCourt(std::string_view texte) { assign(texte); }
    TexteCourt(const char* texte) { assign(texte ? std::string_view(texte) : std::string_view()); }
    TexteCourt(const std::string& texte) { assign(std::string_view(texte)); }

    TexteCourt& operator=(std::string_view texte) { assign(texte); return *this; }
    TexteCourt& operator=(const char* texte) { return *this = (texte ? std::string_view(texte) : std::string_view()); }
    TexteCourt& operator=(const std::string& texte) { return *this = std::string_view(texte); }

    // Keeps the first N bytes of texte; the bytes past the new length are cleared, so equal
    // texts give equal file images.
    void assign(std::string_view texte)
    {
        const std::size_t n = std::min(texte.size(), N);
        image_.fill(0);
        image_[0] = static_cast<uint8_t>(n);
        std::copy_n(texte.data(), n, reinterpret_cast<char*>(image_.data() + 1));
    }

    void clear() { assign({}); }

    std::size_t size() const { return std::min<std::size_t>(image_[0], N); }
    bool empty() const { return size() == 0; }
    std::string_view view() const { return {reinterpret_cast<const char*>(image_.data() + 1), size()}; }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const { return view(); }

    // The raw file image (length byte first). A length byte above the capacity read from a
    // file is never trusted: size() caps it, and the reader refuses such files anyway.
    const std::array<uint8_t, N + 1>& Image() const { return image_; }
    std::array<uint8_t, N + 1>& Image() { return image_; }

    friend bool operator==(const TexteCourt& a, const TexteCourt& b) { return a.view() == b.view(); }
    friend bool operator==(const TexteCourt& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const TexteCourt& a, const char* b) { return a.view() == std::string_view(b ? b : ""); }
    friend bool operator==(const TexteCourt& a, const std::string& b) { return a.view() == std::string_view(b); }
    friend auto operator<=>(const TexteCourt& a, const TexteCourt& b) { return a.view() <=> b.view(); }

private:
    std::array<uint8_t, N + 1> image_{};
};

// The same text kept out of line, for fields that are nearly always empty and live in great
// numbers (the text over a beat): an empty text costs one null pointer. Copies are values.
template <std::size_t N>
class TexteCourtReduit {
public:
    static constexpr std::size_t Capacite = N;

    TexteCourtReduit() = default;
    TexteCourtReduit(std::string_view texte) { assign(texte); }
    TexteCourtReduit(const char* texte) { assign(texte ? std::string_view(texte) : std::string_view()); }
    TexteCourtReduit(const std::string& texte) { assign(std::string_view(texte)); }
    TexteCourtReduit(const TexteCourtReduit& autre) { assign(autre.view()); }
    TexteCourtReduit(TexteCourtReduit&&) noexcept = default;

    TexteCourtReduit& operator=(const TexteCourtReduit& autre)
    {
        if (this != &autre)
            assign(autre.view());
        return *this;
    }
    TexteCourtReduit& operator=(TexteCourtReduit&&) noexcept = default;
    TexteCourtReduit& operator=(std::string_view texte) { assign(texte); return *this; }
    TexteCourtReduit& operator=(const char* texte) { return *this = (texte ? std::string_view(texte) : std::string_view()); }
    TexteCourtReduit& operator=(const std::string& texte) { return *this = std::string_view(texte); }

    void assign(std::string_view texte)
    {
        if (texte.empty())
            texte_.reset();
        else if (texte_)
            texte_->assign(texte);
        else
            texte_ = std::make_unique<TexteCourt<N>>(texte);
    }

    void clear() { texte_.reset(); }

    std::size_t size() const { return texte_ ? texte_->size() : 0; }
    bool empty() const { return size() == 0; }
    std::string_view view() const { return texte_ ? texte_->view() : std::string_view(); }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const { return view(); }

    friend bool operator==(const TexteCourtReduit& a, const TexteCourtReduit& b) { return a.view() == b.view(); }
    friend bool operator==(const TexteCourtReduit& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const TexteCourtReduit& a, const char* b) { return a.view() == std::string_view(b ? b : ""); }
    friend bool operator==(const TexteCourtReduit& a, const std::string& b) { return a.view() == std::string_view(b); }

private:
    std::unique_ptr<TexteCourt<N>> texte_;
};
