#include "dialogs/BaseDialogue.h"

#include "controls/CadreFenetre.h"
#include "document/Fenetre.h"
#include "document/Langue.h"
#include "editor/Ed_fct.h"
#include "editor/DessinSaisie.h"
#include "platform/Arrondi.h"
#include "platform/Cp1252.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QRadioButton>
#include <QTabWidget>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionButton>
#include <QCoreApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QToolButton>
#include <QValidator>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <vector>

QString VersQString(std::string_view cp1252)
{
    return QString::fromUtf8(platform::Cp1252VersUtf8(cp1252).c_str());
}

std::string DepuisQString(const QString& texte)
{
    return platform::Utf8VersCp1252(texte.toUtf8().toStdString());
}

SectionLangue::SectionLangue(std::string_view marqueur) : marqueur_(ChercherMarqueur(marqueur)) {}

std::string SectionLangue::Brut(int k) const
{
    if (marqueur_ < 0 || k < 1)
        return {};
    return TexteEntreeLangue(marqueur_, k);
}

QString SectionLangue::Texte(int k) const { return VersQString(Brut(k)); }

QString SectionLangue::Texte(int k, const QString& defaut) const
{
    const std::string brut = Brut(k);
    return brut.empty() ? defaut : VersQString(brut);
}

QString TexteCommunDialogue(TexteCommun t)
{
    static const char* const defauts[] = {"", "OK", "Cancel", "Yes", "No", "Help", "Clear", "Close"};
    const int k = static_cast<int>(t);
    return SectionLangue("DLG_000").Texte(k, QString::fromLatin1(defauts[k]));
}

int PixelsPolice(int points, int pixelsParPouce)
{
    // MulDiv: rounded to nearest, halves away from zero.
    const long long p = static_cast<long long>(points) * pixelsParPouce;
    return static_cast<int>((p + 36) / 72);
}

QFont PoliceDialogue(int pixels, bool gras)
{
    QFont police(QStringLiteral("Liberation Sans"));
    police.setPixelSize(std::max(1, pixels));
    police.setBold(gras);
    police.setKerning(false);
    police.setStyleStrategy(QFont::NoAntialias);
    // Each glyph on a whole pixel, its advance the one the font's hinting gives at this size.
    // Lightly hinted, the glyphs are laid out at fractional advances and each, drawn without
    // antialiasing, snaps to its own pixel: the gaps come out uneven ("m esures", "Cl ear").
    police.setHintingPreference(QFont::PreferFullHinting);
    return police;
}

void AppliquerPoliceDialogue(QWidget* fenetre, int pixels)
{
    if (!fenetre)
        return;
    if (pixels <= 0)
        pixels = PixelsPolice(8, Pixels96(96));
    fenetre->setFont(PoliceDialogue(pixels));
}

double EchelleEcran()
{
    const QScreen* ecran = QGuiApplication::primaryScreen();
    const double ppp = ecran ? ecran->logicalDotsPerInchX() : 96.0;
    return ppp > 0.0 ? ppp / 96.0 : 1.0;
}

int Pixels96(int longueur) { return static_cast<int>(platform::Round(longueur * EchelleEcran())); }

namespace {

// Does `action` to every window of the application as its platform window is about to show:
// after the window's own show handling (which may set its texts and size), before the window
// system maps it, so that the window manager takes the window in with its size and place.
// Changed once mapped, they would race with the manager's answer to the map.
class FiltreFenetres final : public QObject {
public:
    FiltreFenetres(QObject* parent, std::function<void(QWidget*)> action)
        : QObject(parent), action_(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject* objet, QEvent* e) override
    {
        if (e->type() == QEvent::Show && objet->isWindowType())
            for (QWidget* fenetre : QApplication::topLevelWidgets())
                if (fenetre->windowHandle() == static_cast<QWindow*>(objet)) {
                    action_(fenetre);
                    break;
                }
        return false;
    }

private:
    std::function<void(QWidget*)> action_;
};

// Installs the filter once for the application's life; `installe` remembers it was.
void InstallerFiltreFenetres(bool& installe, std::function<void(QWidget*)> action)
{
    if (installe || !QCoreApplication::instance())
        return;
    installe = true;
    QCoreApplication::instance()->installEventFilter(new FiltreFenetres(QCoreApplication::instance(), std::move(action)));
}

} // namespace

