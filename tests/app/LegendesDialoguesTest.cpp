// Every dialog of the program, in English and in French, shows each caption whole: labels,
// buttons, check boxes, radio buttons, group titles and tabs get the width their text takes in
// their own font, with the style's margins, inside every window around them, and no control
// drawn over them; their texts keep the font's own spacing; no control lies over a frame's
// edge; the title shows whole in openbox's title bar; and each window tells the window manager
// it is a dialog or a palette of the main window. No text they show reads as a missing
// translation, and every word of the language files' key table is found in both shipped files.
#include "app/FixtureFenetrePrincipale.h"
#include "app/Programme.h"
#include "dialogs/BaseDialogue.h"
#include "dialogs/Brush.h"
#include "dialogs/ChgtParam.h"
#include "dialogs/ConfRede.h"
#include "dialogs/Copier.h"
#include "dialogs/Couper.h"
#include "dialogs/DlgPrint.h"
#include "dialogs/GraceNote.h"
#include "dialogs/LetRingAssistant.h"
#include "dialogs/MessageD.h"
#include "dialogs/Reposit.h"
#include "dialogs/Sais_ac.h"
#include "dialogs/Sais_ala.h"
#include "dialogs/Sais_ben.h"
#include "dialogs/Sais_cvb.h"
#include "dialogs/Sais_ins.h"
#include "dialogs/Sais_nrp.h"
#include "dialogs/Sais_nrv.h"
#include "dialogs/Sais_rel.h"
#include "dialogs/Sais_sig.h"
#include "dialogs/Sais_txt.h"
#include "dialogs/Transpo.h"
#include "dialogs/WaitMIDI.h"
#include "dialogs/Welcome.h"
#include "dialogs/sais_paste.h"
#include "document/ConfigFichier.h"
#include "document/Configuration.h"
#include "document/Langue.h"
#include "document/Mess.h"
#include "document/Proprietes.h"
#include "document/Variable.h"
#include "editor/Commandes.h"
#include "editor/Fontes.h"
#include "midi/Lecture.h"
#include "print/Apropos.h"
#include "print/Browse.h"
#include "print/ImpASCII.h"
#include "print/Pref.h"
#include "print/Splash.h"
#include "print/TestASCI.h"
#include "print/TravailImpression.h"
#include "print/preview.h"

#include <QApplication>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRawFont>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionTab>
#include <QTabBar>
#include <QTabWidget>
#include <QTextLayout>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Shown as the window shows it now (a tab page only once it is the current one), inside the
// window: controls kept below the client area on purpose are out of view.
bool Montre(const QWidget* w, const QWidget* fenetre)
{
    return w->isVisibleTo(fenetre)
           && QRect(w->mapTo(fenetre, QPoint(0, 0)), w->size()).intersects(fenetre->rect());
}

struct Coupure {
    std::string Objet;
    std::string Texte;
    QSize Besoin;
    QSize Place;
};

std::ostream& operator<<(std::ostream& o, const Coupure& c)
{
    return o << c.Objet << " \"" << c.Texte << "\" needs " << c.Besoin.width() << "x" << c.Besoin.height()
             << ", has " << c.Place.width() << "x" << c.Place.height();
}

// The horizontal span a caption of width `besoin` takes in its widget of width `largeur`.
std::pair<int, int> Etendue(Qt::Alignment a, int besoin, int largeur)
{
    if (a & Qt::AlignRight)
        return {largeur - besoin, largeur};
    if (a & Qt::AlignHCenter)
        return {(largeur - besoin) / 2, (largeur - besoin) / 2 + besoin};
    return {0, besoin};
}

// The room, in pixels of the 96-dpi design, a label's text keeps before the next control.
constexpr int kPlaceApresLegende = 2;

