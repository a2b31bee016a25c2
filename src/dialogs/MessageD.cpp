#include "dialogs/MessageD.h"

#include "controls/CadreFenetre.h"
#include "dialogs/BaseDialogue.h"
#include "platform/Arrondi.h"
#include "platform/Cp1252.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace {

QString VersQt(const std::string& cp1252)
{
    return QString::fromUtf8(platform::Cp1252VersUtf8(cp1252));
}

// Line ends as the callers write them (CR, CR LF or LF) all break the line.
QString LignesQt(const std::string& cp1252)
{
    QString t = VersQt(cp1252);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

// "MS Sans Serif" 8 points, as the box was designed, at the box's pixels per inch: the dialogs'
// font, so that its texts keep the font's own spacing as theirs do.
QFont PoliceMessage(double echelle)
{
    return PoliceDialogue(PixelsPolice(8, static_cast<int>(platform::Round(96.0 * echelle))));
}

constexpr int FlagsTexte = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// The character a caption marks with a single "&", in upper case; none for "&&".
QChar LettreRaccourci(const QString& legende)
{
    for (qsizetype i = 0; i + 1 < legende.size(); ++i) {
        if (legende[i] != QLatin1Char('&'))
            continue;
        if (legende[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return legende[i + 1].toUpper();
    }
    return {};
}

} // namespace

TMessageD::TMessageD(const MessageAffiche& message, QWidget* parent, double echelle)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
    , message_(message)
{
    setObjectName(QStringLiteral("MessageD"));
    if (echelle <= 0.0) {
        const QScreen* ecran = QGuiApplication::primaryScreen();
        echelle = ecran ? ecran->logicalDotsPerInchX() / 96.0 : 1.0;
    }
    echelle_ = echelle;
    setFont(PoliceMessage(echelle_));
    setWindowTitle(VersQt(message_.Legende));
    Centrer = static_cast<uint8_t>(message_.Placement ^ 1);
    BoutonDefaut = message_.BoutonDefaut;

    Texte = new QLabel(this);
    Texte->setObjectName(QStringLiteral("Texte"));
    Texte->setTextFormat(Qt::PlainText);
    Texte->setWordWrap(true);
    Texte->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Texte->setMargin(0);
    Texte->setIndent(0);
    Texte->setText(LignesQt(message_.Texte));
    QPalette p = Texte->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    Texte->setPalette(p);

    const auto image = [this](const char* nom, QStyle::StandardPixmap sp) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(nom));
        const int c = LongueurMessage(32, echelle_);
        l->setPixmap(style()->standardIcon(sp).pixmap(c, c));
        l->setScaledContents(true);
        l->hide();
        return l;
    };
    Image_Inf = image("Image_Inf", QStyle::SP_MessageBoxInformation);
    Image_Err = image("Image_Err", QStyle::SP_MessageBoxCritical);
    Image_War = image("Image_War", QStyle::SP_MessageBoxWarning);
    Image_Conf = image("Image_Conf", QStyle::SP_MessageBoxQuestion);

    const auto bouton = [this](const char* nom, const char* legende, QStyle::StandardPixmap sp, int resultat) {
        auto* b = new QPushButton(QString::fromLatin1(legende), this);
        b->setObjectName(QLatin1String(nom));
        b->setIcon(style()->standardIcon(sp));
        b->hide();
        connect(b, &QPushButton::clicked, this, [this, resultat] { done(resultat); });
        return b;
    };
    BT_OK = bouton("BT_OK", "&OK", QStyle::SP_DialogOkButton, ResultatOK);
    BT_Oui = bouton("BT_Oui", "&Oui", QStyle::SP_DialogYesButton, ResultatOui);
    BT_Non = bouton("BT_Non", "&Non", QStyle::SP_DialogNoButton, ResultatNon);
    BT_Annuler = bouton("BT_Annuler", "&Annuler", QStyle::SP_DialogCancelButton, ResultatAnnuler);
    boutons_ = {BT_OK, BT_Oui, BT_Non, BT_Annuler};

    Disposer();
    TraduireBoiteMessage();
}

