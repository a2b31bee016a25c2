#include "controls/CxCadre.h"

#include "controls/CxCommon.h"
#include "platform/qt/CanevasQt.h"

#include <QPainter>
#include <QWidget>

void PeindreCadreEdition(QPainter& p, int largeur, int hauteur, const TCadreControle& cadre, const QColor& fond)
{
    InstallerCouleursSystemePalette();
    p.save();
    {
        platform::CanevasQt canevas(p);
        DrawFrame(canevas, largeur, hauteur, cadre.FrameStyle, DeQColor(fond), cadre.FrameColor.Resoudre(),
                  cadre.FrameSides);
    }
    p.restore();
}

void PeindreCadreZone(QWidget& w, const TCadreControle& cadre, const QColor& fond)
{
    if (!cadre.FrameVisible)
        return;
    QPainter p(&w);
    PeindreCadreEdition(p, w.width(), w.height(), cadre, fond);
}