// The captions of a window that their rectangle, or a widget around it, cuts.
std::vector<Coupure> LegendesCoupees(QWidget* fenetre)
{
    std::vector<Coupure> coupes;
    const auto noter = [&](QWidget* w, const QString& legende, QSize besoin, Qt::Alignment alignement) {
        const QString nom = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                       : w->objectName();
        const std::string objet = fenetre->objectName().toStdString() + "/" + nom.toStdString();
        if (besoin.width() > w->width() || besoin.height() > w->height()) {
            coupes.push_back({objet, legende.toStdString(), besoin, w->size()});
            return;
        }
        // The text's own span must also lie inside every widget around it, and no control
        // drawn over it may hide part of it.
        const auto [debut, fin] = Etendue(alignement, besoin.width(), w->width());
        const QRect zone(debut, (w->height() - besoin.height()) / 2, fin - debut, besoin.height());
        if (QWidget* parent = w->parentWidget()) {
            const QRect trace(w->mapTo(parent, zone.topLeft()), zone.size());
            const QList<QObject*> freres = parent->children();
            for (qsizetype i = freres.indexOf(w) + 1; i < freres.size(); ++i) {
                auto* frere = qobject_cast<QWidget*>(freres[i]);
                if (frere && frere->isVisibleTo(fenetre) && frere->geometry().intersects(trace)
                    && !qobject_cast<QGroupBox*>(frere) && !frere->inherits("QFrame")) {
                    coupes.push_back({objet + " (under " + frere->objectName().toStdString() + ")",
                                      legende.toStdString(), besoin, w->size()});
                    return;
                }
            }
        }
        // A label's text keeps room before the control that follows it on its row, whatever
        // the order they are drawn in.
        if (QWidget* parent = w->parentWidget(); parent && qobject_cast<QLabel*>(w)) {
            const int place = Pixels96(kPlaceApresLegende);
            const QRect trace(w->mapTo(parent, zone.topLeft()), zone.size());
            const QRect avecPlace = trace.adjusted(alignement & Qt::AlignRight ? -place : 0, 0,
                                                   alignement & Qt::AlignRight ? 0 : place, 0);
            for (QObject* o : parent->children()) {
                auto* frere = qobject_cast<QWidget*>(o);
                if (frere && frere != w && frere->isVisibleTo(fenetre) && frere->geometry().intersects(avecPlace)
                    && !frere->geometry().intersects(trace) && !qobject_cast<QGroupBox*>(frere)
                    && frere->metaObject() != &QFrame::staticMetaObject) {
                    coupes.push_back({objet + " (no room before " + frere->objectName().toStdString() + ")",
                                      legende.toStdString(), besoin, w->size()});
                    return;
                }
            }
        }
        for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
            const QRect r(w->mapTo(p, zone.topLeft()), zone.size());
            if (!p->rect().contains(r)) {
                coupes.push_back({objet + " (inside " + p->objectName().toStdString() + ")", legende.toStdString(),
                                  r.size(), p->size()});
                return;
            }
            if (p == fenetre)
                break;
        }
    };

    for (QWidget* w : fenetre->findChildren<QWidget*>()) {
        if (w->window() != fenetre || !Montre(w, fenetre))
            continue;
        if (w->property("echantillon").toBool())
            continue;
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->text().isEmpty() || !l->pixmap().isNull())
                continue;
            if (l->wordWrap())
                noter(l, l->text(), QSize(0, l->heightForWidth(l->width())), l->alignment());
            else
                noter(l, l->text(), l->sizeHint(), l->alignment());
        } else if (auto* b = qobject_cast<QPushButton*>(w)) {
            if (!b->text().isEmpty())
                noter(b, b->text(), QSize(LargeurLegendeBouton(b), 0), Qt::AlignHCenter);
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            auto* c = static_cast<QAbstractButton*>(w);
            if (!c->text().isEmpty())
                noter(c, c->text(), QSize(c->sizeHint().width(), c->fontMetrics().height()), Qt::AlignLeft);
        } else if (auto* t = qobject_cast<QToolButton*>(w)) {
            if (!t->text().isEmpty() && t->toolButtonStyle() != Qt::ToolButtonIconOnly && t->icon().isNull())
                noter(t, t->text(), QSize(t->sizeHint().width(), 0), Qt::AlignHCenter);
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            if (!g->title().isEmpty())
                noter(g, g->title(), QSize(g->minimumSizeHint().width(), 0), Qt::AlignLeft);
        } else if (auto* barre = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < barre->count(); ++i) {
                const QRect r = barre->tabRect(i);
                QStyleOptionTab opt;
                opt.initFrom(barre);
                const QSize besoin(barre->fontMetrics().size(Qt::TextShowMnemonic, barre->tabText(i)).width()
                                       + barre->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &opt, barre),
                                   0);
                if (r.width() < besoin.width() || r.right() >= barre->width()
                    || barre->mapTo(fenetre, r.topRight()).x() >= fenetre->width())
                    coupes.push_back({fenetre->objectName().toStdString() + "/" + barre->objectName().toStdString()
                                          + " tab " + std::to_string(i + 1),
                                      barre->tabText(i).toStdString(), besoin, r.size()});
            }
        }
    }
    return coupes;
}

