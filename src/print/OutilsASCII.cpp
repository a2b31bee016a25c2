#include "print/OutilsASCII.h"

#include "dialogs/BaseDialogue.h"
#include "document/Langue.h"
#include "document/Legendes.h"
#include "platform/Arrondi.h"
#include "platform/Cp1252.h"

#include <QFileDialog>
#include <QFontMetrics>
#include <QIcon>
#include <QPixmap>
#include <QPolygon>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A text of the language, or the built-in one when the loaded language lacks it.
std::string TexteOuDefaut(std::string_view cle, const char* defaut)
{
    std::string texte = Traduire(cle);
    return texte == TexteTraductionIntrouvable ? std::string(defaut) : texte;
}

QString FiltreASCII()
{
    const std::string filtre = TexteOuDefaut("Fichier-ASCII", "Fichiers ASCII Tab") + " (*.tab)|*.tab|" +
                               TexteOuDefaut("Fichier-TousLesFichiers", "Tous les fichiers") + " (*.*)|*.*";
    return TexteQtASCII(FiltreQt(filtre));
}

// The folders the two file dialogs were last left in.
QString repertoireExport;
QString repertoireImport;

IDialoguesASCII dialoguesQt;
IDialoguesASCII* dialogues = &dialoguesQt;

} // namespace

int LongueurEcranASCII(int longueur) { return static_cast<int>(platform::Round(longueur * EchelleEcran())); }

QFont PoliceDialogueASCII() { return PoliceDialogue(PixelsPolice(8, LongueurEcranASCII(96))); }

QFont PoliceMemoASCII()
{
    QFont police(QStringLiteral("Liberation Mono"));
    police.setStyleHint(QFont::TypeWriter);
    police.setFixedPitch(true);
    police.setPixelSize(std::max(1, LongueurEcranASCII(11)));
    police.setStyleStrategy(QFont::NoAntialias);
    return police;
}

QIcon GlypheASCII(const char* nom)
{
    QPixmap image(16, 16);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const std::string_view n(nom);
    if (n == "imprimer") {
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(4, 1, 7, 5);   // the sheet going in
        p.setBrush(QColor(192, 192, 192));
        p.drawRect(1, 6, 13, 6);  // the body
        p.setBrush(Qt::white);
        p.drawRect(3, 10, 9, 4);  // the sheet coming out
        p.setPen(QColor(0, 128, 0));
        p.drawPoint(12, 8);
    } else if (n == "repaginer") {
        p.setPen(QPen(QColor(0, 0, 160), 2));
        p.drawArc(QRect(3, 3, 10, 10), 30 * 16, 280 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 160));
        p.drawPolygon(QPolygon({QPoint(10, 1), QPoint(15, 5), QPoint(9, 7)}));
    } else if (n == "noire") {
        p.setPen(Qt::black);
        p.setBrush(Qt::black);
        p.drawEllipse(QRect(3, 10, 6, 4)); // the head
        p.drawLine(8, 11, 8, 1);           // the stem
    } else if (n == "ouvrir") {
        p.setPen(Qt::black);
        p.setBrush(QColor(255, 255, 128));
        p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(6, 3), QPoint(7, 5), QPoint(13, 5), QPoint(13, 13), QPoint(1, 13)}));
        p.setBrush(QColor(224, 192, 64));
        p.drawPolygon(QPolygon({QPoint(1, 13), QPoint(4, 8), QPoint(15, 8), QPoint(13, 13)}));
    }
    p.end();
    return QIcon(image);
}

QString TexteQtASCII(const std::string& cp1252) { return QString::fromStdString(platform::Cp1252VersUtf8(cp1252)); }

std::string TexteCp1252ASCII(const QString& texte) { return platform::Utf8VersCp1252(texte.toStdString()); }

std::vector<std::string> LignesMemoASCII(const QPlainTextEdit& memo)
{
    std::vector<std::string> lignes;
    const QString texte = memo.toPlainText();
    if (texte.isEmpty())
        return lignes;
    for (QString ligne : texte.split(QLatin1Char('\n'))) {
        // Web pages write tablature with typographic dashes and no-break spaces, most of them
        // outside Windows-1252: read as the "-" and blanks they stand for.
        for (QChar& c : ligne) {
            const char16_t u = c.unicode();
            if ((u >= 0x2010 && u <= 0x2015) || u == 0x2212 || u == 0x2E3A || u == 0x2E3B || u == 0xFE58
                || u == 0xFE63 || u == 0xFF0D || u == 0x00AD)
                c = QLatin1Char('-');
            else if (u == 0x00A0 || (u >= 0x2000 && u <= 0x200A) || u == 0x202F || u == 0x205F || u == 0x3000)
                c = QLatin1Char(' ');
        }
        lignes.push_back(TexteCp1252ASCII(ligne));
    }
    return lignes;
}

void RemplirMemoASCII(QPlainTextEdit& memo, const std::vector<std::string>& lignes)
{
    QStringList texte;
    texte.reserve(static_cast<qsizetype>(lignes.size()));
    for (const std::string& ligne : lignes)
        texte.push_back(TexteQtASCII(ligne));
    memo.setPlainText(texte.join(QLatin1Char('\n')));
}