void DimensionnerClient(QWidget* fenetre, int largeur, int hauteur)
{
    if (fenetre)
        fenetre->setFixedSize(Pixels96(largeur), Pixels96(hauteur));
}

int LargeurPourTitre(const QString& titre)
{
    // The window manager draws the caption in a font of its own that a program cannot read.
    // The common ones default to a bold sans no larger than the desktop's general font
    // (openbox 8 pt, xfwm4 9 pt, KWin 10 pt, beside a general font of 9 to 10 pt), so the
    // caption is measured in the application's font made bold. Qt's title font is no help
    // here: without a desktop theme it is a 12 pt default face, no window manager's.
    QFont police = QApplication::font();
    police.setBold(true);
    const QFontMetrics mesure(police);
    // They centre the caption over the whole bar, between the icon or menu at the left and
    // the minimise, maximise and close buttons at the right, which openbox keeps even on a
    // fixed dialog: the caption has the bar less twice the three buttons. A button is about
    // the caption's line height with its padding, and each side keeps a few pixels of edge.
    const int bouton = mesure.height() + Pixels96(6);
    const int cote = 3 * bouton + Pixels96(4);
    return mesure.horizontalAdvance(titre) + 2 * cote;
}

void ElargirPourTitre(QWidget* fenetre)
{
    if (!fenetre)
        return;
    const int besoin = LargeurPourTitre(fenetre->windowTitle());
    const int largeur = fenetre->width();
    if (besoin <= largeur)
        return;
    const int decalage = (besoin - largeur) / 2;
    for (QWidget* enfant : fenetre->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        enfant->move(enfant->x() + decalage, enfant->y());
    fenetre->setFixedWidth(besoin);
}

// ---- Captions that fit -----------------------------------------------------------------------

int LargeurLegendeBouton(const QPushButton* bouton)
{
    QStyleOptionButton opt;
    opt.initFrom(bouton);
    if (bouton->autoDefault() || bouton->isDefault())
        opt.features |= QStyleOptionButton::AutoDefaultButton;
    const QStyle* style = bouton->style();
    int largeur = bouton->fontMetrics().size(Qt::TextShowMnemonic, bouton->text()).width();
    if (!bouton->icon().isNull())
        largeur += bouton->iconSize().width() + 4;
    // As the common style sizes a button's contents: the button margin and the frame on both
    // sides (and the default-button indicator), before any platform minimum width.
    largeur += style->pixelMetric(QStyle::PM_ButtonMargin, &opt, bouton)
               + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, bouton);
    if (opt.features & QStyleOptionButton::AutoDefaultButton)
        largeur += 2 * style->pixelMetric(QStyle::PM_ButtonDefaultIndicator, &opt, bouton);
    return largeur;
}

namespace {

// The size a caption needs, its alignment, or nothing for a widget that is no caption.
struct BesoinLegende {
    QSize Taille;
    Qt::Alignment Alignement;
};

std::optional<BesoinLegende> Besoin(QWidget* w)
{
    if (w->property("echantillon").toBool())
        return std::nullopt;
    if (auto* l = qobject_cast<QLabel*>(w)) {
        // A framed label is a box showing a value (an instrument, a message panel): it keeps
        // the room of its design whatever it holds at the moment.
        if (l->text().isEmpty() || !l->pixmap().isNull() || l->frameShape() != QFrame::NoFrame)
            return std::nullopt;
        if (l->wordWrap())
            return BesoinLegende{QSize(0, l->heightForWidth(l->width())), l->alignment()};
        return BesoinLegende{l->sizeHint(), l->alignment()};
    }
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        if (b->text().isEmpty())
            return std::nullopt;
        return BesoinLegende{QSize(LargeurLegendeBouton(b), 0), Qt::AlignHCenter};
    }
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
        auto* c = static_cast<QAbstractButton*>(w);
        if (c->text().isEmpty())
            return std::nullopt;
        return BesoinLegende{QSize(c->sizeHint().width(), 0), Qt::AlignLeft};
    }
    // A group's title, in the frame's top edge (its contents are placed, not laid out).
    if (auto* g = qobject_cast<QGroupBox*>(w); g && !g->title().isEmpty() && !g->layout())
        return BesoinLegende{QSize(g->minimumSizeHint().width(), 0), Qt::AlignLeft};
    return std::nullopt;
}

// Two widgets stand on one row when the middle of either lies within the other's height.
bool MemeRangee(const QRect& a, const QRect& b)
{
    const int ma = a.top() + a.height() / 2;
    const int mb = b.top() + b.height() / 2;
    return (ma >= b.top() && ma <= b.bottom()) || (mb >= a.top() && mb <= a.bottom());
}