// The margin, in pixels of the 96-dpi design, a window keeps between the controls the user
// works and its right and bottom edges.
constexpr int kMargeFenetre = 1;

// The controls of a window that lie partly over a frame or group beside them (a control lies
// wholly inside a frame, or wholly outside it). A tab bar sits on its page's top edge by design,
// and a frame a few pixels thin is a stroke of a drawing (a string, a fret), not a container.
// A dialog is a frame too: the controls the user works keep its margin inside its right and
// bottom edges (panels, pictures and views may run to them, and a palette's buttons tile it).
std::vector<std::string> ControlesACheval(QWidget* fenetre)
{
    std::vector<std::string> fautes;
    const auto manie = [](const QWidget* w) {
        return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w)
               || (qobject_cast<const QAbstractSlider*>(w) && !qobject_cast<const QScrollBar*>(w))
               || qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
    };
    for (QWidget* w : fenetre->findChildren<QWidget*>()) {
        if (fenetre->windowType() != Qt::Dialog || w->window() != fenetre || !manie(w) || !Montre(w, fenetre))
            continue;
        const QRect r(w->mapTo(fenetre, QPoint(0, 0)), w->size());
        const int marge = Pixels96(kMargeFenetre);
        if (r.right() >= fenetre->width() - marge || r.bottom() >= fenetre->height() - marge)
            fautes.push_back(fenetre->objectName().toStdString() + "/" + w->objectName().toStdString()
                             + " on the window's edge");
    }
    const auto cadre = [](const QWidget* w) {
        if (w->width() <= Pixels96(8) || w->height() <= Pixels96(8))
            return false;
        if (qobject_cast<const QGroupBox*>(w))
            return true;
        const auto* f = qobject_cast<const QFrame*>(w);
        return f && !qobject_cast<const QLabel*>(w) && f->frameShape() != QFrame::NoFrame
               && f->frameShape() != QFrame::HLine && f->frameShape() != QFrame::VLine
               && f->metaObject() == &QFrame::staticMetaObject;
    };
    for (QWidget* g : fenetre->findChildren<QWidget*>()) {
        if (g->window() != fenetre || !cadre(g) || !Montre(g, fenetre) || !g->parentWidget())
            continue;
        for (QObject* o : g->parentWidget()->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (!w || w == g || w->isWindow() || !Montre(w, fenetre) || qobject_cast<QTabBar*>(w))
                continue;
            const QRect a = w->geometry();
            const QRect b = g->geometry();
            if (a.intersects(b) && !b.contains(a) && !a.contains(b))
                fautes.push_back(fenetre->objectName().toStdString() + "/" + w->objectName().toStdString()
                                 + " over the edge of " + g->objectName().toStdString());
        }
    }
    return fautes;
}

