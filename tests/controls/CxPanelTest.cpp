// The panel, the toolbar and its spacers as widgets (offscreen).
#include "controls/CxButton.h"
#include "controls/CxPanel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

QImage Capture(QWidget& w)
{
    QImage image(w.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    w.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

platform::Couleur PixelDe(const QImage& image, int x, int y)
{
    const QRgb v = image.pixel(x, y);
    return platform::Couleur(qRed(v), qGreen(v), qBlue(v));
}

// The main window's toolbar as the window builds it: buttons bound to nothing, spacers 6 wide.
struct BarrePrincipale {
    QWidget fenetre;
    TCxToolbar* barre = nullptr;
    std::vector<TCxToolbarButton*> boutons;
    std::vector<TCxSpacer*> espaceurs;

    BarrePrincipale()
    {
        barre = new TCxToolbar(&fenetre);
        barre->setObjectName("CxToolBar1");
        barre->SetAutoStyle(false);
        barre->SetAlign(alNone);
        barre->SetMargin(0);
        barre->SetTopMargin(1);
        barre->SetBorderInner(fsNone);
        barre->SetBorderOuter(fsGroove);
        barre->SetBorderSides(sdAucun);
        barre->SetFrameSides(sdAucun);
        barre->SetAutoSize(true);
        barre->setGeometry(5, 4, 473, 32);
        const std::vector<std::vector<const char*>> groupes = {
            {"Bt_Fichier_Nouveau", "Bt_Fichier_Ouvrir", "Bt_Fichier_Enregistrer"},
            {"Bt_Fichier_Proprietes", "Bt_Options_Preferences"},
            {"Bt_Fichier_Imprimer", "Bt_Fichier_ApercuImp"},
            {"Bt_Edition_Couper", "Bt_Edition_Copier", "Bt_Edition_Coller"},
            {"Bt_Edition_Inserer", "Bt_Edition_Vider"},
            {"Bt_Son_LectureDebut", "Bt_Son_LecturePosEC", "Bt_Son_LectureMesureEC", "Bt_Son_Stop", "Bt_Son_EnBoucle",
             "Bt_Son_Metronome"},
            {"Bt_Affichage_PleinEcran"},
        };
        for (std::size_t g = 0; g < groupes.size(); ++g) {
            if (g > 0) {
                auto* s = new TCxSpacer(barre);
                s->setObjectName(QString("CxSpacer%1").arg(g));
                s->resize(6, 25);
                s->SetGrooved(true);
                barre->AddControl(s);
                espaceurs.push_back(s);
            }
            for (const char* nom : groupes[g]) {
                auto* b = new TCxToolbarButton(barre);
                b->setObjectName(nom);
                barre->AddControl(b);
                boutons.push_back(b);
            }
        }
    }
};

} // namespace

TEST(CxPanel, CaptionPlacedByItsLayout)
{
    const TRect contenu{2, 2, 98, 48};
    EXPECT_EQ(TCxCustomPanel::RectangleLegende(contenu, 14, tlTop), (TRect{3, 2, 98, 16}));
    EXPECT_EQ(TCxCustomPanel::RectangleLegende(contenu, 14, tlCenter), (TRect{3, 18, 98, 32}));
    EXPECT_EQ(TCxCustomPanel::RectangleLegende(contenu, 14, tlBottom), (TRect{3, 33, 98, 47}));
}

// The rows of an image that hold a pixel of that colour.
static std::pair<int, int> RangeesDeCouleur(const QImage& image, QColor couleur)
{
    int premiere = -1, derniere = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == couleur) {
                if (premiere < 0)
                    premiere = y;
                derniere = y;
                break;
            }
    return {premiere, derniere};
}