void PlacerBoutonsBasASCII(int largeur, QPushButton* gauche, QPushButton* milieu, QPushButton* droite)
{
    const int x3 = largeur - LongueurEcranASCII(12) - droite->width();
    const int x2 = x3 - LongueurEcranASCII(8) - milieu->width();
    const int x1 = x2 - LongueurEcranASCII(8) - gauche->width();
    droite->move(x3, droite->y());
    milieu->move(x2, milieu->y());
    gauche->move(x1, gauche->y());
}

std::vector<QStringList> PaginerASCII(const QStringList& lignes, int lignesParPage)
{
    const qsizetype parPage = std::max(1, lignesParPage);
    std::vector<QStringList> pages;
    for (qsizetype i = 0; i < lignes.size(); i += parPage)
        pages.push_back(lignes.mid(i, parPage));
    return pages;
}

void ImprimerTexteASCII(QPrinter& imprimante, const QStringList& lignes, const QFont& police, const QString& titre)
{
    imprimante.setDocName(titre);
    QFont fonte = police;
    // The memo's size is screen pixels; on paper the same size in points.
    if (police.pixelSize() > 0)
        fonte.setPointSizeF(police.pixelSize() * 72.0 / 96.0);
    QPainter peintre;
    if (!peintre.begin(&imprimante))
        return;
    peintre.setFont(fonte);
    const QFontMetrics metriques(fonte, &imprimante);
    const QRect zone = imprimante.pageLayout().paintRectPixels(imprimante.resolution());
    const int interligne = std::max(1, metriques.lineSpacing());
    const int parPage = std::max(1, zone.height() / interligne);
    const std::vector<QStringList> pages = PaginerASCII(lignes, parPage);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0)
            imprimante.newPage();
        int y = metriques.ascent();
        for (const QString& ligne : pages[p]) {
            peintre.drawText(0, y, ligne);
            y += interligne;
        }
    }
    peintre.end();
}

bool IDialoguesASCII::ChoisirFichierExport(QWidget* parent, const std::string& repertoire,
                                           const std::string& nomPropose, std::string& chemin)
{
    QFileDialog dialogue(parent, TexteQtASCII(TexteOuDefaut("Fichier-ExportASCII", "")));
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    dialogue.setFileMode(QFileDialog::AnyFile);
    dialogue.setDefaultSuffix(QStringLiteral("tab"));
    dialogue.setNameFilter(FiltreASCII());
    dialogue.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QString dossier = repertoire.empty() ? repertoireExport : QString::fromStdString(repertoire);
    if (!dossier.isEmpty())
        dialogue.setDirectory(dossier);
    dialogue.selectFile(QString::fromStdString(nomPropose));
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return false;
    repertoireExport = dialogue.directory().absolutePath();
    chemin = dialogue.selectedFiles().constFirst().toStdString();
    return true;
}

bool IDialoguesASCII::ChoisirFichierImport(QWidget* parent, std::string& chemin)
{
    QFileDialog dialogue(parent, TexteQtASCII(TexteOuDefaut("Fichier-ImportASCII", "")));
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    dialogue.setFileMode(QFileDialog::ExistingFile);
    dialogue.setDefaultSuffix(QStringLiteral("tab"));
    dialogue.setNameFilter(FiltreASCII());
    if (!repertoireImport.isEmpty())
        dialogue.setDirectory(repertoireImport);
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return false;
    repertoireImport = dialogue.directory().absolutePath();
    chemin = dialogue.selectedFiles().constFirst().toStdString();
    return true;
}

bool IDialoguesASCII::ChoisirImprimante(QWidget* parent, QPrinter& imprimante)
{
    QPrintDialog dialogue(&imprimante, parent);
    return dialogue.exec() == QDialog::Accepted;
}

IDialoguesASCII& DialoguesASCII() { return *dialogues; }

void InstallerDialoguesASCII(IDialoguesASCII* d) { dialogues = d ? d : &dialoguesQt; }

QToolButton* BoutonGlypheASCII(QWidget* parent, const char* nom, const char* glyphe)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setIcon(GlypheASCII(glyphe));
    b->setAutoRaise(true);
    return b;
}

QPushButton* BoutonASCII(QWidget* parent, const char* nom, const char* legende)
{
    auto* b = new QPushButton(QString::fromUtf8(legende), parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setAutoDefault(false);
    return b;
}

QWidget* PanneauASCII(QWidget* parent, const char* nom, int hauteur)
{
    auto* panneau = new QWidget(parent);
    panneau->setObjectName(QString::fromLatin1(nom));
    panneau->setFixedHeight(hauteur);
    return panneau;
}

QVBoxLayout* DispositionASCII(QWidget* fenetre)
{
    auto* disposition = new QVBoxLayout(fenetre);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    return disposition;
}

void CreerBoutonsBasASCII(QWidget* panneau, const char* nomAction, const char* legendeAction, QPushButton*& action,
                          QPushButton*& annuler, QPushButton*& aide)
{
    action = BoutonASCII(panneau, nomAction, legendeAction);
    annuler = BoutonASCII(panneau, "BT_Annuler", "&Annuler");
    aide = BoutonASCII(panneau, "BT_Aide", "&Aide");
    for (QPushButton* b : {action, annuler, aide})
        b->setGeometry(0, LongueurEcranASCII(8), LongueurEcranASCII(75), LongueurEcranASCII(25));
}

QPlainTextEdit* CreerMemoASCII(QWidget* parent)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QStringLiteral("MemoASCII"));
    memo->setFont(PoliceMemoASCII());
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setWordWrapMode(QTextOption::NoWrap);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Text, Qt::black);
    memo->setPalette(palette);
    return memo;
}