void TMessageD::Disposer()
{
    switch (message_.Icone) {
    case IconeAvertissement: Image_War->show(); break;
    case IconeErreur: Image_Err->show(); break;
    case IconeInformation: Image_Inf->show(); break;
    case IconeConfirmation: Image_Conf->show(); break;
    default: break;
    }

    // The label fits its text: wrapped at the design width, as wide as its longest line and
    // as high as its last one. An empty text still takes one line.
    const QFontMetrics fm(font());
    QString mesure = Texte->text();
    if (mesure.isEmpty())
        mesure = QStringLiteral(" ");
    const QRect r = fm.boundingRect(QRect(0, 0, LargeurTexteMessage(echelle_), 1 << 20), FlagsTexte, mesure);
    disposition_ = DisposerMessage(echelle_, r.width(), r.height(), message_.Boutons);

    const auto placer = [](QWidget* w, const RectMessage& g) { w->setGeometry(g.X, g.Y, g.L, g.H); };
    placer(Texte, disposition_.Texte);
    for (QLabel* i : {Image_Inf, Image_Err, Image_War, Image_Conf})
        placer(i, disposition_.Icone);
    for (std::size_t b = 0; b < 4; ++b) {
        placer(boutons_[b], disposition_.Boutons[b]);
        boutons_[b]->setVisible(disposition_.Visible[b]);
    }
    setFixedSize(disposition_.LargeurClient, disposition_.HauteurClient);

    QPushButton* defaut = nullptr;
    switch (BoutonDefaut) {
    case DefautOui: defaut = BT_Oui; break;
    case DefautNon: defaut = BT_Non; break;
    case DefautOK: defaut = BT_OK; break;
    case DefautAnnuler: defaut = BT_Annuler; break;
    default: break;
    }
    if (defaut && !defaut->isHidden()) {
        defaut->setDefault(true);
        defaut->setFocus(Qt::OtherFocusReason);
    }
}

void TMessageD::TraduireBoiteMessage()
{
    const std::array<std::string, 4> legendes = LegendesBoutonsMessage(message_.Boutons);
    for (std::size_t b = 0; b < 4; ++b)
        boutons_[b]->setText(VersQt(legendes[b]));
}

void TMessageD::Placer()
{
    const QScreen* ecran = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    const QRect zone = ecran->geometry();
    // The frame the box will get, not the none it has before the window manager maps it: by
    // the box's own outer size it stands where the dialogs stand, not half a title bar higher.
    const QSize cadre = size().grownBy(MargesCadre(this));
    const auto [x, y] = PlacerMessage(message_.Placement, echelle_, zone.width(), zone.height(),
                                      cadre.width(), cadre.height());
    PlacerCadre(this, zone.topLeft() + QPoint(x, y));
}

void TMessageD::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    PlacerSelonCadre(this, [this] { Placer(); });
}

void TMessageD::reject()
{
    done(ResultatAnnuler);
}

void TMessageD::keyPressEvent(QKeyEvent* e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if (e->key() == Qt::Key_Escape && mods == Qt::NoModifier) {
        uint16_t montres = 0;
        for (std::size_t b = 0; b < 4; ++b)
            if (!boutons_[b]->isHidden())
                montres |= BitsBoutonsMessage[b];
        // Annuler answers Escape; without it Non does; with neither, nothing does.
        if (const int r = ReponseEchap(montres))
            done(r);
        e->accept();
        return;
    }
    // As in the system's own dialogs, a button's letter alone presses it (focus is always on a
    // button here, never on a text field).
    if ((mods == Qt::NoModifier || mods == Qt::ShiftModifier) && e->text().size() == 1) {
        const QChar c = e->text().at(0).toUpper();
        for (QPushButton* b : boutons_) {
            if (!b->isHidden() && b->isEnabled() && !c.isSpace() && LettreRaccourci(b->text()) == c) {
                b->click();
                e->accept();
                return;
            }
        }
    }
    QDialog::keyPressEvent(e);
}

namespace {

// The window a box belongs to: the one the user works in, else the dialog still open, else the
// program's main window (a box raised while another program has the focus). Tied to it, the
// box is a dialog of the program for the window manager, shown over it, not a window of its own.
QWidget* FenetreDeLaBoite()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    if (QWidget* modale = QApplication::activeModalWidget())
        return modale;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w) && w->isVisible())
            return w;
    return nullptr;
}

} // namespace

int AfficherMessageD(const MessageAffiche& message)
{
    TMessageD boite(message, FenetreDeLaBoite());
    return boite.exec();
}

void InstallerMessageD()
{
    InstallerAfficheurMessages(&AfficherMessageD);
}
