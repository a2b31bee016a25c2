#include "dialogs/sais_paste.h"

#include "dialogs/Services.h"
#include "document/Langue.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace {

std::optional<int32_t> Lire(const QLineEdit* champ) { return LireEntier(champ->text()); }

QToolButton* Fleche(QWidget* parent, const char* nom, bool haut, int x, int y)
{
    auto* b = new QToolButton(parent);
    b->setArrowType(haut ? Qt::UpArrow : Qt::DownArrow);
    b->setProperty("Tag", haut ? 1 : -1);
    b->setFocusPolicy(Qt::NoFocus);
    return Placer(b, nom, x, y, 15, haut ? 11 : 10);
}

} // namespace

TSais_Paste_Form::TSais_Paste_Form(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TSais_Paste_Form"));
    setWindowTitle(QStringLiteral("Paste"));
    setModal(true);
    AppliquerPoliceDialogue(this);
    DimensionnerClient(this, 340, 190);

    Image_Conf = Placer(new QLabel(this), "Image_Conf", 12, 12, 32, 32);
    Image_Conf->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(Pixels96(32), Pixels96(32)));
    Question = Placer(new QLabel(this), "Question", 56, 12, 272, 44);
    Question->setWordWrap(true);
    Question->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    PasteRB1 = Placer(new QRadioButton(QStringLiteral("Place the clipboard at the selection"), this), "PasteRB1", 56,
                      62, 272, 17);
    PasteRB2 = Placer(new QRadioButton(QStringLiteral("Insert the clipboard before the selection"), this), "PasteRB2",
                      56, 82, 272, 17);
    PasteRB3 = Placer(new QRadioButton(QStringLiteral("Add the clipboard at the end of the score"), this), "PasteRB3",
                      56, 102, 272, 17);
    PasteRB1->setChecked(true);

    LibNbFois = Placer(new QLabel(QStringLiteral("Number of pasting"), this), "LibNbFois", 56, 128, 150, 15);
    Ed_NbPaste = Placer(new QLineEdit(QStringLiteral("1"), this), "Ed_NbPaste", 210, 125, 36, 21);
    FiltrerChiffres(Ed_NbPaste, 3);
    LibNbFois->setBuddy(Ed_NbPaste);
    NbPasteUp = Fleche(this, "NbPasteUp", true, 246, 125);
    NbPasteDown = Fleche(this, "NbPasteDown", false, 246, 136);

    BT_Oui = Placer(new QPushButton(QStringLiteral("&Yes"), this), "BT_Oui", 86, 156, 75, 25);
    BT_Oui->setDefault(true);
    BT_Non = Placer(new QPushButton(QStringLiteral("&No"), this), "BT_Non", 178, 156, 75, 25);
    BT_Non->setAutoDefault(false);
    connect(BT_Oui, &QPushButton::clicked, this, &TSais_Paste_Form::BT_OuiClick);
    connect(BT_Non, &QPushButton::clicked, this, &TSais_Paste_Form::reject);

    timer1_ = std::make_unique<RepetitionSpin>(this, RepetitionSpin::Cadence{300, 130, 0, 0}, [this](int pas) {
        if (const auto v = Lire(Ed_NbPaste))
            Ed_NbPaste->setText(QString::number(std::clamp<int64_t>(static_cast<int64_t>(*v) + pas, 1, NbCollagesMax)));
    });
    timer1_->Lier(NbPasteUp, +1);
    timer1_->Lier(NbPasteDown, -1);
    connect(NbPasteUp, &QToolButton::clicked, this, &TSais_Paste_Form::NbPasteUpClick);
    connect(NbPasteDown, &QToolButton::clicked, this, &TSais_Paste_Form::NbPasteDownClick);
    LierTouchesSpin(Ed_NbPaste, [this] { NbPasteUpClick(); }, [this] { NbPasteDownClick(); });

    TraduireColler();
}

void TSais_Paste_Form::TraduireColler()
{
    std::string utilisees;
    const SectionLangue commun("DLG_000");
    if (commun.Trouvee()) {
        BT_Oui->setText(LegendeRaccourci(commun.Brut(3), utilisees));
        BT_Non->setText(LegendeRaccourci(commun.Brut(4), utilisees));
    }
    const SectionLangue section("DLG_PASTE_000");
    if (!section.Trouvee())
        return;
    setWindowTitle(section.Texte(1));
    // The paste command fills the number in with the message formatter.
    questionUnePiste_ = RemplacerPremier(section.Brut(2), "%s", "#1");
    questionToutesPistes_ = RemplacerPremier(section.Brut(3), "%s", "#1");
    PasteRB1->setText(LegendeRaccourci(section.Brut(4), utilisees));
    PasteRB2->setText(LegendeRaccourci(section.Brut(5), utilisees));
    PasteRB3->setText(LegendeRaccourci(section.Brut(6), utilisees));
    LibNbFois->setText(LegendeRaccourci(section.Brut(7), utilisees));
}

void TSais_Paste_Form::DefinirQuestion(bool toutesPistes, int32_t nbMesures)
{
    const std::string& question = toutesPistes ? questionToutesPistes_ : questionUnePiste_;
    Question->setText(VersQString(FormaterMessage1(question, std::to_string(nbMesures))));
}

void TSais_Paste_Form::Activer()
{
    if (active_)
        return;
    active_ = true;
    BT_Oui->setFocus(Qt::OtherFocusReason);
}

void TSais_Paste_Form::BT_OuiClick()
{
    if (!ValiderNbCollages())
        return;
    // A paste the song has no room for is told while the choice can still be changed.
    if (Verifier) {
        TChoixCollage choix;
        choix.Nombre = NbCollages();
        choix.Place = Place();
        if (!Verifier(choix))
            return;
    }
    done(ResultatModalOui);
}

bool TSais_Paste_Form::ValiderNbCollages()
{
    const auto n = Lire(Ed_NbPaste);
    if (!n || *n < 1 || *n > NbCollagesMax) {
        RefuserChamp(Ed_NbPaste);
        return false;
    }
    return true;
}

void TSais_Paste_Form::NbPasteUpClick()
{
    const auto v = Lire(Ed_NbPaste);
    if (v && *v < NbCollagesMax)
        Ed_NbPaste->setText(QString::number(*v + 1));
}

void TSais_Paste_Form::NbPasteDownClick()
{
    const auto v = Lire(Ed_NbPaste);
    if (v && *v > 1)
        Ed_NbPaste->setText(QString::number(*v - 1));
}

int32_t TSais_Paste_Form::NbCollages() const { return Lire(Ed_NbPaste).value_or(0); }

PlaceCollage TSais_Paste_Form::Place() const
{
    if (PasteRB2->isChecked())
        return PlaceCollage::AvantSelection;
    if (PasteRB3->isChecked())
        return PlaceCollage::FinPartition;
    return PlaceCollage::Selection;
}

void TSais_Paste_Form::reject() { done(ResultatModalNon); }

void TSais_Paste_Form::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Activer();
}