// The caption of a window of client width `largeur` as openbox 3.6 shows it with its default
// theme and buttons (icon at the left, minimise, maximise and close at the right, each 16
// pixels with their padding, 4 pixels of edge each side): centred over the frame (one border
// pixel each side), the caption has the frame less twice the right-hand buttons, less the two
// pixels it is inset by on each side. The caption's font is "sans" 8 pt bold at the X server's
// resolution, which may be above Qt's (Xvfb reports 100 dots per inch where Qt works at 96).
bool TitreEntierSousOpenbox(const QString& titre, int largeur)
{
    QFont police(QStringLiteral("sans"));
    police.setPointSizeF(8.0);
    police.setBold(true);
    const double texte = QFontMetricsF(police).horizontalAdvance(titre) * 100.0 / 96.0;
    const int place = largeur + 2 - 2 * (3 * 16 + 4) - 2 * 2;
    return texte <= place;
}

// What a window tells the window manager about itself, for the manager to draw a dialog's
// frame: a window of fixed size is a dialog or a palette (a tool window), tied to the main
// window (its transient parent), with neither minimise nor maximise button asked for (the
// Motif decorations); only a window the user sizes may ask for a maximise button. Managers
// that honour these hints (xfwm4, KWin, Mutter among them) draw a dialog's frame; openbox keeps
// its minimise button, and an inert maximise one, on dialogs and palettes whatever a window
// asks.
std::vector<std::string> IndicationsGestionnaire(const QWidget* w)
{
    std::vector<std::string> fautes;
    const Qt::WindowFlags drapeaux = w->windowFlags();
    if (drapeaux.testFlag(Qt::FramelessWindowHint))
        return fautes;
    const bool fixe = w->minimumSize() == w->maximumSize();
    if (fixe && w->windowType() != Qt::Dialog && w->windowType() != Qt::Tool)
        fautes.push_back("neither a dialog nor a tool window");
    if (!w->windowHandle() || !w->windowHandle()->transientParent())
        fautes.push_back("tied to no window");
    if (w->windowType() != Qt::Window && drapeaux.testFlag(Qt::WindowMinimizeButtonHint))
        fautes.push_back("asks for a minimise button");
    if (fixe && drapeaux.testFlag(Qt::WindowMaximizeButtonHint))
        fautes.push_back("asks for a maximise button at a fixed size");
    return fautes;
}

// The texts of the window's labels and buttons whose glyphs do not stand a whole advance of the
// font apart: drawn without antialiasing, a glyph laid out at a fractional position snaps to
// its own pixel, and the gaps come out uneven ("m esures", "Cl ear"). A font sample shows the
// score's font as the score draws it, and is left out.
std::vector<std::string> EspacementsInegaux(const QWidget* w)
{
    std::vector<std::string> fautes;
    for (const QWidget* e : w->findChildren<QWidget*>()) {
        if (e->property("echantillon").toBool())
            continue;
        QString texte;
        if (const auto* l = qobject_cast<const QLabel*>(e); l && l->textFormat() != Qt::RichText)
            texte = l->text();
        else if (const auto* b = qobject_cast<const QAbstractButton*>(e))
            texte = QString(b->text()).remove(QLatin1Char('&'));
        if (texte.trimmed().isEmpty())
            continue;
        QTextLayout mise(texte, e->font());
        mise.beginLayout();
        mise.createLine();
        mise.endLayout();
        for (const QGlyphRun& run : mise.glyphRuns()) {
            const QList<QPointF> positions = run.positions();
            const QList<QPointF> avances = run.rawFont().advancesForGlyphIndexes(run.glyphIndexes());
            for (qsizetype i = 0; i < positions.size(); ++i) {
                const bool entiere = positions[i].x() == std::round(positions[i].x())
                                     && avances[i].x() == std::round(avances[i].x());
                const bool suivie = i + 1 == positions.size()
                                    || positions[i + 1].x() - positions[i].x() == avances[i].x();
                if (!entiere || !suivie) {
                    fautes.push_back(e->objectName().toStdString() + " \"" + texte.toStdString() + "\" at glyph "
                                     + std::to_string(i) + " (x " + std::to_string(positions[i].x()) + ")");
                    break;
                }
            }
        }
    }
    return fautes;
}

