// The weights of the fingering optimiser, kept in fields below the dialog's visible area.
#include "dialogs/SelMIDI.h"

#include "dialogs/BaseDialogue.h"
#include "midi/Doigte.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// The weights: the field's text and the hidden label above it.
struct Poids {
    const char* Texte;
    const char* Legende;
};
const Poids kPoids[9] = {
    {"", ""},
    {"0.5", "Accord"},
    {"7", "Ac. -1"},
    {"3", "Ac. -2"},
    {"0", "Ac. -3"},
    {"0.35", "Proche du haut manche"},
    {"0.7", "Distance 0 avec autres notes de l'accords"},
    {"4", "Importance note aigue apres le deuxieme accord"},
    {"1000", "D\xC3\xA9passement fret"},
};

} // namespace

void TSelMIDIForm::ConstruirePoids()
{
    // Below the client area: out of view and out of reach.
    for (int i = 1; i <= 8; ++i) {
        const int x = 8 + (i - 1) * 63;
        auto* legende = Placer(new QLabel(QString::fromUtf8(kPoids[i].Legende), this),
                               QByteArray("Label" + QByteArray::number(i)).constData(), x, HauteurClient + 12, 60, 14);
        legende->setEnabled(false);
        const auto k = static_cast<std::size_t>(i);
        QLineEdit* e = Placer(new QLineEdit(textesPoids_[k], this),
                              QByteArray("Edit" + QByteArray::number(i)).constData(), x, HauteurClient + 28, 60, 21);
        e->setEnabled(false);
        e->setFocusPolicy(Qt::NoFocus);
        connect(e, &QLineEdit::textChanged, this, [this, k](const QString& texte) { textesPoids_[k] = texte; });
        Edit[k] = e;
    }
}

void TSelMIDIForm::SetDefaultWeights()
{
    for (int i = 1; i <= 8; ++i)
        textesPoids_[static_cast<std::size_t>(i)] = QString::fromLatin1(kPoids[i].Texte);
}

void TSelMIDIForm::LirePoidsDoigte() const
{
    double* const poids[] = {nullptr,
                             &PoidsDoigte.PoidsAccord,
                             &PoidsDoigte.PoidsAc1,
                             &PoidsDoigte.PoidsAc2,
                             &PoidsDoigte.PoidsAc3,
                             &PoidsDoigte.PoidsHautManche,
                             &PoidsDoigte.PoidsCordeAVide,
                             &PoidsDoigte.PoidsNoteSuivante,
                             &PoidsDoigte.PoidsDepassementFrette};
    for (int i = 1; i <= 8; ++i)
        if (const std::optional<double> v = LireReel(textesPoids_[static_cast<std::size_t>(i)]))
            *poids[i] = *v;
}
