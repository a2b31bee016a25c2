#pragma once
// The Qt side of the frame routines: the system colours taken from the application's palette,
// a font turned by an angle, the height of a list line, and the process-wide blinking service
// that makes labels flash in step.
#include "controls/Cadres.h"

#include <QColor>
#include <QFont>

#include <cstdint>
#include <vector>

class QTimer;

// Installs the palette's colours as the system colours the frames are drawn with (once per run is
// enough; the controls call it when the first of them is made).
void InstallerCouleursSystemePalette();

QColor VersQColor(platform::Couleur c);
// A system colour as the palette installed it.
inline QColor CouleurSystemeQt(TCouleurSysteme c) { return VersQColor(CouleurDuSysteme(c)); }
platform::Couleur DeQColor(const QColor& c);

// A font like `fonte`, meant to be drawn turned by `angle` degrees counter-clockwise (the caller
// rotates the painter: a QFont carries no escapement).
struct FonteTournee {
    QFont Fonte;
    int Angle = 0;
};
FonteTournee MakeRotatedFont(const QFont& fonte, int angle);

// The character height of a font on the screen plus 2 pixels: the least height of a list line.
int TextHeightOf(const QFont& fonte);

// A control that can blink with the others.
class IControleClignotant {
public:
    virtual ~IControleClignotant() = default;
    virtual bool Clignote() const = 0;          // the blink query
    virtual void Clignoter(bool allume) = 0;    // the blink message with the new state
};

// One list for the whole process: it exists while a control is registered, and its timer flips
// the state, alternating the off and on intervals, and tells every blinking control in turn.
class TCxBlinkingControlsList {
public:
    static void Enregistrer(IControleClignotant* controle);
    static void Desenregistrer(IControleClignotant* controle);
    // The running service, or null while no control is registered.
    static TCxBlinkingControlsList* Instance();

    int Count() const { return static_cast<int>(controles_.size()); }
    bool Etat() const { return etat_; }
    uint16_t IntervalleEteint() const { return eteint_; }
    uint16_t IntervalleAllume() const { return allume_; }
    void SetIntervalleEteint(uint16_t ms);
    void SetIntervalleAllume(uint16_t ms);
    const QTimer& Minuterie() const { return *minuterie_; }

    // One tick of the timer.
    void BlinkTimerTick();

    ~TCxBlinkingControlsList();

private:
    TCxBlinkingControlsList();

    std::vector<IControleClignotant*> controles_;
    QTimer* minuterie_ = nullptr;
    bool etat_ = true;
    uint16_t eteint_ = 500;
    uint16_t allume_ = 500;
};
