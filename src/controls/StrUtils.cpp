#include "controls/StrUtils.h"

namespace {

bool EstDelimiteur(char c, std::string_view delimiteurs) { return delimiteurs.find(c) != std::string_view::npos; }

} // namespace

std::string ReplaceAll(std::string_view texte, std::string_view recherche, std::string_view remplacement)
{
    if (recherche.empty())
        return std::string(texte);
    std::string resultat;
    std::size_t debut = 0;
    for (std::size_t p = texte.find(recherche); p != std::string_view::npos; p = texte.find(recherche, debut)) {
        resultat.append(texte.substr(debut, p - debut));
        resultat.append(remplacement);
        debut = p + recherche.size();
    }
    resultat.append(texte.substr(debut));
    return resultat;
}

std::size_t WordCount(std::string_view texte, std::string_view delimiteurs)
{
    std::size_t n = 0;
    bool dansMot = false;
    for (const char c : texte) {
        const bool delimiteur = EstDelimiteur(c, delimiteurs);
        if (!delimiteur && !dansMot)
            ++n;
        dansMot = !delimiteur;
    }
    return n;
}

std::size_t WordPosition(std::size_t n, std::string_view texte, std::string_view delimiteurs)
{
    std::size_t compte = 0;
    bool dansMot = false;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        const bool delimiteur = EstDelimiteur(texte[i], delimiteurs);
        if (!delimiteur && !dansMot && ++compte == n)
            return i + 1;
        dansMot = !delimiteur;
    }
    return 0;
}

std::string ExtractWord(std::size_t n, std::string_view texte, std::string_view delimiteurs)
{
    const std::size_t position = WordPosition(n, texte, delimiteurs);
    if (position == 0)
        return {};
    std::size_t fin = position - 1;
    while (fin < texte.size() && !EstDelimiteur(texte[fin], delimiteurs))
        ++fin;
    return std::string(texte.substr(position - 1, fin - (position - 1)));
}
