#include "controls/ToolEdit.h"

#include "controls/Cadres.h"
#include "controls/CxCommon.h"
#include "controls/FileUtil.h"
#include "controls/VCLUtils.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QUrl>

#include <algorithm>

namespace {

std::string Octets(const QString& chemin) { return QFile::encodeName(chemin).toStdString(); }
QString DeOctets(const std::string& chemin) { return QFile::decodeName(QByteArray::fromStdString(chemin)); }

// The directory part of a path, its last '/' included; empty without one.
QString PartieDossier(const QString& chemin) { return chemin.left(chemin.lastIndexOf(u'/') + 1); }
QString PartieNom(const QString& chemin) { return chemin.mid(chemin.lastIndexOf(u'/') + 1); }

// A name holding a blank is shown between double quotes, so that it reads back as one word.
QString Guillemets(const QString& nom)
{
    if (nom.contains(u' ') && !nom.startsWith(u'"'))
        return u'"' + nom + u'"';
    return nom;
}

const QString& FiltreParDefaut()
{
    static const QString filtre = QStringLiteral("Tous les fichier (*.*)|*.*");
    return filtre;
}

class DialogueQt final : public IDialogueFichier {
public:
    explicit DialogueQt(TFileDialogKind sorte) : sorte_(sorte) {}

    bool Execute(QWidget* parent, ReglagesDialogueFichier& r) override
    {
        QFileDialog dialogue(parent, r.Title);
        dialogue.setOption(QFileDialog::DontUseNativeDialog);
        const bool enregistrer = sorte_ == dkSave || sorte_ == dkSavePicture;
        dialogue.setAcceptMode(enregistrer ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        if (!enregistrer)
            dialogue.setFileMode((r.Options & ofAllowMultiSelect) ? QFileDialog::ExistingFiles
                                                                 : QFileDialog::ExistingFile);
        QString filtre = r.Filter;
        if ((sorte_ == dkOpenPicture || sorte_ == dkSavePicture) && (filtre.isEmpty() || filtre == FiltreParDefaut()))
            filtre = QStringLiteral("Images (*.bmp;*.ico;*.png;*.gif;*.jpg)|*.bmp;*.ico;*.png;*.gif;*.jpg");
        const QStringList filtres = FiltreDialogueQt(filtre).split(QStringLiteral(";;"), Qt::SkipEmptyParts);
        dialogue.setNameFilters(filtres);
        if (r.FilterIndex >= 1 && r.FilterIndex <= filtres.size())
            dialogue.selectNameFilter(filtres[r.FilterIndex - 1]);
        QString ext = r.DefaultExt;
        if (ext.startsWith(u'.'))
            ext.remove(0, 1);
        dialogue.setDefaultSuffix(ext);
        if (!r.HistoryList.isEmpty())
            dialogue.setHistory(r.HistoryList);
        if (!r.InitialDir.isEmpty())
            dialogue.setDirectory(r.InitialDir);
        if (!r.FileName.isEmpty())
            dialogue.selectFile(r.FileName);
        if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
            return false;
        r.Files = dialogue.selectedFiles();
        r.FileName = r.Files.constFirst();
        r.FilterIndex = static_cast<int>(filtres.indexOf(dialogue.selectedNameFilter())) + 1;
        return true;
    }

private:
    TFileDialogKind sorte_;
};

TFilenameEdit::FabriqueDialogue& Fabrique()
{
    static TFilenameEdit::FabriqueDialogue fabrique;
    return fabrique;
}

Qt::Key ToucheVirtuelle(int vk)
{
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return static_cast<Qt::Key>(vk);
    if (vk >= 0x70 && vk <= 0x87)
        return static_cast<Qt::Key>(Qt::Key_F1 + (vk - 0x70));
    switch (vk) {
    case 0x08: return Qt::Key_Backspace;
    case 0x09: return Qt::Key_Tab;
    case 0x0D: return Qt::Key_Return;
    case 0x1B: return Qt::Key_Escape;
    case 0x20: return Qt::Key_Space;
    case 0x21: return Qt::Key_PageUp;
    case 0x22: return Qt::Key_PageDown;
    case 0x23: return Qt::Key_End;
    case 0x24: return Qt::Key_Home;
    case 0x25: return Qt::Key_Left;
    case 0x26: return Qt::Key_Up;
    case 0x27: return Qt::Key_Right;
    case 0x28: return Qt::Key_Down;
    case 0x2D: return Qt::Key_Insert;
    case 0x2E: return Qt::Key_Delete;
    default: return Qt::Key_unknown;
    }
}

} // namespace

QKeyCombination ToucheQt(TShortCut raccourci)
{
    Qt::KeyboardModifiers m;
    if (raccourci & 0x8000)
        m |= Qt::AltModifier;
    if (raccourci & 0x4000)
        m |= Qt::ControlModifier;
    if (raccourci & 0x2000)
        m |= Qt::ShiftModifier;
    return QKeyCombination(m, ToucheVirtuelle(raccourci & 0xFF));
}

std::array<int, 3> PointsEllipse(int w)
{
    const int g = std::clamp((w - 6) / 2, 1, 3);
    const int l = (w - 6 - 2 * g) / 2;
    return {l, l + g + 2, l + 2 * g + 4};
}

QString FiltreDialogueQt(const QString& filtre)
{
    const QStringList parties = filtre.split(u'|');
    QStringList filtres;
    for (int i = 0; i + 1 < parties.size(); i += 2) {
        QStringList motifs = parties[i + 1].split(u';', Qt::SkipEmptyParts);
        for (qsizetype j = 0, n = motifs.size(); j < n; ++j)
            if (const QString bas = motifs[j].toLower(); !motifs.contains(bas))
                motifs << bas;
        QString texte = parties[i];
        if (const qsizetype parenthese = texte.lastIndexOf(u'('); parenthese > 0)
            texte = texte.left(parenthese).trimmed();
        filtres << texte + QStringLiteral(" (") + motifs.join(u' ') + u')';
    }
    return filtres.join(QStringLiteral(";;"));
}

// ---- The button ----------------------------------------------------------------------------------

TEditButton::TEditButton(QWidget* parent) : TKxSpeedButton(parent) {}

QImage TEditButton::Face()
{
    QImage image = TKxSpeedButton::Face();
    if (Etat() == bsDown || Etat() == bsExclusive)
        return image;
    QPainter p(&image);
    p.setPen(CouleurSystemeQt(NouveauLook() ? clBtnFace : clBtnShadow));
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(CouleurSystemeQt(clBtnHighlight));
    p.drawLine(1, 1, 1, height() - 2);
    return image;
}

void TEditButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && OnPressionGauche)
        OnPressionGauche();
    TKxSpeedButton::mousePressEvent(e);
}