// A child the design keeps beyond its parent's right or bottom edge, out of view on purpose.
bool PlaceHorsDeVue(const QWidget* w)
{
    const QWidget* parent = w->parentWidget();
    return parent && (w->x() + w->width() > parent->width() || w->y() >= parent->height());
}

// One fitting of a window: the window, and the controls it had out of view before anything
// moved (they stay out of view, whatever moves around them).
struct Ajustement {
    QWidget* Fenetre;
    std::set<const QWidget*> HorsDeVue;
    int MargeDroite = 0; // what the design leaves between the window's controls and its right edge
    bool Cache(const QWidget* w) const { return HorsDeVue.count(w) > 0; }
};

// A widget whose geometry its parent sets: the child of a layout, a tab page, the page stack
// and the tab bar of a tab widget.
bool PlaceParSonParent(const QWidget* w)
{
    const QWidget* parent = w->parentWidget();
    return parent && !w->isWindow()
           && (parent->layout() || qobject_cast<const QStackedWidget*>(parent) || qobject_cast<const QTabWidget*>(parent));
}

void AgrandirPourEnfants(QWidget* parent, const Ajustement& a);

// The captions `legendes` of `parent` grew to the right past `bord`. When a control of their
// rows that stood at or after that edge is now run over, a column opens at `bord`: every
// control from there on moves right by the least that clears them (keeping up to 4 pixels of
// the gap each had), so that the columns of the design stay aligned; a frame that spans the
// edge widens with them. Then the parent grows to hold its children.
void OuvrirColonne(QWidget* parent, int bord, const std::vector<QWidget*>& legendes, const Ajustement& a)
{
    const int ecartMax = Pixels96(4);
    std::vector<QWidget*> enfants;
    for (QObject* o : parent->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow() && !a.Cache(w))
            enfants.push_back(w);
    int decalage = 0;
    for (QWidget* l : legendes) {
        const QRect g = l->geometry();
        for (QWidget* w : enfants)
            if (w != l && w->x() >= bord && MemeRangee(w->geometry(), g))
                decalage = std::max(decalage, g.right() + 1 + std::min(w->x() - bord, ecartMax) - w->x());
    }
    if (decalage <= 0) {
        AgrandirPourEnfants(parent, a);
        return;
    }
    const auto estLegende = [&legendes](const QWidget* w) {
        return std::find(legendes.begin(), legendes.end(), w) != legendes.end();
    };
    // A frame behind the controls (a panel, a group) is no control of a row.
    const auto cadre = [](const QWidget* w) { return qobject_cast<const QFrame*>(w) && !qobject_cast<const QLabel*>(w); };
    const auto aCheval = [bord](const QWidget* w) { return w->x() < bord && w->x() + w->width() > bord; };
    // Everything from the edge on moves; a button that spans the edge goes along with the
    // control that stands close after it on its row (a button and its companion stay together).
    std::vector<QWidget*> aDeplacer;
    for (QWidget* w : enfants)
        if (w->x() >= bord)
            aDeplacer.push_back(w);
    for (bool ajout = true; ajout;) {
        ajout = false;
        for (QWidget* w : enfants) {
            const bool bouton = qobject_cast<QPushButton*>(w) || qobject_cast<QToolButton*>(w);
            if (!bouton || !aCheval(w) || estLegende(w)
                || std::find(aDeplacer.begin(), aDeplacer.end(), w) != aDeplacer.end())
                continue;
            const int droite = w->x() + w->width();
            const bool colle = std::any_of(aDeplacer.begin(), aDeplacer.end(), [&](const QWidget* m) {
                return m->x() - droite <= ecartMax && m->x() + m->width() > droite
                       && MemeRangee(m->geometry(), w->geometry());
            });
            if (colle) {
                aDeplacer.push_back(w);
                ajout = true;
            }
        }
    }
    for (QWidget* w : enfants)
        if (aCheval(w) && cadre(w) && !estLegende(w))
            w->resize(w->width() + decalage, w->height());
    for (QWidget* w : aDeplacer)
        w->move(w->x() + decalage, w->y());
    AgrandirPourEnfants(parent, a);
}

