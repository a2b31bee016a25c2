#pragma once
// Small text routines of the component library: replacing every occurrence of a text, and
// splitting a text into words at a set of delimiter characters (window positions are stored
// as "%d,%d,%d,%d", sets as "[a,b]"). Texts are raw bytes; positions are 1-based.
#include <cstddef>
#include <string>
#include <string_view>

// Every occurrence of `recherche` replaced, scanning left to right and going on after each
// replacement, so that replaced text is never searched again. An empty search text leaves the
// text as it is.
std::string ReplaceAll(std::string_view texte, std::string_view recherche, std::string_view remplacement);

// A word is a maximal run of characters that are not in `delimiteurs`.
std::size_t WordCount(std::string_view texte, std::string_view delimiteurs);
// 1-based position of the first character of word n (1-based), 0 when there are fewer words.
std::size_t WordPosition(std::size_t n, std::string_view texte, std::string_view delimiteurs);
// Word n, empty when there is none.
std::string ExtractWord(std::size_t n, std::string_view texte, std::string_view delimiteurs);