TEST(CxPanel, CaptionDrawnWhereItsLayoutSays)
{
    TCxPanel panel;
    panel.resize(120, 60);
    panel.SetBorderOuter(fsNone);
    panel.SetCaption("Mg");
    QPalette p = panel.palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 255));
    panel.setPalette(p);
    const int h = QFontMetrics(panel.font()).height();
    for (TTextLayout disposition : {tlTop, tlCenter, tlBottom}) {
        panel.SetCaptionLayout(disposition);
        const TRect attendu = TCxCustomPanel::RectangleLegende({0, 0, 120, 60}, h, disposition);
        const auto [haut, bas] = RangeesDeCouleur(Capture(panel), QColor(0, 0, 255));
        SCOPED_TRACE(int(disposition));
        ASSERT_GE(haut, 0);
        EXPECT_GE(haut, attendu.Top);
        EXPECT_LT(bas, attendu.Bottom);
    }
    // Disabled: the grey text over its highlight, no text colour.
    panel.setEnabled(false);
    EXPECT_EQ(RangeesDeCouleur(Capture(panel), QColor(0, 0, 255)).first, -1);
}

TEST(CxPanel, ClientAreaFollowsTheBorders)
{
    TCxPanel panel;
    panel.resize(100, 50);
    // Raised by default: two pixels on every side.
    EXPECT_EQ(panel.ClientRect(), (TRect{2, 2, 98, 48}));
    EXPECT_EQ(panel.contentsRect(), QRect(2, 2, 96, 46));
    panel.SetBorderOuter(fsPopup);
    panel.SetBevelWidth(3);
    EXPECT_EQ(panel.ClientRect(), (TRect{3, 3, 97, 47}));
    // The band stays in the panel's client area.
    panel.SetBorderWidth(4);
    EXPECT_EQ(panel.ClientRect(), (TRect{3, 3, 97, 47}));
    panel.SetBorderSides(sdAucun);
    panel.SetFrameSides(sdLeft);
    EXPECT_EQ(panel.ClientRect(), (TRect{1, 0, 100, 50}));
}

TEST(CxPanel, PaintsFrameThenFaceThenCaption)
{
    // The first control takes the system colours from the palette: set ours after it.
    TCxPanel panel;
    DefinirCouleurSysteme(clBtnFace, platform::Couleur(200, 200, 200));
    DefinirCouleurSysteme(clBtnHighlight, platform::Couleur(255, 255, 255));
    DefinirCouleurSysteme(clBtnText, platform::Couleur(0, 0, 0));
    panel.resize(60, 30);
    panel.SetFrameSides(sdTop);
    const QImage image = Capture(panel);
    EXPECT_EQ(PixelDe(image, 10, 0), platform::clBlack);                       // frame side
    EXPECT_EQ(PixelDe(image, 10, 1), platform::Couleur(200, 200, 200));        // raised: outer face
    EXPECT_EQ(PixelDe(image, 10, 2), platform::Couleur(255, 255, 255));        // inner highlight
    EXPECT_EQ(PixelDe(image, 30, 15), platform::Couleur(200, 200, 200));       // the face
    EXPECT_EQ(PixelDe(image, 59, 15), platform::Couleur(0, 0, 0));             // outer text colour
    RetablirCouleursSysteme();
}

TEST(CxPanel, AlignedPanelKeepsItsFarEdge)
{
    QWidget parent;
    TCxPanel bas(&parent);
    bas.setGeometry(0, 100, 200, 40);
    bas.SetAlign(alBottom);
    bas.SetBounds(0, 100, 200, 60);
    EXPECT_EQ(bas.geometry(), QRect(0, 80, 200, 60));
    TCxPanel droite(&parent);
    droite.setGeometry(300, 0, 50, 100);
    droite.SetAlign(alRight);
    droite.SetBounds(300, 0, 80, 100);
    EXPECT_EQ(droite.geometry(), QRect(270, 0, 80, 100));
    TCxPanel libre(&parent);
    libre.setGeometry(10, 10, 50, 50);
    libre.SetBounds(10, 10, 80, 80);
    EXPECT_EQ(libre.geometry(), QRect(10, 10, 80, 80));
}

