#include "print/Apropos.h"

#include "dialogs/BaseDialogue.h"
#include "document/Langue.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShowEvent>

#include <string>

// ---- The window --------------------------------------------------------------------------------

namespace {

constexpr int kLargeur = 326;
constexpr int kHauteur = 392;

QLabel* Etiquette(QWidget* parent, const char* nom, const QString& texte, int x, int y, int l, int h,
                  Qt::Alignment alignement = Qt::AlignHCenter | Qt::AlignVCenter)
{
    auto* label = Placer(new QLabel(texte, parent), nom, x, y, l, h);
    label->setAlignment(alignement);
    return label;
}

QLabel* Titre(QWidget* parent, const QString& texte)
{
    auto* l = new QLabel(texte, parent);
    QFont f = l->font();
    f.setItalic(true);
    l->setFont(f);
    l->setAlignment(Qt::AlignRight | Qt::AlignTop);
    return l;
}

QLabel* Noms(QWidget* parent, const QString& texte)
{
    auto* l = new QLabel(texte, parent);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    return l;
}

} // namespace

TAproposForm::TAproposForm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TAproposForm"));
    setWindowTitle(QStringLiteral("About"));
    AppliquerPoliceDialogue(this);
    DimensionnerClient(this, kLargeur, kHauteur);

    Panel1 = Placer(new QFrame(this), "Panel1", 0, 0, kLargeur, kHauteur);
    Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel1->setLineWidth(1);
    Panel2 = Placer(new QFrame(Panel1), "Panel2", 1, 1, kLargeur - 2, kHauteur - 2);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setLineWidth(3);
    // Bevel 3 and a border of 5 around the inner panel.
    Panel3 = Placer(new QFrame(Panel2), "Panel3", 8, 8, kLargeur - 18, kHauteur - 18);
    Panel3->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    const int l3 = kLargeur - 18;

    Label1 = Etiquette(Panel3, "Label1", QStringLiteral("Lyrandaxis"), 0, 10, l3, 24);
    Label1->setFont(PoliceDialogue(PixelsPolice(14), true));
    Version = Etiquette(Panel3, "Version", QStringLiteral("version 2.2"), 0, 38, l3, 14);
    Droits = Etiquette(Panel3, "Droits", QStringLiteral("Copyright \u00A9 the Lyrandaxis authors. All rights reserved."),
                       10, 54, l3 - 20, 28);
    Droits->setWordWrap(true);

    Image2 = Placer(new QLabel(Panel3), "Image2", l3 - 34, 2, 32, 32);
    Image2->setPixmap(QPixmap::fromImage(Logo(32)));

    // Its caption is the address and its own link is empty: a click opens the caption.
    CxURLLabel1 = new TCxURLLabel(QString::fromLatin1(AdresseWeb), Panel3);
    CxURLLabel1->setObjectName(QStringLiteral("CxURLLabel1"));
    CxURLLabel1->SetTransparent(true);
    CxURLLabel1->adjustSize();
    CxURLLabel1->move((Panel3->width() - CxURLLabel1->width()) / 2, Pixels96(84));

    Panel4 = Placer(new QFrame(Panel3), "Panel4", 20, 104, l3 - 40, 226);
    Panel4->setAutoFillBackground(true);
    QPalette blanc = Panel4->palette();
    blanc.setColor(QPalette::Window, Qt::white);
    Panel4->setPalette(blanc);
    Image1 = Placer(new QLabel(Panel4), "Image1", 11, 6, 246, 122);
    Image1->setPixmap(QPixmap::fromImage(Illustration(Pixels96(246), Pixels96(122))));

    ScrollBoxThanks = Placer(new QScrollArea(Panel4), "ScrollBoxThanks", 9, 132, 250, 89);
    ScrollBoxThanks->setFrameShape(QFrame::NoFrame);
    ScrollBoxThanks->setWidgetResizable(true);
    ScrollBoxThanks->setBackgroundRole(QPalette::Base);
    auto* credits = new QWidget;
    credits->setBackgroundRole(QPalette::Base);
    auto* grille = new QGridLayout(credits);
    grille->setContentsMargins(2, 2, 2, 2);
    grille->setHorizontalSpacing(6);
    grille->setVerticalSpacing(4);
    grille->setColumnStretch(1, 1);
    grille->addWidget(Titre(credits, QStringLiteral("Authors :")), 0, 0);
    grille->addWidget(Noms(credits, QStringLiteral("The Lyrandaxis team")), 0, 1);
    grille->addWidget(Titre(credits, QStringLiteral("Special thanks :")), 1, 0);
    grille->addWidget(Noms(credits, QStringLiteral("Everyone who tried the early versions and told us what to mend")),
                      1, 1);
    grille->addWidget(Titre(credits, QStringLiteral("Translation :")), 2, 0);
    PatcheAuteur = Noms(credits, QString());
    PatcheAuteur->setObjectName(QStringLiteral("PatcheAuteur"));
    grille->addWidget(PatcheAuteur, 2, 1);
    grille->setRowStretch(3, 1);
    ScrollBoxThanks->setWidget(credits);

    BT_OK = Placer(new QPushButton(QStringLiteral("OK"), Panel3), "BT_OK", (l3 - 75) / 2, 342, 75, 25);
    BT_OK->setDefault(true);
    connect(BT_OK, &QPushButton::clicked, this, &QDialog::accept);

    if (const QScreen* ecran = QGuiApplication::primaryScreen())
        move(ecran->availableGeometry().center() - QPoint(width() / 2, height() / 2));

    TraduireAPropos();
}

