#include "dialogs/Sais_sig.h"

#include "document/Variable.h"
#include "platform/Arrondi.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr int kNumerateurMax = 32;

// The denominator exactly as one of the six values is written ("04" is not).
std::optional<int32_t> DenominateurEcrit(const QString& texte)
{
    static const std::array<const char*, 6> valeurs{"1", "2", "4", "8", "16", "32"};
    for (const char* v : valeurs)
        if (texte == QLatin1String(v))
            return texte.toInt();
    return std::nullopt;
}

// The denominator as the buttons take it: any other text counts as 4.
int32_t DenominateurSubstitue(const QString& texte) { return DenominateurEcrit(texte).value_or(4); }

} // namespace

bool DenominateurValide(int32_t d) { return d == 1 || d == 2 || d == 4 || d == 8 || d == 16 || d == 32; }

TSais_Signat_Form::TSais_Signat_Form(QWidget* parent)
    : TDialogueSaisie(parent, "Sais_Signat_Form", 197, 111, QStringLiteral("Signature"))
{
    Ed_Sign_Num = NouveauChamp("Ed_Sign_Num", 78, 10, 28);
    SignNumUp = NouveauBoutonSpin("SignNumUp", true, 106, 10);
    SignNumDown = NouveauBoutonSpin("SignNumDown", false, 106, 21);
    Ed_Sign_Den = NouveauChamp("Ed_Sign_Den", 78, 36, 28);
    SignDenUp = NouveauBoutonSpin("SignDenUp", true, 106, 36);
    SignDenDown = NouveauBoutonSpin("SignDenDown", false, 106, 47);
    ApplyAll = Placer(new QCheckBox(QStringLiteral("Until the end"), this), "ApplyAll", 40, 62, 150, 17);
    FiltrerChiffres(Ed_Sign_Num, 2);
    FiltrerChiffres(Ed_Sign_Den, 2);
    PlacerBoutons(80);

    repNum_ = std::make_unique<RepetitionSpin>(this, RepetitionSpin::Cadence{300, 100, 50, 30}, [this](int pas) {
        if (const auto v = LireEntier(Ed_Sign_Num->text()))
            Ed_Sign_Num->setText(QString::number(std::clamp<int64_t>(int64_t{*v} + pas, 1, kNumerateurMax)));
    });
    repDen_ = std::make_unique<RepetitionSpin>(this, RepetitionSpin::Cadence{300, 100, 0, 0}, [this](int pas) {
        const auto v = LireEntier(Ed_Sign_Den->text());
        if (!v)
            return;
        const int64_t n = pas > 0 ? int64_t{*v} * 2 : platform::Round(*v / 2.0);
        Ed_Sign_Den->setText(QString::number(std::clamp<int64_t>(n, 1, 32)));
    });
    repNum_->Lier(SignNumUp, +1);
    repNum_->Lier(SignNumDown, -1);
    repDen_->Lier(SignDenUp, +1);
    repDen_->Lier(SignDenDown, -1);
    // One release stops both repeats.
    for (QToolButton* b : {SignNumUp, SignNumDown, SignDenUp, SignDenDown})
        connect(b, &QToolButton::released, this, [this] {
            repNum_->Arreter();
            repDen_->Arreter();
        });
    connect(SignNumUp, &QToolButton::clicked, this, &TSais_Signat_Form::SignNumUpClick);
    connect(SignNumDown, &QToolButton::clicked, this, &TSais_Signat_Form::SignNumDownClick);
    connect(SignDenUp, &QToolButton::clicked, this, &TSais_Signat_Form::SignDenUpClick);
    connect(SignDenDown, &QToolButton::clicked, this, &TSais_Signat_Form::SignDenDownClick);
    LierTouchesSpin(Ed_Sign_Num, [this] { SignNumUpClick(); }, [this] { SignNumDownClick(); });
    LierTouchesSpin(Ed_Sign_Den, [this] { SignDenUpClick(); }, [this] { SignDenDownClick(); });

    TraduireSignature();
}

void TSais_Signat_Form::TraduireSignature()
{
    std::string utilisees;
    if (!TraduireBoutons(utilisees))
        return;
    const SectionLangue section("DLG_TIMES_000");
    if (section.Trouvee())
        setWindowTitle(section.Texte(1));
    ApplyAll->setText(LegendeRaccourci(section.Trouvee() ? section.Brut(2) : std::string("Until the end"), utilisees));
}

void TSais_Signat_Form::Activation()
{
    SignatureModifiee = false;
    ApplyAll->setChecked(false);
    const TMesure& m = *Partition.Mesures[Partition.MesureCourante];
    Ed_Sign_Num->setText(QString::number(m.Numerateur));
    Ed_Sign_Den->setText(QString::number(m.Denominateur));
    Ed_Sign_Num->setFocus(Qt::OtherFocusReason);
    Ed_Sign_Num->selectAll();
}

void TSais_Signat_Form::SignNumUpClick()
{
    const auto v = LireEntier(Ed_Sign_Num->text());
    if (v && *v < kNumerateurMax)
        Ed_Sign_Num->setText(QString::number(*v + 1));
}

void TSais_Signat_Form::SignNumDownClick()
{
    const auto v = LireEntier(Ed_Sign_Num->text());
    if (v && *v > 1)
        Ed_Sign_Num->setText(QString::number(*v - 1));
}

void TSais_Signat_Form::SignDenUpClick()
{
    const int32_t d = DenominateurSubstitue(Ed_Sign_Den->text());
    if (d < 17)
        Ed_Sign_Den->setText(QString::number(d * 2));
}

void TSais_Signat_Form::SignDenDownClick()
{
    const int32_t d = DenominateurSubstitue(Ed_Sign_Den->text());
    if (d >= 2)
        Ed_Sign_Den->setText(QString::number(d / 2));
}

bool TSais_Signat_Form::ValiderSignature()
{
    const auto n = LireEntier(Ed_Sign_Num->text());
    if (!n || *n < 1 || *n > kNumerateurMax) {
        RefuserChamp(Ed_Sign_Num);
        return false;
    }
    if (!DenominateurEcrit(Ed_Sign_Den->text())) {
        RefuserChamp(Ed_Sign_Den);
        return false;
    }
    return true;
}

void TSais_Signat_Form::Ecrire()
{
    const auto numerateur = static_cast<uint8_t>(*LireEntier(Ed_Sign_Num->text()));
    const auto denominateur = static_cast<uint8_t>(*DenominateurEcrit(Ed_Sign_Den->text()));
    const int32_t fin = ApplyAll->isChecked() ? Partition.NbMesures : Partition.MesureCourante;
    for (int32_t m = Partition.MesureCourante; m <= fin; ++m) {
        TMesure* mesure = Partition.Mesures[m].get();
        if (!mesure)
            continue;
        mesure->Numerateur = numerateur;
        mesure->Denominateur = denominateur;
        mesure->Duree = static_cast<double>(numerateur) / denominateur * 4.0;
    }
    SignatureModifiee = true;
}