// ---- The combo edit ------------------------------------------------------------------------------

TCustomComboEdit::TCustomComboEdit(QWidget* parent) : QLineEdit(parent)
{
    support_ = new QWidget(this);
    support_->resize(21, 17);
    bouton_ = new TEditButton(support_);
    bouton_->resize(21, 17);
    bouton_->SetLayout(blGlyphTop);
    bouton_->OnClick = [this] { DoClick(); };
    bouton_->OnPressionGauche = [this] {
        if (focusPolicy() & Qt::TabFocus && isEnabled() && !hasFocus())
            setFocus(Qt::MouseFocusReason);
    };
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    resize(width(), 21);
    setMinimumHeight(HauteurMinimale());
    Placer();
    construction_ = false;
}

TCustomComboEdit::~TCustomComboEdit() { bouton_->OnClick = nullptr; }

int TCustomComboEdit::HauteurMinimale() const { return fontMetrics().height() + 4 + 1; }

void TCustomComboEdit::Placer()
{
    const int bw = support_->width();
    if (hasFrame())
        support_->setGeometry(width() - bw - 2, 2, bw, std::max(0, height() - 4));
    else
        support_->setGeometry(width() - bw, 0, bw, height());
    bouton_->resize(bw, support_->height());
    setTextMargins(0, 0, bw + 2, 0);
}

void TCustomComboEdit::resizeEvent(QResizeEvent* e)
{
    QLineEdit::resizeEvent(e);
    Placer();
}

void TCustomComboEdit::changeEvent(QEvent* e)
{
    QLineEdit::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        setMinimumHeight(HauteurMinimale());
}

int TCustomComboEdit::ButtonWidth() const { return bouton_->width(); }

void TCustomComboEdit::SetButtonWidth(int largeur)
{
    if (largeur == ButtonWidth())
        return;
    support_->setVisible(largeur >= 2);
    if (!construction_ && largeur >= width())
        return;
    support_->resize(std::max(0, largeur), support_->height());
    bouton_->resize(std::max(0, largeur), support_->height());
    Placer();
    RebuildGlyph();
}

