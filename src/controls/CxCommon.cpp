#include "controls/CxCommon.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

std::unique_ptr<TCxBlinkingControlsList>& Service()
{
    static std::unique_ptr<TCxBlinkingControlsList> service;
    return service;
}

} // namespace

QColor VersQColor(platform::Couleur c) { return QColor(c.r, c.g, c.b); }
platform::Couleur DeQColor(const QColor& c) { return platform::Couleur(c.red(), c.green(), c.blue()); }

void InstallerCouleursSystemePalette()
{
    if (!qApp)
        return;
    const QPalette p = QApplication::palette();
    DefinirCouleurSysteme(clBtnFace, DeQColor(p.color(QPalette::Active, QPalette::Button)));
    DefinirCouleurSysteme(clBtnShadow, DeQColor(p.color(QPalette::Active, QPalette::Dark)));
    DefinirCouleurSysteme(clBtnHighlight, DeQColor(p.color(QPalette::Active, QPalette::Light)));
    DefinirCouleurSysteme(clBtnText, DeQColor(p.color(QPalette::Active, QPalette::ButtonText)));
    DefinirCouleurSysteme(clWindowBackground, DeQColor(p.color(QPalette::Active, QPalette::Base)));
    DefinirCouleurSysteme(clWindowFrame, DeQColor(p.color(QPalette::Active, QPalette::Shadow)));
    DefinirCouleurSysteme(clHighlight, DeQColor(p.color(QPalette::Active, QPalette::Highlight)));
    DefinirCouleurSysteme(clGrayText, DeQColor(p.color(QPalette::Disabled, QPalette::Text)));
    DefinirCouleurSysteme(clActiveCaption, DeQColor(p.color(QPalette::Active, QPalette::Highlight)));
    DefinirCouleurSysteme(clCaptionText, DeQColor(p.color(QPalette::Active, QPalette::HighlightedText)));
    DefinirCouleurSysteme(clWindowText, DeQColor(p.color(QPalette::Active, QPalette::WindowText)));
}

FonteTournee MakeRotatedFont(const QFont& fonte, int angle) { return FonteTournee{fonte, angle}; }

int TextHeightOf(const QFont& fonte) { return QFontMetrics(fonte).height() + 2; }

TCxBlinkingControlsList::TCxBlinkingControlsList()
    : minuterie_(new QTimer)
{
    minuterie_->setInterval(eteint_);
    QObject::connect(minuterie_, &QTimer::timeout, [this] { BlinkTimerTick(); });
    minuterie_->start();
}

TCxBlinkingControlsList::~TCxBlinkingControlsList() { delete minuterie_; }

TCxBlinkingControlsList* TCxBlinkingControlsList::Instance() { return Service().get(); }

void TCxBlinkingControlsList::Enregistrer(IControleClignotant* controle)
{
    auto& s = Service();
    if (!s)
        s.reset(new TCxBlinkingControlsList);
    if (std::find(s->controles_.begin(), s->controles_.end(), controle) == s->controles_.end())
        s->controles_.push_back(controle);
}

void TCxBlinkingControlsList::Desenregistrer(IControleClignotant* controle)
{
    auto& s = Service();
    if (!s)
        return;
    std::erase(s->controles_, controle);
    if (s->controles_.empty())
        s.reset();
}

// The interval running goes on; the next tick takes the new value.
void TCxBlinkingControlsList::SetIntervalleEteint(uint16_t ms) { eteint_ = ms; }
void TCxBlinkingControlsList::SetIntervalleAllume(uint16_t ms) { allume_ = ms; }

void TCxBlinkingControlsList::BlinkTimerTick()
{
    etat_ = !etat_;
    minuterie_->setInterval(etat_ ? allume_ : eteint_);
    // A copy: a control told to blink may unregister another one.
    const std::vector<IControleClignotant*> controles = controles_;
    for (IControleClignotant* c : controles)
        if (std::find(controles_.begin(), controles_.end(), c) != controles_.end() && c->Clignote())
            c->Clignoter(etat_);
}