// The parent widened to hold the right edges of its children in view (those that just grew
// included), and so on up to the window; a fixed-size window keeps a fixed size. A widget that
// its parent sizes (a tab page) widens through the first widget around it that none sizes.
void AgrandirPourEnfants(QWidget* parent, const Ajustement& a)
{
    QWidget* fenetre = a.Fenetre;
    int besoin = 0;
    for (QObject* o : parent->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow() && !a.Cache(w))
            besoin = std::max(besoin, w->x() + w->width());
    // A window that grows keeps its margin: its buttons never come to touch the frame.
    if (parent == fenetre)
        besoin += a.MargeDroite;
    const int manque = besoin - parent->width();
    if (manque <= 0)
        return;
    QWidget* libre = parent;
    const int ancienBord = parent->x() + parent->width();
    if (parent != fenetre) {
        parent->resize(besoin, parent->height());
        while (libre != fenetre && PlaceParSonParent(libre))
            libre = libre->parentWidget();
    }
    if (libre == fenetre) {
        const int largeur = libre == parent ? besoin : fenetre->width() + manque;
        if (fenetre->minimumWidth() == fenetre->maximumWidth())
            fenetre->setFixedWidth(largeur);
        else
            fenetre->resize(largeur, fenetre->height());
        return;
    }
    const int bord = libre == parent ? ancienBord : libre->x() + libre->width();
    if (libre != parent)
        libre->resize(libre->width() + manque, libre->height());
    OuvrirColonne(libre->parentWidget(), bord, {libre}, a);
}

} // namespace

void AjusterLegendes(QWidget* fenetre)
{
    if (!fenetre)
        return;
    // A tab page not shown yet has not had its size from its stack: it gets it now, so that
    // its controls are measured against the room they will have.
    for (QStackedWidget* pile : fenetre->findChildren<QStackedWidget*>())
        for (int i = 0; i < pile->count(); ++i)
            if (QWidget* page = pile->widget(i); page->size() != pile->contentsRect().size())
                page->resize(pile->contentsRect().size());

    Ajustement a{fenetre, {}};
    const QRect zone = fenetre->rect();
    const QList<QWidget*> tous = fenetre->findChildren<QWidget*>();
    for (QWidget* w : tous)
        if (PlaceHorsDeVue(w) || !QRect(w->mapTo(fenetre, QPoint(0, 0)), w->size()).intersects(zone))
            a.HorsDeVue.insert(w);
    int droite = 0;
    for (QObject* o : fenetre->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow() && !a.Cache(w))
            droite = std::max(droite, w->x() + w->width());
    // Room the design left empty on the right is no margin to keep.
    a.MargeDroite = std::clamp(fenetre->width() - droite, 0, Pixels96(8));

    // First every caption takes its size; the captions that grew to the right are noted by
    // parent and old right edge.
    std::map<QWidget*, std::map<int, std::vector<QWidget*>>> pousses;
    for (QWidget* w : tous) {
        if (w->window() != fenetre || PlaceParSonParent(w) || a.Cache(w))
            continue;
        const std::optional<BesoinLegende> besoin = Besoin(w);
        if (!besoin)
            continue;
        QRect r = w->geometry();
        const int dl = besoin->Taille.width() - r.width();
        if (dl > 0) {
            if (besoin->Alignement & Qt::AlignRight) {
                r.setLeft(r.left() - dl);
            } else if (besoin->Alignement & Qt::AlignHCenter) {
                r.moveLeft(r.left() - dl / 2);
                r.setWidth(besoin->Taille.width());
            } else {
                r.setWidth(besoin->Taille.width());
            }
        }
        const int dh = besoin->Taille.height() - r.height();
        if (dh > 0) {
            if (besoin->Alignement & Qt::AlignTop) {
                r.setHeight(besoin->Taille.height());
            } else if (besoin->Alignement & Qt::AlignBottom) {
                r.setTop(r.top() - dh);
            } else {
                r.moveTop(r.top() - dh / 2);
                r.setHeight(besoin->Taille.height());
            }
        }
        if (r == w->geometry())
            continue;
        // A caption that would pass its parent's left edge grows to the right instead.
        if (r.left() < 0)
            r.moveLeft(0);
        const int bord = w->x() + w->width();
        w->setGeometry(r);
        if (r.right() + 1 > bord)
            pousses[w->parentWidget()][bord].push_back(w);
    }

    // Then the columns open, from the right so that an edge further left still reads as
    // designed; the deepest parents first, so that a group grows before its own row moves.
    std::vector<QWidget*> parents;
    for (const auto& [parent, bords] : pousses)
        parents.push_back(parent);
    const auto profondeur = [fenetre](QWidget* w) {
        int n = 0;
        for (; w && w != fenetre; w = w->parentWidget())
            ++n;
        return n;
    };
    std::stable_sort(parents.begin(), parents.end(),
                     [&](QWidget* p, QWidget* q) { return profondeur(p) > profondeur(q); });
    for (QWidget* parent : parents) {
        const auto& bords = pousses[parent];
        for (auto it = bords.rbegin(); it != bords.rend(); ++it)
            OuvrirColonne(parent, it->first, it->second, a);
    }
}