TEST(CxToolbar, MainToolbarLayout)
{
    BarrePrincipale b;
    ASSERT_EQ(b.barre->ToolbarControls().size(), 25u);
    EXPECT_EQ(b.barre->ToolbarControlNames().at(3), "CxSpacer1");
    int x = 0;
    for (QWidget* c : b.barre->ToolbarControls()) {
        SCOPED_TRACE(c->objectName().toStdString());
        EXPECT_EQ(c->x(), x);
        EXPECT_EQ(c->y(), qobject_cast<TCxSpacer*>(c) ? 1 : 2);
        x += c->width();
    }
    EXPECT_EQ(x, 473);
    // The track-name panel goes at the toolbar's left plus its width.
    EXPECT_EQ(b.barre->geometry(), QRect(5, 4, 473, 26));
    EXPECT_EQ(b.barre->sizeHint(), QSize(473, 26));
    EXPECT_EQ(b.barre->x() + b.barre->width(), 478);
    // No border is drawn.
    EXPECT_EQ(b.barre->ClientRect(), (TRect{0, 0, 473, 26}));
}

TEST(CxToolbar, ChildrenJoinTheEndAndLeaveTheList)
{
    BarrePrincipale b;
    auto* nouveau = new TCxToolbarButton(b.barre);
    nouveau->setObjectName("Bt_Plus");
    QApplication::processEvents();
    ASSERT_EQ(b.barre->ToolbarControls().size(), 26u);
    EXPECT_EQ(b.barre->ToolbarControls().back(), nouveau);
    // No room left in the row: it opens row 2, and the toolbar grows to hold it.
    EXPECT_EQ(nouveau->pos(), QPoint(0, 25 + 1 + 12 - 11));
    EXPECT_EQ(b.barre->size(), QSize(473, 27 + 22));

    // Hiding a control closes the gap; removing it takes it out of the list.
    b.boutons[0]->hide();
    EXPECT_EQ(b.boutons[1]->x(), 0);
    delete b.espaceurs[0];
    EXPECT_EQ(b.barre->ToolbarControls().size(), 25u);
    EXPECT_EQ(b.boutons[3]->x(), 2 * 23);
}

TEST(CxToolbar, ListFromNamesDropsUnknownOnes)
{
    QWidget fenetre;
    auto* barre = new TCxToolbar(&fenetre);
    barre->resize(300, 32);
    auto* a = new TCxToolbarButton(barre);
    a->setObjectName("Bt_A");
    auto* b = new TCxToolbarButton(barre);
    b->setObjectName("Bt_B");
    auto* c = new TCxToolbarButton(barre);
    c->setObjectName("Bt_C");
    // Children joined in child order; the names give another order, a name twice and an unknown one.
    barre->SetToolbarControlNames({"bt_c", "Bt_Nothing", "Bt_A", "BT_C"});
    const auto liste = barre->ToolbarControls();
    ASSERT_EQ(liste.size(), 3u);
    // Every child was listed already and keeps its place.
    EXPECT_EQ(liste[0], a);
    EXPECT_EQ(liste[1], b);
    EXPECT_EQ(liste[2], c);

    // A fresh toolbar whose children are made elsewhere takes the names' order.
    auto* barre2 = new TCxToolbar(&fenetre);
    barre2->resize(300, 32);
    auto* x = new TCxToolbarButton(&fenetre);
    x->setObjectName("Bt_X");
    auto* y = new TCxToolbarButton(&fenetre);
    y->setObjectName("Bt_Y");
    barre2->SetToolbarControlNames({"Bt_Y", "Bt_Missing", "bt_x"});
    const auto liste2 = barre2->ToolbarControls();
    ASSERT_EQ(liste2.size(), 2u);
    EXPECT_EQ(liste2[0], y);
    EXPECT_EQ(liste2[1], x);
    EXPECT_EQ(y->x(), 4);
    EXPECT_EQ(x->x(), 27);
}