void TCustomComboEdit::SetGlyphKind(TGlyphKind sorte)
{
    if (sorte == glyphKind_)
        return;
    glyphKind_ = sorte;
    RebuildGlyph();
    if (sorte == gkDefault && !bouton_->Glyph().isNull())
        SetButtonWidth(std::max(bouton_->Glyph().width() / bouton_->NumGlyphs() + 6, ButtonWidth()));
    else if (sorte == gkDropDown)
        SetButtonWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
}

int TCustomComboEdit::NumGlyphs() const { return bouton_->NumGlyphs(); }

void TCustomComboEdit::SetNumGlyphs(int n)
{
    bouton_->SetNumGlyphs(glyphKind_ == gkCustom ? n : 1);
}

void TCustomComboEdit::SetGlyph(const QImage& glyphe)
{
    bouton_->SetGlyph(glyphe);
}

void TCustomComboEdit::RebuildGlyph()
{
    switch (glyphKind_) {
    case gkDefault:
        bouton_->SetGlyph(DefaultGlyph());
        bouton_->SetNumGlyphs(1);
        break;
    case gkDropDown: {
        // The style's arrow on the face colour, which the button then leaves out.
        QImage fleche(9, 7, QImage::Format_RGB32);
        fleche.fill(CouleurSystemeQt(clBtnFace));
        QPainter p(&fleche);
        QStyleOption option;
        option.initFrom(this);
        option.rect = fleche.rect();
        option.palette.setColor(QPalette::ButtonText, CouleurSystemeQt(clBtnText));
        style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &p, this);
        p.end();
        bouton_->SetGlyph(fleche);
        bouton_->SetNumGlyphs(1);
        break;
    }
    case gkEllipsis: {
        const int w = std::max(1, ButtonWidth() - 6);
        QImage points(w, 4, QImage::Format_RGB32);
        points.fill(Qt::white);
        QPainter p(&points);
        for (const int x : PointsEllipse(w))
            p.fillRect(x, 1, 2, 2, Qt::black);
        p.end();
        bouton_->ObjetGlyphe().SetGlyph(points, Qt::white);
        bouton_->SetNumGlyphs(1);
        break;
    }
    case gkCustom:
        break;
    }
}

void TCustomComboEdit::SetReadOnly(bool v)
{
    if (v == readOnly_)
        return;
    readOnly_ = v;
    setReadOnly(readOnly_ || !directInput_);
}

void TCustomComboEdit::SetDirectInput(bool v)
{
    directInput_ = v;
    setReadOnly(readOnly_ || !directInput_);
}

void TCustomComboEdit::DoClick()
{
    if (readOnly_)
        return;
    ButtonClick();
}

void TCustomComboEdit::ButtonClick()
{
    if (OnButtonClick)
        OnButtonClick();
}

void TCustomComboEdit::keyPressEvent(QKeyEvent* e)
{
    if (ButtonWidth() > 0 && e->keyCombination() == ToucheQt(clickKey_)) {
        DoClick();
        e->accept();
        return;
    }
    // Return and Escape are left to the dialog: its default and cancel buttons act.
    QLineEdit::keyPressEvent(e);
}

// ---- The file and folder edit --------------------------------------------------------------------

TFileDirEdit::TFileDirEdit(QWidget* parent) : TCustomComboEdit(parent)
{
    construction_ = true;
    SetGlyphKind(gkDefault);
    construction_ = false;
}

const QImage& TFileDirEdit::GlypheDossier()
{
    static const QImage glyphe = [] {
        QImage image(14, 12, QImage::Format_RGB32);
        image.fill(QColor(0xFF, 0x00, 0xFF));
        QPainter p(&image);
        // A black outline: the disabled look embosses a glyph's black pixels, and only those.
        const QColor contour(Qt::black), dos(0xFF, 0xFF, 0x00), rabat(0xC0, 0xC0, 0x00);
        // The back of the folder with its tab.
        p.fillRect(1, 2, 4, 1, contour);
        p.fillRect(0, 3, 12, 8, contour);
        p.fillRect(1, 4, 10, 6, dos);
        // The open flap, slanted towards the bottom left.
        const QPoint rabatPoints[] = {{3, 5}, {13, 5}, {10, 10}, {0, 10}};
        p.setPen(contour);
        p.setBrush(rabat);
        p.drawPolygon(rabatPoints, 4);
        return image;
    }();
    return glyphe;
}

void TFileDirEdit::SetAcceptFiles(bool v)
{
    acceptFiles_ = v;
    setAcceptDrops(v);
}