// The real main window and its resident windows in one language, as the program builds them.
class LegendesDialogues : public lyrx_test::FixtureFenetrePrincipale<::testing::TestWithParam<const char*>> {
protected:
    void SetUp() override
    {
        PreparerProgramme(GetParam());
        ancienAfficheur_ = InstallerAfficheurMessages([](const MessageAffiche&) { return ResultatOK; });
        // As the program does before any window.
        InstallerAjustementLegendes();
        OuvrirFenetre();
    }

    void TearDown() override
    {
        FermerFenetre();
        InstallerAfficheurMessages(ancienAfficheur_);
    }

    // The window shown (without its modal loop), its captions checked, then hidden again;
    // `etapes` change what it shows (another tab, another page) and each is checked too.
    void Verifier(QWidget* w, std::vector<std::function<void()>> etapes = {})
    {
        ASSERT_TRUE(w);
        const int largeurAvant = w->width();
        w->show();
        QCoreApplication::processEvents();
        // No text shown reads as a missing translation.
        const QString introuvable = QString::fromLatin1(TexteTraductionIntrouvable.data(),
                                                        static_cast<qsizetype>(TexteTraductionIntrouvable.size()));
        const auto sansIntrouvable = [&] {
            QStringList textes{w->windowTitle()};
            for (QWidget* e : w->findChildren<QWidget*>()) {
                if (auto* l = qobject_cast<QLabel*>(e))
                    textes << l->text();
                else if (auto* b = qobject_cast<QAbstractButton*>(e))
                    textes << b->text();
                else if (auto* g = qobject_cast<QGroupBox*>(e))
                    textes << g->title();
                else if (auto* barre = qobject_cast<QTabBar*>(e))
                    for (int i = 0; i < barre->count(); ++i)
                        textes << barre->tabText(i);
            }
            for (const QString& t : textes)
                EXPECT_FALSE(t.contains(introuvable)) << GetParam() << ": " << w->objectName().toStdString() << " \""
                                                      << t.toStdString() << "\"";
        };
        const auto controler = [&] {
            sansIntrouvable();
            // A window grows only by what its captions need, never without bound.
            EXPECT_LE(w->width(), largeurAvant + 250) << GetParam() << ": " << w->objectName().toStdString();
            for (const Coupure& c : LegendesCoupees(w))
                ADD_FAILURE() << GetParam() << ": " << c;
            for (const std::string& faute : ControlesACheval(w))
                ADD_FAILURE() << GetParam() << ": " << faute;
            for (const std::string& faute : IndicationsGestionnaire(w))
                ADD_FAILURE() << GetParam() << ": " << w->objectName().toStdString() << " " << faute;
            for (const std::string& faute : EspacementsInegaux(w))
                ADD_FAILURE() << GetParam() << ": " << w->objectName().toStdString() << " " << faute;
            if (!w->windowFlags().testFlag(Qt::FramelessWindowHint)) {
                EXPECT_TRUE(TitreEntierSousOpenbox(w->windowTitle(), w->width()))
                    << GetParam() << ": " << w->objectName().toStdString() << " \"" << w->windowTitle().toStdString()
                    << "\" in " << w->width() << " pixels";
            }
        };
        // LYRX_CAPTURES=<folder> keeps a picture of each state, to be looked at at 100 %.
        int numero = 0;
        const auto capturer = [&] {
            if (const char* dossier = std::getenv("LYRX_CAPTURES"); dossier && *dossier)
                w->grab().save(QStringLiteral("%1/%2_%3_%4.png")
                                   .arg(QString::fromLocal8Bit(dossier), QString::fromLatin1(GetParam()),
                                        w->objectName(), QString::number(numero++)));
        };
        controler();
        capturer();
        for (auto& etape : etapes) {
            etape();
            QCoreApplication::processEvents();
            controler();
            capturer();
        }
        w->hide();
        QCoreApplication::processEvents();
    }

    template <class D>
    void VerifierNouveau(std::function<void(D&)> preparer = {})
    {
        D d(fenetre_.get());
        if (preparer)
            preparer(d);
        Verifier(&d);
    }

    AfficheurMessages ancienAfficheur_;
};