namespace {

// Qt centres a dialog as its show begins, by the size it has then and a guess at the frame;
// the dialog's own show handling and the fitting of its captions may still resize it. So it is
// centred again once it has its size, with the frame its kind had last, and once more when the
// window manager frames it otherwise (the first dialog of a run). The place is no explicit one:
// the next show centres it afresh.
void CentrerDialogue(QDialog* dialogue)
{
    if (dialogue->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))
        return;
    PlacerSelonCadre(dialogue, [dialogue] {
        CentrerSurEcran(dialogue);
        dialogue->setAttribute(Qt::WA_Moved, false);
    });
}

} // namespace

void InstallerAjustementLegendes()
{
    static bool installe = false;
    InstallerFiltreFenetres(installe, [](QWidget* fenetre) {
        if (!fenetre->layout()) {
            AjusterLegendes(fenetre);
            // A window of fixed width, dialog or palette, is as wide as its title bar needs: the
            // user cannot widen it to read a cut caption.
            const Qt::WindowType type = fenetre->windowType();
            const bool barreTitre = (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool)
                                    && !fenetre->windowFlags().testFlag(Qt::FramelessWindowHint);
            if (barreTitre && fenetre->minimumWidth() == fenetre->maximumWidth())
                ElargirPourTitre(fenetre);
        }
        // Left where the program put it: a dialog it placed itself (a stored place, a message
        // box's own).
        if (auto* dialogue = qobject_cast<QDialog*>(fenetre); dialogue && !dialogue->testAttribute(Qt::WA_Moved))
            CentrerDialogue(dialogue);
    });
}

std::optional<double> LireReel(const QString& texte)
{
    return TexteVersReel(texte.toUtf8().toStdString());
}

std::optional<int32_t> LireEntier(const QString& texte)
{
    return TexteVersEntier(texte.toUtf8().toStdString());
}

QString EcrireReel(double valeur, int decimales)
{
    return QString::number(valeur, 'f', decimales);
}

void SignalerSaisieIncorrecte()
{
    FenetrePrincipale().AfficherSaisieIncorrecte();
}

// ---- Formats, refusals, captions -----------------------------------------------------------

QString EcrireReelGeneral(double valeur)
{
    QString t = QString::number(valeur, 'g', 15);
    const char sep = SeparateurDecimal();
    if (sep != '.')
        t.replace(QLatin1Char('.'), QLatin1Char(sep));
    return t;
}

void RefuserChamp(QLineEdit* champ)
{
    SignalerSaisieIncorrecte();
    if (!champ)
        return;
    champ->setFocus(Qt::OtherFocusReason);
    champ->selectAll();
}

QString LegendeRaccourci(const std::string& brut, std::string& utilisees)
{
    return VersQString(AjouterRaccourci(brut, utilisees));
}

QString LegendeGroupe(const QString& texte) { return QLatin1Char(' ') + texte + QLatin1Char(' '); }

QPushButton* PlacerBoutonOK(QDialog* fenetre, int x, int y)
{
    auto* bouton = Placer(new QPushButton(QStringLiteral("&OK"), fenetre), "BT_OK", x, y, 75, 25);
    bouton->setDefault(true);
    return bouton;
}

QPushButton* PlacerBoutonAnnuler(QDialog* fenetre, int x, int y)
{
    auto* bouton = Placer(new QPushButton(QStringLiteral("&Annuler"), fenetre), "BT_Annuler", x, y, 75, 25);
    bouton->setAutoDefault(false);
    QObject::connect(bouton, &QPushButton::clicked, fenetre, &QDialog::reject);
    return bouton;
}