void TAproposForm::TraduireAPropos()
{
    const SectionLangue communs("DLG_000");
    if (!communs.Trouvee())
        return;
    std::string ok = communs.Brut(1);
    if (ok.empty())
        ok = "OK";
    BT_OK->setText(VersQString(ok));
    const SectionLangue generaux("GENE_000");
    if (!generaux.Trouvee())
        return;
    // The number belongs to the program, whatever the language file says.
    Version->setText(generaux.Texte(1) + QLatin1Char(' ') + QString::fromLatin1(NumeroVersion));
    Droits->setText(generaux.Texte(2));
    std::string utilisees;
    BT_OK->setText(LegendeRaccourci(ok, utilisees));
}

void TAproposForm::FormActivate()
{
    Image2->move(Panel3->width() - Image2->width() - 2, Image2->y());
    PatcheAuteur->setText(VersQString(AuteurPatche));
}

void TAproposForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    FormActivate();
}

QImage TAproposForm::Logo(int cote)
{
    QImage image(cote, cote, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    // A guitar pick with a tab "T" on it.
    QPainterPath mediator;
    mediator.moveTo(cote * 0.5, cote - 2);
    mediator.cubicTo(cote * 0.05, cote * 0.55, cote * 0.05, 2, cote * 0.5, 2);
    mediator.cubicTo(cote * 0.95, 2, cote * 0.95, cote * 0.55, cote * 0.5, cote - 2);
    p.fillPath(mediator, QColor(24, 40, 88));
    p.setPen(QColor(240, 200, 90));
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(cote / 2);
    f.setBold(true);
    f.setStyleStrategy(QFont::NoAntialias);
    p.setFont(f);
    p.drawText(QRect(0, 0, cote, cote * 3 / 4), Qt::AlignCenter, QStringLiteral("L"));
    return image;
}

QImage TAproposForm::Illustration(int largeur, int hauteur)
{
    QImage image(largeur, hauteur, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient fond(0, 0, largeur, hauteur);
    fond.setColorAt(0.0, QColor(235, 240, 250));
    fond.setColorAt(1.0, QColor(200, 212, 238));
    p.fillRect(image.rect(), fond);
    // A neck seen from above: frets, strings and two inlays.
    const int haut = hauteur / 5, bas = hauteur - hauteur / 5;
    p.fillRect(QRect(0, haut, largeur, bas - haut), QColor(92, 60, 36));
    p.setPen(QColor(210, 210, 210));
    for (int x = largeur / 12; x < largeur; x += largeur / 7)
        p.drawLine(x, haut, x, bas - 1);
    p.setBrush(QColor(240, 235, 220));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(largeur / 12 + largeur / 7 * 2 + largeur / 14, (haut + bas) / 2), 4, 4);
    p.drawEllipse(QPoint(largeur / 12 + largeur / 7 * 4 + largeur / 14, (haut + bas) / 2), 4, 4);
    p.setPen(QColor(225, 215, 180));
    for (int c = 0; c < 6; ++c) {
        const int y = haut + (bas - haut) * (2 * c + 1) / 12;
        p.drawLine(0, y, largeur - 1, y);
    }
    p.setPen(QColor(120, 130, 160));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, largeur - 1, hauteur - 1);
    return image;
}

void AfficherAPropos()
{
    TAproposForm fenetre;
    fenetre.exec();
}