TEST_P(LegendesDialogues, ResidentWindowsShowEveryCaptionWhole)
{
    TSais_Partition& proprietes = residentes_->Sais_Partition;
    CopierPartitionVersProprietes();
    Verifier(&proprietes, {[&] { proprietes.TabPiste->setCurrentIndex(kPistePercussions - 1); },
                           [&] { proprietes.TabPiste->setCurrentIndex(0); }});
    TSelMIDIForm& mix = residentes_->SelMIDIForm;
    Verifier(&mix, {[&] { mix.TabPiste->setCurrentIndex(kPistePercussions - 1); }});
    Verifier(&residentes_->SpeedT_Form);
    Verifier(&residentes_->Assistant_Bat_Form);
    Verifier(&residentes_->ClassForm);
    Verifier(&residentes_->DynaForm);
}

TEST_P(LegendesDialogues, EntryDialogsShowEveryCaptionWhole)
{
    VerifierNouveau<TSais_Signat_Form>();
    VerifierNouveau<TSais_AllerA_Form>();
    VerifierNouveau<TSais_NbRepet_Form>();
    VerifierNouveau<TSais_NbRenvFin_Form>();
    VerifierNouveau<TSais_Txt_Form>();
    VerifierNouveau<TSais_Bend_Form>();
    VerifierNouveau<TSais_Release_Form>();
    VerifierNouveau<TSais_CoupVib_Form>();
    VerifierNouveau<TGraceNoteForm>();
    VerifierNouveau<TBrushForm>();
    VerifierNouveau<TChgtParamForm>();
    VerifierNouveau<TLetRingAssistantForm>();
    VerifierNouveau<TSais_Ac_Form>();
    {
        TSais_Instrument_Form instruments(1, nullptr, fenetre_.get());
        Verifier(&instruments);
    }
}

// The value dialogs take their title from the language after they are built; the title bar
// still shows it whole, as openbox draws it ("Tremolo bar dip" once read "Tremol...bar dip").
TEST_P(LegendesDialogues, ValueDialogsAreWideEnoughForTheirTitle)
{
    const auto verifier = [&](TDialogueSaisie&& d) {
        d.show();
        QCoreApplication::processEvents();
        EXPECT_TRUE(TitreEntierSousOpenbox(d.windowTitle(), d.width()))
            << GetParam() << ": " << d.objectName().toStdString() << " \"" << d.windowTitle().toStdString() << "\" in "
            << d.width() << " pixels";
        d.hide();
    };
    verifier(TSais_Signat_Form(fenetre_.get()));
    verifier(TSais_AllerA_Form(fenetre_.get()));
    verifier(TSais_NbRepet_Form(fenetre_.get()));
    verifier(TSais_NbRenvFin_Form(fenetre_.get()));
    verifier(TSais_Txt_Form(fenetre_.get()));
    verifier(TSais_Bend_Form(fenetre_.get()));
    verifier(TSais_Release_Form(fenetre_.get()));
    verifier(TSais_CoupVib_Form(fenetre_.get()));
}

TEST_P(LegendesDialogues, RangeAndToolDialogsShowEveryCaptionWhole)
{
    VerifierNouveau<TCouperForm>();
    VerifierNouveau<TCopierForm>();
    VerifierNouveau<TCopierForm>([](TCopierForm& d) {
        d.Mode = ModeCopierForm::Vider;
        d.TraduireCopier();
    });
    VerifierNouveau<TSais_Paste_Form>();
    VerifierNouveau<TRepositForm>();
    VerifierNouveau<TTransposerForm>();
    VerifierNouveau<TConfRedecForm>();
    VerifierNouveau<TPrintForm>();
    VerifierNouveau<TWelcomeDlg>();
    {
        TWaitMidiForm attente(fenetre_.get());
        Verifier(&attente);
    }
    {
        TMessageD message(MessageAffiche{Traduire("Dlg-Confirmation"), Traduire("Fichier-Remplacer"),
                                         IconeConfirmation, BoutonOui | BoutonNon | BoutonAnnuler, DefautOui,
                                         PlacementCentre},
                          fenetre_.get());
        Verifier(&message);
    }
}

