#include "print/TestASCI.h"

#include "document/Configuration.h"
#include "document/Fichiers.h"
#include "document/Langue.h"
#include "document/Variable.h"
#include "print/ExportASCII.h"
#include "document/Fenetre.h"
#include "print/OutilsASCII.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

constexpr int kAideExport = 6;

} // namespace

TTestASCIForm::TTestASCIForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMaximizeButtonHint)
{
    setObjectName(QStringLiteral("TTestASCIForm"));
    setWindowTitle(QStringLiteral("Exportation ASCII"));
    setFont(PoliceDialogueASCII());
    setSizeGripEnabled(true);
    const auto L = LongueurEcranASCII;
    resize(L(630), L(422));

    auto* disposition = DispositionASCII(this);

    PanelHaut = PanneauASCII(this, "PanelHaut", L(33));
    BT_Imprimer = BoutonGlypheASCII(PanelHaut, "BT_Imprimer", "imprimer");
    BT_Imprimer->setGeometry(L(6), L(4), L(25), L(25));
    BT_Imprimer->setToolTip(QStringLiteral("Imprimer"));
    Lab_Colonne = new QLabel(QStringLiteral("&Colonnes :"), PanelHaut);
    Lab_Colonne->setObjectName(QStringLiteral("Lab_Colonne"));
    Lab_Colonne->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Lab_Colonne->setGeometry(L(36), L(6), L(60), L(21));
    NbCol = new QLineEdit(QStringLiteral("80"), PanelHaut);
    NbCol->setObjectName(QStringLiteral("NbCol"));
    NbCol->setMaxLength(3);
    NbCol->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), NbCol));
    NbCol->setGeometry(L(100), L(6), L(33), L(21));
    NbCol->installEventFilter(this);
    Lab_Colonne->setBuddy(NbCol);
    CVBUp = new QToolButton(PanelHaut);
    CVBUp->setObjectName(QStringLiteral("CVBUp"));
    CVBUp->setProperty("Tag", 1);
    CVBUp->setArrowType(Qt::UpArrow);
    CVBUp->setGeometry(L(133), L(6), L(13), L(10));
    CVBD = new QToolButton(PanelHaut);
    CVBD->setObjectName(QStringLiteral("CVBD"));
    CVBD->setProperty("Tag", -1);
    CVBD->setArrowType(Qt::DownArrow);
    CVBD->setGeometry(L(133), L(16), L(13), L(11));
    BT_Repaginer = BoutonGlypheASCII(PanelHaut, "BT_Repaginer", "repaginer");
    BT_Repaginer->setGeometry(L(152), L(4), L(25), L(25));
    BT_Repaginer->setToolTip(QStringLiteral("Repaginer"));
    disposition->addWidget(PanelHaut);

    MemoASCII = CreerMemoASCII(this);
    disposition->addWidget(MemoASCII, 1);

    PanelBas = PanneauASCII(this, "PanelBas", L(41));
    CreerBoutonsBasASCII(PanelBas, "BT_Enregistrer", "E&xporter", BT_Enregistrer, BT_Annuler, BT_Aide);
    Default = new QPushButton(PanelBas);
    Default->setObjectName(QStringLiteral("Default"));
    Default->setGeometry(L(8), L(8), L(75), L(25));
    Default->setDefault(true);
    disposition->addWidget(PanelBas);
    PanelHaut->installEventFilter(this);
    PanelBas->installEventFilter(this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(200);

    connect(BT_Enregistrer, &QPushButton::clicked, this, [this] {
        BT_EnregistrerClick();
        done(QDialog::Accepted);
    });
    connect(BT_Annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(BT_Aide, &QPushButton::clicked, this, [this] { BT_AideClick(); });
    connect(BT_Imprimer, &QToolButton::clicked, this, [this] { BT_ImprimerClick(); });
    connect(BT_Repaginer, &QToolButton::clicked, this, [this] { BT_RepaginerClick(); });
    connect(CVBUp, &QToolButton::clicked, this, [this] { CVBUpClick(); });
    connect(CVBD, &QToolButton::clicked, this, [this] { CVBDownClick(); });
    connect(CVBUp, &QToolButton::pressed, this, [this] { CVBUpMouseDown(); });
    connect(CVBD, &QToolButton::pressed, this, [this] { CVBDownMouseDown(); });
    connect(CVBUp, &QToolButton::released, this, [this] { CVBUpMouseUp(); });
    connect(CVBD, &QToolButton::released, this, [this] { CVBDownMouseUp(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

    TraduireExportASCII();
    PlacerBoutons();
}

void TTestASCIForm::TraduireExportASCII()
{
    std::string utilisees;
    const auto legende = [&utilisees](const std::string& texte) { return TexteQtASCII(AjouterRaccourci(texte, utilisees)); };
    const int commun = ChercherMarqueur("DLG_000");
    const int section = ChercherMarqueur("DLG_EXPA_000");
    if (section >= 0) {
        setWindowTitle(TexteQtASCII(TexteEntreeLangue(section, 1)));
        BT_Enregistrer->setText(legende(TexteEntreeLangue(section, 2)));
        BT_Imprimer->setToolTip(TexteQtASCII(TexteEntreeLangue(section, 3)));
        BT_Repaginer->setToolTip(TexteQtASCII(TexteEntreeLangue(section, 5)));
    }
    if (commun >= 0) {
        BT_Annuler->setText(legende(TexteEntreeLangue(commun, 2)));
        BT_Aide->setText(legende(TexteEntreeLangue(commun, 5)));
    }
    if (section >= 0)
        Lab_Colonne->setText(legende(TexteEntreeLangue(section, 4)));
}

void TTestASCIForm::PlacerBoutons() { PlacerBoutonsBasASCII(PanelBas->width(), BT_Enregistrer, BT_Annuler, BT_Aide); }

void TTestASCIForm::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    Default->move(-100, Default->y());
    PlacerBoutons();
    FermetureAutorisee = true;
    NbCol->setText(QString::number(LargeurPageASCII(Configuration.NbColASCII)));
    if (const QScreen* ecran = screen())
        move(ecran->availableGeometry().center() - rect().center());
    BT_Enregistrer->setFocus(Qt::OtherFocusReason);
}

bool TTestASCIForm::eventFilter(QObject* objet, QEvent* e)
{
    if ((objet == PanelBas || objet == PanelHaut) && e->type() == QEvent::Resize)
        PlacerBoutons();
    if (objet == NbCol && e->type() == QEvent::KeyPress) {
        const auto* touche = static_cast<QKeyEvent*>(e);
        const bool pave = touche->modifiers() & Qt::KeypadModifier;
        if (touche->key() == Qt::Key_Up || (pave && touche->key() == Qt::Key_Plus)) {
            CVBUpClick();
            return true;
        }
        if (touche->key() == Qt::Key_Down || (pave && touche->key() == Qt::Key_Minus)) {
            CVBDownClick();
            return true;
        }
        // Only digits and Backspace reach the field; editing and moving keys are not text.
        const QString texte = touche->text();
        if (!texte.isEmpty() && texte.at(0).isPrint() && !(texte.size() == 1 && texte.at(0).isDigit()))
            return true;
    }
    return QDialog::eventFilter(objet, e);
}

void TTestASCIForm::done(int resultat)
{
    const bool accordee = FermetureAutorisee;
    FermetureAutorisee = true;
    if (accordee)
        QDialog::done(resultat);
}

std::string TTestASCIForm::RepertoirePropose()
{
    if (NomFichier.empty())
        return {};
    return std::filesystem::path(CheminFichier).parent_path().string();
}

std::string TTestASCIForm::NomPropose()
{
    if (NomFichier.empty())
        return NomProposeDepuisTitre(".tab");
    QString nom = QString::fromStdString(NomFichier).toLower();
    // The extension goes, whatever its length; a name without one keeps all of it.
    const qsizetype point = nom.lastIndexOf(QLatin1Char('.'));
    if (point > 0)
        nom.truncate(point);
    return (nom + QStringLiteral(".tab")).toStdString();
}

void TTestASCIForm::BT_EnregistrerClick()
{
    FermetureAutorisee = false;
    std::string chemin;
    if (!DialoguesASCII().ChoisirFichierExport(this, RepertoirePropose(), NomPropose(), chemin))
        return;
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::path(chemin), ec) && !ConfirmerRemplacement(chemin))
        return;
    FermetureAutorisee = EnregistrerFichierASCII(*this, chemin);
}

void TTestASCIForm::BT_ImprimerClick()
{
    QPrinter imprimante;
    if (!DialoguesASCII().ChoisirImprimante(this, imprimante))
        return;
    QStringList lignes;
    for (const std::string& ligne : LignesMemoASCII(*MemoASCII))
        lignes.push_back(TexteQtASCII(ligne));
    ImprimerTexteASCII(imprimante, lignes, MemoASCII->font(), TexteQtASCII(Partition.Titre.str()));
}

void TTestASCIForm::BT_RepaginerClick()
{
    if (NbCol->text().isEmpty())
        NbCol->setText(QString::number(LargeurASCIIDefaut));
    if (NbCol->text().toInt() < LargeurASCIIMin)
        NbCol->setText(QString::number(LargeurASCIIMin));
    Configuration.NbColASCII = NbCol->text().toInt();
    MemoASCII->hide();
    ExporterASCII(*this);
    MemoASCII->show();
}

void TTestASCIForm::CVBUpClick()
{
    if (NbCol->text().isEmpty())
        return;
    const int valeur = NbCol->text().toInt();
    if (valeur < LargeurASCIIMax)
        NbCol->setText(QString::number(valeur + 1));
}

void TTestASCIForm::CVBDownClick()
{
    if (NbCol->text().isEmpty())
        return;
    const int valeur = NbCol->text().toInt();
    if (valeur > LargeurASCIIMin)
        NbCol->setText(QString::number(valeur - 1));
}

void TTestASCIForm::Pas(int32_t pas)
{
    NbTopsRepetition = 0;
    PasRepetition = pas;
    Timer1->setInterval(300);
    Timer1->start();
}

void TTestASCIForm::CVBUpMouseDown() { Pas(1); }
void TTestASCIForm::CVBDownMouseDown() { Pas(-1); }
void TTestASCIForm::CVBUpMouseUp() { Timer1->stop(); }
void TTestASCIForm::CVBDownMouseUp() { Timer1->stop(); }

void TTestASCIForm::Timer1Timer()
{
    ++NbTopsRepetition;
    if (NbTopsRepetition >= 11)
        Timer1->setInterval(100);
    else if (NbTopsRepetition >= 2)
        Timer1->setInterval(200);
    if (NbTopsRepetition == 30)
        PasRepetition *= 3;
    if (NbCol->text().isEmpty())
        return;
    const int valeur = std::clamp(NbCol->text().toInt() + PasRepetition, LargeurASCIIMin, LargeurASCIIMax);
    NbCol->setText(QString::number(valeur));
}

void TTestASCIForm::BT_AideClick() { FenetrePrincipale().AfficherAideDialogue(kAideExport); }

void ExporterASCII(TTestASCIForm& dialogue)
{
    TexteASCII texte;
    ExporterASCII(texte);
    RemplirMemoASCII(*dialogue.MemoASCII, texte);
}

bool EnregistrerFichierASCII(TTestASCIForm& dialogue, const std::string& nomFichier)
{
    return EnregistrerFichierASCII(LignesMemoASCII(*dialogue.MemoASCII), nomFichier);
}

void ExecuterExportASCII(QWidget* proprietaire)
{
    TTestASCIForm dialogue(proprietaire);
    ExporterASCII(dialogue);
    dialogue.exec();
}