TEST(CxToolbar, AutoStyleFollowsAlignUntilABorderIsSet)
{
    TCxToolbar barre;
    EXPECT_EQ(barre.BorderOuter(), fsGroove);
    EXPECT_EQ(barre.BorderSides(), sdTop);
    EXPECT_EQ(barre.height(), 32);
    barre.SetAlign(alLeft);
    EXPECT_EQ(barre.BorderSides(), sdLeft);
    EXPECT_EQ(barre.width(), 32);
    barre.SetShowDivider(false);
    barre.SetAlign(alBottom);
    EXPECT_EQ(barre.BorderOuter(), fsNone);
    EXPECT_EQ(barre.BorderSides(), sdBottom);
    EXPECT_TRUE(barre.AutoStyle());

    // Setting the same value is no change; a new one turns the automatic style off.
    barre.SetBorderSides(sdBottom);
    EXPECT_TRUE(barre.AutoStyle());
    barre.SetBorderSides(sdTous);
    EXPECT_FALSE(barre.AutoStyle());
    barre.SetAlign(alTop);
    EXPECT_EQ(barre.BorderSides(), sdTous);
}

TEST(CxToolbar, OrientationTurnsTheSpacers)
{
    TCxToolbar barre;
    auto* s = new TCxSpacer(&barre);
    QApplication::processEvents();
    EXPECT_EQ(s->size(), QSize(8, 25));
    barre.SetOrientation(orVertical);
    EXPECT_EQ(s->size(), QSize(25, 8));
    EXPECT_EQ(s->Orientation(), orVertical);
}

TEST(CxToolbar, GroovedSpacerPaintsItsGroove)
{
    DefinirCouleurSysteme(clBtnShadow, platform::Couleur(90, 90, 90));
    DefinirCouleurSysteme(clBtnHighlight, platform::Couleur(250, 250, 250));
    TCxSpacer s;
    s.resize(6, 25);
    QImage sans = Capture(s);
    EXPECT_EQ(PixelDe(sans, 2, 10), platform::Couleur(255, 0, 255)); // nothing at run time
    s.SetGrooved(true);
    const QImage image = Capture(s);
    EXPECT_EQ(PixelDe(image, 2, 0), platform::Couleur(255, 0, 255));
    EXPECT_EQ(PixelDe(image, 2, 1), platform::Couleur(90, 90, 90));
    EXPECT_EQ(PixelDe(image, 3, 24), platform::Couleur(250, 250, 250));
    RetablirCouleursSysteme();
}

TEST(CxToolbar, NarrowedToolbarWrapsAndGrows)
{
    BarrePrincipale b;
    b.barre->SetAutoSize(false);
    b.barre->SetAlign(alTop); // the height follows the rows
    b.fenetre.show(); // a hidden widget hears of its new size only when shown
    b.barre->setGeometry(5, 4, 200, 26);
    EXPECT_EQ(b.barre->sizeHint(), QSize(473, 26));
    const auto controles = b.barre->ToolbarControls();
    // Row 1 holds the first ten controls (3 x 23 + 6 + 2 x 23 + 6 + 2 x 23 + 6 = 179 pixels).
    EXPECT_EQ(controles[9]->pos(), QPoint(173, 1));
    EXPECT_EQ(controles[10]->pos(), QPoint(0, 25 + 1 + 12 - 11));
    EXPECT_EQ(b.barre->height(), 25 * 3 + 2 + 1);

    // Sized by its controls instead: the same rows, as tall as the last one's spacer reaches,
    // and back to one row when it is given room again.
    b.barre->SetAlign(alNone);
    b.barre->SetAutoSize(true);
    EXPECT_EQ(controles[10]->pos(), QPoint(0, 25 + 1 + 12 - 11));
    EXPECT_EQ(b.barre->size(), QSize(200, 2 * 25 + 1 + 25));
    b.barre->resize(473, b.barre->height());
    EXPECT_EQ(controles[10]->pos(), QPoint(179, 2));
    EXPECT_EQ(b.barre->size(), QSize(473, 26));
}