TEST_P(LegendesDialogues, FileAndOptionWindowsShowEveryCaptionWhole)
{
    {
        TPref_Form pref(fenetre_.get());
        std::vector<std::function<void()>> pages;
        for (int i = 1; i < pref.PageControle->count(); ++i)
            pages.push_back([&pref, i] { pref.PageControle->setCurrentIndex(i); });
        Verifier(&pref, pages);
    }
    VerifierNouveau<TAproposForm>();
    VerifierNouveau<TImpASCIIForm>();
    VerifierNouveau<TTestASCIForm>();
    VerifierNouveau<TPreview_Form>();
    VerifierNouveau<TBrowseForm>();
    {
        TSplashForm splash;
        Verifier(&splash);
    }
}

// The small texts of the dialogs and message boxes keep the font's own spacing, in both
// languages ("Cl ear", "rem ove" in English, "m esures", "P our", "piste ." in French once read
// so). Every window the other tests here show is checked the same way.
TEST_P(LegendesDialogues, DialogTextsKeepTheFontsOwnSpacing)
{
    const auto verifier = [&](QWidget& d) {
        d.show();
        QCoreApplication::processEvents();
        for (const std::string& faute : EspacementsInegaux(&d))
            ADD_FAILURE() << GetParam() << ": " << d.objectName().toStdString() << " " << faute;
        d.hide();
    };
    TCouperForm couper(fenetre_.get());
    ASSERT_TRUE(couper.findChild<QLabel*>(QStringLiteral("Texte")));
    verifier(couper);
    TCopierForm effacer(fenetre_.get());
    effacer.Mode = ModeCopierForm::Vider;
    effacer.TraduireCopier();
    verifier(effacer);
    TPrintForm impression(fenetre_.get());
    verifier(impression);

    // The message boxes read the same: the question before a song is left ("Voul ez-vous",
    // "modi fications") and the MIDI import's warnings ("belowthe", "lownotes", "followthe").
    const MessageAffiche messages[] = {
        {Traduire("Dlg-Confirmation"), FormaterMessage1(Traduire("Fichier-EnregistrerModif"), "Riff lead.lrx"),
         IconeConfirmation, BoutonOui | BoutonNon | BoutonAnnuler, DefautOui, PlacementCentre},
        {Traduire("Dlg-Avertissement"),
         FormaterMessage2(Traduire("MidiImp-NotesHorsTessiture"), "12", "3") + '\n'
             + FormaterMessage1(Traduire("MidiImp-ConseilTessiture"), "1, 2"),
         IconeAvertissement, BoutonOK, DefautOK, PlacementCentre},
        {Traduire("Dlg-Erreur"), Traduire("MidiImp-FichierEndommage"), IconeErreur, BoutonOK, DefautOK,
         PlacementCentre},
    };
    for (const MessageAffiche& m : messages) {
        TMessageD boite(m, fenetre_.get());
        verifier(boite);
    }
}

INSTANTIATE_TEST_SUITE_P(Langues, LegendesDialogues, ::testing::Values("English", "Francais"),
                         [](const auto& info) { return std::string(info.param); });

// Each word the program looks up by key reads from both shipped files, never as the text of a
// missing translation.
TEST(LanguesLivrees, EveryKeyOfTheTableIsTranslated)
{
    for (const char* langue : {"English", "Francais"}) {
        ASSERT_TRUE(ChargerLangue(std::string(LYRX_SOURCE_DIR) + "/data/", langue));
        for (const CleDictionnaire& cle : TableClesDictionnaire()) {
            const std::string texte = Traduire(cle.Cle);
            EXPECT_NE(texte, TexteTraductionIntrouvable) << langue << ": " << cle.Cle;
            EXPECT_FALSE(texte.empty()) << langue << ": " << cle.Cle;
        }
    }
    TableLangue.clear();
    DictionnaireLangue.clear();
}

} // namespace
