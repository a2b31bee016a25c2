#include "controls/CxCadre.h"

#include "controls/CxCommon.h"
#include "platform/qt/CanevasQt.h"

#include <QPainter>

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