void TFileDirEdit::dragEnterEvent(QDragEnterEvent* e)
{
    if (acceptFiles_ && e->mimeData()->hasUrls())
        e->acceptProposedAction();
    else
        QLineEdit::dragEnterEvent(e);
}

void TFileDirEdit::dragMoveEvent(QDragMoveEvent* e)
{
    if (acceptFiles_ && e->mimeData()->hasUrls())
        e->acceptProposedAction();
    else
        QLineEdit::dragMoveEvent(e);
}

void TFileDirEdit::dropEvent(QDropEvent* e)
{
    if (!acceptFiles_ || !e->mimeData()->hasUrls()) {
        QLineEdit::dropEvent(e);
        return;
    }
    ClearFileList();
    // The whole name is taken, however long the path.
    for (const QUrl& url : e->mimeData()->urls()) {
        if (!url.isLocalFile())
            continue;
        ReceiveName(url.toLocalFile());
        if (!multiple_)
            break;
    }
    e->acceptProposedAction();
    if (OnDropFiles)
        OnDropFiles();
}

// ---- The file-name edit --------------------------------------------------------------------------

TFilenameEdit::TFilenameEdit(QWidget* parent) : TFileDirEdit(parent)
{
    reglages_.Title = QStringLiteral("Parcourir");
    reglages_.Filter = FiltreParDefaut();
    reglages_.Options = ofHideReadOnly;
    CreateEditDialog();
}

TFilenameEdit::~TFilenameEdit() = default;

QString TFilenameEdit::NomAffiche(const QString& nom) { return Guillemets(nom); }

void TFilenameEdit::InstallerFabriqueDialogue(FabriqueDialogue fabrique) { Fabrique() = std::move(fabrique); }

void TFilenameEdit::CreateEditDialog()
{
    // The settings live in the edit, so a new kind of dialog keeps them.
    dialogue_ = Fabrique() ? Fabrique()(dialogKind_) : std::make_unique<DialogueQt>(dialogKind_);
}

void TFilenameEdit::SetDialogKind(TFileDialogKind sorte)
{
    if (sorte == dialogKind_)
        return;
    dialogKind_ = sorte;
    CreateEditDialog();
}

void TFilenameEdit::SetDialogOptions(TOpenOptions options)
{
    if (options == reglages_.Options)
        return;
    reglages_.Options = options;
    multiple_ = (options & ofAllowMultiSelect) != 0;
    if (!multiple_)
        ClearFileList();
}

QString TFilenameEdit::FileName() const
{
    const QString texte = text();
    if (!texte.isEmpty() && QFileInfo(texte).isFile())
        return texte;
    return DeOctets(CommandWord(Octets(texte), 0));
}

void TFilenameEdit::SetFileName(const QString& nom)
{
    if (!nom.isEmpty()) {
        const QString sansArguments =
            QFileInfo(nom).isFile() ? nom : DeOctets(CommandWord(Octets(nom), 0));
        if (!ValidFileName(Octets(sansArguments)))
            throw EComboEditError(QStringLiteral("Nom de fichier incorrect - %1").arg(nom).toStdString());
    }
    setText(Guillemets(nom));
    ClearFileList();
}

void TFilenameEdit::ReceiveName(const QString& nom)
{
    if (!multiple_) {
        SetFileName(nom);
        return;
    }
    if (reglages_.Files.isEmpty())
        SetFileName(nom);
    reglages_.Files << nom;
}

void TFilenameEdit::ButtonClick()
{
    TFileDirEdit::ButtonClick();
    QString nom = FileName();
    bool action = true;
    if (OnBeforeDialog)
        OnBeforeDialog(nom, action);
    if (!action)
        return;
    if (ValidFileName(Octets(nom))) {
        const QString dossier = PartieDossier(nom);
        if (DirExists(Octets(dossier)))
            reglages_.InitialDir = dossier;
        const QString seul = PartieNom(nom);
        if (seul.isEmpty() || !ValidFileName(Octets(seul)))
            nom.clear();
        reglages_.FileName = nom;
    }
    action = dialogue_->Execute(this, reglages_);
    if (action)
        nom = reglages_.FileName;
    if (isEnabled() && focusPolicy() != Qt::NoFocus)
        setFocus(Qt::OtherFocusReason);
    if (OnAfterDialog)
        OnAfterDialog(nom, action);
    if (action) {
        setText(Guillemets(nom));
        reglages_.InitialDir = PartieDossier(reglages_.FileName);
    }
}
