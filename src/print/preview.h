#pragma once
// The print preview: the printed pages of the current track on screen, one page at a time,
// drawn by the print job on a picture instead of the printer. The user pages through the
// score, zooms, fits the page width or the whole page, scrolls by dragging the page or holding
// Page Up, Page Down, Home or End, prints from the window and opens the printing preferences.
// The window is modal; its placement is kept in section "Print_Preview" of "Lyrx.ini".
//
// The zoom is the print settings' ZoomApercu, so it survives from one preview to the next; the
// first preview after start-up (AjusterApercu) fits the page width. Every activation (the
// window shown, or back from the print or preferences dialog opened from it) starts again at
// page 1.
#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QTimer;
class QToolButton;
class TFormStorage;

// True while a print preview window exists: the preferences' Preview button then returns to it
// instead of opening another.
extern bool ApercuOuvert;

// The page picture: its bitmap shown as it is, the hand cursor, and the page dragged with the
// mouse.
class TImageApercu : public QWidget {
public:
    explicit TImageApercu(QWidget* parent = nullptr);
    QImage Bitmap;
    std::function<void(QPoint)> OnMouseDown;
    std::function<void(QPoint)> OnDragOver;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

class TPreview_Form : public QDialog {
    Q_OBJECT

public:
    explicit TPreview_Form(QWidget* parent = nullptr);
    ~TPreview_Form() override;

    QWidget* PanelBouton = nullptr;
    QPushButton* BT_OK = nullptr;
    QPushButton* BT_Print = nullptr;
    QPushButton* BT_Setup = nullptr;
    QPushButton* BT_Aide = nullptr;
    QToolButton* BT_PagePrec = nullptr;
    QLabel* Lib_Page = nullptr;
    QToolButton* BT_Page_Suiv = nullptr;
    QToolButton* BT_ZoomIn = nullptr;
    QToolButton* BT_ZoomOut = nullptr;
    QToolButton* BT_PageWidth = nullptr;
    QToolButton* BT_FullScreen = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    TImageApercu* Image = nullptr;
    QFrame* BordD = nullptr;
    QFrame* BordB = nullptr;
    QMenu* PopupMenu1 = nullptr;
    TFormStorage* FormStorage1 = nullptr;

    // Page 1, the page size from the printer's orientation, the zoom fitted on the first
    // preview after start-up (or when the zoom in force is unusable), and the page drawn.
    void FormActivate();
    void BT_Page_SuivClick();
    void BT_PagePrecClick();
    void BT_ZoomInClick();
    void BT_ZoomOutClick();
    void BT_PageWidthClick();
    void BT_FullScreenClick();
    // The page-range dialog, then the job on the printer; the preview keeps its zoom.
    void BT_PrintClick();
    // Back to the preferences when they opened this preview, else the preferences on their
    // printing page; the page is drawn again with the settings they leave.
    void BT_SetupClick();
    void BT_AideClick();
    void TraduireApercu();

    // Picture, bitmap, scroll range and shadows at the page size times the zoom, then centred.
    void DimensionnerImageApercu();
    void CentrerImageApercu();
    // Draws the requested page; the page count comes back with it.
    void DessinerPageApercu();

    int32_t PageDemandee() const { return pageDemandee_; }
    // 0 while unknown.
    int32_t NbPages() const { return nbPages_; }
    // The page at zoom 1: 752 x 1080 pixels, or 1080 x 752 on landscape paper.
    QSize TaillePage() const { return page_; }
    // A scroll key is held.
    bool Repetition() const { return repetition_; }

    // The preferences dialog the set-up button opens: shown modally on its printing page, the
    // settings put back by its caller when it is not confirmed; returns the modal result. The
    // main window installs it (nullptr: the Preferences command of the command list runs).
    static void InstallerPreferences(std::function<int()> ouvrir);

    static constexpr double ZoomMax = 2.0;
    static constexpr double ZoomMin = 0.15;
    static constexpr double PasZoom = 1.3;

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;
    void reject() override;

private:
    void Defiler();
    void ArreterRepetition();
    void AppliquerZoom(double zoom);
    void AfficherPage();

    QWidget* contenu_ = nullptr;
    std::unique_ptr<TFormStorage> placement_;
    QTimer* timerDefilement_ = nullptr;
    QScrollBar* barreDefilement_ = nullptr;
    int32_t pageDemandee_ = 1;
    int32_t nbPages_ = 0;
    QSize page_{752, 1080};
    QPoint pointPression_;
    bool repetition_ = false;
    int pas_ = 0;
};

// The main window's Print preview command and the preferences' Preview button: ModeApercu on,
// the window shown modally and freed; returns its modal result.
int MontrerApercu(QWidget* parent = nullptr);
