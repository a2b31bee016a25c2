#include "controls/CxCmboBx.h"

#include "controls/CxCommon.h"
#include "platform/qt/CanevasQt.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>

namespace {

bool ToucheNavigation(int touche)
{
    return touche == Qt::Key_PageUp || touche == Qt::Key_PageDown || touche == Qt::Key_End || touche == Qt::Key_Home
        || touche == Qt::Key_Left || touche == Qt::Key_Up || touche == Qt::Key_Right || touche == Qt::Key_Down;
}

// The character a key press types, when it types one in the range the search takes.
QChar CaracterePresse(const QKeyEvent* e)
{
    const QString t = e->text();
    if (t.size() != 1 || (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return QChar();
    const QChar c = t.at(0);
    return (c.unicode() >= 32 && c.unicode() <= 255 && c.unicode() != 127) ? c : QChar();
}

} // namespace

TCxCustomComboBox::TCxCustomComboBox(QWidget* parent)
    : TControleEncadre<QComboBox>(parent)
    , Bip([] { QApplication::beep(); })
{
    minuterie_ = new QTimer(this);
    minuterie_->setInterval(1500);
    minuterie_->setSingleShot(true);
    connect(minuterie_, &QTimer::timeout, this, &TCxCustomComboBox::SearchTimerTick);
    setAttribute(Qt::WA_Hover, true);
}

void TCxCustomComboBox::SetFlatButtons(bool v)
{
    if (v == flatButtons_)
        return;
    flatButtons_ = v;
    update();
}

void TCxCustomComboBox::SetDropDownWidth(int largeur)
{
    if (largeur == dropDownWidth_)
        return;
    dropDownWidth_ = largeur;
    view()->setMinimumWidth(std::max(largeur, 0));
}


void TCxCustomComboBox::UpdateFrame(bool parSouris, bool etat)
{
    if (deroule_)
        return;
    if (parSouris)
        cadre_.SourisDessus = etat;
    else
        cadre_.Focus = etat;
    cadre_.Suivre();
    if (cadre_.FrameFlat)
        update();
    else if (flatButtons_)
        update(QRect(width() - LargeurBouton() - 2, 0, LargeurBouton() + 2, height()));
}

void TCxCustomComboBox::DoBeep()
{
    if (BeepOnInvalidKey && Bip)
        Bip();
}

int TCxCustomComboBox::FindItem(const QString& texte) const
{
    for (int i = 0; i < count(); ++i)
        if (itemText(i).startsWith(texte, Qt::CaseInsensitive))
            return i;
    return -1;
}

void TCxCustomComboBox::Choisir(int index)
{
    changementPropre_ = true;
    setCurrentIndex(index);
    changementPropre_ = false;
    if (OnClick)
        OnClick();
    if (OnChange)
        OnChange();
}

bool TCxCustomComboBox::SelectItem(const QString& texte, QChar touche)
{
    const int i = FindItem(texte);
    if (i < 0) {
        DoBeep();
        return false;
    }
    Choisir(i);
    recherche_ = texte;
    if (OnKeyPress && !touche.isNull())
        OnKeyPress(touche);
    return true;
}

bool TCxCustomComboBox::CompleteItem(const QString& texte, QChar touche)
{
    const int i = FindItem(texte);
    if (i < 0 || texte.isEmpty())
        return false;
    Choisir(i);
    if (OnKeyPress && !touche.isNull())
        OnKeyPress(touche);
    if (QLineEdit* edition = lineEdit()) {
        changementPropre_ = true;
        edition->setText(itemText(i));
        edition->setSelection(int(texte.size()), int(itemText(i).size() - texte.size()));
        changementPropre_ = false;
    }
    recherche_ = texte;
    if (OnMatch)
        OnMatch();
    return true;
}

void TCxCustomComboBox::SearchTimerTick()
{
    minuterie_->stop();
    recherche_.clear();
}

void TCxCustomComboBox::keyPressEvent(QKeyEvent* e)
{
    if (isEditable()) {
        QComboBox::keyPressEvent(e);
        return;
    }
    // Type-ahead search of the list-only style.
    const int touche = e->key();
    if (touche == Qt::Key_Backspace) {
        if (!recherche_.isEmpty()) {
            recherche_.chop(1);
            if (recherche_.isEmpty()) {
                Choisir(0);
                QChar c('\b');
                if (OnKeyPress)
                    OnKeyPress(c);
            } else {
                SelectItem(recherche_, QChar('\b'));
            }
        } else {
            DoBeep();
            SelectItem(QString(), QChar('\b'));
        }
        e->accept();
        return;
    }
    if (touche == Qt::Key_Escape) {
        recherche_.clear();
        Choisir(0);
        e->accept();
        return;
    }
    const QChar c = CaracterePresse(e);
    if (!c.isNull()) {
        const QString essai = recherche_ + c;
        // A character that begins no item beeps but stays in the search text until the pause.
        if (!SelectItem(essai, c))
            recherche_ = essai;
        minuterie_->start();
        e->accept();
        return;
    }
    if (ToucheNavigation(touche))
        recherche_.clear();
    QComboBox::keyPressEvent(e);
}

bool TCxCustomComboBox::ToucheEdition(QKeyEvent* e)
{
    QLineEdit* edition = lineEdit();
    const int touche = e->key();
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    const bool maj = e->modifiers() & Qt::ShiftModifier;
    if (touche == Qt::Key_Escape) {
        recherche_.clear();
        Choisir(-1);
        return true;
    }
    if (touche == Qt::Key_PageUp || touche == Qt::Key_PageDown || touche == Qt::Key_Up || touche == Qt::Key_Down) {
        recherche_.clear();
        return false;
    }
    if (touche == Qt::Key_Home || touche == Qt::Key_End || touche == Qt::Key_Left || touche == Qt::Key_Right) {
        recherche_ = edition->text();
        return false;
    }
    if ((ctrl && (touche == Qt::Key_V || touche == Qt::Key_X)) || (maj && touche == Qt::Key_Insert)) {
        if (!AllowEdit && !(ctrl && touche == Qt::Key_X))
            return true;
        QTimer::singleShot(0, this, [this] {
            if (lineEdit() && !CompleteItem(lineEdit()->text(), QChar()))
                recherche_ = lineEdit()->text();
        });
        return false;
    }
    if (touche == Qt::Key_Delete) {
        const QString texte = edition->text();
        const bool tout = edition->hasSelectedText() && edition->selectedText().size() == texte.size();
        if (!AllowEdit && !tout)
            return true;
        const int debut = edition->hasSelectedText() ? edition->selectionStart() : edition->cursorPosition();
        const int n = std::max<int>(1, int(edition->selectedText().size()));
        recherche_ = texte;
        recherche_.remove(debut, n);
        return false;
    }
    if (touche == Qt::Key_Backspace) {
        if (recherche_.isEmpty()) {
            DoBeep();
            return false;
        }
        const QString texte = edition->text();
        int debut = edition->hasSelectedText() ? edition->selectionStart() : -1;
        int n = int(edition->selectedText().size());
        if (debut < 0 || (edition->cursorPosition() >= texte.size() && n == 0)) {
            // At the end of the text, or with free typing, the character before the caret.
            debut = std::max(0, int(edition->cursorPosition()) - 1);
            n = 1;
        }
        QString reste = texte.left(std::min<int>(int(texte.size()), int(recherche_.size())));
        reste.remove(debut, n);
        recherche_ = reste;
        if (recherche_.isEmpty()) {
            Choisir(-1);
            return false;
        }
        return CompleteItem(recherche_, QChar('\b'));
    }
    QChar c = CaracterePresse(e);
    if (c.isNull())
        return false;
    if (OnKeyPress) {
        OnKeyPress(c);
        if (c.isNull())
            return true;
    }
    if (edition->maxLength() >= 1 && edition->text().size() >= edition->maxLength() && !edition->hasSelectedText()) {
        if (Bip)
            Bip();
        return true;
    }
    const QString avant = recherche_;
    QString texte = edition->text();
    int position = edition->cursorPosition();
    if (edition->hasSelectedText()) {
        position = edition->selectionStart();
        texte.remove(position, edition->selectedText().size());
    }
    texte.insert(position, c);
    if (OnChange)
        OnChange();
    if (CompleteItem(texte, QChar()))
        return true;
    if (AllowEdit) {
        recherche_ = texte;
        return false; // the edit types it as usual
    }
    DoBeep();
    recherche_ = avant;
    return true;
}

bool TCxCustomComboBox::eventFilter(QObject* objet, QEvent* e)
{
    if (objet == lineEdit() && e->type() == QEvent::KeyPress) {
        if (ToucheEdition(static_cast<QKeyEvent*>(e)))
            return true;
    }
    return QComboBox::eventFilter(objet, e);
}

void TCxCustomComboBox::EntreeEditionInstallee()
{
    if (QLineEdit* edition = lineEdit()) {
        edition->removeEventFilter(this);
        edition->installEventFilter(this);
    }
}

void TCxCustomComboBox::showEvent(QShowEvent* e)
{
    EntreeEditionInstallee();
    QComboBox::showEvent(e);
}

void TCxCustomComboBox::wheelEvent(QWheelEvent* e)
{
    const int pas = e->angleDelta().y() > 0 ? -1 : (e->angleDelta().y() < 0 ? 1 : 0);
    if (pas != 0) {
        if (deroule_) {
            QScrollBar* barre = view()->verticalScrollBar();
            barre->setValue(barre->value() + pas * QApplication::wheelScrollLines());
        } else {
            // The step stops at the ends of the list instead of clearing the choice.
            const int i = std::clamp(currentIndex() + pas, 0, std::max(0, count() - 1));
            if (count() > 0 && i != currentIndex())
                Choisir(i);
        }
    }
    e->accept();
}

void TCxCustomComboBox::showPopup()
{
    deroule_ = true;
    QComboBox::showPopup();
}

void TCxCustomComboBox::hidePopup()
{
    QComboBox::hidePopup();
    deroule_ = false;
    if (OnCloseUp)
        OnCloseUp();
}

void TCxCustomComboBox::focusInEvent(QFocusEvent* e)
{
    EntreeEditionInstallee();
    QComboBox::focusInEvent(e);
    UpdateFrame(false, true);
}

void TCxCustomComboBox::focusOutEvent(QFocusEvent* e)
{
    QComboBox::focusOutEvent(e);
    recherche_.clear();
    cadre_.SourisDessus = false;
    UpdateFrame(false, false);
}

void TCxCustomComboBox::enterEvent(QEnterEvent* e)
{
    QComboBox::enterEvent(e);
    UpdateFrame(true, true);
    if (OnMouseEnter)
        OnMouseEnter();
}

void TCxCustomComboBox::leaveEvent(QEvent* e)
{
    QComboBox::leaveEvent(e);
    UpdateFrame(true, false);
    if (OnMouseLeave)
        OnMouseLeave();
}

int TCxCustomComboBox::LargeurBouton() const { return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this); }

void TCxCustomComboBox::PeindreCadre(QPainter& p)
{
    InstallerCouleursSystemePalette();
    const QColor fond = palette().color(QPalette::Base);
    const int sb = LargeurBouton();
    const bool boutonPlat = flatButtons_ && !cadre_.Focus && !cadre_.SourisDessus;
    if (boutonPlat)
        p.fillRect(QRect(width() - sb - 2, 2, sb, height() - 4), fond);
    p.save();
    {
        platform::CanevasQt canevas(p);
        const TRect tout{0, 0, width(), height()};
        const platform::Couleur f = DeQColor(fond);
        DrawBevel(canevas, tout, f, f, 2, kQuatreCotes);
        if (boutonPlat) {
            const int mx = width() - sb - 2 + sb / 2;
            const int my = height() / 2 + 2;
            canevas.SetStylo(platform::clBlack);
            canevas.SetBrosse(platform::clBlack);
            canevas.Polygone({{mx - 1, my}, {mx - 6, my - 5}, {mx + 4, my - 5}});
        }
        if (cadre_.FrameStyle == fsFlat)
            DrawSides(canevas, tout, cadre_.FrameColor.Resoudre(), cadre_.FrameColor.Resoudre(), cadre_.FrameSides);
        else
            DrawBorder(canevas, tout, cadre_.FrameStyle, cadre_.FrameSides);
    }
    p.restore();
}

void TCxCustomComboBox::paintEvent(QPaintEvent* e)
{
    QComboBox::paintEvent(e);
    if (!cadre_.FrameVisible)
        return;
    QPainter p(this);
    PeindreCadre(p);
}

// ---- Line combo box ----

std::pair<QColor, QColor> CouleursLigne(TLineStyle style, QColor controle, QColor ligne, QColor ombre, QColor lumiere)
{
    switch (style) {
    case lsNone: return {controle, controle};
    case lsFlat: return {ligne, controle};
    case lsGroove: return {lumiere, ombre};
    case lsBump: return {ombre, lumiere};
    }
    return {controle, controle};
}

TCxLineComboBox::TCxLineComboBox(QWidget* parent)
    : TCxCustomComboBox(parent)
{
    setFrame(false);
}

void TCxLineComboBox::SetLineColor(QColor c)
{
    if (c != lineColor_) {
        lineColor_ = c;
        update();
    }
}

void TCxLineComboBox::SetLineStyle(TLineStyle s)
{
    if (s != lineStyle_) {
        lineStyle_ = s;
        update();
    }
}

void TCxLineComboBox::paintEvent(QPaintEvent*)
{
    // No box: the parent's colour, the text, the drop-down arrow and the line under them.
    QPainter p(this);
    const QColor controle = palette().color(QPalette::Window);
    p.fillRect(rect(), controle);
    const int sb = LargeurBouton();
    p.setPen(palette().color(isEnabled() ? QPalette::WindowText : QPalette::PlaceholderText));
    p.setFont(font());
    if (!isEditable())
        p.drawText(QRect(3, 0, width() - sb - 6, height() - 2), Qt::AlignVCenter | Qt::AlignLeft, currentText());
    const int mx = width() - sb - 2 + sb / 2;
    const int my = height() / 2 + 2;
    const QPointF triangle[3] = {QPointF(mx - 1, my), QPointF(mx - 6, my - 5), QPointF(mx + 4, my - 5)};
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    p.drawPolygon(triangle, 3);
    const auto [bas, dessus] = CouleursLigne(lineStyle_, controle, lineColor_, palette().color(QPalette::Dark),
                                             palette().color(QPalette::Light));
    p.fillRect(0, height() - 1, width() - 2, 1, bas);
    p.fillRect(0, height() - 2, width() - 2, 1, dessus);
}