QPushButton* PlacerBoutonAide(QDialog* fenetre, int x, int y, int contexteAide)
{
    auto* bouton = Placer(new QPushButton(QStringLiteral("&Aide"), fenetre), "BT_Aide", x, y, 75, 25);
    bouton->setAutoDefault(false);
    QObject::connect(bouton, &QPushButton::clicked, fenetre,
                     [contexteAide] { FenetrePrincipale().AfficherAideDialogue(contexteAide); });
    return bouton;
}

bool TraduireBoutonsCommuns(std::string& utilisees, QAbstractButton* ok, QAbstractButton* annuler,
                            QAbstractButton* aide)
{
    const SectionLangue commun("DLG_000");
    if (!commun.Trouvee())
        return false;
    ok->setText(LegendeRaccourci(commun.Brut(1), utilisees));
    annuler->setText(LegendeRaccourci(commun.Brut(2), utilisees));
    if (aide != nullptr)
        aide->setText(LegendeRaccourci(commun.Brut(5), utilisees));
    return true;
}

// ---- Entry fields ----------------------------------------------------------------------------

namespace {

// The separator typed either way becomes the system's; anything else but digits is refused,
// pasted text included.
class ValidateurDecimal : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& texte, int& position) const override
    {
        (void)position;
        const QChar sep = QLatin1Char(SeparateurDecimal());
        for (QChar& c : texte) {
            if (c == QLatin1Char('.') || c == QLatin1Char(','))
                c = sep;
            else if (!c.isDigit() || c.unicode() > 0x7F)
                return Invalid;
        }
        return Acceptable;
    }
};

class FiltreTouchesSpin : public QObject {
public:
    FiltreTouchesSpin(QObject* parent, std::function<void()> haut, std::function<void()> bas)
        : QObject(parent), haut_(std::move(haut)), bas_(std::move(bas))
    {
    }

protected:
    bool eventFilter(QObject* objet, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(e);
            const bool pave = k->modifiers() & Qt::KeypadModifier;
            if (k->key() == Qt::Key_Up || (pave && k->key() == Qt::Key_Plus)) {
                if (haut_)
                    haut_();
                return true;
            }
            if (k->key() == Qt::Key_Down || (pave && k->key() == Qt::Key_Minus)) {
                if (bas_)
                    bas_();
                return true;
            }
        }
        return QObject::eventFilter(objet, e);
    }

private:
    std::function<void()> haut_;
    std::function<void()> bas_;
};

} // namespace

void FiltrerChiffres(QLineEdit* champ, int longueur)
{
    champ->setMaxLength(longueur);
    champ->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), champ));
}

void FiltrerDecimal(QLineEdit* champ, int longueur)
{
    champ->setMaxLength(longueur);
    champ->setValidator(new ValidateurDecimal(champ));
}

void LierTouchesSpin(QLineEdit* champ, std::function<void()> haut, std::function<void()> bas)
{
    champ->installEventFilter(new FiltreTouchesSpin(champ, std::move(haut), std::move(bas)));
}

RepetitionSpin::RepetitionSpin(QObject* proprietaire, Cadence cadence, std::function<void(int)> pas)
    : cadence_(cadence), pas_(std::move(pas)), timer_(new QTimer(proprietaire))
{
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { Tick(); });
}

void RepetitionSpin::Lier(QAbstractButton* bouton, int sens)
{
    QObject::connect(bouton, &QAbstractButton::pressed, timer_, [this, sens] { Demarrer(sens); });
    QObject::connect(bouton, &QAbstractButton::released, timer_, [this] { Arreter(); });
}

void RepetitionSpin::Demarrer(int sens)
{
    compteur_ = 0;
    sens_ = sens < 0 ? -1 : 1;
    timer_->setInterval(cadence_.Premier);
    timer_->start();
}

void RepetitionSpin::Arreter() { timer_->stop(); }

void RepetitionSpin::Tick()
{
    ++compteur_;
    int intervalle = timer_->interval();
    if (compteur_ > 1)
        intervalle = cadence_.Rapide;
    if (cadence_.TresRapide > 0 && compteur_ > 10)
        intervalle = cadence_.TresRapide;
    // A timer given the interval it already has keeps its phase.
    if (intervalle != timer_->interval())
        timer_->setInterval(intervalle);
    if (cadence_.Triple > 0 && compteur_ == cadence_.Triple)
        sens_ *= 3;
    if (pas_)
        pas_(sens_);
}

bool RepetitionSpin::Actif() const { return timer_->isActive(); }

int RepetitionSpin::Intervalle() const { return timer_->interval(); }
