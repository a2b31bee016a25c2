#pragma once
// A one-line edit with a small button inside its right edge (TCustomComboEdit), the base of the
// edits that hold a file or folder name (TFileDirEdit), and the file-name edit whose button opens
// the file dialog and writes the chosen path back (TFilenameEdit).
#include "controls/KxSpeedButton.h"

#include <QKeyCombination>
#include <QLineEdit>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

class QKeyEvent;

// The error of these controls; its text is the library's message.
class EComboEditError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TGlyphKind : uint8_t { gkCustom, gkDefault, gkDropDown, gkEllipsis };
enum TFileDialogKind : uint8_t { dkOpen, dkSave, dkOpenPicture, dkSavePicture };
enum TFileEditStyle : uint8_t { fsEdit, fsComboBox };

// A key with its shift state as the forms store it: 0x8000 Alt, 0x4000 Ctrl, 0x2000 Shift, plus
// the virtual key code.
using TShortCut = uint16_t;
constexpr TShortCut kAltBas = 32808; // Alt+Down
QKeyCombination ToucheQt(TShortCut raccourci);

// The dialog options the edit looks at.
using TOpenOptions = uint32_t;
constexpr TOpenOptions ofHideReadOnly = 1u << 2;
constexpr TOpenOptions ofAllowMultiSelect = 1u << 9;

// Where the three dots of the ellipsis glyph start on a bitmap of that width.
std::array<int, 3> PointsEllipse(int largeurBitmap);
// A filter "text|pattern|text|pattern" for QFileDialog; each pattern also in lower case, since
// the file system tells "x.WAV" from "x.wav".
QString FiltreDialogueQt(const QString& filtre);

// What the file dialog is opened with and what it gives back.
struct ReglagesDialogueFichier {
    QString DefaultExt;
    TFileEditStyle FileEditStyle = fsEdit;
    QString FileName;
    QString Filter;
    int FilterIndex = 1;
    QString InitialDir;
    QStringList HistoryList;
    QStringList Files;
    TOpenOptions Options = ofHideReadOnly;
    QString Title;
    int HelpContext = 0;
};

// The file dialog of one kind; tests give a fake one.
class IDialogueFichier {
public:
    virtual ~IDialogueFichier() = default;
    // Runs modally on the settings; true when a file was chosen (FileName, Files and FilterIndex
    // then hold the choice).
    virtual bool Execute(QWidget* parent, ReglagesDialogueFichier& reglages) = 0;
};

// The button inside the edit: the speed button's face with the edge lines towards the text.
class TEditButton : public TKxSpeedButton {
public:
    explicit TEditButton(QWidget* parent);
    QImage Face() override;
    std::function<void()> OnPressionGauche;

protected:
    void mousePressEvent(QMouseEvent* e) override;
};

class TCustomComboEdit : public QLineEdit {
public:
    explicit TCustomComboEdit(QWidget* parent = nullptr);
    ~TCustomComboEdit() override;

    TEditButton* Button() const { return bouton_; }
    QWidget* ButtonHolder() const { return support_; }

    int ButtonWidth() const;
    // Hidden below 2; after construction refused at or above the edit's width.
    void SetButtonWidth(int largeur);
    TGlyphKind GlyphKind() const { return glyphKind_; }
    void SetGlyphKind(TGlyphKind sorte);
    int NumGlyphs() const;
    void SetNumGlyphs(int n);
    void SetGlyph(const QImage& glyphe);
    TShortCut ClickKey() const { return clickKey_; }
    void SetClickKey(TShortCut touche) { clickKey_ = touche; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    bool DirectInput() const { return directInput_; }
    void SetDirectInput(bool v);

    std::function<void()> OnButtonClick;

    // The press of the button or of the click key.
    void DoClick();

protected:
    virtual void ButtonClick();
    // The glyph of gkDefault; none here.
    virtual QImage DefaultGlyph() const { return {}; }
    void RebuildGlyph();
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;

    bool construction_ = true;

private:
    void Placer();
    int HauteurMinimale() const;

    QWidget* support_ = nullptr;
    TEditButton* bouton_ = nullptr;
    TShortCut clickKey_ = kAltBas;
    bool readOnly_ = false;
    bool directInput_ = true;
    TGlyphKind glyphKind_ = gkCustom;
};

class TFileDirEdit : public TCustomComboEdit {
public:
    explicit TFileDirEdit(QWidget* parent = nullptr);

    bool AcceptFiles() const { return acceptFiles_; }
    void SetAcceptFiles(bool v);

    std::function<void()> OnDropFiles;
    // The name about to be shown in the dialog, or chosen in it; a handler may change it or
    // clear `action` to stop.
    std::function<void(QString& nom, bool& action)> OnBeforeDialog;
    std::function<void(QString& nom, bool& action)> OnAfterDialog;

    // The folder glyph the edits share: 14 x 12 on magenta.
    static const QImage& GlypheDossier();

protected:
    QImage DefaultGlyph() const override { return GlypheDossier(); }
    virtual void ReceiveName(const QString&) {}
    virtual void ClearFileList() {}
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

    bool multiple_ = false;

private:
    bool acceptFiles_ = false;
};

class TFilenameEdit : public TFileDirEdit {
public:
    explicit TFilenameEdit(QWidget* parent = nullptr);
    ~TFilenameEdit() override;

    using FabriqueDialogue = std::function<std::unique_ptr<IDialogueFichier>(TFileDialogKind)>;
    // Null puts the Qt dialogs back. Edits made afterwards, or changing their kind, use it.
    static void InstallerFabriqueDialogue(FabriqueDialogue fabrique);

    // The text without program arguments: whole when it names an existing file, else its
    // first command-line word (so a quoted name comes back without its quotes).
    QString FileName() const;
    // Shown quoted when it holds a blank; EComboEditError for an invalid name, text unchanged.
    void SetFileName(const QString& nom);
    // A name as the edit shows it: between double quotes when it holds a blank.
    static QString NomAffiche(const QString& nom);

    TFileDialogKind DialogKind() const { return dialogKind_; }
    void SetDialogKind(TFileDialogKind sorte);
    const ReglagesDialogueFichier& Dialogue() const { return reglages_; }
    void SetFilter(const QString& filtre) { reglages_.Filter = filtre; }
    QString Filter() const { return reglages_.Filter; }
    void SetDialogTitle(const QString& titre) { reglages_.Title = titre; }
    QString DialogTitle() const { return reglages_.Title; }
    void SetDefaultExt(const QString& ext) { reglages_.DefaultExt = ext; }
    void SetInitialDir(const QString& dossier) { reglages_.InitialDir = dossier; }
    QString InitialDir() const { return reglages_.InitialDir; }
    void SetFilterIndex(int i) { reglages_.FilterIndex = i; }
    void SetHistoryList(const QStringList& l) { reglages_.HistoryList = l; }
    TOpenOptions DialogOptions() const { return reglages_.Options; }
    void SetDialogOptions(TOpenOptions options);

protected:
    void ButtonClick() override;
    void ReceiveName(const QString& nom) override;
    void ClearFileList() override { reglages_.Files.clear(); }

private:
    void CreateEditDialog();

    std::unique_ptr<IDialogueFichier> dialogue_;
    ReglagesDialogueFichier reglages_;
    TFileDialogKind dialogKind_ = dkOpen;
};
